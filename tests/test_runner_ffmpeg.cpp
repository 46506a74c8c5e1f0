#include "runner/FfmpegProgress.h"
#include "runner/ProgressHandler.h"
#include "runner/RunState.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

// ffmpeg's -progress report, as Debian's ffmpeg writes it (captured from real runs), read
// block by block into the status the display shows.

namespace {

// A run of the 40 s clip into MP4: the first block, one later on, one without times or size,
// the end; blanks before values as ffmpeg pads them.
const char* const Mp4Run = "frame=1\n"
                           "fps=0.00\n"
                           "stream_0_0_q=0.0\n"
                           "bitrate=   7.2kbits/s\n"
                           "total_size=48\n"
                           "out_time_us=53311\n"
                           "out_time_ms=53311\n"
                           "out_time=00:00:00.053311\n"
                           "dup_frames=0\n"
                           "drop_frames=0\n"
                           "speed=21.3x\n"
                           "progress=continue\n"
                           "frame=194\n"
                           "fps=192.48\n"
                           "stream_0_0_q=7.0\n"
                           "bitrate=   0.0kbits/s\n"
                           "total_size=48\n"
                           "out_time_us=7759433\n"
                           "out_time_ms=7759433\n"
                           "out_time=00:00:07.759433\n"
                           "dup_frames=0\n"
                           "drop_frames=0\n"
                           "speed= 7.7x\n"
                           "progress=continue\n"
                           "frame=231\n"
                           "fps=150.39\n"
                           "stream_0_0_q=6.0\n"
                           "bitrate=   0.0kbits/s\n"
                           "speed=4.04x\n"
                           "progress=continue\n"
                           "frame=1000\n"
                           "fps=93.10\n"
                           "stream_0_0_q=-1.0\n"
                           "bitrate= 393.8kbits/s\n"
                           "total_size=1971419\n"
                           "out_time_us=40046780\n"
                           "out_time_ms=40046780\n"
                           "out_time=00:00:40.046780\n"
                           "dup_frames=0\n"
                           "drop_frames=0\n"
                           "speed=3.73x\n"
                           "progress=end\n";

// A first pass into the null muxer: no size, no speed yet.
const char* const FirstPass = "frame=1\n"
                              "fps=0.00\n"
                              "stream_0_0_q=0.0\n"
                              "bitrate=N/A\n"
                              "total_size=N/A\n"
                              "out_time_us=0\n"
                              "out_time_ms=0\n"
                              "out_time=00:00:00.000000\n"
                              "dup_frames=0\n"
                              "drop_frames=0\n"
                              "speed=   0x\n"
                              "progress=continue\n"
                              "frame=75\n"
                              "fps=0.00\n"
                              "stream_0_0_q=-1.0\n"
                              "bitrate=N/A\n"
                              "total_size=N/A\n"
                              "out_time_us=2920000\n"
                              "out_time_ms=2920000\n"
                              "out_time=00:00:02.920000\n"
                              "dup_frames=0\n"
                              "drop_frames=0\n"
                              "speed=22.5x\n"
                              "progress=end\n";

// ffmpeg's messages on the same pipe, a B-picture's time below zero, a time given only as a
// clock, and values not known (N/A): those of the block before stand.
const char* const Mixed = "[libx264 @ 0x5581] using cpu capabilities: MMX2 SSE2Fast\n"
                          "frame=0\n"
                          "fps=0.0\n"
                          "out_time_us=-23220\n"
                          "out_time_ms=-23220\n"
                          "speed=N/A\n"
                          "progress=continue\n"
                          "Output #0, avi, to 'out.avi':\n"
                          "  encoder=Lavf59.27.100\n"
                          "frame=12\n"
                          "out_time=00:01:02.500000\n"
                          "speed=2x\n"
                          "progress=continue\n"
                          "frame=N/A\n"
                          "out_time_us=N/A\n"
                          "out_time=N/A\n"
                          "progress=continue\n";

struct TSeen {
    int Frame;
    double Seconds;
    int Percent;
    double Fps;
    int SizeMB;
    double Left;
    bool Ended;
};

} // namespace

TEST(FfmpegProgress, BlocksGiveTheStatus)
{
    const struct {
        const char* name;
        const char* report;
        double planned;
        std::vector<TSeen> seen;
    } cases[] = {
        {"an MP4 run of 40 s", Mp4Run, 40,
         {{1, 0.053311, 0, 0, 0, (40 - 0.053311) / 21.3, false},
          {194, 7.759433, 19, 192.48, 0, (40 - 7.759433) / 7.7, false},
          {231, 7.759433, 19, 150.39, 0, (40 - 7.759433) / 4.04, false},
          {1000, 40.04678, 100, 93.1, 1, 0, true}}},
        {"a first pass without sizes", FirstPass, 2.92,
         {{1, 0, 0, 0, 0, -1, false}, {75, 2.92, 100, 0, 0, 0, true}}},
        {"messages between the blocks", Mixed, 125,
         {{0, 0, 0, 0, 0, -1, false}, {12, 62.5, 50, 0, 0, 31.25, false}, {12, 62.5, 50, 0, 0, 31.25, false}}},
        {"no planned length: no percent, no time left", Mp4Run, 0,
         {{1, 0.053311, -1, 0, 0, -1, false},
          {194, 7.759433, -1, 192.48, 0, -1, false},
          {231, 7.759433, -1, 150.39, 0, -1, false},
          {1000, 40.04678, 100, 93.1, 1, 0, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFfmpegProgressBlock block;
        std::vector<TFfmpegStatus> got;
        for (const QString& line : QString::fromLatin1(c.report).split('\n', Qt::SkipEmptyParts))
            if (const std::optional<TFfmpegStatus> st = FeedFfmpegProgress(block, line, c.planned))
                got.push_back(*st);
        ASSERT_EQ(got.size(), c.seen.size());
        for (size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            const TSeen& e = c.seen[i];
            EXPECT_EQ(got[i].Status.Frame, e.Frame);
            EXPECT_NEAR(got[i].Status.Seconds, e.Seconds, 1e-6);
            EXPECT_EQ(got[i].Status.Percent, e.Percent);
            EXPECT_NEAR(got[i].Status.Fps, e.Fps, 1e-9);
            EXPECT_EQ(got[i].Status.SizeMB, e.SizeMB);
            EXPECT_NEAR(got[i].SecondsLeft, e.Left, 1e-6);
            EXPECT_EQ(got[i].Ended, e.Ended);
        }
    }
}

// The run's handler told it is ffmpeg's: an update per block, the report's lines gone from
// the output, ffmpeg's messages kept for the error report.
TEST(FfmpegProgress, TheHandlerUpdatesPerBlockAndKeepsTheMessages)
{
    TRunState st;
    st.CurrentFileInfo.VideoStreams[0].Frames = 1000;
    TProgressHandler h(st);
    h.ReadFfmpegProgress(40);
    std::vector<int> percents;
    for (const QString& line : (QString::fromLatin1(Mixed) + Mp4Run).split('\n', Qt::SkipEmptyParts)) {
        st.EncoderOutput << line;
        if (const std::optional<TProgressUpdate> u = h.UpdateAfterLine(false)) {
            EXPECT_TRUE(u->HasStatus);
            percents.push_back(u->Percent);
        }
    }
    EXPECT_EQ(percents, (std::vector<int>{0, 100, 100, 0, 19, 19, 100}));
    EXPECT_EQ(st.EncoderOutput, (QStringList{"[libx264 @ 0x5581] using cpu capabilities: MMX2 SSE2Fast",
                                             "Output #0, avi, to 'out.avi':", "  encoder=Lavf59.27.100"}));
}
