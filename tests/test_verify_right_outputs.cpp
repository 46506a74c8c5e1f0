// Outputs that are right from sources that are hard to judge, made by the real encoder
// under the program's command line and judged as a batch judges them (the record against
// the plan's expectation, then the pictures and sound against the source's): each is kept.

#include "base/AppParams.h"
#include "encoding/EncoderCommand.h"
#include "encoding/SettingRows.h"
#include "media/ContentProbe.h"
#include "media/MediaAnalysis.h"
#include "outputs/ContentCheck.h"
#include "outputs/OutputCheck.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ContentCheck, RightOutputsOfHardSourcesAreKept)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    struct Case {
        const char* clip; // of make_traits.sh
        TVideoCodec codec;
        TContainer container;
        const char* what;
        bool soundJudged; // beeps over a second at least: lined up with the picture
    };
    const Case cases[] = {
        // the AVI header delays the pictures one picture, 83 ms at this rate
        {"traits/scene_12fps.mpg", TVideoCodec::Xvid, TContainer::Avi, "12 fps, the pictures one picture late", true},
        // a picture repeated near the start, the rest one picture late
        {"traits/scene_12fps.mpg", TVideoCodec::X264, TContainer::Mp4, "12 fps, one picture repeated", true},
        {"traits/hevc.ts", TVideoCodec::X264, TContainer::Mp4, "HEVC in MPEG-TS with one keyframe", true},
        // (the clock's span is a second: too short to line sound up by)
        {"traits/joined.mpg", TVideoCodec::X264, TContainer::Mp4, "MPEG-PS whose clock starts again halfway", false},
        {"traits/slides_1fps.mp4", TVideoCodec::Xvid, TContainer::Avi, "one picture a second, one picture late", true},
        {"traits/silent_mpeg2.mpg", TVideoCodec::X264, TContainer::Mp4, "MPEG-2 with silent sound", false},
    };
    for (const Case& c : cases) {
        const QString input = TestSupport::Clip(QString::fromLatin1(c.clip));
        if (!QFileInfo::exists(input)) // (ffmpeg without an HEVC encoder)
            continue;
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.") + (c.container == TContainer::Avi   ? "avi"
                                                                     : c.container == TContainer::Mp4 ? "mp4"
                                                                                                      : "mkv"));
        EncodingSettings s;
        SetDefaultParams(s, 0);
        s.videoCodec = c.codec;
        s.container = c.container;
        TVideoFileInfo info;
        GetVideoFileInfo(input, SystemMediaInfoLibrary(), info);
        const TEncoderJob job = BuildEncoderJob(s, info, 2, input, output, QString(), [](const QString&) {});
        ASSERT_TRUE(job.Ok && job.Runs.size() == 1) << c.what;
        const auto run = TestSupport::RunProgram(QStringLiteral("mencoder"), job.Runs[0].Args, {}, 300000);
        ASSERT_EQ(run.exitCode, 0) << c.what;

        const TOutputExpectation expected = ExpectedOutput(job.Plan);
        const TOutputVerdict record = VerifyOutputFile(output, SystemMediaInfoLibrary(), expected);
        EXPECT_TRUE(record.Ok) << c.what << ": " << record.Reason.toStdString();
        TContentRequest compare;
        compare.Source = input;
        compare.Output = output;
        compare.SourceSoundTrack = job.Plan.ConvertedSound;
        const TContentVerdict v = JudgeContent(ProbeContent(compare), expected.PicturesComparable,
                                               expected.SoundComparable, expected.SubtitlesBurnt);
        EXPECT_TRUE(v.Ok) << c.what << ": " << v.Sentence.toStdString() << " | " << v.Detail.toStdString();
        EXPECT_TRUE(v.PicturesJudged) << c.what;
        EXPECT_EQ(v.SoundJudged, c.soundJudged) << c.what << " | " << v.Detail.toStdString();
    }
}
