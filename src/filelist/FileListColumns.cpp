#include "filelist/FileListColumns.h"

#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/Files.h"
#include "lib/NativeName.h"

#include <QCoreApplication>

#include <array>
#include <cmath>

namespace {

using S = TColumnSortType;
using D = TColumnDisplay;

constexpr Qt::Alignment Centre = Qt::AlignCenter;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

// clang-format off
const std::array<TColumnDef, FileListColumnCount> Defs = {{
    //: "No" as in number: the row's position in the list
    {colNo,                 "colNo",                 QT_TRANSLATE_NOOP("FileList", "No"),                     QT_TRANSLATE_NOOP("FileList", "No"),                true,  true,  40,                 Centre, 0, false, S::Numeric,    D::Grouped},
    {colActive,             "colActive",             "",                                                      "",                                                 true,  false, 34,                 Centre, 0, false, S::Boolean,    D::CheckBox},
    {colIcon,               "colIcon",               "",                                                      QT_TRANSLATE_NOOP("FileList", "Icon"),              true,  true,  24,                 Centre, 0, false, S::Numeric,    D::Icon},
    {colFileName,           "colFileName",           QT_TRANSLATE_NOOP("FileList", "File"),                   "",                                                 true,  false, 220,                Left,   0, true,  S::Alphabetic, D::AsIs},
    {colDirectory,          "colDirectory",          QT_TRANSLATE_NOOP("FileList", "Directory"),              QT_TRANSLATE_NOOP("FileList", "Directory"),         true,  true,  180,                Left,   3, false, S::Alphabetic, D::AsIs},
    {colSize,               "colSize",               QT_TRANSLATE_NOOP("FileList", "Size"),                   QT_TRANSLATE_NOOP("FileList", "Size"),              true,  true,  70,                 Centre, 0, false, S::Numeric,    D::SizeText},
    {colDuration,           "colDuration",           QT_TRANSLATE_NOOP("FileList", "Duration"),               QT_TRANSLATE_NOOP("FileList", "Duration"),          true,  true,  70,                 Centre, 0, false, S::Numeric,    D::ShortDuration},
    {colVideo,              "colVideo",              QT_TRANSLATE_NOOP("FileList", "Video"),                  QT_TRANSLATE_NOOP("FileList", "Video"),             true,  true,  120,                Left,   3, false, S::Alphabetic, D::AsIs},
    {colVideoCodec,         "colVideoCodec",         QT_TRANSLATE_NOOP("FileList", "Video codec"),            QT_TRANSLATE_NOOP("FileList", "Video codec"),       false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoCodecID,       "colVideoCodecID",       QT_TRANSLATE_NOOP("FileList", "Video codec ID"),         QT_TRANSLATE_NOOP("FileList", "Video codec ID"),    false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoProfile,       "colVideoProfile",       QT_TRANSLATE_NOOP("FileList", "Video profile"),          QT_TRANSLATE_NOOP("FileList", "Video profile"),     false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoBitrate,       "colVideoBitrate",       QT_TRANSLATE_NOOP("FileList", "Video bitrate [kbit/s]"), QT_TRANSLATE_NOOP("FileList", "Video bitrate"),     false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    {colVideoWidth,         "colVideoWidth",         QT_TRANSLATE_NOOP("FileList", "Width"),                  QT_TRANSLATE_NOOP("FileList", "Width"),             false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    {colVideoHeight,        "colVideoHeight",        QT_TRANSLATE_NOOP("FileList", "Height"),                 QT_TRANSLATE_NOOP("FileList", "Height"),            false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    {colVideoResolution,    "colVideoResolution",    QT_TRANSLATE_NOOP("FileList", "Resolution"),             QT_TRANSLATE_NOOP("FileList", "Resolution"),        false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoDisplayAspect, "colVideoDisplayAspect", QT_TRANSLATE_NOOP("FileList", "Display aspect"),         QT_TRANSLATE_NOOP("FileList", "Display aspect"),    false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoFPS,           "colVideoFPS",           QT_TRANSLATE_NOOP("FileList", "Frames/sec"),             QT_TRANSLATE_NOOP("FileList", "Frames/sec."),       false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::Fixed2Positive},
    {colVideoBpp,           "colVideoBpp",           QT_TRANSLATE_NOOP("FileList", "Bits/pixel"),             QT_TRANSLATE_NOOP("FileList", "Bits/pixel"),        false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::Fixed3Positive},
    {colVideoScanType,      "colVideoScanType",      QT_TRANSLATE_NOOP("FileList", "Scan type"),              QT_TRANSLATE_NOOP("FileList", "Scan type"),         false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colVideoStreamSize,    "colVideoStreamSize",    QT_TRANSLATE_NOOP("FileList", "Video stream size"),      QT_TRANSLATE_NOOP("FileList", "Video stream size"), false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::SizePositive},
    {colAudio,              "colAudio",              QT_TRANSLATE_NOOP("FileList", "Audio"),                  QT_TRANSLATE_NOOP("FileList", "Audio"),             true,  true,  120,                Left,   3, false, S::Alphabetic, D::AsIs},
    {colAudioCodec,         "colAudioCodec",         QT_TRANSLATE_NOOP("FileList", "Audio codec"),            QT_TRANSLATE_NOOP("FileList", "Audio codec"),       false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colAudioCodecID,       "colAudioCodecID",       QT_TRANSLATE_NOOP("FileList", "Audio codec ID"),         QT_TRANSLATE_NOOP("FileList", "Audio codec ID"),    false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colAudioProfile,       "colAudioProfile",       QT_TRANSLATE_NOOP("FileList", "Audio profile"),          QT_TRANSLATE_NOOP("FileList", "Audio profile"),     false, true,  DefaultColumnWidth, Centre, 0, false, S::Alphabetic, D::AsIs},
    {colAudioBitrate,       "colAudioBitrate",       QT_TRANSLATE_NOOP("FileList", "Audio bitrate [kbit/s]"), QT_TRANSLATE_NOOP("FileList", "Audio bitrate"),     false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    {colAudioChannels,      "colAudioChannels",      QT_TRANSLATE_NOOP("FileList", "Channels"),               QT_TRANSLATE_NOOP("FileList", "Channels"),          false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    //: The sound's sampling rate
    {colAudioSampling,      "colAudioSampling",      QT_TRANSLATE_NOOP("FileList", "Sampling [Hz]"),          QT_TRANSLATE_NOOP("FileList", "Sampling"),          false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::GroupedPositive},
    {colAudioStreamSize,    "colAudioStreamSize",    QT_TRANSLATE_NOOP("FileList", "Audio stream size"),      QT_TRANSLATE_NOOP("FileList", "Audio stream size"), false, true,  DefaultColumnWidth, Centre, 0, false, S::Numeric,    D::SizePositive},
    {colStatus,             "colStatus",             QT_TRANSLATE_NOOP("FileList", "Status"),                 QT_TRANSLATE_NOOP("FileList", "Status"),            true,  true,  90,                 Centre, 0, false, S::Alphabetic, D::AsIs},
    //: Why a row failed or cannot be read, in one sentence
    {colReason,             "colReason",             QT_TRANSLATE_NOOP("FileList", "Reason"),                 QT_TRANSLATE_NOOP("FileList", "Reason"),            false, true,  260,                Left,   0, false, S::Alphabetic, D::AsIs},
    {colTracks,             "colTracks",             QT_TRANSLATE_NOOP("FileList", "Tracks"),                 QT_TRANSLATE_NOOP("FileList", "Tracks"),            false, true,  200,                Left,   0, false, S::Alphabetic, D::AsIs},
}};
// clang-format on

// Numbers come as integers or reals; anything else is not a number here.
bool NumberOf(const QVariant& v, double& x)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        x = v.toDouble();
        return std::isfinite(x);
    default:
        return false;
    }
}

int64_t RoundedInt(double x)
{
    // Halves to the even neighbour, like every other rounding of the program.
    return static_cast<int64_t>(std::nearbyint(x));
}

} // namespace

const TColumnDef& ColumnDef(int column)
{
    return Defs.at(static_cast<size_t>(column));
}

QString ColumnName(int column)
{
    return QLatin1String(ColumnDef(column).Name);
}

QString ColumnCaption(int column)
{
    return QCoreApplication::translate("FileList", ColumnDef(column).Caption);
}

QString ColumnMenuCaption(int column)
{
    return QCoreApplication::translate("FileList", ColumnDef(column).MenuCaption);
}

int ColumnByName(const QString& name)
{
    for (const TColumnDef& d : Defs) {
        if (name == QLatin1String(d.Name))
            return d.Column;
    }
    return -1;
}

QString ColumnWidthKey(int column)
{
    return ColumnName(column) + QStringLiteral("_Width");
}

QString ColumnPositionKey(int column)
{
    return ColumnName(column) + QStringLiteral("_Position");
}

QString ColumnVisibleKey(int column)
{
    return ColumnDef(column).Hideable ? ColumnName(column) + QStringLiteral("_Visible") : QString();
}

QList<TFileListColumn> ColumnKeyOrder()
{
    QList<TFileListColumn> order;
    for (int c = colNo; c <= colDuration; ++c)
        order.append(TFileListColumn(c));
    order.append(colStatus);
    for (int c = colVideo; c < colStatus; ++c)
        order.append(TFileListColumn(c));
    // came last, in the order they came: settings files written before keep their meaning
    order.append(colReason);
    order.append(colTracks);
    return order;
}

QString ColumnVisibleActionName(int column)
{
    if (!ColumnDef(column).Hideable)
        return QString();
    return QStringLiteral("actCol") + ColumnName(column).mid(3) + QStringLiteral("Visible");
}

QList<int> ColumnMenuItems()
{
    // The menus put "Scan type" before "Bits/pixel", unlike the header order.
    return {colNo, colIcon, colDirectory, colSize, colDuration, -1,
            colVideo, colVideoCodec, colVideoCodecID, colVideoProfile, colVideoBitrate, colVideoWidth,
            colVideoHeight, colVideoResolution, colVideoDisplayAspect, colVideoFPS, colVideoScanType,
            colVideoBpp, colVideoStreamSize, -1,
            colAudio, colAudioCodec, colAudioCodecID, colAudioProfile, colAudioBitrate, colAudioChannels,
            colAudioSampling, colAudioStreamSize, colTracks, -1,
            colStatus, colReason};
}

QString FixedDecimals(double x, int decimals)
{
    return DecimalText(x, decimals);
}

QString CellDisplayText(int column, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const TColumnDisplay display = ColumnDef(column).Display;
    if (display == D::CheckBox || display == D::Icon)
        return QString();
    if (display == D::AsIs)
        return NativeName::Shown(value.toString()); // a name's bytes that are not UTF-8 as "\xE9"
    double x = 0;
    if (!NumberOf(value, x))
        return value.toString();
    switch (display) {
    case D::Grouped:
        return IntToStrGrouped(RoundedInt(x));
    case D::GroupedPositive:
        return x > 0 ? IntToStrGrouped(RoundedInt(x)) : QString();
    case D::SizeText:
        return FormatFileSize(RoundedInt(x));
    case D::SizePositive:
        return x > 0 ? FormatFileSize(RoundedInt(x)) : QString();
    case D::ShortDuration:
        // under a second in tenths: a short clip must not read as one of no length
        if (x > 0 && x < 950)
            return QStringLiteral("00:00:0") + DecimalText(std::max(0.1, x / 1000.0), 1);
        return x > 0 ? MsToShortTime(RoundedInt(x), true) : QString();
    case D::Fixed2Positive:
        return x > 0 ? FixedDecimals(x, 2) : QString();
    case D::Fixed3Positive:
        return x > 0 ? FixedDecimals(x, 3) : QString();
    default:
        return value.toString();
    }
}
