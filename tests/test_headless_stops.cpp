// Headless runs that end early: an encoder that hangs, and SIGINT from the program's first
// moment. Stand-in encoders (tests/fake_encoder) in the program home's tools folder.

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A fresh scratch folder whose home holds the stand-in encoder fake.
QString ScratchWithEncoder(const char* fake)
{
    const QString dir = TestSupport::TestScratch("headless_stops", {"home/tools/Mencoder", "in", "out", "tmp"});
    const QString encoder = dir + "/home/tools/Mencoder/mencoder";
    if (!QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/") + fake, encoder))
        ADD_FAILURE() << "cannot copy " << fake;
    return dir;
}

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// A conversion whose encoder hangs ends its row at the stall limit, with the reason, and
// leaves no temporary output behind.
TEST(HeadlessStops, AHungEncoderEndsItsRowAtTheStallLimit)
{
    const QString dir = ScratchWithEncoder("status_stuck.sh");
    const QString in = TestSupport::CopyClip("clip_xvid_mp3.avi", dir + "/in/a.avi");
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        {"--home", dir + "/home", "--convert", "--out-dir", dir + "/out", in},
        {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en", "VEXACONV_ENCODER_STALL_MS=1000"}, 60000);
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    // the row's line ends with the reason
    EXPECT_EQ(r.out.toStdString(), ("Error (258)\t" + in + "\t" + dir +
                                    "/out/a.avi\tThe encoder showed no progress for 1 s and was stopped: it hangs on "
                                    "this file.\n")
                                       .toStdString());
    EXPECT_EQ(Entries(dir + "/out"), QStringList());
}
