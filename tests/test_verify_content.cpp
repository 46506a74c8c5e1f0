// The judgement of an output by its pictures and sound, on made-up samples: each fault a
// real encoder has made (a frozen, skipped, mirrored, shifted or sped-up picture; sound out
// of lip sync or drifting) against a faithful copy, a still scene, coding noise and the
// one picture a low rate allows.

#include "outputs/ContentCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

constexpr int Moments = ContentMoments;
constexpr double FrameMs = 40;

// A picture of its own for every source picture number: a gradient that moves with the
// number over a fixed pattern, so neighbours differ a little and far pictures a lot.
QByteArray Picture(int number, int noise = 0, unsigned seed = 1)
{
    std::mt19937 random(seed * 7919u + unsigned(number));
    std::uniform_int_distribution<int> jitter(-noise, noise);
    QByteArray p(ContentPictureBytes, '\0');
    for (int y = 0; y < ContentSide; ++y)
        for (int x = 0; x < ContentSide; ++x) {
            const int pattern = (x * 37 + y * 11) % 97;
            const int moving = ((x + number * 2) % ContentSide) * 4;
            p[y * ContentSide + x] = char(std::clamp(pattern + moving + (noise ? jitter(random) : 0), 0, 255));
        }
    return p;
}

// The source picture number shown at moment i (25 pictures a second, one moment every 10).
int NumberAt(int i) { return 10 * i + 5; }

// Samples whose output shows, at moment i, the picture outputOf(i) starting at outputAt(i) ms.
TContentSamples Samples(const std::function<QByteArray(int)>& outputOf,
                        const std::function<int(int)>& delayMs = [](int) { return 0; },
                        const std::function<QByteArray(int)>& sourceOf = [](int n) { return Picture(n); },
                        double frameMs = FrameMs)
{
    TContentSamples c;
    c.SourceOpened = c.OutputOpened = true;
    c.SourceFrameMs = frameMs;
    for (int i = 0; i < Moments; ++i) {
        TContentMoment m;
        const int n = NumberAt(i);
        m.AtMs = int(n * frameMs + frameMs / 2);
        for (int k = -ContentNeighbours; k <= ContentNeighbours; ++k) {
            m.Source += sourceOf(n + k);
            m.SourceAtMs << int((n + k) * frameMs);
        }
        m.SourceCentre = ContentNeighbours;
        m.Output = outputOf(i);
        m.OutputAtMs = int(n * frameMs) + delayMs(i);
        c.Moments << m;
    }
    return c;
}

QByteArray Mirrored(const QByteArray& p) { return TGridTurn::Mirror().Apply(p); }

// The same samples from a recording that holds each picture for six of its frames (it
// leaves the repeats out); the output's picture starts lateMs after its match's start.
TContentSamples Held(TContentSamples c, int lateMs)
{
    for (TContentMoment& m : c.Moments) {
        const int start = m.SourceAtMs.at(m.SourceCentre);
        for (int k = 0; k < m.SourceAtMs.size(); ++k)
            m.SourceAtMs[k] = start + (k - m.SourceCentre) * 6 * int(FrameMs);
        m.OutputAtMs = start + lateMs;
    }
    return c;
}

// The same samples, the output's picture starting ms later on its timeline than the source's.
TContentSamples PictureStartsLater(TContentSamples c, int ms)
{
    c.OutputVideoStartMs = c.SourceVideoStartMs + ms;
    return c;
}

// The same samples, each output picture shown for ms until the output's next one.
TContentSamples ShownFor(TContentSamples c, int ms)
{
    for (TContentMoment& m : c.Moments)
        m.OutputLastsMs = ms;
    return c;
}

} // namespace

TEST(ContentCheck, PicturesJudgedByWhatTheOutputShows)
{
    struct Case {
        const char* name;
        TContentSamples samples;
        TPictureFault fault;
    };
    const Case cases[] = {
        {"a faithful copy", Samples([](int i) { return Picture(NumberAt(i)); }), TPictureFault::None},
        {"coding noise", Samples([](int i) { return Picture(NumberAt(i), 4); }), TPictureFault::None},
        {"the first picture held", Samples([](int) { return Picture(NumberAt(0)); }), TPictureFault::FirstPicture},
        {"one unrelated still picture", Samples([](int) { return QByteArray(ContentPictureBytes, '\x40'); }),
         TPictureFault::Still},
        {"every second picture: twice as fast", Samples([](int i) { return Picture(2 * NumberAt(i)); }),
         TPictureFault::WrongMoments},
        {"mirrored", Samples([](int i) { return Mirrored(Picture(NumberAt(i))); }), TPictureFault::Turned},
        {"upside down", Samples([](int i) { return TGridTurn::UpsideDown().Apply(Picture(NumberAt(i))); }),
         TPictureFault::Turned},
        // the picture of two frames before, shown at the moment's own time
        {"two pictures late", Samples([](int i) { return Picture(NumberAt(i) - 2); }, [](int) { return 80; }),
         TPictureFault::Shifted},
        // the same pictures, each starting 25 ms later: less than a picture, no fault
        {"a sound-priming shift", Samples([](int i) { return Picture(NumberAt(i)); }, [](int) { return 25; }),
         TPictureFault::None},
        // from four pictures early to four late: a rate not the source's
        {"drifting pictures", Samples([](int i) { return Picture(NumberAt(i) - (i * 8 / 11 - 4)); },
                                      [](int i) { return (i * 8 / 11 - 4) * 40; }),
         TPictureFault::Drifting},
        // a held first picture and a repeated last one are no drift
        {"the ends off by two pictures", Samples([](int i) { return Picture(NumberAt(i) - (i == 0 ? 2 : i == 11 ? -2 : 0)); },
                                                 [](int i) { return i == 0 ? 80 : i == 11 ? -80 : 0; }),
         TPictureFault::None},
        {"one moment wrong (a scene cut)", Samples([](int i) { return Picture(i == 5 ? 400 : NumberAt(i)); }),
         TPictureFault::None},
        // the output repeats what the source holds: one of its repeats is as right as the first
        {"a held picture repeated", Held(Samples([](int i) { return Picture(NumberAt(i)); }), 160),
         TPictureFault::None},
        {"the picture before a held one, after it ended", Held(Samples([](int i) { return Picture(NumberAt(i) - 1); }), 0),
         TPictureFault::Shifted},
        // an output at a finer rate than the held pictures: one of its pictures past the
        // hold's end is that picture late, not the hold
        {"the picture before a held one, one output picture after it ended",
         ShownFor(Held(Samples([](int i) { return Picture(NumberAt(i) - 1); }), 0), 40), TPictureFault::None},
        {"the picture before a held one, five output pictures after it ended",
         ShownFor(Held(Samples([](int i) { return Picture(NumberAt(i) - 1); }), 160), 40), TPictureFault::Shifted},
        {"the whole output three pictures late, its picture starting as much later",
         PictureStartsLater(Samples([](int i) { return Picture(NumberAt(i) - 3); }), 120),
         TPictureFault::None},
        {"a still source copied", Samples([](int) { return Picture(0, 2); }, [](int) { return 0; },
                                          [](int) { return Picture(0); }),
         TPictureFault::None},
    };
    for (const Case& c : cases) {
        const TContentVerdict v = JudgeContent(c.samples);
        EXPECT_TRUE(v.PicturesJudged) << c.name;
        EXPECT_EQ(v.Picture, c.fault) << c.name << ": " << v.Sentence.toStdString() << " | " << v.Detail.toStdString();
        EXPECT_EQ(v.Ok, c.fault == TPictureFault::None) << c.name;
        EXPECT_EQ(v.Sentence.isEmpty(), v.Ok) << c.name;
    }
    const TContentVerdict mirrored = JudgeContent(cases[5].samples);
    EXPECT_EQ(mirrored.Turn, TGridTurn::Mirror());
    EXPECT_EQ(mirrored.Sentence, "The output is mirrored left to right against its source.");
    EXPECT_EQ(JudgeContent(cases[2].samples).Sentence, "The output shows the first picture for the whole length.");

    // the output stops decoding after three moments: the rest are faults; nothing decoding is one too
    TContentSamples few = Samples([](int i) { return i < 3 ? Picture(NumberAt(i)) : QByteArray(); });
    EXPECT_EQ(JudgeContent(few).Picture, TPictureFault::Different);
    TContentSamples none = Samples([](int) { return QByteArray(); });
    EXPECT_EQ(JudgeContent(none, false, false).Picture, TPictureFault::Undecodable);
}

namespace {

// Loudness of irregular beeps: on at moments no rhythm repeats.
float Beeps(double ms)
{
    const double t = ms / 1000.0;
    return std::sin(t * 31.3) + std::sin(t * 17.1) + std::sin(t * 7.9) > 1.3 ? 0.5f : 0.01f;
}

// A window of 3 s at atMs whose output sound comes lagMs(t) late.
TSoundWindow Window(int atMs, const std::function<double(double)>& lagMs,
                    const std::function<float(double)>& loudness = Beeps)
{
    TSoundWindow w;
    w.AtMs = atMs;
    for (int k = 0; k < 3000 / EnvelopeBinMs; ++k)
        w.Source << loudness(atMs + k * EnvelopeBinMs);
    for (int k = 0; k < (3000 + 2 * MaxSoundLagMs) / EnvelopeBinMs; ++k) {
        const double t = atMs - MaxSoundLagMs + k * EnvelopeBinMs;
        w.Output << loudness(t - lagMs(t));
    }
    return w;
}

TContentSamples Sound(const std::function<double(double)>& lagMs,
                      const std::function<float(double)>& loudness = Beeps)
{
    TContentSamples c;
    for (int i = 0; i < SoundWindows; ++i)
        c.Sound << Window(i * 4000, lagMs, loudness);
    return c;
}

} // namespace

TEST(ContentCheck, SoundLinedUpWithThePicture)
{
    struct Case {
        const char* name;
        TContentSamples samples;
        bool judged;
        bool ok;
        int lagMs;
        const char* sentence;
    };
    const Case cases[] = {
        {"in sync", Sound([](double) { return 0; }), true, true, 0, ""},
        {"a priming delay within lip sync", Sound([](double) { return 25; }), true, true, 25, ""},
        {"a tenth of a second late", Sound([](double) { return 100; }), true, false, 100,
         "The sound is 0.10 s late against the picture."},
        {"early", Sound([](double) { return -250; }), true, false, -250, "The sound is 0.25 s early against the picture."},
        {"drifting", Sound([](double t) { return t < 6000 ? 0 : 150; }), true, false, 0,
         "The sound drifts against the picture: from 0.00 s to 0.15 s late."},
        {"a steady tone", Sound([](double) { return 200; }, [](double) { return 0.3f; }), false, true, 0, ""},
        // pictures not dated: an output whose picture starts as much later came late whole
        // (a sound encoder's priming put before both)
        {"the whole output 0.13 s late", PictureStartsLater(Sound([](double) { return 128; }), 128), true, true, 0, ""},
        {"the sound 0.40 s late, the picture 0.13 s", PictureStartsLater(Sound([](double) { return 400; }), 128), true,
         false, 400, "The sound is 0.40 s late against the picture."},
        {"a rhythm that repeats every 0.2 s",
         Sound([](double) { return 100; }, [](double ms) { return std::fmod(ms, 200) < 50 ? 0.5f : 0.0f; }), false,
         true, 0, ""},
    };
    for (const Case& c : cases) {
        const TContentVerdict v = JudgeContent(c.samples);
        EXPECT_EQ(v.SoundJudged, c.judged) << c.name << " | " << v.Detail.toStdString();
        EXPECT_EQ(v.Ok, c.ok) << c.name << " | " << v.Detail.toStdString();
        if (c.judged && std::string(c.name) != "drifting") {
            EXPECT_NEAR(v.SoundLagMs, c.lagMs, 3) << c.name;
        }
        EXPECT_EQ(v.Sentence, TestSupport::UserDecimals(c.sentence)) << c.name;
    }
    // lip sync is the sound against the picture: pictures late by as much leave it kept
    TContentSamples both = Samples([](int i) { return Picture(NumberAt(i)); }, [](int) { return 30; });
    both.Sound = Sound([](double) { return 55; }).Sound;
    const TContentVerdict v = JudgeContent(both);
    EXPECT_TRUE(v.Ok) << v.Detail.toStdString();
    EXPECT_NEAR(v.SoundLagMs, 25, 3);
}

// Below 16 pictures a second one picture outlasts lip sync's window: the whole output one
// picture early or late alike is kept, its sound judged against its source's clock too.
// Sound off that clock, pictures out of order or not offset alike, and higher rates are
// judged as ever.
TEST(ContentCheck, OnePictureAllowedAtLowRates)
{
    struct Case {
        const char* name;
        double frameMs;
        std::function<int(int)> picturesLate; // at moment i, by whole pictures
        int disordered;                       // moments where the output's times go back
        double soundLagMs;                    // the sound against its source's clock
        TPictureFault fault;
        const char* sentence;
    };
    const auto alike = [](int k) { return std::function<int(int)>([k](int) { return k; }); };
    const Case cases[] = {
        {"12 fps, one picture late (an AVI's delay), the sound on its clock", 1000.0 / 12, alike(1), 0, 25,
         TPictureFault::None, ""},
        {"12 fps, one picture early", 1000.0 / 12, alike(-1), 0, 25, TPictureFault::None, ""},
        {"one picture a second, one picture late", 1000, alike(1), 0, 40, TPictureFault::None, ""},
        {"12 fps, one picture late, the sound 0.10 s early on its clock", 1000.0 / 12, alike(1), 0, -100,
         TPictureFault::None, "The sound is 0.10 s early against the picture."},
        {"12 fps, one picture late, out of order", 1000.0 / 12, alike(1), 2, 25, TPictureFault::OutOfOrder,
         "The output's pictures carry their times out of order: players show them in the wrong order."},
        {"25 fps, decode times written as presentation times (B-pictures)", 40, alike(0), 3, 0,
         TPictureFault::OutOfOrder,
         "The output's pictures carry their times out of order: players show them in the wrong order."},
        {"12 fps, one picture early and late by turns", 1000.0 / 12, [](int i) { return i % 2 ? 1 : -1; }, 0, 25,
         TPictureFault::None, "The sound is 0.06 s early against the picture."},
        {"25 fps: lip sync against the pictures", 40, alike(1), 0, -15, TPictureFault::None,
         "The sound is 0.06 s early against the picture."},
        {"one picture a second, two pictures late", 1000, alike(2), 0, 40, TPictureFault::Shifted,
         "The output's pictures come 2.00 s late against its source's."},
    };
    for (const Case& c : cases) {
        // the output's picture n - k starts where the source's picture n does
        TContentSamples samples = Samples([&](int i) { return Picture(NumberAt(i) - c.picturesLate(i)); },
                                          [](int) { return 0; }, [](int n) { return Picture(n); }, c.frameMs);
        for (int i = 0; i < c.disordered; ++i)
            samples.Moments[3 + 4 * i].OutputDisordered = true;
        samples.Sound = Sound([&](double) { return c.soundLagMs; }).Sound;
        const TContentVerdict v = JudgeContent(samples);
        EXPECT_TRUE(v.PicturesJudged && v.SoundJudged) << c.name;
        EXPECT_EQ(v.Picture, c.fault) << c.name << " | " << v.Detail.toStdString();
        EXPECT_EQ(v.Sentence, TestSupport::UserDecimals(c.sentence)) << c.name << " | " << v.Detail.toStdString();
    }
}

TEST(ContentCheck, GridTurnsComposeAsTheFilterChainApplies)
{
    QByteArray p(ContentPictureBytes, '\0');
    p[0] = 'a'; // top left
    const auto at = [](const QByteArray& q) { return int(q.indexOf('a')); };
    constexpr int last = ContentSide - 1;
    EXPECT_EQ(at(TGridTurn::Clockwise().Apply(p)), last);                           // top right
    EXPECT_EQ(at(TGridTurn::Anticlockwise().Apply(p)), last * ContentSide);         // bottom left
    EXPECT_EQ(at(TGridTurn::Mirror().Apply(p)), last);
    EXPECT_EQ(at(TGridTurn::UpsideDown().Apply(p)), last * ContentSide);
    const TGridTurn half = TGridTurn::Clockwise().Then(TGridTurn::Clockwise());
    EXPECT_EQ(at(half.Apply(p)), ContentPictureBytes - 1);
    EXPECT_EQ(TGridTurn::Mirror().Then(TGridTurn::UpsideDown()), half);
    EXPECT_EQ(TGridTurn::Clockwise().Then(TGridTurn::Anticlockwise()), TGridTurn());
    // a mirror, then a quarter turn: the top left ends at the bottom right... of a turned mirror
    EXPECT_EQ(at(TGridTurn::Mirror().Then(TGridTurn::Clockwise()).Apply(p)), ContentPictureBytes - 1);

    // display matrices as libav writes them (16.16): a quarter turn either way, a mirror
    constexpr int32_t one = 1 << 16;
    EXPECT_EQ(TGridTurn::FromDisplayMatrix({0, one, 0, -one, 0, 0, 0, 0, 1 << 30}), TGridTurn::Clockwise());
    EXPECT_EQ(TGridTurn::FromDisplayMatrix({-one, 0, 0, 0, one, 0, 0, 0, 1 << 30}), TGridTurn::Mirror());
    EXPECT_EQ(TGridTurn::FromDisplayMatrix({one / 3, 0, 0, 0, one, 0, 0, 0, 1 << 30}), TGridTurn());
}
