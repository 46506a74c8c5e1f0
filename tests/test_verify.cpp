// Outputs under temporary names, the check of finished outputs and the still picture,
// with the real encoder, the real MediaInfo library and clips made by ffmpeg.
#include "encoding/SettingRows.h"
#include "runner/FailureReason.h"
#include "media/ContentProbe.h"
#include "outputs/ContentCheck.h"
#include "outputs/OutputCheck.h"
#include "outputs/ReaderRemedy.h"
#include "outputs/TempOutput.h"
#include "base/AppParams.h"
#include "base/Platform.h"
#include "encoding/EncoderCommand.h"
#include "media/MediaAnalysis.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TestSupport::DistinctFrames;

const QString Mencoder = QStringLiteral("/usr/bin/mencoder");

bool Exists(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QStringList TempsIn(const QString& dir)
{
    QStringList out;
    for (const QString& n : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (IsTempOutputName(n))
            out << n;
    return out;
}

// A child of this process that sleeps until killed: a live instance of this program.
pid_t SleepingTwin()
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (;;)
            ::pause();
    }
    return pid;
}

pid_t DeadPid()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

QString TempNameFor(qint64 pid, const QString& base = QStringLiteral("clip"))
{
    return QStringLiteral(".%1.vexa-%2-1.avi").arg(base).arg(pid);
}

} // namespace

TEST(TempOutput, HiddenBesideTheFinalNameAndNeverAnExistingName)
{
    QTemporaryDir dir;
    const QString final = dir.filePath(QStringLiteral("my clip.final.avi"));
    const TResultOf<QString> reserved = ReserveTempOutput(final);
    const QString a = reserved.value();
    ASSERT_FALSE(a.isEmpty()) << reserved.error().toStdString();
    const QFileInfo fa(a);
    EXPECT_EQ(fa.path(), dir.path());
    EXPECT_TRUE(fa.fileName().startsWith(QStringLiteral(".my clip.final.vexa-") + QString::number(::getpid())));
    EXPECT_TRUE(fa.fileName().endsWith(QStringLiteral(".avi")));
    EXPECT_TRUE(fa.isFile());
    EXPECT_EQ(fa.size(), 0);

    // The next few names are taken, one of them by a dangling link: they are passed over.
    qint64 pid = 0;
    ASSERT_TRUE(IsTempOutputName(fa.fileName(), &pid));
    EXPECT_EQ(pid, ::getpid());
    const qint64 n = fa.fileName().section(QLatin1Char('-'), -1).section(QLatin1Char('.'), 0, 0).toLongLong();
    const auto nth = [&](qint64 k) {
        return dir.filePath(QStringLiteral(".my clip.final.vexa-%1-%2.avi").arg(::getpid()).arg(k));
    };
    TestSupport::WriteFile(nth(n + 1), "someone else's");
    ASSERT_EQ(::symlink("/nonexistent/target", QFile::encodeName(nth(n + 2)).constData()), 0);
    const QString b = ReserveTempOutput(final).value();
    EXPECT_EQ(b, nth(n + 3));
    EXPECT_EQ(TestSupport::ReadFile(nth(n + 1)), "someone else's");
    EXPECT_FALSE(Exists(final));
}

TEST(TempOutput, LongAndOddNamesStillFit)
{
    QTemporaryDir dir;
    // 120 two-byte letters: 240 bytes plus ".avi", near the file system's limit.
    const QString final = dir.filePath(QString(120, QChar(0x00FC)) + QStringLiteral(".avi"));
    ASSERT_TRUE(TestSupport::WriteFile(final, "x").size() > 0);
    const QString temp = ReserveTempOutput(final).value();
    ASSERT_FALSE(temp.isEmpty());
    EXPECT_LE(QFile::encodeName(QFileInfo(temp).fileName()).size(), 255);
    EXPECT_TRUE(IsTempOutputName(QFileInfo(temp).fileName()));

    for (const QString& name : {QStringLiteral("-dash"), QStringLiteral(".hidden"), QStringLiteral("q\"uo'te.mp4")}) {
        const QString t = ReserveTempOutput(dir.filePath(name)).value();
        ASSERT_FALSE(t.isEmpty()) << name.toStdString();
        EXPECT_TRUE(IsTempOutputName(QFileInfo(t).fileName())) << t.toStdString();
    }
    EXPECT_FALSE(IsTempOutputName(QStringLiteral("clip.vexa-12-1.avi"))); // not hidden
    EXPECT_FALSE(IsTempOutputName(QStringLiteral(".clip.vexa-x-1.avi")));
}

TEST(TempOutput, TwoProcessesIntoOneDirectoryNeverShareAName)
{
    QTemporaryDir dir;
    const QString final = dir.filePath(QStringLiteral("clip.avi"));
    constexpr int PerProcess = 100;
    QSet<QString> all;
    int pipes[2][2];
    pid_t kids[2];
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(::pipe(pipes[k]), 0);
        kids[k] = ::fork();
        if (kids[k] == 0) {
            // Both children start from the same counter: only the process id tells them apart.
            QByteArray names;
            for (int i = 0; i < PerProcess; ++i)
                names += QFile::encodeName(ReserveTempOutput(final).value()) + '\n';
            (void)!::write(pipes[k][1], names.constData(), size_t(names.size()));
            ::_exit(0);
        }
        ::close(pipes[k][1]);
    }
    for (int k = 0; k < 2; ++k) {
        QFile in;
        ASSERT_TRUE(in.open(pipes[k][0], QIODevice::ReadOnly, QFile::AutoCloseHandle));
        const QList<QByteArray> lines = in.readAll().split('\n');
        ::waitpid(kids[k], nullptr, 0);
        for (const QByteArray& l : lines)
            if (!l.isEmpty())
                all.insert(QFile::decodeName(l));
    }
    EXPECT_EQ(all.size(), 2 * PerProcess);
    EXPECT_EQ(TempsIn(dir.path()).size(), 2 * PerProcess);
}

TEST(TempOutput, SweepRemovesOnlyTheDeadsLeftovers)
{
    QTemporaryDir dir;
    const pid_t twin = SleepingTwin();
    ASSERT_GT(twin, 0);
    QProcess other; // a live process of another program: its pid cannot have made our names
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(other.waitForStarted());
    const qint64 dead = DeadPid();

    const QString ours = TempNameFor(::getpid());
    const QString twins = TempNameFor(twin);
    const QString deads = TempNameFor(dead);
    const QString reused = TempNameFor(other.processId());
    for (const QString& n : {ours, twins, deads, reused, QStringLiteral("clip.avi")})
        TestSupport::WriteFile(dir.filePath(n), "data");
    QDir(dir.path()).mkdir(TempNameFor(dead, QStringLiteral("folder")));
    const QString deadLink = TempNameFor(dead, QStringLiteral("link"));
    ASSERT_EQ(::symlink("clip.avi", QFile::encodeName(dir.filePath(deadLink)).constData()), 0);

    EXPECT_TRUE(IsLiveProcessOfThisProgram(twin));
    EXPECT_FALSE(IsLiveProcessOfThisProgram(other.processId()));
    EXPECT_FALSE(IsLiveProcessOfThisProgram(dead));

    QStringList removed = SweepStaleTempOutputs(dir.path());
    removed.sort();
    QStringList expected{deads, reused};
    expected.sort();
    EXPECT_EQ(removed, expected);
    EXPECT_TRUE(Exists(dir.filePath(ours)));
    EXPECT_TRUE(Exists(dir.filePath(twins)));
    EXPECT_TRUE(Exists(dir.filePath(deadLink)));
    EXPECT_TRUE(Exists(dir.filePath(QStringLiteral("clip.avi"))));

    // Once the twin has ended and been reaped, its leftovers go too.
    ::kill(twin, SIGKILL);
    ::waitpid(twin, nullptr, 0);
    EXPECT_EQ(SweepStaleTempOutputs(dir.path()), QStringList{twins});
    other.kill();
    other.waitForFinished();
}

TEST(TempOutput, CommitKeepsOrReplacesAndNeverWritesThroughALink)
{
    QTemporaryDir dir;
    const QString final = dir.filePath(QStringLiteral("out.avi"));
    const auto made = [&](const QByteArray& bytes) {
        const QString t = ReserveTempOutput(final).value();
        TestSupport::WriteFile(t, bytes);
        return t;
    };
    QString t = made("first");
    const TResult first = CommitOutput(t, final, TCommitPolicy::KeepExisting);
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    EXPECT_FALSE(Exists(t));
    EXPECT_EQ(TestSupport::ReadFile(final), "first");

    // The name was taken meanwhile (another program, a user): refused, both files kept.
    t = made("second");
    const TResult taken = CommitOutput(t, final, TCommitPolicy::KeepExisting);
    EXPECT_FALSE(taken.ok());
    EXPECT_TRUE(taken.error().contains(qt_error_string(EEXIST))) << taken.error().toStdString();
    EXPECT_EQ(TestSupport::ReadFile(final), "first");
    EXPECT_EQ(TestSupport::ReadFile(t), "second");
    ASSERT_TRUE(CommitOutput(t, final, TCommitPolicy::Replace).ok());
    EXPECT_EQ(TestSupport::ReadFile(final), "second");

    // A link under the final name: replaced itself, what it leads to is untouched.
    const QString victim = TestSupport::WriteFile(dir.filePath(QStringLiteral("victim.avi")), "victim");
    const QString linked = dir.filePath(QStringLiteral("linked.avi"));
    ASSERT_EQ(::symlink("victim.avi", QFile::encodeName(linked).constData()), 0);
    t = made("third");
    EXPECT_FALSE(CommitOutput(t, linked, TCommitPolicy::KeepExisting).ok());
    ASSERT_TRUE(CommitOutput(t, linked, TCommitPolicy::Replace).ok());
    EXPECT_FALSE(QFileInfo(linked).isSymLink());
    EXPECT_EQ(TestSupport::ReadFile(linked), "third");
    EXPECT_EQ(TestSupport::ReadFile(victim), "victim");

    // A link put where the temporary was is never committed.
    t = made("fourth");
    QFile::remove(t);
    ASSERT_EQ(::symlink("victim.avi", QFile::encodeName(t).constData()), 0);
    EXPECT_FALSE(CommitOutput(t, dir.filePath(QStringLiteral("new.avi")), TCommitPolicy::Replace).ok());
    EXPECT_FALSE(Exists(dir.filePath(QStringLiteral("new.avi"))));
    EXPECT_TRUE(DiscardOutput(t).ok());
    EXPECT_FALSE(Exists(t));
    EXPECT_EQ(TestSupport::ReadFile(victim), "victim");
    EXPECT_TRUE(DiscardOutput(t).ok()); // already gone
}

TEST(TempOutput, UnwritableDirectoryLeavesNothing)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return;
    QTemporaryDir dir;
    const QString final = dir.filePath(QStringLiteral("out.avi"));
    const QString temp = ReserveTempOutput(final).value();
    ASSERT_FALSE(temp.isEmpty());
    TestSupport::WriteFile(temp, "encoded");
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const TResultOf<QString> reserved = ReserveTempOutput(final);
    EXPECT_FALSE(reserved.ok());
    EXPECT_TRUE(reserved.error().contains(qt_error_string(EACCES))) << reserved.error().toStdString();
    // The rename is refused with the system's reason; the temporary stays for a retry.
    const TResult committed = CommitOutput(temp, final, TCommitPolicy::Replace);
    EXPECT_FALSE(committed.ok());
    EXPECT_TRUE(committed.error().contains(qt_error_string(EACCES))) << committed.error().toStdString();
    EXPECT_TRUE(Exists(temp));
    EXPECT_FALSE(DiscardOutput(temp).ok());
    EXPECT_FALSE(Exists(final));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
}

// ---- the output check on files made by ffmpeg ----

class OutputCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Platform::EnsureUtf8CType();
        s_dir = new QTemporaryDir;
        const QStringList src{"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i",
                              "sine=frequency=440"};
        const auto make = [](const QString& name, const QStringList& args) {
            const auto r = TestSupport::RunProgram(
                QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-loglevel", "error", "-y"} + args + QStringList{Path(name)});
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        };
        make("input.avi", src + QStringList{"-t", "4", "-c:v", "mpeg4", "-c:a", "libmp3lame"});
        make("good.avi", src + QStringList{"-t", "4", "-vf", "scale=160:120", "-c:v", "mpeg4", "-c:a", "libmp3lame"});
        make("h264.mp4", src + QStringList{"-t", "4", "-vf", "scale=160:120", "-c:v", "libx264", "-preset",
                                           "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac"});
        make("silent.avi", src + QStringList{"-t", "4", "-vf", "scale=160:120", "-an", "-c:v", "mpeg4"});
        make("big.avi", src + QStringList{"-t", "4", "-c:v", "mpeg4", "-c:a", "libmp3lame"});
        make("short.avi", src + QStringList{"-t", "2", "-vf", "scale=160:120", "-c:v", "mpeg4", "-c:a", "libmp3lame"});
        const QByteArray good = TestSupport::ReadFile(Path("good.avi"));
        TestSupport::WriteFile(Path("half.avi"), good.left(good.size() / 2));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString Path(const QString& name) { return s_dir->filePath(name); }

    // What the builders make of the default Xvid settings with a 160x120 custom size (x264
    // goes into MP4).
    static TOutputExpectation Expected(int codec = 0, bool noAudio = false)
    {
        EncodingSettings s;
        SetDefaultParams(s, codec);
        s.videoCodec = TVideoCodec(codec);
        s.container = codec == 1 ? TContainer::Mp4 : TContainer::Avi;
        s.resolution = 1;
        s.resolutionWidth = 160;
        s.resolutionHeight = 120;
        s.noAudio = noAudio;
        TVideoFileInfo input;
        GetVideoFileInfo(Path("input.avi"), SystemMediaInfoLibrary(), input);
        return ExpectedOutput(RowPlan(s, input));
    }
    static TOutputVerdict Verify(const QString& name, const TOutputExpectation& e)
    {
        return VerifyOutputFile(Path(name), SystemMediaInfoLibrary(), e);
    }

    static QTemporaryDir* s_dir;
};
QTemporaryDir* OutputCheckTest::s_dir = nullptr;

TEST_F(OutputCheckTest, ExpectationFollowsTheCommandLine)
{
    const TOutputExpectation e = Expected();
    EXPECT_EQ(e.VideoFormat, QStringLiteral("MPEG-4 Visual"));
    ASSERT_TRUE(e.FrameSize.has_value());
    EXPECT_EQ(*e.FrameSize, (TResolution{160, 120}));
    EXPECT_NEAR(e.DurationMs, 4000, 100);
    EXPECT_TRUE(e.Audio);
    EXPECT_EQ(Expected(1).VideoFormat, QStringLiteral("AVC"));
    EXPECT_EQ(e.ContainerFormat, QStringLiteral("AVI"));
    EXPECT_EQ(Expected(1).ContainerFormat, QStringLiteral("MPEG-4"));
    EXPECT_FALSE(Expected(0, true).Audio);

    // settings whose chain is "-vf yadif,scale=640:360,rotate=1,harddup"
    EncodingSettings s;
    SetDefaultParams(s, 0);
    s.interlacing = 1;
    s.resolution = 1;
    s.resolutionWidth = 640;
    s.resolutionHeight = 360;
    s.rotate = true;
    s.rotateDirection = 0;
    s.forceDuplicates = true;
    TVideoFileInfo silentInput;
    silentInput.Duration = 10000;
    ASSERT_EQ(GetAdvancedParams(s, silentInput).Args.mid(0, 2),
              (QStringList{"-vf", "yadif,scale=640:360,rotate=1,harddup"}));
    TOutputExpectation x = ExpectedOutput(RowPlan(s, silentInput));
    EXPECT_EQ(*x.FrameSize, (TResolution{360, 640})); // a quarter turn swaps the sides
    EXPECT_FALSE(x.Audio);                             // nothing to make it from
    s.container = TContainer::Mkv;
    EXPECT_EQ(ExpectedOutput(RowPlan(s, silentInput)).ContainerFormat, QStringLiteral("Matroska"));
    s.extraParameters = QStringLiteral("-vf-add crop=100:100 -endpos 5 -ovc lavc -of mpeg");
    x = ExpectedOutput(RowPlan(s, silentInput));
    EXPECT_FALSE(x.FrameSize.has_value());
    EXPECT_EQ(x.DurationMs, 0);
    EXPECT_TRUE(x.VideoFormat.isEmpty());
    EXPECT_TRUE(x.ContainerFormat.isEmpty());
    // the largest of 0.3 s, two pictures and 3 %
    EXPECT_EQ(DurationToleranceMs(3000), 300);
    EXPECT_EQ(DurationToleranceMs(3000, 1000), 2000);
    EXPECT_EQ(DurationToleranceMs(100000, 40), 3000);
    // shorter: half a picture (two pictures at one a second, one lost, is a fault)
    EXPECT_EQ(LostToleranceMs(2000, 1000), 500);
    EXPECT_EQ(LostToleranceMs(3000, 40), 300);
}

TEST_F(OutputCheckTest, VerdictsOnRealFiles)
{
    const TOutputExpectation xvid = Expected();
    const TOutputVerdict good = Verify("good.avi", xvid);
    EXPECT_TRUE(good.Ok) << good.Reason.toStdString();
    EXPECT_TRUE(good.Reason.isEmpty());

    const TOutputExpectation avc = Expected(1);
    EXPECT_TRUE(Verify("h264.mp4", avc).Ok) << Verify("h264.mp4", avc).Reason.toStdString();
    const TOutputVerdict wrongCodec = Verify("h264.mp4", xvid);
    EXPECT_FALSE(wrongCodec.Ok);
    EXPECT_TRUE(wrongCodec.Reason.contains(QStringLiteral("AVC, not MPEG-4 Visual"))) << wrongCodec.Reason.toStdString();
    EXPECT_EQ(wrongCodec.Sentence, QStringLiteral("The output file's format is MPEG-4, not AVI."));

    const TOutputVerdict silent = Verify("silent.avi", xvid);
    EXPECT_FALSE(silent.Ok);
    EXPECT_TRUE(silent.Reason.contains(QStringLiteral("no audio"))) << silent.Reason.toStdString();
    EXPECT_TRUE(Verify("silent.avi", Expected(0, true)).Ok);

    const TOutputVerdict big = Verify("big.avi", xvid);
    EXPECT_FALSE(big.Ok);
    EXPECT_TRUE(big.Reason.contains(QStringLiteral("320x240, not 160x120"))) << big.Reason.toStdString();

    const TOutputVerdict shortOne = Verify("short.avi", xvid);
    EXPECT_FALSE(shortOne.Ok);
    EXPECT_TRUE(shortOne.Reason.contains(QStringLiteral("lasts"))) << shortOne.Reason.toStdString();

    const TOutputVerdict half = Verify("half.avi", xvid);
    EXPECT_FALSE(half.Ok);
    EXPECT_TRUE(half.Reason.contains(QStringLiteral("cut short"))) << half.Reason.toStdString();

    TestSupport::WriteFile(Path("empty.avi"), QByteArray());
    EXPECT_FALSE(Verify("empty.avi", xvid).Ok);
    TestSupport::WriteFile(Path("junk.avi"), QByteArray(4096, 'j'));
    EXPECT_FALSE(Verify("junk.avi", xvid).Ok);
}

// ---- the still picture ----

TEST(ReaderRemedy, RemedyPutsTheDemuxerBeforeTheInputOfBothPasses)
{
    EncodingSettings s;
    SetDefaultParams(s, 0);
    s.twoPass = true;
    TVideoFileInfo info;
    const QString input = QStringLiteral("-odd \"name\".avi");
    const TEncoderJob job = BuildEncoderJob(s, info, 2, input, QStringLiteral("/o/out.avi"),
                                            QStringLiteral("/tmp/log"), [](const QString&) {});
    ASSERT_EQ(job.Runs.size(), 2);
    const TEncoderJob fixed = BuildEncoderJob(RemedyPlan(job.Plan), 2, input, QStringLiteral("/o/out.avi"),
                                              QStringLiteral("/tmp/log"), [](const QString&) {});
    for (qsizetype i = 0; i < 2; ++i) {
        const QStringList& args = fixed.Runs[i].Args;
        const qsizetype at = args.indexOf(PathArg(input));
        ASSERT_GE(at, 2);
        EXPECT_EQ(args.mid(at - 2, 2), (QStringList{"-demuxer", "lavf"}));
        EXPECT_EQ(args.size(), job.Runs[i].Args.size() + 2);
        EXPECT_TRUE(fixed.Runs[i].Params.startsWith(QStringLiteral("-demuxer lavf \"") + input));
    }
    // A demuxer the user chose is changed, not doubled.
    s.twoPass = false;
    s.extraParameters = QStringLiteral("-demuxer avi");
    const QStringList chosen =
        BuildEncoderJob(RemedyPlan(RowPlan(s, info)), 2, QStringLiteral("in.avi"), QStringLiteral("x.avi"), QString(),
                        [](const QString&) {})
            .Runs[0]
            .Args;
    EXPECT_EQ(chosen.count(QStringLiteral("-demuxer")), 1);
    EXPECT_EQ(chosen.mid(chosen.indexOf(QStringLiteral("-demuxer")), 2), (QStringList{"-demuxer", "lavf"}));
    EXPECT_EQ(chosen.first(), QStringLiteral("in.avi"));
}

// The remedy's run is planned for the lavf reader: its sound and subtitle tracks are
// numbered as lavf counts them, among their kind, whatever the first reader counted.
TEST(ReaderRemedy, RemedyNumbersTheTracksAsLavfCountsThem)
{
    struct {
        const char* Format;
        const char* Aid;       // the first run's
        const char* Sid;
        const char* RemedyAid; // the remedy's
        const char* RemedySid;
    } const cases[] = {
        {"AVI", "2", "4", "1", "1"},      // by place in the file, then among the kind
        {"Matroska", "1", "1", "1", "1"}, // lavf both times
        {"MPEG-TS", "", "", "1", "1"},    // the encoder's own choice, then lavf's count
    };
    for (const auto& c : cases) {
        EncodingSettings s;
        SetDefaultParams(s, 0);
        s.soundLanguage.Text = QStringLiteral("German");
        s.subtitles = 1;
        s.subtitleLanguage.Text = QStringLiteral("de");
        TVideoFileInfo info;
        info.Format = QString::fromLatin1(c.Format);
        info.NumberOfVideoStreams = 1;
        info.VideoStreams[0].Width = 320;
        info.VideoStreams[0].Height = 240;
        info.NumberOfAudioStreams = 2;
        info.AudioStreams[0] = {.LanguageCode = QStringLiteral("en"), .StreamIndex = 1};
        info.AudioStreams[1] = {.LanguageCode = QStringLiteral("de"), .StreamIndex = 2};
        info.NumberOfTextStreams = 2;
        info.TextStreams[0] = {.LanguageCode = QStringLiteral("en"), .StreamIndex = 3};
        info.TextStreams[1] = {.LanguageCode = QStringLiteral("de"), .StreamIndex = 4};
        const auto valueOf = [](const QStringList& args, const char* option) {
            const qsizetype at = args.indexOf(QLatin1String(option));
            return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
        };
        const TEncoderJob first = BuildEncoderJob(RowPlan(s, info), 2, QStringLiteral("in"), QStringLiteral("out.avi"),
                                                  QString(), [](const QString&) {});
        const TEncoderJob remedy = RebuiltEncoderJob(first, RemedyPlan(first.Plan));
        ASSERT_TRUE(first.Ok && remedy.Ok) << c.Format;
        EXPECT_EQ(valueOf(first.Runs[0].Args, "-aid"), QLatin1String(c.Aid)) << c.Format;
        EXPECT_EQ(valueOf(first.Runs[0].Args, "-sid"), QLatin1String(c.Sid)) << c.Format;
        EXPECT_EQ(valueOf(remedy.Runs[0].Args, "-aid"), QLatin1String(c.RemedyAid)) << c.Format;
        EXPECT_EQ(valueOf(remedy.Runs[0].Args, "-sid"), QLatin1String(c.RemedySid)) << c.Format;
        EXPECT_TRUE(remedy.Runs[0].Params.contains(QStringLiteral("-sid ") + QLatin1String(c.RemedySid))) << c.Format;
        EXPECT_FALSE(RemedyMayHelp(remedy.Plan)) << c.Format;
    }
}

// A row's faithful rules are applied once: its command line, the expectation of its output
// and the sound track its content check listens to all read the one plan.
TEST(RowPlan, TheFaithfulRulesAreAppliedOncePerRow)
{
    struct {
        const char* What;
        bool TwoPass;
        int Width;
        TContainer Container = TContainer::Avi;
    } const cases[] = {
        {"one pass", false, 320},
        {"two passes", true, 320},
        {"an odd side cropped", false, 321},
        {"an MP4, which Automatic gives FFmpeg", false, 320, TContainer::Mp4},
    };
    for (const auto& c : cases) {
        EncodingSettings s;
        SetDefaultParams(s, 0);
        s.twoPass = c.TwoPass;
        s.container = c.Container;
        TVideoFileInfo info;
        info.Format = QStringLiteral("AVI");
        info.NumberOfVideoStreams = 1;
        info.VideoStreams[0].Width = c.Width;
        info.VideoStreams[0].Height = 240;
        info.VideoStreams[0].FPS = 25;
        info.NumberOfAudioStreams = 1;
        info.AudioStreams[0].SamplingRate = 96000;
        const int before = FaithfulRuleEvaluations();
        const TEncoderJob job = BuildEncoderJob(RowPlan(s, info), 2, QStringLiteral("in.avi"),
                                                QStringLiteral("out.avi"), QStringLiteral("log"), {});
        const TOutputExpectation expected = ExpectedOutput(job.Plan);
        EXPECT_EQ(job.Plan.ConvertedSound, 0) << c.What;
        EXPECT_TRUE(job.Ok && expected.Audio) << c.What;
        EXPECT_EQ(FaithfulRuleEvaluations() - before, 1) << c.What;
    }
}

namespace {

// Runs the encoder; the exit code.
int Encode(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(Mencoder, args);
    if (!p.waitForFinished(300000))
        return -1;
    p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The pictures of output probed against source's, which the check must find right.
TContentSamples PicturesMatched(const QString& source, const QString& output)
{
    TContentRequest compare;
    compare.Source = source;
    compare.Output = output;
    const TContentSamples samples = ProbeContent(compare);
    const TContentVerdict v = JudgeContent(samples, true, false);
    EXPECT_TRUE(v.Ok && v.PicturesJudged) << v.Sentence.toStdString() << " | " << v.Detail.toStdString();
    return samples;
}

TEncoderJob DefaultJob(const QString& input, const QString& output)
{
    EncodingSettings s;
    SetDefaultParams(s, 0);
    TVideoFileInfo info;
    GetVideoFileInfo(input, SystemMediaInfoLibrary(), info);
    return BuildEncoderJob(s, info, 2, input, output, QString(), [](const QString&) {});
}

} // namespace

TEST(ReaderRemedy, TheEncodersAviReaderFreezesAndLavfIsChosenUpFront)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    Platform::EnsureUtf8CType();
    // an AVI as ffmpeg writes it: an empty chunk near the start
    const QString input = TestSupport::Clip(QStringLiteral("traits/ffmpeg_25.avi"));
    ASSERT_TRUE(QFileInfo::exists(input));
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.avi"));
    const TEncoderJob job = DefaultJob(input, output);
    ASSERT_TRUE(job.Ok);
    ASSERT_EQ(job.Runs.size(), 1);
    // MPEG-4 pictures in an AVI with empty chunks: read with libavformat from the start
    EXPECT_TRUE(job.Runs[0].Params.contains(QStringLiteral("-demuxer lavf"))) << job.Runs[0].Params.toStdString();

    TContentRequest compare;
    compare.Source = input;
    compare.Output = output;
    // the encoder's own reader, as before: one still picture, which the content check names
    QStringList native = job.Runs[0].Args;
    native[native.indexOf(QStringLiteral("lavf"))] = QStringLiteral("avi");
    ASSERT_EQ(Encode(native), 0); // the encoder calls it a success
    const TContentVerdict still = JudgeContent(ProbeContent(compare));
    EXPECT_EQ(still.Picture, TPictureFault::FirstPicture) << still.Detail.toStdString();
    EXPECT_LE(DistinctFrames(output), 2);

    ASSERT_EQ(Encode(job.Runs[0].Args), 0);
    TVideoFileInfo in;
    GetVideoFileInfo(input, SystemMediaInfoLibrary(), in);
    const TOutputVerdict v = VerifyOutputFile(output, SystemMediaInfoLibrary(), ExpectedOutput(job.Plan));
    EXPECT_TRUE(v.Ok) << v.Reason.toStdString();
    const TContentVerdict moving = JudgeContent(ProbeContent(compare));
    EXPECT_TRUE(moving.Ok) << moving.Sentence.toStdString() << " | " << moving.Detail.toStdString();
    EXPECT_TRUE(moving.PicturesJudged && moving.SoundJudged) << moving.Detail.toStdString();
    EXPECT_GE(DistinctFrames(output), 90);
}

TEST(TempOutput, FullDiskLeavesNothingUnderTheFinalName)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    TFullDisk disk(64);
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    Platform::EnsureUtf8CType();
    const QString input = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));
    const QString final = disk.FilePath(QStringLiteral("out.avi"));
    const QString temp = ReserveTempOutput(final).value();
    ASSERT_FALSE(temp.isEmpty());
    const TEncoderJob job = DefaultJob(input, temp);
    const int code = Encode(job.Runs[0].Args);
    TVideoFileInfo in;
    GetVideoFileInfo(input, SystemMediaInfoLibrary(), in);
    const bool passed =
        code == 0 && VerifyOutputFile(temp, SystemMediaInfoLibrary(), ExpectedOutput(job.Plan)).Ok;
    // The encoder exits with 0 on a full disk; only the check sees the file is cut short.
    EXPECT_FALSE(passed) << "an output that did not fit passed, exit code " << code;
    if (passed)
        (void)CommitOutput(temp, final, TCommitPolicy::KeepExisting);
    else
        EXPECT_TRUE(DiscardOutput(temp).ok());
    EXPECT_FALSE(Exists(final));
    EXPECT_TRUE(TempsIn(disk.Path()).isEmpty());
}

// ---- the reason a run failed, in one sentence ----

TEST(FailureReason, EachKnownFailureInPlainWords)
{
    TVideoFileInfo input;
    input.VideoStreams[0].Width = 720;
    input.VideoStreams[0].Height = 405;
    struct Case {
        int code;
        QStringList lines;
        QString sentence;
    };
    const Case cases[] = {
        {1, {"x264 [error]: height not divisible by 2 (720x405)", "x264_encoder_open failed."},
         "The encoder refused the picture size 720x405."},
        {1, {"xvid: xvidcore returned a 'General fault' error"}, "The encoder refused the picture size 720x405."},
        {1, {"-bogus is not an MEncoder option", "Exiting... (error parsing command line)"},
         "The encoder does not know an option of the command line: check the additional parameters."},
        {1, {"Cannot open demuxer.", "Exiting..."}, "The encoder cannot read this file."},
        {1, {"Stream map '0:V:0' matches no streams.", "To ignore this, add a trailing '?' to the map."},
         "The encoder cannot read this file."},
        {1, {"Cannot open output file 'x.avi'"}, "The output file could not be written (no permission, or a read-only folder)."},
        {1, {"write error: No space left on device"}, "The disk is full: the output could not be written."},
        {-1, {"Pos: 1.0s 25f"}, "The encoder crashed or was killed (exit status 4294967295)."},
        {139, {}, "The encoder crashed or was killed (exit status 139)."},
        {69, {"  Stream #0:1: Audio: vorbis, 48000 Hz, stereo", "Error while decoding stream #0:1: Invalid argument",
              "Conversion failed!"},
         "The input's sound cannot be decoded (the file is damaged there): convert it with \"No audio\"."},
        {69, {"  Stream #0:0: Video: h264", "Error while decoding stream #0:0: Invalid data found when processing input"},
         "The input cannot be decoded (the file is damaged there)."},
        {3, {"something else"}, "The encoder stopped with exit status 3."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunFailureReason(c.code, c.lines, input), c.sentence) << c.lines.join('|').toStdString();
}

// Where the check expects the sound to start against the picture, by the engine that makes
// the output: MEncoder moves a late sound in an AVI's header, FFmpeg fills it with silence
// there and keeps it by the timestamps in MP4 and MKV; a late picture is held from 0.
TEST(OutputExpectation, TheSoundsStartFollowsTheEngine)
{
    struct Case {
        const char* name;
        TEngine engine;
        TContainer container;
        int soundAfterPictureMs;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"MEncoder, AVI, sound 500 ms late", TEngine::MEncoder, TContainer::Avi, 500, 500},
        {"FFmpeg, AVI, sound 500 ms late (filled with silence)", TEngine::FFmpeg, TContainer::Avi, 500, 0},
        {"FFmpeg, MP4, sound 500 ms late", TEngine::FFmpeg, TContainer::Mp4, 500, 500},
        {"FFmpeg, MKV, picture 500 ms late (held from the start)", TEngine::FFmpeg, TContainer::Mkv, -500, 0},
    };
    for (const Case& c : cases) {
        EncodingSettings s;
        SetDefaultParams(s, 0);
        s.container = c.container;
        TVideoFileInfo input;
        input.Duration = 4000;
        input.NumberOfVideoStreams = 1;
        input.NumberOfAudioStreams = 1;
        input.Probe.Opened = input.Probe.HasAudio = input.Probe.HasVideo = true;
        input.Probe.VideoStartMs = std::max(0, -c.soundAfterPictureMs);
        input.Probe.AudioStartMs = std::max(0, c.soundAfterPictureMs);
        EXPECT_EQ(ExpectedOutput(RowPlanBy(c.engine, s, input)).AudioOffsetMs, c.expected) << c.name;
    }
}

// A file judged against a copy of it in another container shows the same picture at every
// moment, the first one too: after the sound windows have been read, each reader finds its
// way back to the start (an AVI's reader refuses a time before its index).
TEST(ContentProbe, AFileAgainstItsCopyMatchesAtEveryMoment)
{
    const struct {
        const char* clip; // of make_media.sh, or made here
        const char* copy;
    } cases[] = {{"clip_xvid_mp3.avi", "mkv"}, {"clip_h264_aac.mp4", "mkv"}, {"clip_two_audio.mkv", "mp4"},
                 {"probe_pal_wide.mpg", "mkv"}, {"h264_bframes.mp4", "avi"},
                 // its picture parameters differ in its first packet from its header's: read
                 // from a key picture halfway by a fresh decoder, every picture is grey
                 {"real/cockatoo.mp4", "mov"}};
    QTemporaryDir dir;
    // H.264 with B-pictures: in an AVI its pictures have no times of their own
    ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25",
                                                 "-f", "lavfi", "-i", "sine=frequency=440", "-t", "2", "-c:v", "libx264",
                                                 "-preset", "ultrafast", "-bf", "2", "-c:a", "libmp3lame",
                                                 dir.filePath("h264_bframes.mp4")})
                  .exitCode,
              0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clip);
        TContentRequest same;
        same.Source = dir.filePath(QStringLiteral("copy.") + c.copy);
        const QString clip = QString::fromLatin1(c.clip);
        same.Output = QFileInfo::exists(dir.filePath(clip)) ? dir.filePath(clip)
                      : clip.startsWith(QLatin1String("real/")) ? QStringLiteral(VEXA_SOURCE_DIR "/tests/data/") + clip
                                                                : TestSupport::Clip(clip);
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-v", "error", "-y", "-i", same.Output, "-map", "0:v:0", "-map",
                                                     "0:a:0", "-c", "copy", same.Source})
                      .exitCode,
                  0);
        for (const bool copyFirst : {true, false}) {
            if (!copyFirst)
                std::swap(same.Source, same.Output);
            const TContentSamples samples = ProbeContent(same);
            ASSERT_EQ(samples.Moments.size(), ContentMoments);
            EXPECT_FALSE(samples.Sound.isEmpty());
            for (const TContentMoment& m : samples.Moments) {
                ASSERT_GE(m.SourceCentre, 0) << m.AtMs;
                const QByteArray source = m.Source.mid(m.SourceCentre * ContentPictureBytes, ContentPictureBytes);
                EXPECT_LT(PictureDistance(m.Output, source), 1.0) << copyFirst << " at " << m.AtMs << " ms";
            }
        }
    }
}

// The length an output must have is what a player plays of the source: the stated length,
// unless the packets tell otherwise.
TEST(OutputExpectation, TheLengthIsWhatThePacketsPlay)
{
    struct Case {
        const char* name;
        int statedMs, videoStartMs, videoMs, audioStartMs, playedMs;
        int expected;
        bool trimmed = false;
        int audioEndMs = 0; // the packets read to the end
        bool cut = false;   // MediaInfo finds the file cut short
    };
    const Case cases[] = {
        {"as stated", 5000, 0, 4990, 0, 0, 5000},
        {"an ASF header two seconds short", 4414, 7, 6430, 0, 0, 6437},
        {"packets a little past the statement", 4000, 0, 4200, 0, 0, 4000},
        {"the picture half a second after the sound", 4000, 500, 4000, 0, 0, 4500},
        {"a transport stream whose clock starts again", 5000, 0, 5000, 0, 10000, 10000},
        {"a trimmed clip: its packets hold the hidden pictures too", 2700, 0, 4020, 0, 0, 2700, true},
        {"a copy broken off: as far as its packets go", 1600, 0, 880, 0, 0, 1045, false, 1045, true},
        {"cut in its last picture: as stated", 5000, 0, 4900, 0, 0, 5000, false, 4950, true},
        {"packets that stop early in a whole file (a still end)", 5000, 0, 3000, 0, 0, 5000, false, 3000},
    };
    for (const Case& c : cases) {
        EncodingSettings s;
        SetDefaultParams(s, 0);
        TVideoFileInfo input;
        input.GeneralDurationMs = c.statedMs;
        input.NumberOfVideoStreams = 1;
        input.NumberOfAudioStreams = 1;
        input.Probe.Opened = input.Probe.HasAudio = input.Probe.HasVideo = true;
        input.Probe.VideoStartMs = c.videoStartMs;
        input.Probe.VideoDurationMs = c.videoMs;
        input.Probe.AudioStartMs = c.audioStartMs;
        input.Probe.PlayedMs = c.playedMs;
        input.Probe.TrimmedStart = c.trimmed;
        input.Probe.AudioEndMs = c.audioEndMs;
        input.Truncated = c.cut;
        EXPECT_EQ(ExpectedOutput(RowPlan(s, input)).DurationMs, c.expected) << c.name;
    }
}

// Sources that are hard to line up, each with an output as a player shows it (made by
// ffmpeg from the source): every moment fits.
// - a gap longer than the pictures kept around a moment: a player shows the picture before
//   the gap all through it, and so does an output at a constant rate;
// - an output without sound starts with its picture, whatever the source's sound did (it
//   starts a second before the picture here; a damaged Ogg's sound has times of its own).
TEST(ContentProbe, OutputsAsAPlayerShowsThemFitTheirSource)
{
    const struct {
        const char* name;
        QStringList source; // ffmpeg's arguments after the lavfi inputs
        QStringList output; // after "-i SOURCE"
    } cases[] = {
        {"a gap of 1.2 s in the recording",
         {"-t", "2.4", "-vf", "setpts='if(gte(T,1),PTS+1.2/TB,PTS)'", "-fps_mode", "passthrough", "-an"},
         {"-r", "25", "-fps_mode", "cfr"}},
        // pictures nothing refers to are not decoded far from a moment: the one before the
        // gap still is, as the one shown all through it
        {"a gap of 9 s after a picture nothing refers to",
         {"-t", "11", "-bf", "2", "-x264-params", "b-pyramid=none:b-adapt=0", "-vf",
          "setpts='if(gte(T,1.5),PTS+9/TB,PTS)'", "-fps_mode", "passthrough", "-an"},
         {"-r", "25", "-fps_mode", "cfr"}},
        {"the picture a second after the sound, the output silent", {"-vf", "setpts=PTS+1/TB", "-c:a", "aac"},
         {"-an", "-vf", "setpts=PTS-STARTPTS"}},
    };
    QTemporaryDir dir;
    const QStringList quiet{"-v", "error", "-y"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = dir.filePath("source.mkv"), output = dir.filePath("output.mp4");
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", quiet + QStringList{"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2",
                                                                        "-f", "lavfi", "-i", "sine=duration=3", "-c:v",
                                                                        "libx264", "-preset", "ultrafast"} +
                                                        c.source + QStringList{source})
                      .exitCode,
                  0);
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", quiet + QStringList{"-i", source, "-c:v", "libx264", "-preset",
                                                                        "ultrafast"} +
                                                        c.output + QStringList{output})
                      .exitCode,
                  0);
        const TContentSamples samples = PicturesMatched(source, output);
        // the very picture, not its neighbour (which the verdict forgives)
        for (const TContentMoment& m : samples.Moments)
            if (m.SourceCentre >= 0) {
                EXPECT_LT(PictureDistance(m.Output, m.Source.mid(m.SourceCentre * ContentPictureBytes, ContentPictureBytes)), 0.4)
                    << m.AtMs << " ms";
            }
    }
}

// Where key pictures are seconds apart, the moments move to just after them (a decoder
// reaches a moment from the key picture before it), yet stay spread over the whole length,
// in order and apart, and the verdict holds.
TEST(ContentProbe, TheMomentsSeekOutKeyPicturesAndStaySpread)
{
    const struct {
        const char* name;
        const char* sourceKeys; // pictures between key pictures, at 25 a second
        const char* outputKeys;
        char where; // k: most middle moments sit within a second after a key picture of both;
                    // e: every moment keeps its evenly spread place (nothing to save); -: either
    } cases[] = {
        {"key pictures 2.5 s apart in both", "62", "62", 'k'},
        {"the source's dense, the output's far apart", "12", "250", '-'},
        {"every picture a key picture", "1", "1", 'e'},
    };
    QTemporaryDir dir;
    const QStringList quiet{"-v", "error", "-y"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = dir.filePath("source.mp4"), output = dir.filePath("output.mkv");
        const QStringList fixed{"-keyint_min", "1", "-sc_threshold", "0", "-c:v", "libx264", "-preset", "ultrafast"};
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", quiet + QStringList{"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=10",
                                                                        "-g", c.sourceKeys} + fixed + QStringList{source})
                      .exitCode,
                  0);
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", quiet + QStringList{"-i", source, "-g", c.outputKeys} + fixed +
                                                        QStringList{output})
                      .exitCode,
                  0);
        const TContentSamples samples = PicturesMatched(source, output);
        ASSERT_EQ(samples.Moments.size(), ContentMoments);
        const double spacing = 10000.0 / (ContentMoments - 1);
        int nearKeys = 0;
        for (int i = 0; i < ContentMoments; ++i) {
            const int at = samples.Moments.at(i).AtMs;
            EXPECT_NEAR(at, spacing * i, 0.9 * spacing + 80) << i;
            if (i > 0) {
                EXPECT_GE(at - samples.Moments.at(i - 1).AtMs, 400) << i;
            }
            nearKeys += i > 0 && i + 1 < ContentMoments && at % 2480 < 1000 ? 1 : 0;
            const int first = samples.Moments.front().AtMs, last = samples.Moments.back().AtMs;
            if (c.where == 'e') {
                EXPECT_NEAR(at, first + (last - first) * i / (ContentMoments - 1), 2) << i;
            }
        }
        EXPECT_LT(samples.Moments.front().AtMs, 80);
        EXPECT_GT(samples.Moments.back().AtMs, 9800);
        if (c.where == 'k') {
            EXPECT_GE(nearKeys, 6);
        }
    }
}

// A minute of pictures checked against itself: the readers seek to each moment's key picture
// rather than decode the recording through, whether its index comes with the file or grows
// as it is read.
TEST(ContentProbe, ALongRecordingIsDecodedOnlyAroundItsMoments)
{
    const struct {
        const char* name;
        const char* file;
        const char* codec;
    } cases[] = {
        {"MPEG-TS, key pictures a second apart", "long.ts", "libx264"},
        {"MPEG-PS, MPEG-2 in groups of 12", "long.mpg", "mpeg2video"},
        {"Matroska, its cues at the end", "long.mkv", "libx264"},
        {"MP4, an index of the whole file", "long.mp4", "libx264"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.filePath(c.file);
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                                     "testsrc=size=160x120:rate=25:duration=60", "-g", "25", "-c:v",
                                                     c.codec, "-preset", "ultrafast", file})
                      .exitCode,
                  0);
        const TContentSamples samples = PicturesMatched(file, file);
        EXPECT_LT(samples.PicturesDecoded, 2 * 1500 / 3);
    }
}
