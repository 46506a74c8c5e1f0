#include "settings/AppSettings.h"

#include "base/AppParams.h"
#include "lib/MemIniFile.h"
#include "lib/KeyTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const Main = "MAIN";
const char* const Progress = "PROGRESS";

// What reading the settings file needs besides the file: the screen the stored window
// position must lie on.
struct TAppReadContext {
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    TKeyFallbackSink Fallback; // the settings file reports nothing
};

using A = TAppSettings;
using K = KeyTable::Rows<A, TAppReadContext>;

// List font sizes and row heights the file list can show without overlapping rows.
constexpr int RowHeightMin = 12, RowHeightMax = 50;
constexpr int ListFontSizeMin = 6, ListFontSizeMax = 20;

// A stored window edge that lies off the screen comes back to 0.
K::Key Edge(const char* name, int A::*member, bool horizontal)
{
    return K::Custom(Main, name, TKeyType::Integer, [member](const A& s) { return QString::number(s.*member); },
                     [member, horizontal](A& s, const QString* v, const TAppReadContext& c) {
                         const int read = K::ReadInt(v, s.*member, c, QString::number(s.*member));
                         const bool off = horizontal ? (read > c.ScreenWidth || read < -c.ScreenWidth)
                                                     : (read < 0 || read > c.ScreenHeight);
                         s.*member = off ? 0 : read;
                     });
}

K::Key WhileNotMaximized(K::Key key)
{
    // A maximized session leaves the stored normal geometry alone.
    return K::WrittenWhen(std::move(key), [](const A& s) { return !s.Maximized; });
}

K::Key InProgress(K::Key key)
{
    // The section is written only when the progress window exists.
    return K::WrittenWhen(std::move(key), [](const A& s) { return s.ProgressExists; });
}

// "colNo_Width", ...: the names live as long as the table.
const char* ColumnKey(const QString& column, const char* suffix)
{
    static QList<QByteArray> names;
    names.append((column + QLatin1String(suffix)).toLatin1());
    return names.constLast().constData();
}

QList<K::Key> MakeKeys()
{
    QList<K::Key> keys{
        K::ReadOnly(K::Bool(Main, "EscExit", &A::EscExit)),
        K::ReadOnly(K::Text(Main, "MediaInfoDll", &A::MediaInfoDll)),
        K::ReadOnly(K::Text(Main, "ToolsDir", &A::ToolsDir)),
        K::Bool(Main, "Maximized", &A::Maximized),
        WhileNotMaximized(Edge("Left", &A::Left, true)),
        WhileNotMaximized(Edge("Top", &A::Top, false)),
        WhileNotMaximized(K::Int(Main, "Width", &A::Width)),
        WhileNotMaximized(K::Int(Main, "Height", &A::Height)),
        // An index the list does not have would leave the policy undefined: take the first.
        K::Ranged(Main, "cbOutputExists", &A::outputExists, 0, 2, 0),
        K::Ranged(Main, "cbAfterConversion", &A::afterBatch, 0, 1, 0),
        K::Bool(Main, "OutIn", &A::OutIn),
        K::Text(Main, "OutDir", &A::OutDir),
        K::Bool(Main, "KeepFileDates", &A::KeepFileDates),
        K::Bool(Main, "KeepTree", &A::KeepTree),
        K::Bool(Main, "GridLines", &A::GridLines),
        K::Bool(Main, "RowIndicator", &A::RowIndicator),
        K::Bool(Main, "GridFooter", &A::GridFooter),
        K::Clamped(Main, "RowHeight", &A::RowHeight, RowHeightMin, RowHeightMax),
        K::Bool(Main, "AllowRowMoving", &A::AllowRowMoving),
        K::Bool(Main, "AllowColumnMoving", &A::AllowColumnMoving),
        K::Text(Main, "ListFontName", &A::ListFontName),
        K::Clamped(Main, "ListFontSize", &A::ListFontSize, ListFontSizeMin, ListFontSizeMax),
        K::Custom(Main, "FileAnalysis", TKeyType::Word, [](const A& s) { return A::FileAnalysisText(s.FileAnalysis); },
                  [](A& s, const QString* v, const TAppReadContext&) {
                      if (v)
                          s.FileAnalysis = A::ParseFileAnalysis(*v);
                  }),
        K::Bool(Main, "pnConversionSettingsExpanded", &A::settingsExpanded),
        K::Bool(Main, "OpenFileAfterIconClick", &A::OpenFileAfterIconClick),
        K::Custom(Main, "DefaultVideoCodec", TKeyType::Word,
                  [](const A& s) { return A::DefaultVideoCodecText(s.DefaultVideoCodec); },
                  [](A& s, const QString* v, const TAppReadContext&) {
                      if (v)
                          s.DefaultVideoCodec = A::ParseDefaultVideoCodec(*v);
                  }),
        K::Text(Main, "LastDir", &A::LastDir),
        K::Bool(Main, "DragAcceptDirectories", &A::DragAcceptDirectories),
        K::Clamped(Main, "ParallelJobs", &A::ParallelJobs, 1, MaxParallelJobs),
        K::Text(Main, "Language", &A::Language),
    };

    // Columns holds every column in key order.
    const QStringList& columns = A::ColumnNames();
    const int lastPosition = int(columns.size()) - 1;
    for (int i = 0; i < columns.size(); ++i)
        keys.append(K::Int(Main, ColumnKey(columns.at(i), "_Width"), [i](A& s) -> int& { return s.Columns[i].Width; }));
    for (int i = 0; i < columns.size(); ++i)
        keys.append(K::Clamped(Main, ColumnKey(columns.at(i), "_Position"),
                               [i](A& s) -> int& { return s.Columns[i].Position; }, 0, lastPosition));
    for (int i = 0; i < columns.size(); ++i) {
        if (A::HasVisibilityKey(columns.at(i)))
            keys.append(K::Bool(Main, ColumnKey(columns.at(i), "_Visible"),
                                [i](A& s) -> bool& { return s.Columns[i].Visible; }));
    }

    keys << InProgress(K::Bool(Progress, "DontShowEncoderOutput", &A::DontShowEncoderOutput))
         << InProgress(K::WriteOnly(K::Int(Progress, "Left", &A::ProgressLeft)))
         << InProgress(K::WriteOnly(K::Int(Progress, "Top", &A::ProgressTop)))
         << InProgress(K::Int(Progress, "Width", &A::ProgressWidth))
         << InProgress(K::Int(Progress, "Height", &A::ProgressHeight))
         << InProgress(K::Bool(Progress, "CloseAfterConversion", &A::CloseAfterConversion))
         << InProgress(K::Bool(Progress, "AutoScrollMemoToBottom", &A::AutoScrollMemoToBottom));
    return keys;
}

const QList<K::Key>& Keys()
{
    static const QList<K::Key> keys = MakeKeys();
    return keys;
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
        QStringLiteral("colAudioSampling"), QStringLiteral("colAudioStreamSize"), QStringLiteral("colReason"),
        QStringLiteral("colTracks")};
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
    KeyTable::Read(Keys(), ini, *this, TAppReadContext{screenWidth, screenHeight, {}}, Main);
}

void TAppSettings::LoadProgress(const MemIniFile& ini)
{
    KeyTable::Read(Keys(), ini, *this, TAppReadContext{}, Progress);
}

void TAppSettings::Save(MemIniFile& ini) const
{
    KeyTable::Write(Keys(), ini, *this);
}

bool TAppSettings::ReadFile(const QString& fileName, MemIniFile& ini)
{
    return QFileInfo(fileName).isFile() && ini.Load(fileName);
}

bool TAppSettings::LoadFromFile(const QString& fileName, int screenWidth, int screenHeight)
{
    MemIniFile ini;
    if (!TAppSettings::ReadFile(fileName, ini))
        return false;
    LoadMain(ini, screenWidth, screenHeight);
    return true;
}

TResult TAppSettings::SaveToFile(const QString& fileName) const
{
    MemIniFile ini(fileName);
    Save(ini);
    return ini.UpdateFile();
}

void TAppSettings::ApplyToolPaths(TAppParams& p) const
{
    // The library first, while the tools directory in force is still the old one.
    p.MediaInfoDll = QDir::current().absoluteFilePath(MediaInfoDll);
    if (!QFileInfo(p.MediaInfoDll).isFile())
        p.MediaInfoDll.clear();
    ResolveMediaInfoDll(p);
    // An empty value would name the current directory: it keeps the tools where they are.
    if (!ToolsDir.trimmed().isEmpty()) {
        QString dir = QDir::current().absoluteFilePath(ToolsDir);
        if (dir.endsWith(QLatin1Char('.')))
            dir.chop(1);
        if (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
            dir.chop(1);
        if (QFileInfo(dir).isDir()) {
            p.ToolsDir = QDir::cleanPath(dir);
            p.MplayerHelpFile = p.ToolsDir + QStringLiteral("/Mencoder/MPlayer.man.html");
        }
    }
    ResolveMencoder(p);
}

void TAppSettings::LoadStartValues(TAppParams& p)
{
    MemIniFile ini;
    if (!TAppSettings::ReadFile(p.IniName, ini))
        return;
    TAppSettings s;
    s.MediaInfoDll = p.MediaInfoDll;
    s.ToolsDir = p.ToolsDir;
    KeyTable::Read(Keys(), ini, s, TAppReadContext{}, Main);
    s.ApplyToolPaths(p);
    p.Language = s.Language;
}
