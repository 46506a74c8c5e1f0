#include "media/ContentSamples.h"

#include <QDataStream>
#include <QIODevice>

#include <cmath>

namespace {

int8_t Sign(int32_t v, int32_t unit)
{
    // parts near zero are zero: a matrix of 16.16 numbers is rounded, not exact
    if (std::abs(v) < unit / 2)
        return 0;
    return v > 0 ? 1 : -1;
}

} // namespace

TGridTurn TGridTurn::Then(const TGridTurn& next) const
{
    // a cell of the final picture comes from next's cell, which comes from this one's
    const auto& a = M;
    const auto& b = next.M;
    TGridTurn r;
    r.M = {int8_t(a[0] * b[0] + a[1] * b[2]), int8_t(a[0] * b[1] + a[1] * b[3]),
           int8_t(a[2] * b[0] + a[3] * b[2]), int8_t(a[2] * b[1] + a[3] * b[3])};
    return r;
}

// y grows downwards: a clockwise turn brings the top to the right, so the cell at the
// right (1, 0) shows the source's top (0, -1).
TGridTurn TGridTurn::Clockwise() { return TGridTurn{{0, 1, -1, 0}}; }
TGridTurn TGridTurn::Anticlockwise() { return TGridTurn{{0, -1, 1, 0}}; }
TGridTurn TGridTurn::UpsideDown() { return TGridTurn{{1, 0, 0, -1}}; }
TGridTurn TGridTurn::Mirror() { return TGridTurn{{-1, 0, 0, 1}}; }

TGridTurn TGridTurn::FromDisplayMatrix(const std::array<int32_t, 9>& m)
{
    // source to display: p' = a p + c q, q' = b p + d q; its inverse (a symmetry's is its
    // transpose) maps display to source: p = a p' + b q', q = c p' + d q'
    constexpr int32_t unit = 1 << 16;
    TGridTurn t;
    t.M = {Sign(m[0], unit), Sign(m[1], unit), Sign(m[3], unit), Sign(m[4], unit)};
    const int det = t.M[0] * t.M[3] - t.M[1] * t.M[2];
    if (det != 1 && det != -1)
        return TGridTurn();
    return t;
}

QByteArray TGridTurn::Apply(const QByteArray& picture) const
{
    if (picture.size() != ContentPictureBytes || *this == TGridTurn())
        return picture;
    QByteArray out(ContentPictureBytes, '\0');
    constexpr int n = ContentSide;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            // centred coordinates in half cells: odd numbers from -(n-1) to n-1
            const int u = 2 * x + 1 - n, v = 2 * y + 1 - n;
            const int s = M[0] * u + M[1] * v, t = M[2] * u + M[3] * v;
            out[y * n + x] = picture[((t + n - 1) / 2) * n + (s + n - 1) / 2];
        }
    return out;
}

QByteArray SerializeContentSamples(const TContentSamples& c)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << c.SourceOpened << c.OutputOpened << qint32(c.SourceLengthMs) << qint32(c.SourceVideoStartMs)
      << qint32(c.OutputVideoStartMs) << c.SourceFrameMs << c.TimedOut << qint32(c.Moments.size());
    for (const TContentMoment& m : c.Moments)
        s << qint32(m.AtMs) << m.Output << m.Source << qint32(m.SourceCentre) << m.SourceAtMs << qint32(m.OutputAtMs)
          << qint32(m.OutputLastsMs) << m.OutputDisordered;
    s << qint32(c.Sound.size());
    for (const TSoundWindow& w : c.Sound)
        s << qint32(w.AtMs) << w.Source << w.Output;
    s << qint32(c.PicturesDecoded);
    return out;
}

bool DeserializeContentSamples(const QByteArray& bytes, TContentSamples& c)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_6_0);
    c = TContentSamples();
    qint32 length = 0, start = 0, outputStart = 0, count = 0;
    s >> c.SourceOpened >> c.OutputOpened >> length >> start >> outputStart >> c.SourceFrameMs >> c.TimedOut >> count;
    c.SourceLengthMs = length;
    c.SourceVideoStartMs = start;
    c.OutputVideoStartMs = outputStart;
    if (count < 0 || count > 10 * ContentMoments)
        return false;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        TContentMoment m;
        qint32 at = 0, centre = 0, outputAt = 0, outputLasts = 0;
        s >> at >> m.Output >> m.Source >> centre >> m.SourceAtMs >> outputAt >> outputLasts >> m.OutputDisordered;
        m.OutputAtMs = outputAt;
        m.OutputLastsMs = outputLasts;
        m.AtMs = at;
        m.SourceCentre = centre;
        c.Moments << m;
    }
    s >> count;
    if (count < 0 || count > 10 * SoundWindows)
        return false;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        TSoundWindow w;
        qint32 at = 0;
        s >> at >> w.Source >> w.Output;
        w.AtMs = at;
        c.Sound << w;
    }
    qint32 decoded = 0;
    s >> decoded;
    c.PicturesDecoded = decoded;
    return s.status() == QDataStream::Ok;
}
