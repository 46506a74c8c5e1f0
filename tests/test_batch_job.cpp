// One row's conversion as an object, against stand-in encoders: a faithful output is
// committed, an encoder's failure and a failed check are reported once, a wrong length
// gets one run with libavformat's reader, an abort and a pause reach the encoder.

#include "batch/BatchPlanner.h"
#include "batch/BatchTools.h"
#include "batch/ConversionJob.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/SettingRows.h"
#include "media/MediaInfoLib.h"
#include "media/MediaAnalysis.h"
#include "outputs/TempOutput.h"
#include "runner/ErrorLog.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TTestHost : public IJobHost, public IProgressSink {
public:
    bool Aborted() const override { return aborted; }
    bool Paused() const override { return paused; }
    int TakePlace() override { return 0; }
    void OnProgress(const TProgressUpdate&) override {}
    void OnEncoderLine(const QString& line, bool) override { lines << line; }

    // what the job tells, heard as the planner hears it
    void Watch(TConversionJob& job)
    {
        QObject::connect(&job, &TConversionJob::failed, [this](const TRowFailure& f) { reports << f.Report; });
    }

    bool aborted = false;
    bool paused = false;
    QStringList reports;
    QStringList lines;
};

enum class TAct { None, Abort, Pause };

struct TCase {
    const char* name;
    // the stand-in's body after "$out" was found; $src: a faithful output, $cut: its first two seconds
    const char* encoder;
    TAct act;
    const char* status; // the outcome's, "" for any
    bool failed;
    int runs;           // MEncoder's runs, the remedy's included
    bool committed;
    TEncoderChoice choice = TEncoderChoice::MEncoder; // the encoder setting
};

QString Sh(const QString& path) { return "'" + path + "'"; }

} // namespace

TEST(ConversionJob, EachWayARowEnds)
{
    const QString dir = TestSupport::TestScratch("conversion_job", {"out"});
    const QString src = TestSupport::CopyClip("clip_xvid_mp3.avi", dir + "/src.avi");
    const QString cut = dir + "/cut.avi";
    ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-nostdin", "-loglevel", "error", "-y", "-i", src, "-t", "2", "-c",
                                                 "copy", cut})
                  .exitCode,
              0);
    const TCase cases[] = {
        {"a faithful output", "cp \"$src\" \"$out\"", TAct::None, "Done", false, 1, true},
        {"the encoder fails", "echo 'Exiting... (End of file)'; exit 3", TAct::None, "Error (3)", true, 1, false},
        {"junk called a success", "head -c 20000 /dev/urandom > \"$out\"", TAct::None, "Error", true, 1, false},
        {"a wrong length, cured by the other reader",
         "case \"$all\" in *'-demuxer lavf'*) cp \"$src\" \"$out\";; *) cp \"$cut\" \"$out\";; esac", TAct::None, "Done",
         false, 2, true},
        {"a wrong length with either reader", "cp \"$cut\" \"$out\"", TAct::None, "Error", true, 2, false},
        {"aborted", "trap 'exit 2' INT; while :; do echo 'Pos: 1.0s 25f (10%)'; sleep 0.05; done", TAct::Abort, "",
         false, 1, false},
        {"paused, then done", "sleep 1; cp \"$src\" \"$out\"", TAct::Pause, "Done", false, 1, true},
        {"junk called a success, made again by FFmpeg", "head -c 20000 /dev/urandom > \"$out\"", TAct::None, "Done",
         false, 1, true, TEncoderChoice::Automatic},
    };
    TAppParams params;
    FillDefaultAppParams(params, dir, false);
    params.MediaInfoDll = SystemMediaInfoLibrary();
    EncodingSettings settings;
    SetDefaultParams(settings, 0);
    TBatchOptions options;
    TVideoFileInfo info;
    GetVideoFileInfo(src, params.MediaInfoDll, info);
    ASSERT_GT(info.Duration, 2500);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString log = dir + "/runs.log";
        QFile::remove(log);
        params.mencoder = TestSupport::WriteFile(
            dir + "/mencoder",
            ("#!/bin/sh\nall=\"$*\"\necho \"$all\" >> " + Sh(log) + "\nsrc=" + Sh(src) + " cut=" + Sh(cut) +
             "\nwhile [ $# -gt 1 ]; do [ \"$1\" = -o ] && out=$2; shift; done\n" + c.encoder + "\n")
                .toUtf8());
        QFile::setPermissions(params.mencoder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TBatchFiles files;
        TRowWork w;
        w.Input = src;
        w.Output = dir + "/out/clip.avi";
        QFile::remove(w.Output);
        w.FinalStatus = TRowStatus::Of(TRowStatusKind::Done);
        const TResultOf<QString> temp = ReserveTempOutput(w.Output);
        w.Temp = temp.value();
        ASSERT_FALSE(w.Temp.isEmpty()) << temp.error().toStdString();
        settings.encoder = c.choice;
        w.Job = BuildEncoderJob(RowPlanBy(TEngine::MEncoder, settings, info), 2, w.Input, w.Temp, QString(),
                                [](const QString&) {});
        ASSERT_TRUE(w.Job.Ok);
        TRunState state;
        state.CurrentFileInfo = info;
        TTestHost host;
        const TBatchTools tools = BatchToolsFrom(params);
        const TJobEnvironment env{&tools, &settings, &options, &files, &host};
        TConversionJob job(0, 0, w, state, QString(), env, host);
        host.Watch(job);
        QSignalSpy finished(&job, &TConversionJob::finished);
        job.Start();
        if (c.act == TAct::Abort) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !host.lines.isEmpty(); }, 10000));
            host.aborted = true;
            job.Abort();
        } else if (c.act == TAct::Pause) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return job.ProcessGroup() > 0; }, 10000));
            job.SetPaused(true);
            const QString statFile = QStringLiteral("/proc/%1/stat").arg(job.ProcessGroup());
            // A shell caught starting its child waits for the stopped child in vfork,
            // uninterruptibly ('D'); either way the stand-in goes no further.
            EXPECT_TRUE(QTest::qWaitFor([&] {
                const QByteArray stat = TestSupport::ReadFile(statFile);
                const char state = stat.at(stat.lastIndexOf(')') + 2);
                return state == 'T' || state == 'D';
            }));
            QTest::qWait(1500); // longer than the stand-in sleeps: it must not have gone on
            EXPECT_EQ(finished.count(), 0);
            job.SetPaused(false);
        }
        ASSERT_TRUE(finished.wait(60000));
        const TRowWork& outcome = job.Work();
        if (*c.status) {
            EXPECT_EQ(RowStatusData(outcome.FinalStatus), QString::fromLatin1(c.status));
        }
        EXPECT_EQ(outcome.Failed, c.failed) << outcome.Reason.toStdString();
        EXPECT_EQ(!outcome.Reason.isEmpty(), c.failed);
        EXPECT_EQ(host.reports.size(), c.failed ? 1 : 0) << host.reports.join('\n').toStdString();
        if (c.failed) { // an exit code in the report only where the encoder failed with one: "Error (3)", not "Error"
            EXPECT_EQ(SplitErrorReport(host.reports.value(0)).ExitCode,
                      QString::fromLatin1(c.status).section(QRegularExpression("[()]"), 1, 1));
        }
        EXPECT_EQ(TestSupport::Lines(TestSupport::ReadFile(log)).size(), c.runs);
        EXPECT_EQ(QFileInfo::exists(w.Output), c.committed);
        // nothing of the row is left under a temporary name
        EXPECT_EQ(QDir(dir + "/out").entryList(QDir::Files | QDir::Hidden).size(), c.committed ? 1 : 0);
    }
}

TEST(ConversionJob, AnAbortOutsideABatchClosesTheWindowAndPauseChangesNothing)
{
    TAppParams params;
    TErrorLog log;
    TBatchPlanner planner(params, log);
    EXPECT_EQ(planner.Abort(), TAbortResult::CloseWindow);
    EXPECT_FALSE(planner.AbortRequested());
    EXPECT_FALSE(planner.SetPaused(true));
}
