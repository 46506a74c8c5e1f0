#include "filelist/FileIconStore.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListInput.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListRules.h"
#include "filelist/ListActionStates.h"
#include "lib/Conversion.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <unistd.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString Touch(const QString& path, const QByteArray& bytes = QByteArrayLiteral("x"))
{
    return TestSupport::WriteFile(path, bytes);
}

QStringList Names(const TFileListModel& m)
{
    QStringList names;
    for (int r = 0; r < m.rowCount(); ++r)
        names.append(m.RowFileName(r));
    return names;
}

QList<int> Numbers(const TFileListModel& m)
{
    QList<int> numbers;
    for (int r = 0; r < m.rowCount(); ++r)
        numbers.append(m.Row(r).No);
    return numbers;
}

QString Cell(const TFileListModel& m, int row, int column)
{
    return m.data(m.index(row, column)).toString();
}

class CountingIcons : public TFileIconStore {
public:
    int AddIcon(const QString&) override { return m_next++; }
    QIcon Icon(int) const override { return QIcon(); }
    void Clear() override
    {
        ++m_clears;
        m_next = 0;
    }
    int m_next = 0;
    int m_clears = 0;
};

// A list over a scratch directory, analysis off.
class FileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_params.FileAnalysis = faNone;
    }
    QString Path(const QString& name) const { return m_tmp.path() + QLatin1Char('/') + name; }
    QString Make(const QString& name, const QByteArray& bytes = QByteArrayLiteral("x"))
    {
        return Touch(Path(name), bytes);
    }

    QTemporaryDir m_tmp;
    TAppParams m_params;
    TFileListModel m_model{m_params};
};


// Rows with made-up analysis results, for the footer and the display rules.
TFileListRow SyntheticRow(const QString& name, bool active)
{
    TFileListRow r;
    r.FileName = name;
    r.Directory = QStringLiteral("/synthetic");
    r.Active = active;
    r.Status = TRowStatus::Of(TRowStatusKind::Ready);
    r.Analysed = true;
    return r;
}

} // namespace

// ---- columns ------------------------------------------------------------------

TEST(FileListColumns, NamesKeysCaptionsAndMenus)
{
    EXPECT_EQ(FileListColumnCount, 31);
    EXPECT_EQ(ColumnName(colNo), "colNo");
    EXPECT_EQ(ColumnName(colVideoDisplayAspect), "colVideoDisplayAspect");
    EXPECT_EQ(ColumnName(colStatus), "colStatus");
    EXPECT_EQ(ColumnByName(QStringLiteral("colAudioSampling")), colAudioSampling);
    EXPECT_EQ(ColumnByName(QStringLiteral("colaudiosampling")), -1);

    EXPECT_EQ(ColumnWidthKey(colNo), "colNo_Width");
    EXPECT_EQ(ColumnPositionKey(colVideoDisplayAspect), "colVideoDisplayAspect_Position");
    EXPECT_EQ(ColumnVisibleKey(colAudioStreamSize), "colAudioStreamSize_Visible");
    EXPECT_TRUE(ColumnVisibleKey(colActive).isEmpty());
    EXPECT_TRUE(ColumnVisibleKey(colFileName).isEmpty());
    int visibleKeys = 0;
    for (int c = 0; c < FileListColumnCount; ++c)
        visibleKeys += ColumnVisibleKey(c).isEmpty() ? 0 : 1;
    EXPECT_EQ(visibleKeys, 29);

    const QList<TFileListColumn> keyOrder = ColumnKeyOrder();
    ASSERT_EQ(keyOrder.size(), 31);
    EXPECT_EQ(keyOrder[6], colDuration);
    EXPECT_EQ(keyOrder[7], colStatus);
    EXPECT_EQ(keyOrder[8], colVideo);
    EXPECT_EQ(keyOrder[28], colAudioStreamSize);
    EXPECT_EQ(keyOrder[29], colReason); // the later columns last: older settings files keep their meaning
    EXPECT_EQ(keyOrder[30], colTracks);

    EXPECT_EQ(ColumnVisibleActionName(colVideoCodec), "actColVideoCodecVisible");
    EXPECT_EQ(ColumnVisibleActionName(colNo), "actColNoVisible");
    EXPECT_TRUE(ColumnVisibleActionName(colFileName).isEmpty());
    const QList<int> menu = ColumnMenuItems();
    EXPECT_EQ(menu.count(-1), 3);
    EXPECT_EQ(menu.size() - 3, 29);
    EXPECT_EQ(menu.indexOf(colVideoScanType) + 1, menu.indexOf(colVideoBpp));
    EXPECT_STREQ(ColumnDef(colVideoFPS).MenuCaption, "Frames/sec.");
    EXPECT_STREQ(ColumnDef(colVideoFPS).Caption, "Frames/sec");
    EXPECT_STREQ(ColumnDef(colAudioSampling).Caption, "Sampling [Hz]");
    EXPECT_STREQ(ColumnDef(colAudioSampling).MenuCaption, "Sampling");

    // Default layout: shown columns and widths, 80 for the ones without a width.
    EXPECT_EQ(ColumnDef(colFileName).Width, 220);
    EXPECT_EQ(ColumnDef(colVideoCodec).Width, 80);
    EXPECT_FALSE(ColumnDef(colVideoCodec).DefaultVisible);
    EXPECT_TRUE(ColumnDef(colAudio).DefaultVisible);
    EXPECT_EQ(ColumnDef(colDirectory).LeftPadding, 3);
    EXPECT_TRUE(ColumnDef(colFileName).Bold);
}

TEST(FileListColumns, DisplayRules)
{
    const QChar sep = UserDecimalSeparator();
    const auto dec = [sep](const char* s) { return QString::fromLatin1(s).replace(QLatin1Char('.'), sep); };
    EXPECT_EQ(CellDisplayText(colNo, 1234567), "1 234 567");
    EXPECT_EQ(CellDisplayText(colVideoFPS, 23.976), dec("23.98"));
    EXPECT_EQ(CellDisplayText(colVideoFPS, 1234.5), dec("1234.50")); // no grouping in "0.00"
    EXPECT_EQ(CellDisplayText(colVideoBpp, 0.1236), dec("0.124"));
    EXPECT_EQ(CellDisplayText(colVideoFPS, 0.0), "");
    EXPECT_EQ(CellDisplayText(colSize, qint64(0)), " 0 bytes");
    EXPECT_EQ(CellDisplayText(colSize, qint64(1536)), TestSupport::UserDecimals("1.50 KB"));
    EXPECT_EQ(CellDisplayText(colVideoStreamSize, qint64(0)), "");
    EXPECT_EQ(CellDisplayText(colAudioStreamSize, qint64(3 * 1048576)), TestSupport::UserDecimals("3.00 MB"));
    EXPECT_EQ(CellDisplayText(colDuration, 3723499.0), "01:02:03");
    EXPECT_EQ(CellDisplayText(colDuration, 3723500.0), "01:02:04");
    EXPECT_EQ(CellDisplayText(colDuration, 0.0), "");
    EXPECT_EQ(CellDisplayText(colDuration, 800.0), TestSupport::UserDecimals("00:00:00.8"));
    EXPECT_EQ(CellDisplayText(colDuration, 20.0), TestSupport::UserDecimals("00:00:00.1"));
    EXPECT_EQ(CellDisplayText(colDuration, 960.0), "00:00:01");
    EXPECT_EQ(CellDisplayText(colVideoBitrate, 0), "");
    EXPECT_EQ(CellDisplayText(colVideoBitrate, 12000), "12 000");
    EXPECT_EQ(CellDisplayText(colAudioSampling, 44100), "44 100");
    // Not a number where one is expected: shown as it stands; unset: nothing.
    EXPECT_EQ(CellDisplayText(colVideoBitrate, QStringLiteral("n/a")), "n/a");
    EXPECT_EQ(CellDisplayText(colVideoBitrate, QVariant()), "");
    EXPECT_EQ(CellDisplayText(colActive, true), "");
}

// ---- adding rules -------------------------------------------------------------

TEST(FileListRules, SupportedExtensions)
{
    // the 46 common kinds, then the camcorder and capture kinds
    EXPECT_EQ(SupportedVideoExtensions().size(), 51);
    EXPECT_EQ(SupportedVideoExtensions().first(), "WEBM");
    EXPECT_EQ(SupportedVideoExtensions().at(45), "MXF");
    EXPECT_EQ(SupportedVideoExtensions().last(), "Y4M");
    for (const char* name : {"tape.DV", "a.mod", "a.TOD", "a.m2v", "a.y4m"})
        EXPECT_TRUE(IsSupportedVideoFile(QString::fromLatin1(name))) << name;
    EXPECT_TRUE(IsSupportedVideoFile(QStringLiteral("/v/a.AvI")));
    EXPECT_TRUE(IsSupportedVideoFile(QStringLiteral("rec.dvr-ms")));
    EXPECT_TRUE(IsSupportedVideoFile(QStringLiteral("x.True-HD")));
    EXPECT_FALSE(IsSupportedVideoFile(QStringLiteral("movie.mkv.txt")));
    EXPECT_FALSE(IsSupportedVideoFile(QStringLiteral("README")));
    EXPECT_FALSE(IsSupportedVideoFile(QStringLiteral("/films.avi/README")));
    EXPECT_FALSE(IsSupportedVideoFile(QStringLiteral("a.avi.")));
    EXPECT_TRUE(IsFileListFile(QStringLiteral("/x/List.LST")));
    EXPECT_FALSE(IsFileListFile(QStringLiteral("/x.lst/list")));

    const QString filter = AddFilesDialogFilter();
    EXPECT_TRUE(filter.startsWith(QLatin1String("AVI video files|*.avi|All video files|*.webm;*.avi;*.divx;")));
    EXPECT_TRUE(filter.endsWith(QLatin1String(";*.avs;*.mxf;*.dv;*.mod;*.tod;*.m2v;*.y4m")));
    EXPECT_EQ(filter.count(QLatin1Char(';')), 50);
}

TEST(FileListRules, AudioCodecNamesAndSummaries)
{
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral("MPEG Audio - Version 1 (MP3)"), QStringLiteral("Layer 3")), "MP3");
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral("MPEG Audio - Version 1"), QStringLiteral("Layer 3")), "MP3");
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral("MPEG Audio - Version 1"), QStringLiteral("Layer 2")),
              "MPEG Audio - Version 1");
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral("MPEG Audio - Version 2 (MP3)"), QString()), "MP3");
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral(" WMA (Windows Media Audio) "), QString()), "WMA");
    EXPECT_EQ(CleanAudioCodecName(QStringLiteral("AAC"), QStringLiteral("LC")), "AAC");

    TVideoStreamInfo v;
    v.Codec = QStringLiteral("MPEG-4 Visual");
    v.Bitrate = 1200;
    v.Width = 640;
    v.Height = 480;
    EXPECT_EQ(VideoSummary(v), "MPEG-4 Visual, 1 200 kbit/s, 640 x 480");
    v.Bitrate = 0;
    v.Height = 0;
    EXPECT_EQ(VideoSummary(v), "MPEG-4 Visual");
    v.Codec.clear();
    v.Bitrate = 800;
    EXPECT_EQ(VideoSummary(v), "800 kbit/s");
    EXPECT_EQ(ResolutionText(1920, 1080), "1 920 x 1 080");

    TAudioStreamInfo a;
    a.Bitrate = 128;
    a.BitrateMode = QStringLiteral("CBR");
    a.Channels = 2;
    EXPECT_EQ(AudioSummary(QStringLiteral("MP3"), a), "MP3, 128 kbit/s CBR, Channels: 2");
    EXPECT_EQ(AudioSummary(QString(), a), "128 kbit/s CBR, Channels: 2");
    a.Bitrate = 0;
    EXPECT_EQ(AudioSummary(QStringLiteral("AC-3"), a), "AC-3, Channels: 2");
    a.Channels = 0;
    EXPECT_EQ(AudioSummary(QString(), a), "");

    // the Tracks column: nothing when there is nothing to choose
    const struct {
        QList<QPair<QString, QString>> sound, subtitles; // (name, code)
        const char* shown;
    } tracks[] = {
        {{{"", ""}}, {}, ""},
        {{{"", ""}, {"", ""}}, {}, "Sound: untagged, untagged"},
        {{{"English", "en"}}, {}, "Sound: English"},
        {{{"", "deu"}, {"English", "eng"}}, {{"German", "de"}}, "Sound: deu, English; Subtitles: German"},
        {{}, {{"", ""}}, "Subtitles: untagged"},
    };
    for (const auto& t : tracks) {
        TVideoFileInfo info;
        for (const auto& [name, code] : t.sound) {
            info.AudioStreams[info.NumberOfAudioStreams].Language = name;
            info.AudioStreams[info.NumberOfAudioStreams++].LanguageCode = code;
        }
        for (const auto& [name, code] : t.subtitles) {
            info.TextStreams[info.NumberOfTextStreams].Language = name;
            info.TextStreams[info.NumberOfTextStreams++].LanguageCode = code;
        }
        EXPECT_EQ(TracksSummary(info), QString::fromUtf8(t.shown));
    }
}

TEST(FileListRules, DroppedNamesSortWithoutRegardToCase)
{
    EXPECT_EQ(SortDroppedNames({QStringLiteral("/d/b.avi"), QStringLiteral("/d/list.lst"), QString(),
                                QStringLiteral("/d/a.avi")}),
              QStringList({QStringLiteral("/d/a.avi"), QStringLiteral("/d/b.avi"), QStringLiteral("/d/list.lst")}));
    EXPECT_EQ(SortDroppedNames({QStringLiteral("B.avi"), QStringLiteral("a.avi"), QStringLiteral("A.avi")}),
              QStringList({QStringLiteral("a.avi"), QStringLiteral("A.avi"), QStringLiteral("B.avi")}));
}

TEST_F(FileListTest, AddToListRefusesWhatItMust)
{
    const QString a = Make(QStringLiteral("a.avi"));
    const QString upper = Make(QStringLiteral("A.avi"));
    Make(QStringLiteral("movie.mkv.txt"));
    Make(QStringLiteral("README"));
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("folder.avi"))));

    EXPECT_TRUE(m_model.AddToList(a));
    EXPECT_TRUE(m_model.AddToList(upper)) << "names differ in case: two files on Linux";
    EXPECT_FALSE(m_model.AddToList(a));
    EXPECT_FALSE(m_model.AddToList(m_tmp.path() + QStringLiteral("/./sub/../a.avi"))) << "same file after expansion";
    EXPECT_FALSE(m_model.AddToList(m_tmp.path() + QStringLiteral("//a.avi")));
    // a folder scan takes only the listed extensions; a file named by the user any
    EXPECT_FALSE(m_model.AddToList(Path(QStringLiteral("movie.mkv.txt")), true, TFileOrigin::FolderScan));
    EXPECT_FALSE(m_model.AddToList(Path(QStringLiteral("README")), true, TFileOrigin::FolderScan));
    EXPECT_FALSE(m_model.AddToList(Path(QStringLiteral("missing.avi"))));
    EXPECT_FALSE(m_model.AddToList(Path(QStringLiteral("folder.avi"))));
    EXPECT_FALSE(m_model.AddToList(a + QChar(0) + QStringLiteral(".avi")));
    EXPECT_TRUE(m_model.AddToList(Path(QStringLiteral("README"))));
    EXPECT_TRUE(m_model.Row(2).Unproven);
    EXPECT_FALSE(m_model.Row(0).Unproven);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("a.avi"), QStringLiteral("A.avi"), QStringLiteral("README")}));
    EXPECT_TRUE(m_model.IsFileOnList(a));
    EXPECT_FALSE(m_model.IsFileOnList(Path(QStringLiteral("a.AVI"))));
}

// A relative name on its own is taken against the current directory; one in a list file
// against the list's folder, wherever the program runs.
TEST_F(FileListTest, RelativeNamesAreTakenAgainstTheCurrentDirectoryOrTheListsFolder)
{
    Make(QStringLiteral("rel.mp4"));
    const QString b = Make(QStringLiteral("lists/b.mkv"));
    const QString c = Make(QStringLiteral("c.avi"));
    const QString lst = TestSupport::WriteFile(Path(QStringLiteral("lists/l.lst")), "b.mkv\r\n../c.avi\r\n");
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_tmp.path()));
    const bool added = m_model.AddToList(QStringLiteral("rel.mp4"));
    QDir::setCurrent(old);
    ASSERT_TRUE(added);
    EXPECT_EQ(m_model.RowFullName(0), QFileInfo(Path(QStringLiteral("rel.mp4"))).absoluteFilePath());
    ASSERT_TRUE(m_model.LoadFileList(lst));
    EXPECT_EQ(m_model.RowFullName(1), b);
    EXPECT_EQ(m_model.RowFullName(2), c);
}

TEST_F(FileListTest, WithoutAnalysisOnlyNameSizeAndStatusAreSet)
{
    CountingIcons icons;
    m_model.SetIconStore(&icons);
    const QString f = Make(QStringLiteral("clip.mkv"), QByteArray(1536, 'z'));
    ASSERT_TRUE(m_model.AddToList(f, false));
    const TFileListRow& r = m_model.Row(0);
    EXPECT_EQ(r.No, 1);
    EXPECT_FALSE(r.Active);
    EXPECT_EQ(r.IconIndex, 0);
    EXPECT_EQ(r.FileName, "clip.mkv");
    EXPECT_EQ(r.Directory, m_tmp.path());
    EXPECT_EQ(r.Size, 1536);
    EXPECT_EQ(Cell(m_model, 0, colSize), TestSupport::UserDecimals("1.50 KB"));
    EXPECT_EQ(Cell(m_model, 0, colStatus), "Ready");
    EXPECT_EQ(m_model.data(m_model.index(0, colActive), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    for (int c = colDuration; c <= colAudioStreamSize; ++c) {
        EXPECT_FALSE(r.Value(c).isValid()) << ColumnName(c).toStdString();
        EXPECT_EQ(Cell(m_model, 0, c), "") << ColumnName(c).toStdString();
    }
    EXPECT_EQ(m_model.RowFullName(0), f);
    EXPECT_EQ(m_model.RowDirectory(0), m_tmp.path());
    EXPECT_EQ(m_model.RowFullName(1), "");
    EXPECT_EQ(m_model.RowFileName(-1), "");
    EXPECT_EQ(m_model.InitialFolders().AddFiles, m_tmp.path());
    EXPECT_EQ(m_model.InitialFolders().SaveBat, m_tmp.path());
    EXPECT_TRUE(m_model.InitialFolders().AddFolder.isEmpty());
}

TEST_F(FileListTest, StatusTextAndColour)
{
    ASSERT_TRUE(m_model.AddToList(Make(QStringLiteral("a.avi"))));
    EXPECT_FALSE(m_model.RowStatusColor(0).has_value());
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    m_model.SetRowStatus(0, TRowStatus::Exit(1, false), RGBColor(226, 53, 29));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(RowStatusData(m_model.RowStatus(0)), "Error (1)");
    ASSERT_TRUE(m_model.RowStatusColor(0).has_value());
    EXPECT_EQ(*m_model.RowStatusColor(0), RGBColor(226, 53, 29));
    m_model.SetRowStatus(5, TRowStatus::Of(TRowStatusKind::Done));
    EXPECT_EQ(RowStatusData(m_model.RowStatus(5)), "");
}

// In another language the list shows its statuses, captions and filters translated, while
// what the batch compares and the settings file stores stays English.
TEST_F(FileListTest, AnotherLanguageChangesWhatIsShownNeverWhatIsStored)
{
    const TestSupport::MarkingLanguage language;
    ASSERT_TRUE(m_model.AddToList(Make(QStringLiteral("a.avi"))));
    ASSERT_TRUE(m_model.AddToList(Make(QStringLiteral("b.avi"))));
    m_model.SetRowStatus(0, TRowStatus::Converting(45));
    const QModelIndex status = m_model.index(0, colStatus);

    const struct {
        const char* what;
        QVariant got;
        QString expected;
    } cases[] = {
        {"status shown", status.data(Qt::DisplayRole), "\u00abConverting 45%\u00bb"},
        {"status tip", status.data(Qt::ToolTipRole), "\u00abConverting 45%\u00bb"},
        {"status of a fresh row", m_model.index(1, colStatus).data(), "\u00abReady\u00bb"},
        {"status stored", RowStatusData(m_model.RowStatus(0)), "Converting 45%"},
        {"status as the model stores it", status.data(TFileListModel::StoredValueRole), "Converting 45%"},
        {"header", m_model.headerData(colSize, Qt::Horizontal), "\u00abSize\u00bb"},
        {"menu caption", ColumnMenuCaption(colVideoFPS), "\u00abFrames/sec.\u00bb"},
        {"column key", ColumnWidthKey(colSize), "colSize_Width"},
        {"list file filter", FileListDialogFilter(), "\u00abFile list (*.LST)\u00bb|*.lst"},
        {"video filter", AddFilesDialogFilter().section(QLatin1Char('|'), 0, 2),
         "\u00abAVI video files\u00bb|*.avi|\u00abAll video files\u00bb"},
        {"video masks", AddFilesDialogFilter().section(QLatin1Char('|'), 3).left(12), "*.webm;*.avi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got.toString(), c.expected) << c.what;
}

// ---- drops, folders, list files -------------------------------------------------

TEST_F(FileListTest, DropOrderAndFolders)
{
    const QString a = Make(QStringLiteral("a.avi"));
    const QString b = Make(QStringLiteral("b.avi"));
    const QString c = Make(QStringLiteral("sub/c.avi"));
    Make(QStringLiteral("folder/d.mp4"));
    TestSupport::WriteFile(Path(QStringLiteral("list.lst")), (c + QStringLiteral("\r\n")).toUtf8());

    m_params.DragAcceptDirectories = false;
    EXPECT_EQ(m_model.AddDroppedNames({b, Path(QStringLiteral("list.lst")), a, Path(QStringLiteral("folder"))}), 3);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("c.avi")}));
    EXPECT_EQ(Numbers(m_model), QList<int>({1, 2, 3}));

    m_params.DragAcceptDirectories = true;
    EXPECT_EQ(m_model.AddDroppedNames({Path(QStringLiteral("folder"))}), 1);
    EXPECT_EQ(m_model.RowFileName(3), "d.mp4");
    EXPECT_EQ(m_model.InitialFolders().AddFolder, Path(QStringLiteral("folder")));
    // a dropped folder is the root of its files; a named or listed file has none
    EXPECT_EQ(m_model.Row(3).Root, Path(QStringLiteral("folder")));
    for (int r = 0; r < 3; ++r)
        EXPECT_TRUE(m_model.Row(r).Root.isEmpty()) << r;

    QStringList errors;
    EXPECT_EQ(m_model.AddDroppedNames({Path(QStringLiteral("gone.lst"))}, true, {}, &errors), 0);
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(FileListTest, AddFolderKeepsScanOrderAndReportsProgress)
{
    for (int i = 0; i < 25; ++i)
        Make(QStringLiteral("v/%1.avi").arg(i, 2, 10, QLatin1Char('0')));
    for (int i = 0; i < 10; ++i)
        Make(QStringLiteral("v/notes%1.txt").arg(i));
    Make(QStringLiteral("v/.hidden.avi"));
    Make(QStringLiteral("v/Z/deep.mkv"));
    Make(QStringLiteral("v/a/deep.mkv"));

    QList<int> onAdd;
    QList<int> onScan;
    TAddProgress progress;
    progress.OnAdd = [&](int i, int total) {
        onAdd.append(i);
        EXPECT_EQ(total, 28);
    };
    progress.OnScan = [&](int found) { onScan.append(found); };
    EXPECT_EQ(m_model.AddFolder(Path(QStringLiteral("v")), true, progress), 28);
    EXPECT_EQ(onAdd, QList<int>({0, 10, 20}));
    EXPECT_EQ(onScan, QList<int>({30}));
    EXPECT_EQ(m_model.RowFileName(0).left(1), "."); // the folder's own files, hidden ones too
    EXPECT_EQ(m_model.RowDirectory(26), Path(QStringLiteral("v/a")));
    EXPECT_EQ(m_model.RowDirectory(27), Path(QStringLiteral("v/Z")));
    EXPECT_EQ(m_model.Row(27).Root, Path(QStringLiteral("v")));
    EXPECT_EQ(m_model.FooterText(colNo), "28");
    EXPECT_EQ(m_model.AddFolder(QString()), 0);
}

TEST_F(FileListTest, FolderWithLinkLoopAndUnreadableSubfolder)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    Make(QStringLiteral("top/one.avi"));
    Make(QStringLiteral("top/inner/two.avi"));
    ASSERT_EQ(::symlink("..", QFile::encodeName(Path(QStringLiteral("top/inner/loop"))).constData()), 0);
    Make(QStringLiteral("top/locked/three.avi"));
    ASSERT_TRUE(QFile::setPermissions(Path(QStringLiteral("top/locked")), QFileDevice::Permissions()));

    const int added = m_model.AddFolder(Path(QStringLiteral("top")));
    QFile::setPermissions(Path(QStringLiteral("top/locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStringList names = Names(m_model);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("one.avi"), QStringLiteral("two.avi")}));
    EXPECT_EQ(added, names.size());
}

TEST_F(FileListTest, ListFileWithBlankMissingAndDuplicateLines)
{
    const QString a = Make(QStringLiteral("a.avi"));
    const QString b = Make(QStringLiteral("dir/b.mp4"));
    const QString c = Make(QStringLiteral("c.mkv"));
    const QByteArray text = (a + QStringLiteral("\r\n\r\n") + Path(QStringLiteral("missing.avi")) + QStringLiteral("\n") + b +
                             QStringLiteral("\r") + a + QStringLiteral("\n") + Path(QStringLiteral("dir/./")) +
                             QStringLiteral("../c.mkv"))
                                .toUtf8();
    const QString lst = TestSupport::WriteFile(Path(QStringLiteral("l.lst")), text);
    TResultOf<int> added = m_model.LoadFileList(lst);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 3);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("a.avi"), QStringLiteral("b.mp4"), QStringLiteral("c.mkv")}));
    EXPECT_EQ(m_model.RowFullName(2), c);

    added = m_model.LoadFileList(Path(QStringLiteral("nope.lst")));
    EXPECT_FALSE(added.ok());
    EXPECT_EQ(added.value(), 0);
    EXPECT_FALSE(added.error().isEmpty());
}

TEST_F(FileListTest, ListFilesInOtherEncodingsAndDamagedOnes)
{
    const QString accented = Make(QString::fromUtf8("caf\xC3\xA9.avi"));
    const QString plain = Make(QStringLiteral("plain.avi"));

    // UTF-16 LE with its byte-order mark.
    QByteArray utf16("\xFF\xFE", 2);
    const QString text = plain + QStringLiteral("\r\n") + accented + QStringLiteral("\r\n");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    TResultOf<int> added = m_model.LoadFileList(TestSupport::WriteFile(Path(QStringLiteral("u16.lst")), utf16));
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 2);
    m_model.ClearFileList();

    // Windows-1252: "é" is the single byte E9.
    QByteArray cp1252 = accented.toUtf8();
    cp1252.replace(QByteArray("\xC3\xA9"), QByteArray("\xE9"));
    added = m_model.LoadFileList(TestSupport::WriteFile(Path(QStringLiteral("w.lst")), cp1252 + "\r\n"));
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 1);
    EXPECT_EQ(m_model.RowFullName(0), accented);
    m_model.ClearFileList();

    // Random bytes (NULs included) name nothing, and nothing breaks.
    QByteArray junk;
    quint32 x = 12345;
    for (int i = 0; i < 65536; ++i) {
        x = x * 1103515245u + 12345u;
        junk.append(char(x >> 24));
    }
    added = m_model.LoadFileList(TestSupport::WriteFile(Path(QStringLiteral("junk.lst")), junk));
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 0);
    EXPECT_EQ(m_model.rowCount(), 0);
}

TEST_F(FileListTest, SavedListHasFullNamesInListOrderWithCrLf)
{
    const QString a = Make(QString::fromUtf8("\xC3\xBC b.avi"));
    const QString b = Make(QStringLiteral("a.avi"));
    m_model.AddToList(a);
    m_model.AddToList(b);
    m_model.sort(colFileName);
    const QString out = Path(QStringLiteral("saved.lst"));
    ASSERT_TRUE(m_model.SaveFileList(out));
    EXPECT_EQ(TestSupport::ReadFile(out), (b + QStringLiteral("\r\n") + a + QStringLiteral("\r\n")).toUtf8());

    // What was saved loads back into the same list.
    TFileListModel again(m_params);
    const TResultOf<int> added = again.LoadFileList(out);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 2);
    EXPECT_EQ(again.RowFullName(0), b);

    m_model.ClearFileList();
    ASSERT_TRUE(m_model.SaveFileList(out));
    EXPECT_TRUE(TestSupport::ReadFile(out).isEmpty());
    const TResult refused = m_model.SaveFileList(Path(QStringLiteral("no/such/dir/x.lst")));
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error().isEmpty());
}

// ---- removing, check marks, numbering -------------------------------------------

TEST_F(FileListTest, RemoveCheckedAllAndSome)
{
    CountingIcons icons;
    m_model.SetIconStore(&icons);
    for (const char* n : {"1.avi", "2.avi", "3.avi", "4.avi"})
        m_model.AddToList(Make(QLatin1String(n)));
    EXPECT_EQ(m_model.RemoveChecked(), 4);
    EXPECT_EQ(m_model.rowCount(), 0);
    EXPECT_EQ(icons.m_clears, 1);

    for (const char* n : {"1.avi", "2.avi", "3.avi", "4.avi"})
        ASSERT_TRUE(m_model.AddToList(Path(QLatin1String(n)))) << "removed rows leave no trace";
    m_model.UncheckAll();
    m_model.CheckSelected({0, 2, 2, 9});
    EXPECT_EQ(m_model.RemoveChecked(), 2);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("2.avi"), QStringLiteral("4.avi")}));
    EXPECT_EQ(Numbers(m_model), QList<int>({1, 2}));
    EXPECT_EQ(icons.m_clears, 1);
    EXPECT_EQ(m_model.Row(1).IconIndex, 3);
    EXPECT_TRUE(m_model.AddToList(Path(QStringLiteral("3.avi"))));
    EXPECT_FALSE(m_model.AddToList(Path(QStringLiteral("4.avi"))));

    m_model.ClearFileList();
    EXPECT_EQ(m_model.rowCount(), 0);
    EXPECT_TRUE(m_model.AddToList(Path(QStringLiteral("4.avi"))));
}

TEST_F(FileListTest, CheckOperationsAndEnabling)
{
    const auto states = [this](const QList<int>& selected = {}) {
        return ListActionStates(m_model.GetGridInfo(selected), !selected.isEmpty());
    };
    TListActionStates s = states();
    EXPECT_FALSE(s.SaveFileList || s.ClearFileList || s.InvertSelection || s.ShowHideFileInfo || s.RemoveChecked ||
                 s.Convert || s.SaveBat || s.CheckAll || s.UncheckAll || s.CheckSelected || s.UncheckSelected ||
                 s.ExploreDirectory);

    for (const char* n : {"1.avi", "2.avi", "3.avi"})
        m_model.AddToList(Make(QLatin1String(n)));
    s = states(); // all checked
    EXPECT_TRUE(s.SaveFileList && s.ClearFileList && s.InvertSelection && s.ShowHideFileInfo);
    EXPECT_TRUE(s.RemoveChecked && s.Convert && s.SaveBat && s.UncheckAll);
    EXPECT_FALSE(s.CheckAll);

    m_model.UncheckAll(); // none checked
    s = states({1});
    EXPECT_TRUE(s.CheckAll && s.SaveFileList && s.CheckSelected && s.ExploreDirectory);
    EXPECT_FALSE(s.UncheckAll || s.RemoveChecked || s.Convert || s.SaveBat || s.UncheckSelected);

    m_model.InvertSelection();
    m_model.UncheckSelected({1}); // mixed: rows 0 and 2 checked
    const TGridInfo g = m_model.GetGridInfo({0, 1, 1, -1, 7});
    EXPECT_EQ(g.RowCount, 3);
    EXPECT_EQ(g.CheckedCount, 2);
    EXPECT_EQ(g.UncheckedCount, 1);
    EXPECT_EQ(g.SelectedCount, 2);
    EXPECT_EQ(g.SelectedCheckedCount, 1);
    EXPECT_EQ(g.SelectedUncheckedCount, 1);
    s = ListActionStates(g, true);
    EXPECT_TRUE(s.CheckAll && s.UncheckAll && s.CheckSelected && s.UncheckSelected && s.Convert);
    EXPECT_EQ(m_model.CheckedCount(), 2);

    // A click on the check box goes through setData.
    EXPECT_TRUE(m_model.setData(m_model.index(1, colActive), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(m_model.IsChecked(1));
    EXPECT_FALSE(m_model.setData(m_model.index(1, colStatus), QStringLiteral("x"), Qt::EditRole));
    m_model.CheckAll();
    EXPECT_EQ(m_model.CheckedCount(), 3);
}

TEST_F(FileListTest, SortingUsesStoredValuesAndMovesNumbers)
{
    m_model.AddToList(Make(QStringLiteral("b.avi"), QByteArray(2000, 'x')));
    m_model.AddToList(Make(QStringLiteral("C.avi"), QByteArray(30, 'x')));
    m_model.AddToList(Make(QStringLiteral("a.avi"), QByteArray(100, 'x')));
    m_model.sort(colSize);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("C.avi"), QStringLiteral("a.avi"), QStringLiteral("b.avi")}));
    EXPECT_EQ(Numbers(m_model), QList<int>({2, 3, 1}));
    m_model.sort(colFileName, Qt::DescendingOrder);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("C.avi"), QStringLiteral("b.avi"), QStringLiteral("a.avi")}));
    m_model.sort(colNo);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("b.avi"), QStringLiteral("C.avi"), QStringLiteral("a.avi")}));

    // Dragging row 2 to the top; numbers stay with their rows until a renumbering.
    ASSERT_TRUE(m_model.moveRows(QModelIndex(), 2, 1, QModelIndex(), 0));
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("C.avi")}));
    ASSERT_TRUE(m_model.moveRows(QModelIndex(), 0, 1, QModelIndex(), 3));
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("b.avi"), QStringLiteral("C.avi"), QStringLiteral("a.avi")}));
    EXPECT_FALSE(m_model.moveRows(QModelIndex(), 1, 5, QModelIndex(), 0));
    m_model.Renumber();
    EXPECT_EQ(Numbers(m_model), QList<int>({1, 2, 3}));
}

TEST_F(FileListTest, SortPutsUnsetValuesFirst)
{
    TFileListRow withVideo = SyntheticRow(QStringLiteral("v.avi"), true);
    withVideo.HasVideo = true;
    withVideo.VideoBitrate = 10;
    m_model.AddRow(withVideo);
    m_model.AddRow(SyntheticRow(QStringLiteral("n.avi"), true));
    EXPECT_FALSE(m_model.AddRow(SyntheticRow(QStringLiteral("n.avi"), true)));
    m_model.sort(colVideoBitrate);
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("n.avi"), QStringLiteral("v.avi")}));
}

// ---- footer ---------------------------------------------------------------------

TEST_F(FileListTest, FooterTotalsAndAverages)
{
    const QChar sep = UserDecimalSeparator();
    const auto dec = [sep](const char* s) { return QString::fromLatin1(s).replace(QLatin1Char('.'), sep); };
    const int bitrates[] = {1000, 0, 2000};
    for (int i = 0; i < 3; ++i) {
        TFileListRow r = SyntheticRow(QStringLiteral("%1.avi").arg(i), true);
        r.HasVideo = true;
        r.VideoBitrate = bitrates[i];
        r.VideoFPS = i == 1 ? 0 : 25;
        r.Size = i == 0 ? 1048576 : (i == 1 ? 524288 : 0);
        r.Duration = i == 0 ? 3600000 : (i == 1 ? 1800000 : 0);
        m_model.AddRow(r);
    }
    m_model.CalcFooter();
    EXPECT_EQ(m_model.FooterText(colVideoBitrate), dec("AVG 1500.00"));
    EXPECT_EQ(m_model.FooterText(colVideoFPS), dec("AVG 25.00"));
    EXPECT_EQ(m_model.FooterText(colSize), TestSupport::UserDecimals("1.50 MB"));
    EXPECT_EQ(m_model.FooterText(colDuration), "01:30:00");
    EXPECT_EQ(m_model.FooterText(colNo), "3");
    EXPECT_EQ(m_model.FooterText(colActive), "3");
    EXPECT_EQ(m_model.FooterText(colVideoBpp), "");
    EXPECT_EQ(m_model.FooterText(colVideoStreamSize), "");
    EXPECT_EQ(m_model.FooterText(colAudioBitrate), "");

    m_model.SetChecked(2, false); // the 2000 row
    EXPECT_EQ(m_model.FooterText(colVideoBitrate), dec("AVG 1000.00"));
    EXPECT_EQ(m_model.FooterText(colActive), "2");

    m_model.UncheckAll();
    for (int c = 0; c < FileListColumnCount; ++c) {
        const QString expected = c == colNo ? QStringLiteral("3") : c == colActive ? QStringLiteral("0") : QString();
        EXPECT_EQ(m_model.FooterText(c), expected) << ColumnName(c).toStdString();
    }
    m_model.ClearFileList();
    EXPECT_EQ(m_model.FooterText(colNo), "");
}

TEST_F(FileListTest, ZeroSizeShowsWhileZeroStreamSizeDoesNot)
{
    TFileListRow r = SyntheticRow(QStringLiteral("z.avi"), true);
    r.HasVideo = true;
    r.HasAudio = true;
    r.VideoFPS = 23.976;
    r.AudioStreamSize = 0;
    m_model.AddRow(r);
    m_model.AddRow(SyntheticRow(QStringLiteral("novideo.avi"), true));
    EXPECT_EQ(Cell(m_model, 0, colSize), " 0 bytes");
    EXPECT_EQ(Cell(m_model, 0, colAudioStreamSize), "");
    EXPECT_EQ(Cell(m_model, 0, colVideoFPS), FixedDecimals(23.98, 2));
    for (int c = colVideoBitrate; c <= colVideoStreamSize; ++c)
        EXPECT_EQ(Cell(m_model, 1, c), "") << ColumnName(c).toStdString();
    m_model.CalcFooter();
    EXPECT_EQ(m_model.FooterText(colSize), "");
    EXPECT_EQ(m_model.FooterText(colVideoFPS), QStringLiteral("AVG ") + FixedDecimals(23.976, 2));
}

// ---- the command line's inputs --------------------------------------------------

TEST_F(FileListTest, HeadlessInputsFilesFoldersAndLists)
{
    const QString a = Make(QStringLiteral("in/a.avi"));
    Make(QStringLiteral("in/named.txt"));
    Make(QStringLiteral("tree/x/b.mkv"));
    Make(QStringLiteral("tree/x/skip.txt"));
    const QString c = Make(QStringLiteral("c.mp4"));
    const QString lst = TestSupport::WriteFile(Path(QStringLiteral("l.LST")), (c + QStringLiteral("\n") + a).toUtf8());
    const TInputResult result = AddInputPaths(
        m_model, {a, Path(QStringLiteral("in/named.txt")), Path(QStringLiteral("tree")), lst, Path(QStringLiteral("gone.lst")),
                  Path(QStringLiteral("missing.avi"))});
    EXPECT_EQ(result.Accepted, 4);
    ASSERT_EQ(result.Errors.size(), 2); // the missing list file, the missing clip
    EXPECT_EQ(result.Errors[1], QStringLiteral("no such file, left out: ") + Path(QStringLiteral("missing.avi")));
    // a named file of any kind is listed (its analysis decides); the folder's text file is not
    EXPECT_EQ(Names(m_model), QStringList({QStringLiteral("a.avi"), QStringLiteral("named.txt"), QStringLiteral("b.mkv"),
                                           QStringLiteral("c.mp4")}));
    EXPECT_EQ(m_model.FooterText(colNo), "4");
    EXPECT_EQ(AddInputPaths(m_model, {a}).Accepted, 0);
}

// Every change keeps the contract a table view relies on.
TEST_F(FileListTest, ModelContractHoldsThroughEveryOperation)
{
    QAbstractItemModelTester tester(&m_model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* n : {"d.avi", "b.avi", "c.avi", "a.avi", "e.avi"})
        m_model.AddToList(Make(QLatin1String(n)));
    m_model.sort(colFileName);
    m_model.sort(colNo, Qt::DescendingOrder);
    m_model.moveRows(QModelIndex(), 0, 2, QModelIndex(), 5);
    m_model.UncheckSelected({1, 3});
    m_model.InvertSelection();
    EXPECT_EQ(m_model.RemoveChecked(), 2);
    m_model.SetRowStatus(0, TRowStatus::Of(TRowStatusKind::Done));
    EXPECT_EQ(m_model.headerData(colVideoBitrate, Qt::Horizontal).toString(), "Video bitrate [kbit/s]");
    EXPECT_EQ(m_model.data(m_model.index(0, colFileName), TFileListModel::FullNameRole).toString(),
              m_model.RowFullName(0));
    EXPECT_EQ(m_model.data(m_model.index(0, colSize), TFileListModel::StoredValueRole).toLongLong(), 1);
    EXPECT_TRUE(m_model.flags(m_model.index(0, colActive)) & Qt::ItemIsUserCheckable);
    m_model.ClearFileList();
    EXPECT_EQ(m_model.rowCount(), 0);
}
