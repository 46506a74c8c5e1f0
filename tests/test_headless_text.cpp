// What the headless modes print when names, tags and encoder lines carry escape
// sequences: nothing reaches the terminal raw, and every text ends with a line break.

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

const QString Esc = QStringLiteral("\x1b[31m");
const QString Shown = QStringLiteral("?[31m");

class HeadlessText : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("mencoder")).isEmpty())
            GTEST_SKIP() << "mencoder not installed";
        m_dir = TestSupport::ScratchDir() + "/cli_text/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir(m_dir).removeRecursively();
        QDir().mkpath(m_dir + "/home");
        // A real clip whose name and tags hold escape sequences (colour, window title, bell).
        m_clip = m_dir + "/e" + Esc + "red.mkv";
        const TestSupport::RunResult r = TestSupport::RunProgram(
            "ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "1",
                       "-c:v", "mpeg4", "-metadata", "title=" + Esc + "red title", "-metadata",
                       "comment=x\x1b]0;pwned\x07y\xc2\x9b" "2J", m_clip});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    }

    TestSupport::RunResult Run(const QStringList& args)
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, {"TMPDIR=" + m_dir}, 300000,
                                        m_dir);
    }

    // No C0 control but tab and line ends, no C1 control (as UTF-8), no raw ESC anywhere.
    static void ExpectTerminalSafe(const QByteArray& bytes)
    {
        const QString text = QString::fromUtf8(bytes);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            const bool lineEnd = c == u'\n' || (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n');
            EXPECT_FALSE((c < 0x20 && c != u'\t' && !lineEnd) || (c >= 0x7F && c <= 0x9F))
                << "control " << int(c) << " at " << i << " in: " << bytes.constData();
        }
        EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith('\n')) << bytes.constData();
    }

    QString m_dir;
    QString m_clip;
};

} // namespace

TEST_F(HeadlessText, InfoAndCmdLineShowTheNameWithoutItsControls)
{
    TestSupport::RunResult r = Run({"--info", m_clip});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ExpectTerminalSafe(r.out);
    const QString shownClip = m_dir + "/e" + Shown + "red.mkv";
    EXPECT_TRUE(r.out.contains(("File: " + shownClip + "\r\n").toUtf8())) << r.out.constData();
    EXPECT_TRUE(r.out.contains("red title")) << r.out.constData(); // the tag, without its escape
    EXPECT_TRUE(r.out.endsWith("\r\n"));

    // The preview is one line, and now ends with a line break.
    r = Run({"--cmdline", m_clip});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ExpectTerminalSafe(r.out);
    EXPECT_TRUE(r.out.startsWith(("\"" + shownClip + "\" -ovc ").toUtf8())) << r.out.constData();
    EXPECT_TRUE(r.out.endsWith(" -o <output_file>\n")) << r.out.constData();
    EXPECT_EQ(r.out.count('\n'), 1);
}

TEST_F(HeadlessText, ConvertStatusLinesAndErrorReportsAreSafe)
{
    const QString out = m_dir + "/out";
    const QString log = m_dir + "/errors.log";
    // The encoder repeats the bad option, escape and all, in its own output.
    const TestSupport::RunResult r = Run({"--convert", "--set", "AdditionalParams=-bad" + Esc + "option", "--out-dir",
                                          out, "--error-log", log, m_clip});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    ExpectTerminalSafe(r.out);
    ExpectTerminalSafe(r.err);
    EXPECT_EQ(QString::fromUtf8(r.out),
              "Error (1)\t" + m_dir + "/e" + Shown + "red.mkv\t" + out + "/e" + Shown
                  + "red.avi\tThe encoder does not know an option of the command line: check the additional parameters.\n");
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains("Input file: " + m_dir + "/e" + Shown + "red.mkv\n")) << r.err.constData();
    EXPECT_TRUE(err.contains("-bad" + Shown + "option is not an MEncoder option")) << r.err.constData();
    // The log file is no terminal: it keeps the text as it was.
    const QString saved = QString::fromUtf8(TestSupport::ReadFile(log));
    EXPECT_TRUE(saved.contains("Input file: " + m_clip + "\r\n")) << saved.toStdString();
}

TEST_F(HeadlessText, UsageErrorsAndWarningsAreSafe)
{
    TestSupport::RunResult r = Run({"--bogus" + Esc + "\x07"});
    EXPECT_EQ(r.exitCode, 2);
    ExpectTerminalSafe(r.err);
    EXPECT_TRUE(r.err.contains("--bogus?[31m?")) << r.err.constData();

    // A profile value that falls back prints a warning naming the value.
    r = Run({"--cmdline", "--set", "VideoBitrate=9" + Esc, m_clip});
    ExpectTerminalSafe(r.err);
    ExpectTerminalSafe(r.out);
}
