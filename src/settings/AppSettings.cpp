#include "settings/AppSettings.h"

#include "lib/Conversion.h"
#include "lib/MemIniFile.h"

#include <QFileInfo>

namespace {

const QString Main = QStringLiteral("MAIN");
const QString Progress = QStringLiteral("PROGRESS");

// A stored window edge that lies off the screen comes back to 0.
int ClampLeft(int left, int screenWidth)
{
    return (left > screenWidth || left < -screenWidth) ? 0 : left;
}

int ClampTop(int top, int screenHeight)
{
    return (top < 0 || top > screenHeight) ? 0 : top;
}

} // namespace

const QStringList& TAppSettings::ColumnNames()
{
    static const QStringList names{
        QStringLiteral("colNo"), QStringLiteral("colActive"), QStringLiteral("colIcon"),
        QStringLiteral("colFileName"), QStringLiteral("colDirectory"), QStringLiteral("colSize"),
        QStringLiteral("colDuration"), QStringLiteral("colStatus"), QStringLiteral("colVideo"),
        QStringLiteral("colVideoCodec"), QStringLiteral("colVideoCodecID"), QStringLiteral("colVideoProfile"),
        QStringLiteral("colVideoBitrate"), QStringLiteral("colVideoWidth"), QStringLiteral("colVideoHeight"),
        QStringLiteral("colVideoResolution"), QStringLiteral("colVideoDisplayAspect"), QStringLiteral("colVideoFPS"),
        QStringLiteral("colVideoScanType"), QStringLiteral("colVideoBpp"), QStringLiteral("colVideoStreamSize"),
        QStringLiteral("colAudio"), QStringLiteral("colAudioCodec"), QStringLiteral("colAudioCodecID"),
        QStringLiteral("colAudioProfile"), QStringLiteral("colAudioBitrate"), QStringLiteral("colAudioChannels"),
        QStringLiteral("colAudioSampling"), QStringLiteral("colAudioStreamSize")};
    return names;
}

bool TAppSettings::HasVisibilityKey(const QString& columnName)
{
    return columnName != QLatin1String("colActive") && columnName != QLatin1String("colFileName");
}

QList<TColumnSettings> TAppSettings::DefaultColumns()
{
    QList<TColumnSettings> columns;
    for (const QString& name : ColumnNames())
        columns.append({name, 64, int(columns.size()), true});
    return columns;
}

QString TAppSettings::FileAnalysisText(TFileAnalysis fa)
{
    switch (fa) {
    case faNone: return QStringLiteral("None");
    case faQuick: return QStringLiteral("Quick");
    case faFull: break;
    }
    return QStringLiteral("Full");
}

TFileAnalysis TAppSettings::ParseFileAnalysis(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("NONE"))
        return faNone;
    if (t == QLatin1String("QUICK"))
        return faQuick;
    return faFull;
}

int TAppSettings::ParseDefaultVideoCodec(const QString& text)
{
    return text.trimmed().toUpper() == QLatin1String("H.264") ? 1 : 0;
}

QString TAppSettings::DefaultVideoCodecText(int codec)
{
    return codec == 1 ? QStringLiteral("H.264") : QStringLiteral("Xvid");
}

void TAppSettings::LoadMain(const MemIniFile& ini, int screenWidth, int screenHeight)
{
    EscExit = ini.ReadBool(Main, QStringLiteral("EscExit"), EscExit);
    MediaInfoDll = ini.ReadString(Main, QStringLiteral("MediaInfoDll"), MediaInfoDll);
    ToolsDir = ini.ReadString(Main, QStringLiteral("ToolsDir"), ToolsDir);
    Left = ClampLeft(ini.ReadInteger(Main, QStringLiteral("Left"), Left), screenWidth);
    Top = ClampTop(ini.ReadInteger(Main, QStringLiteral("Top"), Top), screenHeight);
    Width = ini.ReadInteger(Main, QStringLiteral("Width"), Width);
    Height = ini.ReadInteger(Main, QStringLiteral("Height"), Height);
    Maximized = ini.ReadBool(Main, QStringLiteral("Maximized"), Maximized);
    cbOutputExists = ini.ReadInteger(Main, QStringLiteral("cbOutputExists"), cbOutputExists);
    cbAfterConversion = ini.ReadInteger(Main, QStringLiteral("cbAfterConversion"), cbAfterConversion);
    // An index the list does not have would leave the policy undefined: take the first.
    if (cbOutputExists < 0 || cbOutputExists > 2)
        cbOutputExists = 0;
    if (cbAfterConversion < 0 || cbAfterConversion > 1)
        cbAfterConversion = 0;
    OutIn = ini.ReadBool(Main, QStringLiteral("OutIn"), OutIn);
    OutDir = ini.ReadString(Main, QStringLiteral("OutDir"), OutDir);
    KeepFileDates = ini.ReadBool(Main, QStringLiteral("KeepFileDates"), KeepFileDates);
    FileAnalysis = ParseFileAnalysis(ini.ReadString(Main, QStringLiteral("FileAnalysis"), QStringLiteral("FULL")));

    const int lastPosition = int(ColumnNames().size()) - 1;
    for (TColumnSettings& c : Columns)
        c.Width = ini.ReadInteger(Main, c.Name + QLatin1String("_Width"), c.Width);
    for (TColumnSettings& c : Columns)
        c.Position = Clamp(ini.ReadInteger(Main, c.Name + QLatin1String("_Position"), c.Position), 0, lastPosition);
    for (TColumnSettings& c : Columns) {
        if (HasVisibilityKey(c.Name))
            c.Visible = ini.ReadBool(Main, c.Name + QLatin1String("_Visible"), c.Visible);
    }

    RowHeight = Clamp(ini.ReadInteger(Main, QStringLiteral("RowHeight"), RowHeight), 12, 50);
    ListFontName = ini.ReadString(Main, QStringLiteral("ListFontName"), ListFontName);
    ListFontSize = Clamp(ini.ReadInteger(Main, QStringLiteral("ListFontSize"), ListFontSize), 6, 20);
    GridLines = ini.ReadBool(Main, QStringLiteral("GridLines"), true);
    RowIndicator = ini.ReadBool(Main, QStringLiteral("RowIndicator"), RowIndicator);
    GridFooter = ini.ReadBool(Main, QStringLiteral("GridFooter"), GridFooter);
    AllowRowMoving = ini.ReadBool(Main, QStringLiteral("AllowRowMoving"), AllowRowMoving);
    AllowColumnMoving = ini.ReadBool(Main, QStringLiteral("AllowColumnMoving"), AllowColumnMoving);
    LastDir = ini.ReadString(Main, QStringLiteral("LastDir"), LastDir);
    pnConversionSettingsExpanded = ini.ReadBool(Main, QStringLiteral("pnConversionSettingsExpanded"), true);
    OpenFileAfterIconClick = ini.ReadBool(Main, QStringLiteral("OpenFileAfterIconClick"), OpenFileAfterIconClick);
    DefaultVideoCodec = ParseDefaultVideoCodec(
        ini.ReadString(Main, QStringLiteral("DefaultVideoCodec"), DefaultVideoCodecText(DefaultVideoCodec)));
    DragAcceptDirectories = ini.ReadBool(Main, QStringLiteral("DragAcceptDirectories"), DragAcceptDirectories);
}

void TAppSettings::LoadProgress(const MemIniFile& ini)
{
    DontShowEncoderOutput = ini.ReadBool(Progress, QStringLiteral("DontShowEncoderOutput"), DontShowEncoderOutput);
    ProgressWidth = ini.ReadInteger(Progress, QStringLiteral("Width"), ProgressWidth);
    ProgressHeight = ini.ReadInteger(Progress, QStringLiteral("Height"), ProgressHeight);
    CloseAfterConversion = ini.ReadBool(Progress, QStringLiteral("CloseAfterConversion"), CloseAfterConversion);
    AutoScrollMemoToBottom = ini.ReadBool(Progress, QStringLiteral("AutoScrollMemoToBottom"), AutoScrollMemoToBottom);
}

void TAppSettings::Save(MemIniFile& ini) const
{
    ini.WriteBool(Main, QStringLiteral("Maximized"), Maximized);
    // A maximized session leaves the stored normal geometry alone.
    if (!Maximized) {
        ini.WriteInteger(Main, QStringLiteral("Left"), Left);
        ini.WriteInteger(Main, QStringLiteral("Top"), Top);
        ini.WriteInteger(Main, QStringLiteral("Width"), Width);
        ini.WriteInteger(Main, QStringLiteral("Height"), Height);
    }
    ini.WriteInteger(Main, QStringLiteral("cbOutputExists"), cbOutputExists);
    ini.WriteInteger(Main, QStringLiteral("cbAfterConversion"), cbAfterConversion);
    ini.WriteBool(Main, QStringLiteral("OutIn"), OutIn);
    ini.WriteString(Main, QStringLiteral("OutDir"), OutDir);
    ini.WriteBool(Main, QStringLiteral("KeepFileDates"), KeepFileDates);
    ini.WriteBool(Main, QStringLiteral("GridLines"), GridLines);
    ini.WriteBool(Main, QStringLiteral("RowIndicator"), RowIndicator);
    ini.WriteBool(Main, QStringLiteral("GridFooter"), GridFooter);
    ini.WriteInteger(Main, QStringLiteral("RowHeight"), RowHeight);
    ini.WriteBool(Main, QStringLiteral("AllowRowMoving"), AllowRowMoving);
    ini.WriteBool(Main, QStringLiteral("AllowColumnMoving"), AllowColumnMoving);
    ini.WriteString(Main, QStringLiteral("ListFontName"), ListFontName);
    ini.WriteInteger(Main, QStringLiteral("ListFontSize"), ListFontSize);
    ini.WriteString(Main, QStringLiteral("FileAnalysis"), FileAnalysisText(FileAnalysis));
    ini.WriteBool(Main, QStringLiteral("pnConversionSettingsExpanded"), pnConversionSettingsExpanded);
    ini.WriteBool(Main, QStringLiteral("OpenFileAfterIconClick"), OpenFileAfterIconClick);
    ini.WriteString(Main, QStringLiteral("DefaultVideoCodec"), DefaultVideoCodecText(DefaultVideoCodec));
    ini.WriteString(Main, QStringLiteral("LastDir"), LastDir);
    ini.WriteBool(Main, QStringLiteral("DragAcceptDirectories"), DragAcceptDirectories);
    for (const TColumnSettings& c : Columns)
        ini.WriteInteger(Main, c.Name + QLatin1String("_Width"), c.Width);
    for (const TColumnSettings& c : Columns)
        ini.WriteInteger(Main, c.Name + QLatin1String("_Position"), c.Position);
    for (const TColumnSettings& c : Columns) {
        if (HasVisibilityKey(c.Name))
            ini.WriteBool(Main, c.Name + QLatin1String("_Visible"), c.Visible);
    }

    if (!ProgressExists)
        return;
    ini.WriteBool(Progress, QStringLiteral("DontShowEncoderOutput"), DontShowEncoderOutput);
    ini.WriteInteger(Progress, QStringLiteral("Left"), ProgressLeft);
    ini.WriteInteger(Progress, QStringLiteral("Top"), ProgressTop);
    ini.WriteInteger(Progress, QStringLiteral("Width"), ProgressWidth);
    ini.WriteInteger(Progress, QStringLiteral("Height"), ProgressHeight);
    ini.WriteBool(Progress, QStringLiteral("CloseAfterConversion"), CloseAfterConversion);
    ini.WriteBool(Progress, QStringLiteral("AutoScrollMemoToBottom"), AutoScrollMemoToBottom);
}

bool TAppSettings::LoadFromFile(const QString& fileName, int screenWidth, int screenHeight)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    MemIniFile ini;
    if (!ini.Load(fileName))
        return false;
    LoadMain(ini, screenWidth, screenHeight);
    return true;
}

bool TAppSettings::SaveToFile(const QString& fileName, QString* error) const
{
    MemIniFile ini(fileName);
    Save(ini);
    return ini.UpdateFile(error);
}
