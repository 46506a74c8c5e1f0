#include "outputs/ContentCheck.h"
#include "lib/Conversion.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Grey levels (of 255) on 32x32 averages, brightness levelled. Coding noise and a scaled
// or deinterlaced copy stay below NoiseLevel; pictures that differ by less than
// AlikeLevel are the same scene for these purposes.
constexpr double NoiseLevel = 3.0;
constexpr double AlikeLevel = 1.5;
// A picture fits another better only by this share of its distance, and NoiseLevel/3 at least.
constexpr double BetterShare = 0.3;
// Loudness curves line up when they correlate at least this much, and one offset stands
// out from the others by StandOut.
constexpr double MinCorrelation = 0.6;
constexpr double StandOut = 0.08;
// One moment may go wrong without a fault (a scene cut right at it, the last picture).
constexpr int ToleratedMoments = 1;
constexpr int MinJudgedMoments = 4;
// How far a picture's start may stray from a whole picture's offset (timestamps rounded,
// a source whose sound starts a little before its picture).
constexpr double PictureSlack = 0.25;

QByteArray PictureAt(const QByteArray& pictures, int index)
{
    return pictures.mid(qsizetype(index) * ContentPictureBytes, ContentPictureBytes);
}

int PictureCount(const QByteArray& pictures) { return int(pictures.size() / ContentPictureBytes); }

// the seven turns and mirrors of a square besides keeping it
std::array<TGridTurn, 7> OtherTurns()
{
    const TGridTurn cw = TGridTurn::Clockwise(), acw = TGridTurn::Anticlockwise(), ud = TGridTurn::UpsideDown(),
                    mi = TGridTurn::Mirror();
    return {mi, ud, cw, acw, cw.Then(cw), mi.Then(cw), mi.Then(acw)};
}

QString TurnWords(const TGridTurn& t)
{
    const TGridTurn cw = TGridTurn::Clockwise();
    if (t == TGridTurn::Mirror())
        return QCoreApplication::translate("ContentCheck", "The output is mirrored left to right against its source.");
    if (t == TGridTurn::UpsideDown())
        return QCoreApplication::translate("ContentCheck", "The output is upside down (flipped top to bottom) against "
                                                           "its source.");
    if (t == cw.Then(cw))
        return QCoreApplication::translate("ContentCheck", "The output is turned upside down against its source.");
    if (t == cw || t == TGridTurn::Anticlockwise())
        return QCoreApplication::translate("ContentCheck", "The output is turned on its side against its source.");
    return QCoreApplication::translate("ContentCheck", "The output is turned and mirrored against its source.");
}

struct TMomentJudgement {
    bool Judged = false;
    int Index = 0;            // the moment's
    bool Fits = false;        // the output shows the source's picture of about this moment
    double Distance = 0;      // output against the source's picture that fits it best nearby
    bool DelayKnown = false;  // that picture stands out from its neighbours
    int DelayMs = 0;          // the output's picture starts this much after the source's same picture
    int OtherMoment = -1;     // another moment's source picture that fits clearly better
    int TurnIndex = -1;       // a turned source picture that fits clearly better
};

bool ClearlyBetter(double candidate, double current, double between)
{
    // better by a share of the distance, and the two source pictures must differ that much too
    const double margin = std::max(NoiseLevel / 3, BetterShare * current);
    return candidate < current - margin && between > margin;
}

// How late the output's picture comes against the source picture it shows. A source picture
// held longer than a picture (a recording that leaves repeated pictures out, a slower stretch
// of a variable rate) is shown by several of the output's: one of them inside the hold tells
// nothing of when the first came (none), and one past the hold's end, shorter than the hold
// (an output at a finer rate), is late by how far it reaches past that end.
std::optional<int> DelayOfMatch(const TContentMoment& m, int match, double frameMs)
{
    const int start = m.SourceAtMs.at(match);
    const int late = m.OutputAtMs - start;
    const double lasts = match + 1 < m.SourceAtMs.size() ? m.SourceAtMs.at(match + 1) - start : frameMs;
    if (frameMs <= 0 || lasts <= 1.5 * frameMs)
        return late;
    if (late > 0 && late < lasts)
        return std::nullopt;
    if (late >= lasts && m.OutputLastsMs > 0 && m.OutputLastsMs < lasts)
        return int(std::lround(late + m.OutputLastsMs - lasts));
    return late;
}

// How much later the output's picture starts on its timeline than the source's: where the
// pictures, or the sound, come late by as much, the whole file came late (an encoder's
// priming put before both: from 8 kHz sound, 0.13 s); otherwise 0.
int WholeShiftMs(const TContentSamples& c) { return std::max(0, c.OutputVideoStartMs - c.SourceVideoStartMs); }

TMomentJudgement JudgeMoment(const QVector<TContentMoment>& moments, int i, double frameMs)
{
    TMomentJudgement j;
    j.Index = i;
    const TContentMoment& m = moments.at(i);
    const int count = PictureCount(m.Source);
    if (m.SourceCentre < 0 || m.SourceCentre >= count || m.SourceAtMs.size() != count)
        return j;
    j.Judged = true;
    // the source shows a picture here and the output none that decodes
    if (m.Output.size() != ContentPictureBytes) {
        j.Distance = 255;
        return j;
    }
    const QByteArray centre = PictureAt(m.Source, m.SourceCentre);
    // the nearby source picture the output shows: the one of the moment unless another fits clearly better
    int match = m.SourceCentre;
    double best = PictureDistance(m.Output, centre);
    const double atCentre = best;
    for (int k = 0; k < count; ++k) {
        const QByteArray n = PictureAt(m.Source, k);
        const double d = PictureDistance(m.Output, n);
        if (k != m.SourceCentre && d < best && ClearlyBetter(d, atCentre, PictureDistance(n, centre))) {
            best = d;
            match = k;
        }
    }
    j.Distance = best;
    const QByteArray matched = PictureAt(m.Source, match);
    // the match dates the output's picture only when its neighbours look otherwise
    const double before = match > 0 ? PictureDistance(matched, PictureAt(m.Source, match - 1)) : 0;
    const double after = match + 1 < count ? PictureDistance(matched, PictureAt(m.Source, match + 1)) : 0;
    const double apart = std::min(match > 0 ? before : after, match + 1 < count ? after : before);
    j.DelayKnown = apart > std::max(NoiseLevel / 3, BetterShare * best) && best <= 4 * NoiseLevel;
    const std::optional<int> delay = DelayOfMatch(m, match, frameMs);
    j.DelayMs = delay.value_or(m.OutputAtMs - m.SourceAtMs.at(match));
    j.DelayKnown = j.DelayKnown && delay.has_value();
    for (int k = 0; k < moments.size(); ++k) {
        const TContentMoment& o = moments.at(k);
        if (k == i || o.SourceCentre < 0 || o.SourceCentre >= PictureCount(o.Source))
            continue;
        const QByteArray other = PictureAt(o.Source, o.SourceCentre);
        const double d = PictureDistance(m.Output, other);
        if (d < best && ClearlyBetter(d, best, PictureDistance(other, matched))) {
            best = d;
            j.OtherMoment = k;
            j.DelayKnown = false;
        }
    }
    if (j.Distance > NoiseLevel) {
        const auto turns = OtherTurns();
        for (size_t t = 0; t < turns.size(); ++t) {
            const QByteArray turned = turns[t].Apply(centre);
            const double d = PictureDistance(m.Output, turned);
            if (d < best && d <= NoiseLevel * 2 && ClearlyBetter(d, j.Distance, PictureDistance(turned, centre))) {
                best = d;
                j.TurnIndex = int(t);
                j.OtherMoment = -1;
                j.DelayKnown = false;
            }
        }
    }
    // a picture that fits nothing else better still has to look like its source
    j.Fits = j.OtherMoment < 0 && j.TurnIndex < 0 && j.Distance <= 4 * NoiseLevel;
    return j;
}

// At a low rate: every dated picture but ToleratedMoments comes within one picture of its
// source's, all the same way (a picture the encoder repeated or left out near the start
// shifts the rest alike; an AVI header delays them all by one), and two at least say so.
bool WithinOnePicture(const std::vector<int>& delays, double frameMs)
{
    if (frameMs < 1000.0 / ContentLowRateFps - 0.5)
        return false;
    const double slack = PictureSlack * frameMs;
    for (const int way : {1, -1}) {
        const auto astray = std::count_if(delays.begin(), delays.end(), [&](int d) {
            return way * d < -slack || way * d > frameMs + slack;
        });
        if (astray <= ToleratedMoments && std::ssize(delays) - astray >= 2)
            return true;
    }
    return false;
}

// The largest distance among the pictures of one side at the moments.
double Spread(const std::vector<QByteArray>& pictures)
{
    double spread = 0;
    for (size_t a = 0; a < pictures.size(); ++a)
        for (size_t b = a + 1; b < pictures.size(); ++b)
            spread = std::max(spread, PictureDistance(pictures[a], pictures[b]));
    return spread;
}

void JudgePictures(const TContentSamples& c, TContentVerdict& v, QStringList& details)
{
    std::vector<TMomentJudgement> judged;
    std::vector<QByteArray> outputs, sources;
    std::vector<int> delays;
    for (int i = 0; i < c.Moments.size(); ++i) {
        const TMomentJudgement j = JudgeMoment(c.Moments, i, c.SourceFrameMs);
        if (!j.Judged)
            continue;
        const TContentMoment& m = c.Moments.at(i);
        outputs.push_back(m.Output);
        sources.push_back(PictureAt(m.Source, m.SourceCentre));
        if (j.Fits && j.DelayKnown)
            delays.push_back(j.DelayMs);
        details << QStringLiteral("%1 ms: %2%3%4%5")
                       .arg(m.AtMs)
                       .arg(j.Distance, 0, 'f', 1)
                       .arg(j.DelayKnown ? QStringLiteral(" delay %1 ms").arg(j.DelayMs) : QString())
                       .arg(j.OtherMoment >= 0 ? QStringLiteral(" like %1 ms").arg(c.Moments.at(j.OtherMoment).AtMs)
                                               : QString())
                       .arg(j.TurnIndex >= 0 ? QStringLiteral(" turned") : QString());
        judged.push_back(j);
    }
    const auto disordered = std::count_if(c.Moments.begin(), c.Moments.end(),
                                          [](const TContentMoment& m) { return m.OutputDisordered; });
    if (disordered > 0)
        details << QStringLiteral("output pictures out of order near %1 moments").arg(disordered);
    const int n = int(judged.size());
    if (n < MinJudgedMoments)
        return;
    v.PicturesJudged = true;
    // pictures that come ever later or earlier: the output's rate is not its source's. The trend
    // is the earlier half's median against the later half's, so that a moment at either end
    // (a repeated first picture, the last one held) does not read as drift.
    const auto median = [](std::vector<int> d) {
        std::sort(d.begin(), d.end());
        return d[d.size() / 2];
    };
    int earlier = 0, later = 0;
    if (!delays.empty()) {
        const auto half = delays.begin() + std::ptrdiff_t(delays.size() / 2);
        earlier = median(std::vector<int>(delays.begin(), std::max(half, delays.begin() + 1)));
        later = median(std::vector<int>(half, delays.end()));
        v.PictureDelayMs = median(delays);
        v.PictureDelayKnown = true;
    }
    // (pictures whose times go back are shown out of order: their offsets are no one picture's)
    v.WithinOnePicture = disordered <= ToleratedMoments && WithinOnePicture(delays, c.SourceFrameMs);
    const int bad = int(std::count_if(judged.begin(), judged.end(), [](const auto& j) { return !j.Fits; }));
    const double frame = c.SourceFrameMs > 0 ? c.SourceFrameMs : 40.0;
    // pictures as late as the whole file are no fault of their own; the sound tells whether it came late too
    const double offBy = std::max(1.5 * frame, 1.0 * ContentLipSyncMs);
    const int wholeShift = WholeShiftMs(c);
    const bool shifted = v.PictureDelayKnown && std::abs(v.PictureDelayMs) > offBy &&
                         !(wholeShift > 0 && std::abs(v.PictureDelayMs - wholeShift) <= offBy) &&
                         int(delays.size()) > ToleratedMoments;
    const int drift = std::abs(later - earlier);
    const bool drifting = int(delays.size()) > 2 * ToleratedMoments && drift > std::max(2.5 * frame, 2.0 * ContentLipSyncMs);
    // a player shows pictures by these times: out of order, they are seen out of order
    if (disordered > ToleratedMoments) {
        v.Ok = false;
        v.Picture = TPictureFault::OutOfOrder;
        v.Sentence = QCoreApplication::translate("ContentCheck", "The output's pictures carry their times out of order: "
                                                                 "players show them in the wrong order.");
        return;
    }
    if (bad <= ToleratedMoments && !shifted && !drifting)
        return;

    v.Ok = false;
    const double outSpread = Spread(outputs), srcSpread = Spread(sources);
    if (outSpread < AlikeLevel && srcSpread > 2 * NoiseLevel) {
        const double first = PictureDistance(outputs.front(), sources.front());
        v.Picture = first <= NoiseLevel ? TPictureFault::FirstPicture : TPictureFault::Still;
        v.Sentence = v.Picture == TPictureFault::FirstPicture
                         ? QCoreApplication::translate("ContentCheck",
                                                       "The output shows the first picture for the whole length.")
                         : QCoreApplication::translate("ContentCheck",
                                                       "The output shows one still picture where its source moves.");
        return;
    }
    // the most common fault among the moments that went wrong
    int turned = 0, elsewhere = 0;
    std::array<int, 7> turnVotes{};
    for (const TMomentJudgement& j : judged) {
        if (j.TurnIndex >= 0) {
            ++turned;
            ++turnVotes[size_t(j.TurnIndex)];
        } else if (j.OtherMoment >= 0) {
            ++elsewhere;
        }
    }
    if (turned > ToleratedMoments && turned >= elsewhere) {
        v.Picture = TPictureFault::Turned;
        v.Turn = OtherTurns()[size_t(std::max_element(turnVotes.begin(), turnVotes.end()) - turnVotes.begin())];
        v.Sentence = TurnWords(v.Turn);
    } else if (elsewhere > ToleratedMoments) {
        v.Picture = TPictureFault::WrongMoments;
        for (const TMomentJudgement& j : judged)
            if (j.OtherMoment >= 0) {
                v.WrongAtMs = c.Moments.at(j.Index).AtMs;
                v.ShowsMs = c.Moments.at(j.OtherMoment).AtMs;
                break;
            }
        //: The output plays pictures at the wrong moments: "at 2.00 s it shows the source's picture of 4.00 s"
        v.Sentence = QCoreApplication::translate("ContentCheck",
                                                 "The output's pictures come at the wrong moments: at %1 it shows "
                                                 "its source's picture of %2.")
                         .arg(SecondsText(v.WrongAtMs), SecondsText(v.ShowsMs));
    } else if (drifting) {
        v.Picture = TPictureFault::Drifting;
        //: %1, %2: the smallest and the largest offset of the output's pictures, "-0.16 s", "0.08 s"
        v.Sentence = QCoreApplication::translate("ContentCheck",
                                                 "The output's pictures drift against its source's: from %1 to %2 late.")
                         .arg(SecondsText(earlier), SecondsText(later));
    } else if (shifted) {
        v.Picture = TPictureFault::Shifted;
        v.Sentence = v.PictureDelayMs > 0
                         ? QCoreApplication::translate("ContentCheck", "The output's pictures come %1 late against "
                                                                       "its source's.")
                               .arg(SecondsText(v.PictureDelayMs))
                         : QCoreApplication::translate("ContentCheck", "The output's pictures come %1 early against "
                                                                       "its source's.")
                               .arg(SecondsText(-v.PictureDelayMs));
    } else {
        v.Picture = TPictureFault::Different;
        v.Sentence = QCoreApplication::translate("ContentCheck",
                                                 "The output's pictures differ from its source's at %1 of %2 moments.")
                         .arg(bad)
                         .arg(n);
    }
}

struct TLipSync {
    std::vector<double> Lags; // one per window, in order
    double Low = 0, High = 0, Median = 0;
    int DriftMs = 0;
    bool Kept = false;        // within the window, without drift
    double Worst = 0;         // how far outside
};

TLipSync LipSync(std::vector<double> lags)
{
    TLipSync s;
    s.Lags = std::move(lags);
    const auto [lo, hi] = std::minmax_element(s.Lags.begin(), s.Lags.end());
    s.Low = *lo;
    s.High = *hi;
    s.DriftMs = int(std::lround(s.High - s.Low));
    std::vector<double> sorted = s.Lags;
    std::sort(sorted.begin(), sorted.end());
    s.Median = sorted[sorted.size() / 2];
    s.Kept = s.Low >= -ContentSoundEarlyMs && s.High <= ContentSoundLateMs && s.DriftMs <= ContentLipSyncMs;
    s.Worst = std::max({0.0, -ContentSoundEarlyMs - s.Low, s.High - ContentSoundLateMs, double(s.DriftMs - ContentLipSyncMs)});
    return s;
}

void JudgeSound(const TContentSamples& c, TContentVerdict& v, QStringList& details)
{
    std::vector<double> onClock;
    std::vector<std::pair<int, double>> measured; // window, strength
    for (const TSoundWindow& w : c.Sound) {
        if (SoundLost(w)) {
            v.SoundJudged = true;
            if (v.Ok) {
                v.Ok = false;
                v.Sentence = QCoreApplication::translate("ContentCheck", "The output has no sound from %1 on.")
                                 .arg(SecondsText(w.AtMs));
            }
            details << QStringLiteral("sound at %1 ms: lost").arg(w.AtMs);
            return;
        }
        double lag = 0, strength = 0;
        if (SoundLag(w, lag, strength)) {
            onClock.push_back(lag);
            measured.emplace_back(w.AtMs, strength);
        } else {
            details << QStringLiteral("sound at %1 ms: not measured").arg(w.AtMs);
        }
    }
    // lip sync: the sound's offset against the picture's own. Pictures that cannot be dated
    // (a still or repeated scene) leave it to where the streams start: a sound as late as
    // the whole file's shift came late with the picture.
    double pictureDelay = v.PictureDelayMs;
    if (const int shift = WholeShiftMs(c); !v.PictureDelayKnown && shift > 0 && !onClock.empty()) {
        if (std::abs(LipSync(onClock).Median - shift) <= ContentLipSyncMs) {
            pictureDelay = shift;
            details << QStringLiteral("picture start %1 ms later").arg(shift);
        }
    }
    std::vector<double> lags;
    for (size_t i = 0; i < onClock.size(); ++i) {
        lags.push_back(onClock[i] - pictureDelay);
        details << QStringLiteral("sound at %1 ms: %2 ms (%3)")
                       .arg(measured[i].first)
                       .arg(lags.back(), 0, 'f', 0)
                       .arg(measured[i].second, 0, 'f', 2);
    }
    if (lags.empty())
        return;
    v.SoundJudged = true;
    // Where one picture lasts longer than lip sync allows and the pictures keep within one
    // of their source's, the sound may keep to the source's clock instead (a picture
    // offset that fine cannot be told at such a rate).
    TLipSync sync = LipSync(std::move(lags));
    if (v.WithinOnePicture && v.PictureDelayMs != 0) {
        TLipSync clock = LipSync(std::move(onClock));
        if (clock.Kept || clock.Worst < sync.Worst) {
            details << QStringLiteral("sound against its source's clock: %1 ms").arg(clock.Median, 0, 'f', 0);
            sync = std::move(clock);
        }
    }
    v.SoundDriftMs = sync.DriftMs;
    v.SoundLagMs = int(std::lround(sync.Median));
    if (sync.Kept)
        return;
    const bool wasOk = v.Ok;
    v.Ok = false;
    if (!wasOk)
        return; // the pictures' fault comes first
    if (v.SoundDriftMs > ContentLipSyncMs) {
        //: Lip sync that changes along the file: "from 0.00 s to 0.80 s late"
        v.Sentence = QCoreApplication::translate("ContentCheck",
                                                 "The sound drifts against the picture: from %1 to %2 late.")
                         .arg(SecondsText(sync.Lags.front()), SecondsText(sync.Lags.back()));
    } else if (v.SoundLagMs > 0) {
        v.Sentence = QCoreApplication::translate("ContentCheck", "The sound is %1 late against the picture.")
                         .arg(SecondsText(v.SoundLagMs));
    } else {
        v.Sentence = QCoreApplication::translate("ContentCheck", "The sound is %1 early against the picture.")
                         .arg(SecondsText(-v.SoundLagMs));
    }
}

} // namespace

// The bottom third of each picture filled with the mean of the rest, so that it weighs
// nothing in a distance: burnt subtitles change it on purpose. A player's subtitles (two
// lines at its default size and margin) stay inside it; the pictures above still tell
// still, frozen, shifted and turned outputs apart.
TContentSamples AboveSubtitles(TContentSamples samples)
{
    constexpr int firstRow = ContentSide * 2 / 3;
    const auto level = [](QByteArray& pictures) {
        for (qsizetype at = 0; at + ContentPictureBytes <= pictures.size(); at += ContentPictureBytes) {
            double mean = 0;
            for (int k = 0; k < firstRow * ContentSide; ++k)
                mean += uchar(pictures[at + k]);
            const char fill = char(std::lround(mean / (firstRow * ContentSide)));
            std::fill(pictures.begin() + at + firstRow * ContentSide, pictures.begin() + at + ContentPictureBytes, fill);
        }
    };
    for (TContentMoment& m : samples.Moments) {
        level(m.Output);
        level(m.Source);
    }
    return samples;
}

double PictureDistance(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != ContentPictureBytes || b.size() != ContentPictureBytes)
        return 255;
    double ma = 0, mb = 0;
    for (int k = 0; k < ContentPictureBytes; ++k) {
        ma += uchar(a[k]);
        mb += uchar(b[k]);
    }
    ma /= ContentPictureBytes;
    mb /= ContentPictureBytes;
    double sum = 0;
    for (int k = 0; k < ContentPictureBytes; ++k)
        sum += std::abs((uchar(a[k]) - ma) - (uchar(b[k]) - mb));
    return sum / ContentPictureBytes;
}

bool SoundLost(const TSoundWindow& w)
{
    const auto heard = [](const QVector<float>& bins) {
        return std::count_if(bins.begin(), bins.end(), [](float b) { return b >= 0; });
    };
    // the source plays nearly all of the window, the output hardly any of the same stretch
    return !w.Source.isEmpty() && heard(w.Source) >= w.Source.size() * 3 / 4 &&
           heard(w.Output) < w.Source.size() / 4;
}

bool SoundLag(const TSoundWindow& w, double& lagMs, double& strength)
{
    constexpr int maxLag = MaxSoundLagMs / EnvelopeBinMs;
    const int n = int(w.Source.size());
    if (n < 40 || w.Output.size() < n + 2 * maxLag)
        return false;
    // the source's curve, levelled; a curve without rises and falls lines up anywhere
    double mean = 0;
    int valid = 0;
    for (float s : w.Source)
        if (s >= 0) {
            mean += s;
            ++valid;
        }
    if (valid < n * 3 / 4)
        return false;
    mean /= valid;
    double var = 0;
    for (float s : w.Source)
        if (s >= 0)
            var += (s - mean) * (s - mean);
    const double sd = std::sqrt(var / valid);
    if (mean < 1e-4 || sd < 0.15 * mean)
        return false;
    std::vector<double> corr(size_t(2 * maxLag + 1), -2.0);
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        double so = 0, oo = 0, om = 0;
        int m = 0;
        for (int k = 0; k < n; ++k) {
            const float o = w.Output[maxLag + lag + k];
            if (w.Source[k] >= 0 && o >= 0) {
                om += o;
                ++m;
            }
        }
        if (m < n * 3 / 4)
            continue;
        om /= m;
        for (int k = 0; k < n; ++k) {
            const float o = w.Output[maxLag + lag + k];
            if (w.Source[k] >= 0 && o >= 0) {
                so += (w.Source[k] - mean) * (o - om);
                oo += (o - om) * (o - om);
            }
        }
        if (oo > 0)
            corr[size_t(lag + maxLag)] = so / std::sqrt(var * oo);
    }
    const auto best = std::max_element(corr.begin(), corr.end());
    const int at = int(best - corr.begin());
    strength = *best;
    if (strength < MinCorrelation)
        return false;
    // another offset almost as good further away: a rhythm that repeats, not an answer
    for (int k = 0; k < int(corr.size()); ++k)
        if (std::abs(k - at) > ContentLipSyncMs / EnvelopeBinMs && corr[size_t(k)] > strength - StandOut)
            return false;
    double fine = at;
    if (at > 0 && at + 1 < int(corr.size()) && corr[size_t(at - 1)] > -2 && corr[size_t(at + 1)] > -2) {
        const double l = corr[size_t(at - 1)], c0 = corr[size_t(at)], r = corr[size_t(at + 1)];
        const double denom = l - 2 * c0 + r;
        if (denom < 0)
            fine += 0.5 * (l - r) / denom;
    }
    lagMs = (fine - maxLag) * EnvelopeBinMs;
    return true;
}

TContentVerdict JudgeContent(const TContentSamples& samples, bool pictures, bool sound, bool burntSubtitles)
{
    TContentVerdict v;
    QStringList details;
    const auto decoded = [&](bool output) {
        return std::count_if(samples.Moments.begin(), samples.Moments.end(), [output](const TContentMoment& m) {
            return !(output ? m.Output : m.Source).isEmpty();
        });
    };
    if (decoded(false) >= MinJudgedMoments && decoded(true) == 0) {
        v.Ok = false;
        v.Picture = TPictureFault::Undecodable;
        v.Sentence = QCoreApplication::translate("ContentCheck", "No picture of the output can be decoded.");
        return v;
    }
    if (pictures && burntSubtitles)
        JudgePictures(AboveSubtitles(samples), v, details);
    else if (pictures)
        JudgePictures(samples, v, details);
    if (sound)
        JudgeSound(samples, v, details);
    v.Detail = details.join(QStringLiteral("; "));
    return v;
}

TGridTurn UserTurnOf(const EncodingSettings& s)
{
    TGridTurn t;
    if (s.flipHorizontal)
        t = t.Then(TGridTurn::UpsideDown());
    if (s.flipVertical)
        t = t.Then(TGridTurn::Mirror());
    if (s.rotate)
        t = t.Then(s.rotateDirection == 1 ? TGridTurn::Anticlockwise() : TGridTurn::Clockwise());
    return t;
}
