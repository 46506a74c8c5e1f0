// Output parsing, the progress texts and the error log: pure functions over text.
#include "base/AppInfo.h"
#include "support/TestSupport.h"
#include "runner/RunState.h"
#include "runner/EncoderOutput.h"
#include "runner/ErrorLog.h"
#include "runner/LineAssembler.h"
#include "runner/ProgressHandler.h"
#include "runner/StatusLine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TStatusLine Parse(const QString& line, bool* ok = nullptr)
{
    TStatusLine s;
    const bool r = ParseStatusLine(line, &s);
    if (ok)
        *ok = r;
    return s;
}

QStringList Assemble(const QByteArray& bytes, int maxLine = 20480)
{
    QStringList lines;
    TLineAssembler a(lines, maxLine);
    a.Feed(bytes, nullptr);
    a.Finish(nullptr);
    return lines;
}

} // namespace

// ---- status line ------------------------------------------------------------

TEST(StatusLine, ParsesTheEncodersLine)
{
    bool ok = false;
    const TStatusLine s = Parse(QStringLiteral("Pos:  12.3s    308f (41%) 95.77fps Trem:   0min   2mb  A-V:0.000 [400:128]"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Frame, 308);
    EXPECT_DOUBLE_EQ(s.Seconds, 12.3);
    EXPECT_EQ(s.Percent, 41);
    EXPECT_DOUBLE_EQ(s.Fps, 95.77);
    EXPECT_EQ(s.SizeMB, 2);
}

TEST(StatusLine, OneDigitPercentWithBlankAfterParenthesis)
{
    const TStatusLine s = Parse(QStringLiteral("Pos:   0.2s      5f ( 7%)  0.00fps Trem:   0min   0mb  A-V:0.000 [0:0]"));
    EXPECT_EQ(s.Percent, 7);
    EXPECT_EQ(s.Frame, 5);
    EXPECT_DOUBLE_EQ(s.Fps, 0.0);
}

TEST(StatusLine, RejectsWhatIsNotAStatusLine)
{
    bool ok = true;
    Parse(QStringLiteral("MEncoder 1.5 (Debian)"), &ok);
    EXPECT_FALSE(ok);
    Parse(QStringLiteral("Pos: 1.0s 25f (1%) 25fps Trem: 0min 1mb"), &ok); // nine tokens
    EXPECT_FALSE(ok);
    Parse(QStringLiteral("Pos: 1.0s xf (1%) 25fps Trem: 0min 1mb A-V:0 [1:1]"), &ok); // frame not a number
    EXPECT_FALSE(ok);
    Parse(QStringLiteral("Pos: 1.0s -25f (1%) 25fps Trem: 0min 1mb A-V:0 [1:1]"), &ok); // found by fuzzing
    EXPECT_FALSE(ok);
    Parse(QStringLiteral("pos: 1.0s 25f (1%) 25fps Trem: 0min 1mb A-V:0 [1:1]"), &ok);
    EXPECT_FALSE(ok);
}

TEST(StatusLine, LeadingBlanksAndCommaDecimalAndOddTokens)
{
    bool ok = false;
    TStatusLine s = Parse(QStringLiteral("   Pos: 1.0s 25f (3%) 25,5fps Trem: 0min 7MB A-V:0 [1:1]  "), &ok);
    ASSERT_TRUE(ok);
    EXPECT_DOUBLE_EQ(s.Fps, 25.5);
    EXPECT_EQ(s.SizeMB, 7);
    // unreadable speed, no size unit, no percent sign
    s = Parse(QStringLiteral("Pos: 1.0s 25f (3) ?fps Trem: 0min 7 A-V:0 [1:1]"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Percent, -1);
    EXPECT_DOUBLE_EQ(s.Fps, -1.0);
    EXPECT_EQ(s.SizeMB, 0);
    s = Parse(QStringLiteral("Pos: 1.0s 25f (3%) 25 Trem: 0min xmb A-V:0 [1:1]"), &ok);
    EXPECT_DOUBLE_EQ(s.Fps, -1.0); // no "fps": left at its default
    EXPECT_EQ(s.SizeMB, 0);
}

// From 1000 s on the time runs into "Pos:", from 1000 min on the remaining time into
// "Trem:"; the tokens must not shift, or the progress freezes on long videos.
TEST(StatusLine, TimeAndRemainingTimeGluedToTheirLabels)
{
    bool ok = false;
    TStatusLine s = Parse(QStringLiteral("Pos:1000.0s  25000f (97%) 31.50fps Trem:   1min 690mb  A-V:0.000 [400:128]"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Frame, 25000);
    EXPECT_DOUBLE_EQ(s.Seconds, 1000.0);
    EXPECT_EQ(s.Percent, 97);
    EXPECT_EQ(s.SizeMB, 690);
    s = Parse(QStringLiteral("Pos: 120.0s   3000f ( 2%)  1.20fps Trem:1234min 9999mb  A-V:0.000 [400:128]"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Percent, 2);
    EXPECT_EQ(s.SizeMB, 9999);
    s = Parse(QStringLiteral("Pos:1234.5s 30000f (99%) 10.00fps Trem:1001min 1200mb A-V:0.000 [1:1]"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Frame, 30000);
    EXPECT_DOUBLE_EQ(s.Fps, 10.0);
    EXPECT_EQ(s.SizeMB, 1200);
}

// ---- line assembly ------------------------------------------------------------

TEST(LineAssembly, ConsoleForms)
{
    EXPECT_EQ(Assemble("a\nPos:1\rPos:2\r"), (QStringList{"a", "Pos:2"}));
    EXPECT_EQ(Assemble("x\ny\r"), (QStringList{"x", "y"}));
    EXPECT_EQ(Assemble("a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(Assemble("P1\rP2\rP3\r"), (QStringList{"P3"}));
    EXPECT_EQ(Assemble("no end"), (QStringList{"no end"}));
    EXPECT_EQ(Assemble("a\n\nb\n"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(Assemble(""), QStringList());
}

// The encoder's last status line comes as "Pos:...\r\r\n\n" before its closing lines.
TEST(LineAssembly, StatusLineFollowedByCrCrLfLf)
{
    EXPECT_EQ(Assemble("head\nPos:1\rPos:2\r\r\n\nFlushing video frames.\n"),
              (QStringList{"head", "Pos:2", "", "Flushing video frames."}));
}

TEST(LineAssembly, LongLineIsDeliveredAtTheLimit)
{
    QStringList lines;
    TLineAssembler a(lines, 20480);
    int delivered = 0;
    const QByteArray big(20480, 'x');
    a.Feed(big.left(20479), [&](const QString&, bool) { ++delivered; });
    EXPECT_EQ(delivered, 0);
    a.Feed(big.right(1), [&](const QString& line, bool appended) {
        ++delivered;
        EXPECT_TRUE(appended);
        EXPECT_EQ(line.size(), 20480);
    });
    EXPECT_EQ(delivered, 1);
    a.Feed("tail\n", nullptr);
    a.Finish(nullptr);
    EXPECT_EQ(lines, (QStringList{QString(20480, QLatin1Char('x')), "tail"}));
}

TEST(LineAssembly, DecodesUtf8AcrossReads)
{
    QStringList lines;
    TLineAssembler a(lines);
    const QByteArray text = QStringLiteral("Öffne »ü«\n").toUtf8();
    for (char c : text)
        a.Feed(&c, 1, nullptr);
    EXPECT_EQ(lines, QStringList{QStringLiteral("Öffne »ü«")});
}

// ---- output filter ------------------------------------------------------------

TEST(CleanOutput, RemovesBlanksAndNoiseKeepsTheRest)
{
    QStringList lines{
        "MEncoder banner", "   ", "", "1 duplicate frame(s)!", "skipping frame!", "Skipping frame!",
        "[mp4 @ 0x1] use AVStream.codecpar instead", "[matroska @ 0x3] use AVStream.codecpar instead",
        "[avi @ 0x1] use AVStream.codecpar instead",
        "libavformat muxing is presently broken", "will create INCORRECT files in the presence of B-frames",
        "or play these INCORRECT files", "** MUXER_LAVF *****************************************************************",
        "Invalid pixel aspect ratio 0/1, reducing", "Invalid pixel aspect ratio 0/1",
        "[mpeg4 @ 0x2](see ffmpeg.org)frame= 12 q=2.0", "Pos: 1.0s 25f"};
    CleanEncoderOutput(lines);
    EXPECT_EQ(lines, (QStringList{"MEncoder banner", "[avi @ 0x1] use AVStream.codecpar instead",
                                  "Invalid pixel aspect ratio 0/1", "frame= 12 q=2.0", "Pos: 1.0s 25f"}));
}

TEST(CleanOutput, HiddenViewWaitsForTheEnd)
{
    const QStringList lines{"a", "Pos: x"};
    EXPECT_EQ(OutputViewText(lines, false, 10), "a\nPos: x");
    EXPECT_EQ(OutputViewText(lines, true, 99), "Please wait...");
    EXPECT_EQ(OutputViewText(lines, true, 100), "a\nPos: x");
    EXPECT_EQ(OutputViewText({"global headers: 1", "muxing overhead: 0.1%"}, true, 50),
              "global headers: 1\nmuxing overhead: 0.1%");
    EXPECT_EQ(OutputViewText({"global headers: 1"}, true, 50), "Please wait...");
}

// A long run: the handler filters as lines come, keeps the run's last lines and shows a
// bounded tail, and still knows the latest status line when a flood of warnings follows it.
TEST(CleanOutput, LongOutputIsFilteredAsItComesAndKeptBounded)
{
    TRunState st;
    st.UpdateInterval = 4;
    TProgressHandler h(st);
    TLineAssembler assembler(st.EncoderOutput);
    TProgressUpdate last;
    bool any = false;
    const auto onLine = [&](const QString&, bool) {
        if (const std::optional<TProgressUpdate> u = h.UpdateAfterLine(false)) {
            last = *u;
            any = true;
        }
    };
    assembler.Feed(QByteArray("banner\nPos: 2.0s 50f (12%) 25.00fps Trem: 0min 1mb A-V:0 [1:1]\r\n"), onLine);
    const int warnings = 3 * int(EncoderOutputKeptLines) + 7;
    QByteArray flood;
    for (int i = 0; i < warnings; ++i) {
        flood += "[h264 @ 0x1] warning " + QByteArray::number(i) + "\n";
        if (i % 10 == 0)
            flood += "1 duplicate frame(s)!\n\n";
    }
    assembler.Feed(flood, onLine);
    assembler.Finish(onLine);
    ASSERT_TRUE(any);
    last = h.MakeUpdate(false);
    EXPECT_TRUE(last.HasStatus);
    EXPECT_EQ(last.Status.Frame, 50);
    EXPECT_LE(st.EncoderOutput.size(), 2 * EncoderOutputKeptLines);
    EXPECT_GT(st.EncoderOutputDropped, 0);
    for (const QString& line : st.EncoderOutput.mid(0, st.EncoderOutput.size() - 1))
        EXPECT_TRUE(line.startsWith("[h264")) << line.toStdString(); // noise and blanks are gone
    EXPECT_LE(last.OutputView.count('\n'), OutputViewLines - 1);
    EXPECT_TRUE(last.OutputView.endsWith("warning " + QString::number(warnings - 1)));

    // the error report keeps the last lines and says how many went
    CleanEncoderOutput(st.EncoderOutput);
    const qint64 total = st.EncoderOutputDropped + st.EncoderOutput.size();
    EXPECT_EQ(total, warnings + 2); // every warning, the banner and the status line
    const QString report = RunErrorReportText(1, st.EncoderOutput, st.EncoderOutputDropped);
    EXPECT_TRUE(report.startsWith(QStringLiteral("ExitCode: 1\r\n[%1 earlier lines of the encoder's output are left out]\r\n")
                                      .arg(st.EncoderOutputDropped)))
        << report.left(200).toStdString();
    EXPECT_TRUE(report.endsWith("warning " + QString::number(warnings - 1) + "\r\n"));
}

// ---- throttle and status texts --------------------------------------------------

TEST(Progress, UpdateIntervalFollowsTheSpeed)
{
    EXPECT_EQ(UpdateIntervalForFps(0.0), 4);
    EXPECT_EQ(UpdateIntervalForFps(-1.0), 2);
    EXPECT_EQ(UpdateIntervalForFps(9.99), 2);
    EXPECT_EQ(UpdateIntervalForFps(10.0), 6);
    EXPECT_EQ(UpdateIntervalForFps(39.99), 6);
    EXPECT_EQ(UpdateIntervalForFps(40.0), 12);
    EXPECT_EQ(UpdateIntervalForFps(80.0), 16);
    EXPECT_EQ(UpdateIntervalForFps(140.0), 20);
    EXPECT_EQ(UpdateIntervalForFps(199.9), 20);
    EXPECT_EQ(UpdateIntervalForFps(200.0), 30);
}

TEST(Progress, HandlerWorksOnEveryIntervalthLineAndWraps)
{
    TRunState st;
    TProgressHandler h(st);
    st.UpdateInterval = 4;
    st.EncoderOutput = {"banner"};
    int passed = 0;
    for (int i = 0; i < 12; ++i)
        passed += h.UpdateAfterLine(false).has_value() ? 1 : 0;
    EXPECT_EQ(passed, 3);
    EXPECT_EQ(st.ChunkCounter, 12);
    EXPECT_EQ(st.UpdateInterval, 4); // no status line: unchanged

    st.ChunkCounter = 100000000;
    st.UpdateInterval = 7;
    EXPECT_TRUE(h.UpdateAfterLine(false).has_value()); // wrapped to 0, a multiple of everything
    EXPECT_EQ(st.ChunkCounter, 0);

    st.UpdateInterval = 0; // never a division by zero
    EXPECT_TRUE(h.UpdateAfterLine(false).has_value());
}

TEST(Progress, UpdateFromLatestStatusLine)
{
    TRunState st;
    st.CurrentFileNo = 2;
    st.FilesToConvert = 3;
    st.CurrentFileInfo.VideoStreams[0].Frames = 1234567;
    st.EncoderOutput = {"banner", "Pos: 1.0s 10f ( 1%) 5.00fps Trem: 0min 1mb A-V:0 [1:1]",
                        "Pos: 9.0s 2400f (101%) 250.5fps Trem: 0min 12345mb A-V:0 [1:1]", "", "trailer"};
    TProgressHandler h(st);
    const TProgressUpdate u = h.MakeUpdate(false);
    ASSERT_TRUE(u.HasStatus);
    EXPECT_EQ(u.Percent, 100); // the encoder overshoots to 101 %
    EXPECT_EQ(u.Caption, "Progress: 100%");
    EXPECT_EQ(u.AppTitle, "100% " + AppInfo::FullCaption());
    EXPECT_EQ(st.UpdateInterval, 30);
    // The speed is shown with the user's decimal mark.
    EXPECT_EQ(u.StatusText,
              TestSupport::UserDecimals(QStringLiteral(
                  "Converting file <b>2</b> / <b>3</b>    ::    Speed: <b><FONT bgcolor=\"#496954\" color=\"#E0EBE0\">  250.50  "
                  "</FONT></b> fps    ::    Frame: 2 400 / ~1 234 567    ::    Est. output size: <b>~12 345 MB</b>")))
        << u.StatusText.toStdString();
    EXPECT_EQ(st.EncoderOutput.size(), 4); // filtered: the blank entry is gone
    EXPECT_EQ(u.OutputView, st.EncoderOutput.join('\n'));
    EXPECT_EQ(PlainProgressText(st, u), TestSupport::UserDecimals(QStringLiteral("file 2/3: 100% 250.50 fps frame 2400/~1234567 ~12345 MB")));
}

TEST(Progress, ZeroPercentLeavesTheTitleAlone)
{
    TRunState st;
    st.EncoderOutput = {"Pos: 0.0s 1f ( 0%) 0.00fps Trem: 0min 0mb A-V:0 [0:0]"};
    TProgressHandler h(st);
    const TProgressUpdate u = h.MakeUpdate(true);
    EXPECT_EQ(u.Caption, "Progress: 0%");
    EXPECT_TRUE(u.AppTitle.isEmpty());
    EXPECT_EQ(u.SpeedText, "?");
    EXPECT_EQ(st.UpdateInterval, 4);
    EXPECT_EQ(u.OutputView, "Please wait...");
}

TEST(Progress, PassBadges)
{
    TRunState st;
    st.TwoPass = true;
    st.PassNo = 1;
    st.CurrentFileNo = 1;
    st.FilesToConvert = 1;
    TStatusLine s;
    s.Frame = 5;
    s.Fps = 12.0;
    s.SizeMB = 0;
    EXPECT_TRUE(StatusHtml(st, s).startsWith(
        "Converting file <b>1</b> / <b>1</b>  <font bgcolor=\"#D63D16\" color=\"#FAD3C9\"><b>  Pass 1  </b></font>     ::    Speed: "));
    st.PassNo = 2;
    EXPECT_TRUE(StatusHtml(st, s).contains("<font bgcolor=\"#2462C8\" color=\"#D5EBFD\"><b>  Pass 2  </b></font> "));
    EXPECT_TRUE(StatusHtml(st, s).endsWith("Frame: 5 / ~0    ::    Est. output size: <b>~0 MB</b>"));
}

// ---- error log ------------------------------------------------------------------

TEST(ErrorLog, ReportFormat)
{
    const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 2));
    const QString report = RunErrorReportText(1, {"Cannot open file", "Exiting..."});
    EXPECT_EQ(report, "ExitCode: 1\r\nCannot open file\r\nExiting...\r\n");
    const QStringList lines = FormatErrorReport(report, "/in/a.avi", "/out/a.avi", 3, when);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], "Error # 3");
    EXPECT_EQ(lines[1], "----------");
    EXPECT_TRUE(lines[2].startsWith("Date & Time: "));
    EXPECT_TRUE(lines[2].contains(" / "));
    EXPECT_TRUE(lines[2].contains("09:05:02") || lines[2].contains("9:05:02"));
    EXPECT_FALSE(lines[2].contains("UTC"));
    EXPECT_EQ(lines[3], "Input file: /in/a.avi");
    EXPECT_EQ(lines[4], "Output file: /out/a.avi");
    EXPECT_EQ(lines.mid(5, 4), (QStringList{"ExitCode: 1", "Cannot open file", "Exiting...", ""}));
    EXPECT_EQ(lines[9], QString(69, '-'));

    const QStringList unnumbered = FormatErrorReport("text", "i", "o", 0, when);
    EXPECT_TRUE(unnumbered[0].startsWith("Date & Time: "));
    EXPECT_EQ(RunErrorReportText(-1, {}), "ExitCode: 4294967295\r\n");
}

// The window takes a report apart again: whatever the report holds comes back, and text
// of another form is all output.
TEST(ErrorLog, ReportsComeApartAsTheyWereMade)
{
    struct {
        QString report;
        TErrorReportParts parts;
    } const cases[] = {
        {RunErrorReportText(1, {"Cannot open file", "Exiting..."}, 0, "The encoder cannot read this file.", "mencoder a"),
         {"The encoder cannot read this file.", "1", "mencoder a", "", {"Cannot open file", "Exiting..."}}},
        {RunErrorReportText(139, {"[mpeg4 @ 0x1] bad]"}, 7), {"", "139", "", "", {}}},
        {RunErrorReportText(0, {}, 0, "Why."), {"Why.", "0", "", "", {}}},
        // a failed check or a refusal: no exit code, as the encoder did not fail
        {RunErrorReportText(std::nullopt, {"last"}, 0, "The output is too short.", "mencoder a"),
         {"The output is too short.", "", "mencoder a", "", {"last"}}},
        {RunErrorReportText(std::nullopt, {}, 0, "The file is empty."), {"The file is empty.", "", "", "", {}}},
        {"free\ntext\nExitCode: 1", {"", "", "", "", {"free", "text", "ExitCode: 1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report.toStdString());
        const TErrorReportParts parts = SplitErrorReport(c.report);
        EXPECT_EQ(parts.Reason, c.parts.Reason);
        EXPECT_EQ(parts.ExitCode, c.parts.ExitCode);
        EXPECT_EQ(parts.CommandLine, c.parts.CommandLine);
        if (c.parts.ExitCode == "139") { // the note of left-out lines, and a bracketed line that is output
            EXPECT_TRUE(parts.LeftOut.contains("7"));
            EXPECT_EQ(parts.Output, QStringList{"[mpeg4 @ 0x1] bad]"});
        } else {
            EXPECT_EQ(parts.LeftOut, c.parts.LeftOut);
            EXPECT_EQ(parts.Output, c.parts.Output);
        }
    }
}

TEST(ErrorLog, NumberingSurvivesClearingAndSaveWritesCrLf)
{
    TErrorLog log;
    log.AddErrorReport(RunErrorReportText(1, {}), "a", "a.avi", 1);
    log.Clear(); // the user clears the log during the batch
    log.AddErrorReport(RunErrorReportText(139, {"crash"}), "b", "b.avi", 2);
    EXPECT_EQ(log.Lines().first(), "Error # 2");

    TErrorLog two;
    two.AddErrorReport("x", "a", "a.avi", 1);
    two.AddErrorReport("y", "b", "b.avi", 2);
    EXPECT_EQ(two.Lines().indexOf("Error # 1"), 0);
    EXPECT_GT(two.Lines().indexOf("Error # 2"), two.Lines().indexOf("Error # 1"));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("VexaConv_Errors.log"));
    const TResult saved = two.SaveToFile(file);
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("Error # 1\r\n----------\r\n"));
    EXPECT_TRUE(bytes.endsWith(QByteArray(69, '-') + "\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));

    const TResult failed = two.SaveToFile(dir.filePath(QStringLiteral("missing/dir/x.log")));
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().isEmpty());
    EXPECT_EQ(two.Lines().size(), 14); // unchanged by the failed save
}

TEST(ErrorLog, AfterConversionDecision)
{
    EXPECT_TRUE(ShouldCloseAfterConversion(acCloseApplication, true, 2, false, 0));
    EXPECT_FALSE(ShouldCloseAfterConversion(acCloseApplication, true, 2, false, 1)); // errors keep it open
    EXPECT_FALSE(ShouldCloseAfterConversion(acCloseApplication, true, 2, true, 0));  // aborted
    EXPECT_FALSE(ShouldCloseAfterConversion(acCloseApplication, true, 0, false, 0)); // nothing to do
    EXPECT_FALSE(ShouldCloseAfterConversion(acCloseApplication, false, 2, false, 0)); // early end
    EXPECT_FALSE(ShouldCloseAfterConversion(acDoNothing, true, 2, false, 0));
    EXPECT_FALSE(ShouldCloseAfterConversion(5, true, 2, false, 0));
}
