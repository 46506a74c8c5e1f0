// Output naming, the script formats and the planner's decisions in script mode.

#include "base/AppParams.h"
#include "outputs/BatchFiles.h"
#include "batch/BatchPlanner.h"
#include "batch/BatchSink.h"
#include "batch/BatchScript.h"
#include "runner/ErrorLog.h"
#include "frontend/ListModelRows.h"
#include "outputs/OutputNaming.h"
#include "encoding/EncodingSettings.h"
#include "filelist/FileListModel.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisPool.h"
#include "media/MediaInfoLib.h"
#include "settings/Profile.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QDateTime>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

auto TakenSet(const QSet<QString>& taken)
{
    return [taken](const QString& p) { return taken.contains(p); };
}

} // namespace

TEST(OutputNaming, NumberedNames)
{
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", TakenSet({})), "/v/clip.avi");
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", TakenSet({"/v/clip.avi"})), "/v/clip_001.avi");
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", TakenSet({"/v/clip.avi", "/v/clip_001.avi", "/v/clip_002.avi"})),
              "/v/clip_003.avi");
    // a gap is filled
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", TakenSet({"/v/clip.avi", "/v/clip_002.avi"})), "/v/clip_001.avi");

    QSet<QString> upTo999{"/v/clip.avi"};
    for (int i = 1; i <= 999; ++i)
        upTo999 << QStringLiteral("/v/clip_%1.avi").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", TakenSet(upTo999)), "/v/clip_1000.avi");

    // hidden files and dots in directory names are not extensions
    EXPECT_EQ(NumberedOutputName("/v/.clip.avi", TakenSet({"/v/.clip.avi"})), "/v/.clip_001.avi");
    EXPECT_EQ(NumberedOutputName("/v/.hidden", TakenSet({"/v/.hidden"})), "/v/.hidden_001");
    EXPECT_EQ(NumberedOutputName("/a.b/clip", TakenSet({"/a.b/clip"})), "/a.b/clip_001");

    // every name taken: no name at all
    EXPECT_EQ(NumberedOutputName("/v/clip.avi", [](const QString&) { return true; }), QString());
}

TEST(OutputNaming, PlannedPaths)
{
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", true, "/ignored", ".avi"), "/in/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip", true, "", ".mp4"), "/in/clip.mp4");
    EXPECT_EQ(PlannedOutputPath("/in/clip.tar.mkv", true, "", ".avi"), "/in/clip.tar.avi");
    EXPECT_EQ(PlannedOutputPath("/in/.hidden", true, "", ".avi"), "/in/.hidden.avi");
    EXPECT_EQ(PlannedOutputPath("/in/.hidden.mkv", true, "", ".avi"), "/in/.hidden.avi");
    EXPECT_EQ(PlannedOutputPath("/in.d/v.1/clip", true, "", ".avi"), "/in.d/v.1/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", false, "/out", ".avi"), "/out/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", false, "/out/", ".avi"), "/out/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", false, "/out/.", ".avi"), "/out/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", false, "/", ".avi"), "/clip.avi");
    EXPECT_EQ(PlannedOutputPath("/in/clip.mkv", false, "/o.d", ".mp4"), "/o.d/clip.mp4");
}

// A kept tree: the input's folder under the folder it was added from, never above it.
TEST(OutputNaming, TreeKeptUnderTheOutputFolder)
{
    const struct {
        const char* Root;
        const char* Input;
        const char* Output;
    } cases[] = {
        {"/media/cam", "/media/cam/2024/wedding/clip.mp4", "/out/2024/wedding/clip.avi"},
        {"/media/cam/", "/media/cam/2024/clip.mp4", "/out/2024/clip.avi"},
        {"/media/cam", "/media/cam/clip.mp4", "/out/clip.avi"},                // the root's own file
        {"", "/media/cam/2024/clip.mp4", "/out/clip.avi"},                     // added alone or from a list
        {"/media/cam", "/media/camera/2024/clip.mp4", "/out/clip.avi"},        // a name that only starts alike
        {"/media/cam/2024", "/media/cam/clip.mp4", "/out/clip.avi"},           // above the root: no ".."
        {"/media/cam", "/media/cam/a/../../etc/clip.mp4", "/out/clip.avi"},     // leaves the root: no ".."
        {"/media/cam", "/media/cam/./a/../b/clip.mp4", "/out/b/clip.avi"},
        {"/", "/media/clip.mp4", "/out/media/clip.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input);
        const QString out = PlannedOutputPath(c.Input, false, "/out", ".avi", c.Root);
        EXPECT_EQ(out, c.Output);
        EXPECT_FALSE(out.split('/').contains("..")); // also for a name that merely holds dots
    }
    EXPECT_EQ(PlannedOutputPath("/media/cam/2024/clip.mp4", true, "/out", ".avi", "/media/cam"),
              "/media/cam/2024/clip.avi"); // beside the input there is no tree to keep
    EXPECT_EQ(TreeFolder("/media/cam", "/media/cam/..x/clip.mp4"), "..x");
}

TEST(OutputNaming, InputPathsAndSameFile)
{
    EXPECT_EQ(FoldInputPath("/a//b///c.avi"), "/a/b/c.avi");
    EXPECT_EQ(FoldInputPath("//c.avi"), "/c.avi"); // an empty directory cell: the "/" stays
    EXPECT_TRUE(SameFile("/a/b/../c.avi", "/a/c.avi"));
    EXPECT_FALSE(SameFile("/a/c.avi", "/a/C.avi")); // names compare case-sensitively here
}

// ---- the script formats ----------------------------------------------------------

namespace {

TScriptFileBlock Block(int no, const QString& in, const QString& out)
{
    TScriptFileBlock b;
    b.FileNo = no;
    b.Input = in;
    b.Output = out;
    b.VCodec = UserOptionsPiece("-ovc xvid");
    b.ACodec = UserOptionsPiece("-oac mp3lame");
    b.AdvParams = UserOptionsPiece("-vf harddup  -skiplimit 1");
    b.AddParams = UserOptionsPiece("");
    b.AParams = UserOptionsPiece("-lameopts br=128:cbr");
    b.VParams = UserOptionsPiece("-xvidencopts bitrate=333 -ofps 25.000");
    b.VParams1 = UserOptionsPiece("-xvidencopts pass=1:bitrate=333 -ofps 25.000");
    b.VParams2 = UserOptionsPiece("-xvidencopts pass=2:bitrate=333 -ofps 25.000");
    return b;
}

} // namespace

TEST(BatchScript, BatOnePassByteForByte)
{
    TBatchScript s;
    s.Begin("/usr/bin/mencoder", false, "%TEMP%\\vexaconv_2pass_x.log");
    s.AddFile(Block(1, "/v/a b.mkv", "/o/a b.avi"));
    s.AddFile(Block(3, "/v/ü.mp4", "/o/ü_001.avi")); // file 2 was skipped: the numbers have a gap
    const QByteArray expected =
        "@echo off\r\n"
        "chcp 65001\r\n"
        "rem UTF-8 encoding\r\n"
        "\r\n"
        "set mencoder=\"/usr/bin/mencoder\"\r\n"
        "set VCodec=-ovc xvid\r\n"
        "set ACodec=-oac mp3lame\r\n"
        "set AdvParams=-vf harddup  -skiplimit 1\r\n"
        "set AddParams=\r\n"
        "\r\n"
        "rem ///////////////////////////////// file 1 /////////////////////////////////\r\n"
        "set VParams=-xvidencopts bitrate=333 -ofps 25.000\r\n"
        "set AParams=-lameopts br=128:cbr\r\n"
        "%mencoder% \"/v/a b.mkv\" %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% -o \"/o/a b.avi\"\r\n"
        "set VCodec=-ovc xvid\r\n"
        "set ACodec=-oac mp3lame\r\n"
        "set AdvParams=-vf harddup  -skiplimit 1\r\n"
        "set AddParams=\r\n"
        "\r\n"
        "rem ///////////////////////////////// file 3 /////////////////////////////////\r\n"
        "set VParams=-xvidencopts bitrate=333 -ofps 25.000\r\n"
        "set AParams=-lameopts br=128:cbr\r\n"
        "%mencoder% \"/v/\xc3\xbc.mp4\" %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% -o "
        "\"/o/\xc3\xbc_001.avi\"\r\n"
        "\r\n"
        "pause\r\n";
    EXPECT_EQ(s.BatText().toUtf8(), expected);

    const QString file = TestSupport::ScratchDir() + "/batch_script/one.bat";
    QDir().mkpath(QFileInfo(file).path());
    const TResult saved = s.Save(file);
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_EQ(TestSupport::ReadFile(file), expected); // no byte-order mark
}

TEST(BatchScript, BatTwoPassByteForByte)
{
    TBatchScript s;
    s.Begin("/usr/bin/mencoder", true, "%TEMP%\\vexaconv_2pass_S.log");
    s.AddFile(Block(1, "/v/a.mkv", "/o/a.avi"));
    const QByteArray expected =
        "@echo off\r\n"
        "chcp 65001\r\n"
        "rem UTF-8 encoding\r\n"
        "\r\n"
        "set mencoder=\"/usr/bin/mencoder\"\r\n"
        "set VCodec=-ovc xvid\r\n"
        "set ACodec=-oac mp3lame\r\n"
        "set AdvParams=-vf harddup  -skiplimit 1\r\n"
        "set AddParams=\r\n"
        "set PassLogFile=\"%TEMP%\\vexaconv_2pass_S.log\"\r\n"
        "\r\n"
        "rem ///////////////////////////////// file 1 /////////////////////////////////\r\n"
        "set VParams1=-xvidencopts pass=1:bitrate=333 -ofps 25.000 -passlogfile %PassLogFile%\r\n"
        "set VParams2=-xvidencopts pass=2:bitrate=333 -ofps 25.000 -passlogfile %PassLogFile%\r\n"
        "set AParams=-lameopts br=128:cbr\r\n"
        "%mencoder% \"/v/a.mkv\" %VCodec% %VParams1% %ACodec% %AParams% %AdvParams% %AddParams% -o \"/o/a.avi\"\r\n"
        "%mencoder% \"/v/a.mkv\" %VCodec% %VParams2% %ACodec% %AParams% %AdvParams% %AddParams% -o \"/o/a.avi\"\r\n"
        "\r\n"
        "rem Removing log files\r\n"
        "if exist %PassLogFile% del %PassLogFile%\r\n"
        "if exist %PassLogFile%.mbtree del %PassLogFile%.mbtree\r\n"
        "\r\n"
        "pause\r\n";
    EXPECT_EQ(s.BatText().toUtf8(), expected);
}

TEST(BatchScript, ShQuotingAndFormat)
{
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ScriptFormatFor("x.SH"), TScriptFormat::Sh);
    EXPECT_EQ(ScriptFormatFor("x.bat"), TScriptFormat::Bat);
    EXPECT_EQ(ScriptFormatFor("x.txt"), TScriptFormat::Bat);

    TBatchScript s;
    s.Begin("/usr/bin/mencoder", true, "%TEMP%\\vexaconv_2pass_S.log");
    TScriptFileBlock b = Block(1, "-a 'q'.mkv", "/o/$(x).avi");
    b.AddParams = UserOptionsPiece("-info \"name=a b\"");
    s.AddFile(b);
    const QString sh = s.ShText();
    EXPECT_TRUE(sh.startsWith("#!/usr/bin/env bash\n"));
    EXPECT_FALSE(sh.contains('\r'));
    EXPECT_FALSE(sh.contains("pause"));
    EXPECT_TRUE(sh.contains("PassLogFile=\"${TMPDIR:-/tmp}/vexaconv_2pass_S.log\"\n"));
    EXPECT_TRUE(sh.contains("AddParams=('-info' 'name=a b')\n"));
    // a leading dash gets "./" so the encoder cannot read the name as an option
    EXPECT_TRUE(sh.contains("\"$mencoder\" './-a '\\''q'\\''.mkv' \"${VCodec[@]}\" \"${VParams1[@]}\""));
    EXPECT_TRUE(sh.contains("if start_file '/o/$(x).avi' '/o' '$(x)' '.avi' 0; then\n"));
    EXPECT_TRUE(sh.contains("-passlogfile \"$PassLogFile\" -o \"$tmp\" &&\n"));
    EXPECT_TRUE(sh.contains("rm -f -- \"$PassLogFile\" \"$PassLogFile.mbtree\"\n"));
    EXPECT_TRUE(sh.endsWith("[ \"$n_failed\" -eq 0 ]\n"));

    const QString file = TestSupport::ScratchDir() + "/batch_script/two.sh";
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(s.Save(file).ok());
    EXPECT_TRUE(QFileInfo(file).isExecutable());
}

TEST(BatchScript, UnwritableFileIsReported)
{
    TBatchScript s;
    s.Begin("/usr/bin/mencoder", false, QString());
    const TResult saved = s.Save("/proc/no/such/dir/x.bat");
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(saved.error().isEmpty());
}

// ---- the planner in script mode: decisions without running anything ------------

namespace {

class TFakeRows : public IBatchRows {
public:
    QStringList Files;
    QList<bool> Checked;
    QList<TRowStatus> Statuses;
    QStringList Roots;
    int RowCount() const override { return int(Files.size()); }
    QString RowRoot(int row) const override { return Roots.value(row); }
    bool IsRowChecked(int row) const override { return Checked.value(row, true); }
    QString RowFullFileName(int row) const override { return Files.at(row); }
    void SetRowStatus(int, const TRowStatus& status, std::optional<TColor>) override { Statuses << status; }
};

class TRecordingSink : public IBatchSink {
public:
    QStringList Warnings;
    QStringList Rows; // "STATUS|OUTPUT file name"
    void OnWarning(const QString& text) override { Warnings << text; }
    void OnProgress(const TProgressUpdate&) override {}
    void OnRowFinished(int, const TRowStatus& status, const QString&, const QString& output) override
    {
        Rows << RowStatusData(status) + "|" + QFileInfo(output).fileName();
    }
};

class BatchPlannerScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestSupport::ScratchDir() + "/batch_planner/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir(m_dir).removeRecursively();
        QDir().mkpath(m_dir + "/in");
        FillDefaultAppParams(m_params, m_dir, false);
        m_params.mencoder = TestSupport::WriteFile(m_dir + "/mencoder", "#!/bin/sh\n");
        SetDefaultParams(m_settings, 0);
        m_options.ScriptFile = m_dir + "/out.sh";
        m_options.SkipWaits = true;
    }

    QString In(const QString& name, const QByteArray& bytes = "x")
    {
        return TestSupport::WriteFile(m_dir + "/in/" + name, bytes);
    }

    TBatchResult Run()
    {
        TBatchPlanner planner(m_params, m_log);
        return planner.Convert(m_rows, m_settings, m_options, m_sink);
    }

    // Three clips on a list that analyses them on the pool and keeps each record.
    QStringList AddThreeClips(TFileListModel& model)
    {
        m_params.MediaInfoDll = SystemMediaInfoLibrary();
        EXPECT_FALSE(m_params.MediaInfoDll.isEmpty());
        const QStringList clips = {In("a.avi", TestSupport::ReadFile(TestSupport::Clip("clip_xvid_mp3.avi"))),
                                   In("b.mp4", TestSupport::ReadFile(TestSupport::Clip("clip_h264_aac.mp4"))),
                                   In("c.mkv", TestSupport::ReadFile(TestSupport::Clip("clip_two_audio.mkv")))};
        model.SetAnalysisPool(&AnalysisPool());
        model.SetKeepAnalysis(true);
        EXPECT_EQ(model.AddFiles(clips), 3);
        return clips;
    }

    // The output names of the script's encoder lines, in order.
    QStringList ScriptOutputs() const
    {
        QStringList names;
        for (const QString& line : QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile)).split('\n'))
            if (line.startsWith("if start_file '"))
                names << QFileInfo(line.section('\'', 1, 1)).fileName();
        return names;
    }

    QString m_dir;
    TAppParams m_params;
    TErrorLog m_log;
    EncodingSettings m_settings;
    TBatchOptions m_options;
    TFakeRows m_rows;
    TRecordingSink m_sink;
};

} // namespace

TEST_F(BatchPlannerScript, OutputThatNamesTheInputWithEveryPolicy)
{
    m_rows.Files << In("clip.avi");
    for (const int policy : {0, 1, -1}) {
        m_options.OutputExists = TOutputPolicy(policy);
        m_sink.Rows.clear();
        const TBatchResult r = Run();
        EXPECT_TRUE(r.ScriptWritten);
        EXPECT_EQ(m_sink.Rows, QStringList{"OK - Renamed|clip_001.avi"}) << policy;
    }
    m_options.OutputExists = TOutputPolicy::Skip;
    m_sink.Rows.clear();
    QFile::remove(m_options.ScriptFile);
    EXPECT_TRUE(Run().ScriptWritten);
    EXPECT_EQ(m_sink.Rows, QStringList{"Skipped|clip.avi"});
    EXPECT_TRUE(ScriptOutputs().isEmpty());
    EXPECT_TRUE(m_rows.Statuses.isEmpty()); // rows are not marked in script mode
}

TEST_F(BatchPlannerScript, PoliciesAgainstExistingFilesAndEarlierRows)
{
    // clip.mkv and clip.mp4 both map to clip.avi: the second must not take the first's name
    m_rows.Files << In("clip.mkv") << In("clip.mp4") << In("other.mp4");
    In("clip.avi");
    In("clip_001.avi");

    m_options.OutputExists = TOutputPolicy::Rename; // rename
    Run();
    EXPECT_EQ(m_sink.Rows, (QStringList{"OK - Renamed|clip_002.avi", "OK - Renamed|clip_003.avi", "Done|other.avi"}));
    EXPECT_EQ(ScriptOutputs(), (QStringList{"clip_002.avi", "clip_003.avi", "other.avi"}));

    m_options.OutputExists = TOutputPolicy::Overwrite; // overwrite
    m_sink.Rows.clear();
    Run();
    EXPECT_EQ(m_sink.Rows,
              (QStringList{"OK - Overwritten|clip.avi", "OK - Renamed|clip_002.avi", "Done|other.avi"}));

    m_options.OutputExists = TOutputPolicy::Skip; // skip: a skipped row still uses up its file number
    m_sink.Rows.clear();
    Run();
    EXPECT_EQ(m_sink.Rows, (QStringList{"Skipped|clip.avi", "Skipped|clip.avi", "Done|other.avi"}));
    const QString sh = QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile));
    EXPECT_TRUE(sh.contains(" file 3 ")) << sh.toStdString();
    EXPECT_FALSE(sh.contains(" file 1 "));
}

// Each job line runs the program on its file with the batch's options; files that map to
// one output name run as "rename" whatever the policy, so neither line writes over or
// skips the other's output; an output that exists already leaves its line in the list.
TEST_F(BatchPlannerScript, JobLinesRunTheProgramWithTheBatchOptions)
{
    const QString fake = TestSupport::WriteFile(m_dir + "/prog/vexaconv", "#!/bin/sh\n"
                                                                         "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.args\"\n");
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString program = WorkerProgram();
    SetWorkerProgram(fake);
    m_rows.Files << In("-a 'q' $x.mkv") << In("-a 'q' $x.mp4") << In("b\nline.mp4");
    TestSupport::WriteFile(m_dir + "/out/b\nline.avi", "old");
    m_options.ScriptFile = m_dir + "/batch.jobs";
    m_settings.videoCodec = TVideoCodec::X264;
    m_settings.twoPass = true;
    m_settings.extraParameters = "-vf-add \"scale=2:2\"";
    const struct {
        int Policy;
        bool KeepDates;
        bool BesideInput;
        QStringList LinePolicies;
    } cases[] = {
        {0, false, true, {"rename", "rename", "rename"}},
        {1, false, false, {"rename", "rename", "overwrite"}},
        {2, true, false, {"rename", "rename", "skip"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Policy);
        m_options.OutputExists = TOutputPolicy(c.Policy);
        m_options.KeepDates = c.KeepDates;
        m_options.OutDirIsInDir = c.BesideInput;
        m_options.OutDir = c.BesideInput ? QString() : m_dir + "/out";
        ASSERT_TRUE(Run().ScriptWritten);
        const QString text = QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile));
        const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << text.toStdString();
        for (int i = 0; i < 3; ++i) {
            QFile::remove(fake + ".args");
            const TestSupport::RunResult r = TestSupport::RunProgram("sh", {"-c", lines[i]}, {}, 60000, m_dir);
            ASSERT_EQ(r.exitCode, 0) << r.err.constData();
            QStringList expected{"--convert", "--home", m_dir, "--profile", m_dir + "/batch.profile.ini", "--out-dir",
                                 c.BesideInput ? m_dir + "/in" : m_dir + "/out", "--if-exists", c.LinePolicies[i]};
            if (c.KeepDates)
                expected << "--keep-dates";
            expected << "--" << m_rows.Files[i];
            QStringList args = QString::fromUtf8(TestSupport::ReadFile(fake + ".args")).split(QChar(0));
            args.removeLast();
            EXPECT_EQ(args, expected) << lines[i].toStdString();
        }
        EncodingSettings loaded;
        SetDefaultParams(loaded, 0);
        ASSERT_TRUE(Profile::LoadProfile(m_dir + "/batch.profile.ini", loaded, {}));
        EXPECT_TRUE(loaded == m_settings);
    }
    SetWorkerProgram(program);
}

// A kept tree in scripts: a script's encoder writes into folders made beforehand, a job
// line names its own folder; same names in two folders stay apart; a linked subfolder
// goes under its name as listed.
TEST_F(BatchPlannerScript, KeptTreeInScriptsAndJobLines)
{
    QDir().mkpath(m_dir + "/elsewhere");
    ASSERT_EQ(::symlink("../elsewhere", QFile::encodeName(m_dir + "/in/link").constData()), 0);
    m_rows.Files << In("ev1/clip.mkv") << In("ev2/clip.mkv") << In("link/far.mkv") << In("solo.mkv");
    const QString in = m_dir + "/in";
    m_rows.Roots << in << in << in << QString();
    const QString out = m_dir + "/out";
    const QStringList expected{out + "/ev1/clip.avi", out + "/ev2/clip.avi", out + "/link/far.avi", out + "/solo.avi"};
    m_options.OutDirIsInDir = false;
    m_options.OutDir = out;
    m_options.KeepTree = true;
    ASSERT_TRUE(Run().ScriptWritten);
    const QString sh = QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile));
    for (const QString& output : expected) {
        EXPECT_TRUE(sh.contains("if start_file " + ShellQuote(output) + ' ')) << output.toStdString();
        EXPECT_TRUE(QFileInfo(QFileInfo(output).path()).isDir()) << output.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/elsewhere/far.avi"));

    // A folder that cannot be made costs its row only, with a sentence that names it.
    m_rows.Files << In("blocked/clip.mkv");
    m_rows.Roots << in;
    TestSupport::WriteFile(out + "/blocked", "a file where the folder would go");
    m_sink.Warnings.clear();
    const TBatchResult blocked = Run();
    EXPECT_TRUE(blocked.ScriptWritten);
    EXPECT_EQ(blocked.RefusedRows, 1);
    EXPECT_TRUE(m_sink.Warnings.join('|').contains(out + "/blocked")) << m_sink.Warnings.join('|').toStdString();
    m_rows.Files.removeLast();

    m_options.ScriptFile = m_dir + "/batch.jobs";
    ASSERT_TRUE(Run().ScriptWritten);
    const QStringList lines =
        QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(lines[i].contains("'--out-dir' " + ShellQuote(QFileInfo(expected[i]).path()) + ' '))
            << lines[i].toStdString();
}

TEST_F(BatchPlannerScript, OverwriteNeverHitsAnotherInputOfTheBatch)
{
    m_rows.Files << In("clip.mkv") << In("clip.avi");
    m_options.OutputExists = TOutputPolicy::Overwrite;
    Run();
    EXPECT_EQ(m_sink.Rows, (QStringList{"OK - Renamed|clip_001.avi", "OK - Renamed|clip_002.avi"}));
}

TEST_F(BatchPlannerScript, UncheckedRowsAndNoRows)
{
    m_rows.Files << In("a.mkv") << In("b.mkv");
    m_rows.Checked = {false, true};
    Run();
    EXPECT_EQ(m_sink.Rows, QStringList{"Done|b.avi"});
    EXPECT_TRUE(QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile)).contains(" file 1 "));

    // no checked rows: no script at all, and no early-exit message
    QFile::remove(m_options.ScriptFile);
    m_rows.Checked = {false, false};
    const TBatchResult r = Run();
    EXPECT_FALSE(QFileInfo::exists(m_options.ScriptFile));
    EXPECT_EQ(r.FilesToConvert, 0);
    EXPECT_TRUE(r.EarlyExit.isEmpty());
}

TEST_F(BatchPlannerScript, TwoPassBatUsesTempNames)
{
    m_settings.twoPass = true;
    m_options.ScriptFile = m_dir + "/out.bat";
    m_rows.Files << In("a.mkv");
    Run();
    const QString bat = QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile));
    EXPECT_TRUE(bat.contains("set PassLogFile=\"%TEMP%\\vexaconv_2pass_")) << bat.toStdString();
    EXPECT_FALSE(bat.contains(m_params.PassLogFile1));
    EXPECT_TRUE(bat.contains("%VParams1%") && bat.contains("%VParams2%"));
}

TEST_F(BatchPlannerScript, EarlyExits)
{
    m_rows.Files << In("a.mkv");

    // an output directory below a regular file cannot be made
    m_options.OutDirIsInDir = false;
    m_options.OutDir = In("file") + "/sub";
    TBatchResult r = Run();
    EXPECT_FALSE(r.EarlyExit.isEmpty());
    EXPECT_FALSE(r.ScriptWritten);
    ASSERT_EQ(m_sink.Warnings.size(), 1);
    EXPECT_EQ(m_sink.Warnings[0], "Couldn't create directory \"" + m_options.OutDir + "\"!");

    // a directory that is missing is made, with its parents
    m_options.OutDir = m_dir + "/made/deep";
    m_sink.Warnings.clear();
    r = Run();
    EXPECT_TRUE(r.ScriptWritten);
    EXPECT_TRUE(QFileInfo(m_options.OutDir).isDir());
    EXPECT_EQ(ScriptOutputs(), QStringList{"a.avi"});

    // an invalid typed value: the builder's warning, then the batch ends
    m_settings.videoBitrate.Index = -1;
    m_settings.videoBitrate.Text = "fast";
    m_sink.Warnings.clear();
    r = Run();
    EXPECT_FALSE(r.EarlyExit.isEmpty());
    EXPECT_EQ(m_sink.Warnings.size(), 1);

    // the encoder missing
    m_params.mencoder = m_dir + "/none";
    m_params.ToolsDir = m_dir + "/tools";
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_dir.toUtf8());
    m_sink.Warnings.clear();
    r = Run();
    qputenv("PATH", path);
    EXPECT_EQ(m_sink.Warnings, QStringList{MissingEncoderText()});
    EXPECT_EQ(r.EarlyExit, MissingEncoderText());
}

// ---- one file under two names: links, bind mounts, case-folding cards ----------

namespace {

QByteArray Enc(const QString& path) { return QFile::encodeName(path); }

// Unmounts what a test mounted, also when the test fails half-way.
struct TMountGuard {
    QString Dir;
    ~TMountGuard()
    {
        if (Dir.isEmpty())
            return;
        if (TestSupport::RunProgram("fusermount", {"-u", Dir}).exitCode != 0)
            TestSupport::RunProgram("umount", {Dir});
    }
};

// A FAT image mounted through FUSE: names that differ only in case are one file there,
// and the driver may hand out different inode numbers for the two spellings.
QString MountFatCard(const QString& dir, TMountGuard& guard, QString* skip)
{
    const QString image = dir + "/card.img";
    const QString mount = dir + "/card";
    QDir().mkpath(mount);
    EXPECT_FALSE(QStandardPaths::findExecutable("fusefat").isEmpty()) << "scripts/deps.sh installs fusefat";
    EXPECT_FALSE(QStandardPaths::findExecutable("mkfs.vfat", {"/usr/sbin", "/sbin"}).isEmpty());
    QFile img(image);
    if (!img.open(QIODevice::WriteOnly) || !img.resize(16 * 1024 * 1024))
        return QString();
    img.close();
    if (TestSupport::RunProgram(QStandardPaths::findExecutable("mkfs.vfat", {"/usr/sbin", "/sbin"}), {image}).exitCode != 0)
        return QString();
    const TestSupport::RunResult r = TestSupport::RunProgram("fusefat", {"-o", "rw+", image, mount});
    if (r.exitCode != 0) {
        *skip = "the FAT image cannot be mounted here: " + QString::fromUtf8(r.err);
        return QString();
    }
    guard.Dir = mount;
    return mount;
}

} // namespace

TEST_F(BatchPlannerScript, LinksToTheInputOrNowhereAreNeverWrittenThrough)
{
    const QString in = In("clip.mkv");
    const QString out = m_dir + "/in/clip.avi";
    m_rows.Files << in;

    // the output name is a hard link of the input: Overwrite would truncate the input
    ASSERT_EQ(::link(Enc(in).constData(), Enc(out).constData()), 0);
    m_options.OutputExists = TOutputPolicy::Overwrite;
    Run();
    EXPECT_EQ(m_sink.Rows, QStringList{"OK - Renamed|clip_001.avi"});
    QFile::remove(out);

    // a symbolic link, dangling or leading to the input, is a taken name that is never followed
    for (const QString& target : {m_dir + "/nowhere/x.avi", in}) {
        QFile::remove(out);
        ASSERT_TRUE(QFile::link(target, out));
        for (const int policy : {0, 1}) {
            m_options.OutputExists = TOutputPolicy(policy);
            m_sink.Rows.clear();
            Run();
            EXPECT_EQ(m_sink.Rows, QStringList{"OK - Renamed|clip_001.avi"}) << policy << target.toStdString();
        }
        m_options.OutputExists = TOutputPolicy::Skip;
        m_sink.Rows.clear();
        Run();
        EXPECT_EQ(m_sink.Rows, QStringList{"Skipped|clip.avi"});
    }
    // the numbered search passes over a dangling link as well
    ASSERT_TRUE(QFile::link(m_dir + "/nowhere/y.avi", m_dir + "/in/clip_001.avi"));
    m_options.OutputExists = TOutputPolicy::Rename;
    m_sink.Rows.clear();
    Run();
    EXPECT_EQ(m_sink.Rows, QStringList{"OK - Renamed|clip_002.avi"});
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/nowhere"));
}

TEST_F(BatchPlannerScript, BindMountShowsTheInputUnderAnotherPath)
{
    const QString in = In("clip.avi");
    const QString bind = m_dir + "/bind";
    QDir().mkpath(bind);
    const TestSupport::RunResult r = TestSupport::RunProgram("mount", {"--bind", m_dir + "/in", bind});
    if (r.exitCode != 0)
        GTEST_SKIP() << "mount --bind refused: " << r.err.constData();
    TMountGuard guard{bind};
    m_rows.Files << in;
    m_options.OutDirIsInDir = false;
    m_options.OutDir = bind;
    m_options.OutputExists = TOutputPolicy::Overwrite;
    Run();
    EXPECT_EQ(m_sink.Rows, QStringList{"OK - Renamed|clip_001.avi"});

    // the same file listed through both paths writes two outputs, never one over the other
    m_rows.Files << bind + "/clip.avi";
    m_options.OutDirIsInDir = true;
    m_sink.Rows.clear();
    Run();
    EXPECT_EQ(m_sink.Rows, (QStringList{"OK - Renamed|clip_001.avi", "OK - Renamed|clip_002.avi"}));
}

TEST_F(BatchPlannerScript, CaseFoldingCard)
{
    TMountGuard guard;
    QString skip;
    const QString card = MountFatCard(m_dir, guard, &skip);
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    ASSERT_FALSE(card.isEmpty());

    // MVI_0001.AVI converted to MVI_0001.avi is the input itself
    m_rows.Files << TestSupport::WriteFile(card + "/MVI_0001.AVI", "camera");
    EXPECT_TRUE(DirectoryFoldsCase(card));
    // a.mkv and A.mp4 map to one name on the card
    m_rows.Files << TestSupport::WriteFile(card + "/a.mkv", "a") << TestSupport::WriteFile(card + "/A.mp4", "A");
    m_options.OutputExists = TOutputPolicy::Overwrite;
    Run();
    EXPECT_EQ(m_sink.Rows, (QStringList{"OK - Renamed|MVI_0001_001.avi", "Done|a.avi", "OK - Renamed|A_001.avi"}));
    EXPECT_EQ(ScriptOutputs(), (QStringList{"MVI_0001_001.avi", "a.avi", "A_001.avi"}));
}

TEST(BatchFiles, CaseSensitiveDirectoriesAreToldApart)
{
    const QString dir = TestSupport::ScratchDir() + "/batch_files_case";
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    // nothing to try the case on: counted as folding, which can only cost a numbered name
    EXPECT_TRUE(DirectoryFoldsCase(dir));
    TestSupport::WriteFile(dir + "/clip.mkv", "x");
    EXPECT_FALSE(DirectoryFoldsCase(dir));
    TestSupport::WriteFile(dir + "/CLIP.MKV", "y");
    EXPECT_FALSE(DirectoryFoldsCase(dir));

    TBatchFiles files;
    files.AddInput(dir + "/clip.mkv");
    EXPECT_TRUE(files.IsInput(dir + "/clip.mkv"));
    EXPECT_TRUE(files.IsInput(dir + "/./clip.mkv"));
    EXPECT_FALSE(files.IsInput(dir + "/CLIP.MKV")); // another file here
    files.AddOutput(dir + "/clip.avi");
    EXPECT_TRUE(files.IsEarlierOutput(dir + "/clip.avi"));
    EXPECT_FALSE(files.IsEarlierOutput(dir + "/Clip.avi"));
    EXPECT_TRUE(files.IsTaken(dir + "/CLIP.MKV"));
    EXPECT_FALSE(files.IsTaken(dir + "/other.avi"));
}

// ---- names a batch file cannot hold ------------------------------------------------

TEST_F(BatchPlannerScript, BatRefusesNamesThatBreakItsQuotingShKeepsThem)
{
    const QStringList hostile{"q\" & calc & \".mkv", "50%PATH%.mkv", "wow!.mkv", "line\r\nbreak.mkv", "tab\t.mkv",
                              "bell\a.mkv"};
    for (const QString& name : hostile)
        m_rows.Files << In(name);
    m_rows.Files << In("a & b (1) ^ ü.mkv"); // literal between double quotes
    m_options.ScriptFile = m_dir + "/out.bat";
    const TBatchResult r = Run();
    EXPECT_TRUE(r.ScriptWritten);
    EXPECT_EQ(r.RefusedRows, hostile.size());
    EXPECT_EQ(m_sink.Warnings.size(), hostile.size());
    EXPECT_TRUE(m_sink.Warnings.value(0).contains("cannot be written into a batch file"));
    const QString bat = QString::fromUtf8(TestSupport::ReadFile(m_options.ScriptFile));
    EXPECT_EQ(bat.count("%mencoder%"), 1) << bat.toStdString();
    EXPECT_TRUE(bat.contains("a & b (1) ^ ü.avi\"\r\n"));
    EXPECT_FALSE(bat.contains("calc"));
    EXPECT_FALSE(bat.contains("PATH%"));
    EXPECT_TRUE(bat.contains(" file 7 ")); // refused rows keep their numbers

    // the bash script takes every one of them, word for word
    const QString log = m_dir + "/args.log";
    m_params.mencoder = TestSupport::WriteFile(
        m_dir + "/mencoder", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done >> '" + log.toUtf8()
                                 + "'\nwhile [ $# -gt 0 ]; do [ \"$1\" = -o ] && printf x > \"$2\"; shift; done\n");
    QFile::setPermissions(m_params.mencoder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_rows.Files << In("-dash $(touch pwned) `touch pwned2` 'q'.mkv");
    m_options.ScriptFile = m_dir + "/out.sh";
    m_sink.Warnings.clear();
    ASSERT_EQ(Run().RefusedRows, 0);
    EXPECT_TRUE(m_sink.Warnings.isEmpty());
    const TestSupport::RunResult ran = TestSupport::RunProgram("bash", {m_options.ScriptFile}, {}, 60000, m_dir);
    ASSERT_EQ(ran.exitCode, 0) << ran.err.constData();
    const QList<QByteArray> words = TestSupport::ReadFile(log).split('\0');
    for (const QString& in : m_rows.Files) {
        const QString arg = in.startsWith('-') ? "./" + in : in;
        EXPECT_TRUE(words.contains(Enc(arg))) << in.toStdString();
        QString out = in;
        out.replace(".mkv", ".avi");
        EXPECT_EQ(TestSupport::ReadFile(out), "x") << out.toStdString(); // written under a temporary, then renamed
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned2"));
}

TEST_F(BatchPlannerScript, ScriptTargetMustBeAScriptNameAndNoInput)
{
    const QString in = In("a.mkv", "video");
    m_rows.Files << in;
    for (const QString& target : {in, m_dir + "/out.txt", m_dir + "/out", m_dir + "/.sh"}) {
        m_options.ScriptFile = target;
        m_sink.Warnings.clear();
        const TBatchResult r = Run();
        EXPECT_FALSE(r.ScriptWritten) << target.toStdString();
        EXPECT_FALSE(r.EarlyExit.isEmpty());
        EXPECT_EQ(m_sink.Warnings.size(), 1);
    }
    EXPECT_EQ(TestSupport::ReadFile(in), "video");
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out.txt"));

    // an input under a script's name (a hard link) is refused as well
    const QString link = m_dir + "/in/link.sh";
    ASSERT_EQ(::link(Enc(in).constData(), Enc(link).constData()), 0);
    m_options.ScriptFile = link;
    EXPECT_FALSE(Run().ScriptWritten);
    EXPECT_EQ(TestSupport::ReadFile(in), "video");
    // so is one under the name of a job list's profile
    const QString profile = m_dir + "/in/batch.profile.ini";
    ASSERT_EQ(::link(Enc(in).constData(), Enc(profile).constData()), 0);
    m_options.ScriptFile = m_dir + "/in/batch.jobs";
    EXPECT_FALSE(Run().ScriptWritten);
    EXPECT_EQ(TestSupport::ReadFile(in), "video");
    EXPECT_FALSE(QFileInfo::exists(m_options.ScriptFile));
    EXPECT_TRUE(ScriptFormatFromName("x.BAT") == TScriptFormat::Bat);
    EXPECT_TRUE(ScriptFormatFromName("x.Sh") == TScriptFormat::Sh);
    EXPECT_FALSE(ScriptFormatFromName("x.bat.txt").has_value());
}

// Rows that come with the analysis made when they were added are not analysed again; a
// file changed since then is.
TEST_F(BatchPlannerScript, RowsAnalysedWhenAddedAreNotAnalysedAgain)
{
    m_params.FileAnalysis = faNone;
    TFileListModel model(m_params);
    const QStringList clips = AddThreeClips(model);
    ASSERT_TRUE(model.WaitForAnalysis());

    int analyses = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&AnalysisPool(), &TAnalysisPool::finished, [&analyses] { ++analyses; });
    TListModelRows rows(model);
    TBatchPlanner planner(m_params, m_log);
    ASSERT_TRUE(planner.Convert(rows, m_settings, m_options, m_sink).ScriptWritten);
    EXPECT_EQ(analyses, 0);
    const QByteArray script = TestSupport::ReadFile(m_options.ScriptFile);

    QFile touched(clips[1]);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    touched.close();
    TBatchPlanner again(m_params, m_log);
    ASSERT_TRUE(again.Convert(rows, m_settings, m_options, m_sink).ScriptWritten);
    EXPECT_EQ(analyses, 1);
    // The same decisions either way.
    EXPECT_EQ(TestSupport::ReadFile(m_options.ScriptFile), script);
    QObject::disconnect(counting);
}

// A conversion started while the list is still analysing takes each row's answer from the
// list as it arrives: no file is analysed twice, and every row still runs.
TEST_F(BatchPlannerScript, ConversionStartedDuringTheListsAnalysisWaitsForItsAnswers)
{
    // an encoder that fails at once: no output to check, so no analysis of an output
    m_params.mencoder = TestSupport::WriteFile(m_dir + "/mencoder", "#!/bin/sh\nexit 3\n");
    ASSERT_TRUE(QFile(m_params.mencoder).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    m_options.ScriptFile.clear();
    m_options.ParallelJobs = 2;
    int analyses = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&AnalysisPool(), &TAnalysisPool::finished, [&analyses] { ++analyses; });
    TFileListModel model(m_params);
    AddThreeClips(model);
    ASSERT_EQ(model.PendingAnalyses(), 3);

    TListModelRows rows(model);
    TBatchPlanner planner(m_params, m_log);
    const TBatchResult result = planner.Convert(rows, m_settings, m_options, m_sink);
    QObject::disconnect(counting);
    EXPECT_EQ(analyses, 3);
    EXPECT_EQ(result.ErrorCount, 3);
    QStringList ended = m_sink.Rows;
    ended.sort();
    EXPECT_EQ(ended, QStringList({"Error (3)|a_001.avi", "Error (3)|b.avi", "Error (3)|c.avi"}));
}
