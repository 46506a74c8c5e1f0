#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <Qt>

// The 30 columns of the file list, in their default display order. The enum value is
// also the model's column index, so a view shows them in this order until the user
// moves them.
enum TFileListColumn {
    colNo,
    colActive,
    colIcon,
    colFileName,
    colDirectory,
    colSize,
    colDuration,
    colVideo,
    colVideoCodec,
    colVideoCodecID,
    colVideoProfile,
    colVideoBitrate,
    colVideoWidth,
    colVideoHeight,
    colVideoResolution,
    colVideoDisplayAspect,
    colVideoFPS,
    colVideoBpp,
    colVideoScanType,
    colVideoStreamSize,
    colAudio,
    colAudioCodec,
    colAudioCodecID,
    colAudioProfile,
    colAudioBitrate,
    colAudioChannels,
    colAudioSampling,
    colAudioStreamSize,
    colStatus,
    colReason,
    colTracks,
};

inline constexpr int FileListColumnCount = colTracks + 1;

enum class TColumnSortType { Numeric, Boolean, Alphabetic };

// How a column's stored value becomes its text.
enum class TColumnDisplay {
    AsIs,            // text as stored
    Grouped,         // digits grouped in threes with a blank
    GroupedPositive, // the same, empty when <= 0
    CheckBox,        // no text, a check mark
    Icon,            // no text, the icon of the stored index
    SizeText,        // FormatFileSize, zero included
    SizePositive,    // FormatFileSize, empty when <= 0
    ShortDuration,   // hh:mm:ss of milliseconds, empty when <= 0
    Fixed2Positive,  // "0.00" with the user's decimal separator, empty when <= 0
    Fixed3Positive,  // "0.000" likewise
};

// Width the grid gives a column that has none of its own.
inline constexpr int DefaultColumnWidth = 80;

struct TColumnDef {
    TFileListColumn Column;
    const char* Name;         // "colVideoCodec": object and settings key name
    const char* Caption;      // header caption, in English (ColumnCaption translates it)
    const char* MenuCaption;  // caption in the "Columns" menus; empty for the two fixed columns
    bool DefaultVisible;
    bool Hideable;            // colActive and colFileName are always shown
    int Width;
    Qt::Alignment Alignment;
    int LeftPadding;          // pixels before left-aligned text
    bool Bold;
    TColumnSortType Sort;
    TColumnDisplay Display;
};

const TColumnDef& ColumnDef(int column);
QString ColumnName(int column);
// The header and "Columns" menu captions in the user's language (context "FileList").
QString ColumnCaption(int column);
QString ColumnMenuCaption(int column);
// -1 when no column has that name (compared exactly).
int ColumnByName(const QString& name);

// Settings keys of the column layout: name + "_Width", "_Position", "_Visible". The
// visibility key is empty for the columns that cannot be hidden.
QString ColumnWidthKey(int column);
QString ColumnPositionKey(int column);
QString ColumnVisibleKey(int column);
// The columns in the order the settings file writes their keys (colStatus follows
// colDuration there, unlike the display order).
QList<TFileListColumn> ColumnKeyOrder();

// "actColVideoCodecVisible": the toggle of a hideable column; empty for the others.
QString ColumnVisibleActionName(int column);
// The 27 toggles as the three "Columns" menus show them; -1 stands for a separator.
QList<int> ColumnMenuItems();

// The text a cell shows for its stored value. An invalid value (a column the analysis
// did not fill) shows nothing; a value that is not a number where a number is expected
// is shown as it stands.
QString CellDisplayText(int column, const QVariant& value);

// x with exactly `decimals` decimals, rounded, with the user's decimal separator and no
// digit grouping ("23.98", "1500.00").
QString FixedDecimals(double x, int decimals);
