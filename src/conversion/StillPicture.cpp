#include "conversion/StillPicture.h"

#include "conversion/StatusLine.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

const QString Demuxer = QStringLiteral("-demuxer");
const QString Lavf = QStringLiteral("lavf");

// "N duplicate frame(s)!": N pictures were repeated to keep the video in step.
int DuplicatesOf(const QString& part)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]{1,9}) duplicate frame\\(s\\)!"));
    const QRegularExpressionMatch m = re.match(part);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

void TStillPictureDetector::Feed(const QString& line)
{
    for (const QString& part : line.split(QLatin1Char('\r'), Qt::SkipEmptyParts)) {
        if (const int n = DuplicatesOf(part); n > 0) {
            m_duplicates = int(std::min<qint64>(qint64(m_duplicates) + n, std::numeric_limits<int>::max()));
            if (m_reports < std::numeric_limits<int>::max())
                ++m_reports;
            continue;
        }
        // Status reports can arrive glued together; the last one is the newest.
        const qsizetype pos = part.lastIndexOf(QLatin1String("Pos:"));
        if (pos < 0)
            continue;
        TStatusLine status;
        if (ParseStatusLine(part.mid(pos), &status))
            m_frames = std::max(m_frames, status.Frame);
    }
}

bool TStillPictureDetector::IsStillPicture() const
{
    // Without a frame count there is nothing to weigh the duplicates against.
    if (m_frames <= 0)
        return false;
    return m_duplicates >= MinDuplicates && qint64(m_duplicates) * 2 >= qint64(m_frames);
}

bool TStillPictureDetector::IsStillPictureEarly() const
{
    // nine in ten frames reported one by one; the frame count lags the reports a little
    return m_reports >= EarlyReports && m_frames > 0 && qint64(m_reports) * 10 >= qint64(m_frames) * 9 &&
           IsStillPicture();
}

bool IsStillPictureOutput(const QStringList& lines)
{
    TStillPictureDetector d;
    for (const QString& line : lines)
        d.Feed(line);
    return d.IsStillPicture();
}

QStringList WithLavfDemuxer(const QStringList& args, const QString& input)
{
    QStringList out = args;
    for (qsizetype i = 0; i + 1 < out.size(); ++i) {
        if (out.at(i) == Demuxer) {
            out[i + 1] = Lavf;
            return out;
        }
    }
    qsizetype at = out.indexOf(PathArg(input));
    if (at < 0)
        at = 0;
    out.insert(at, Lavf);
    out.insert(at, Demuxer);
    return out;
}

TEncoderJob WithLavfDemuxer(const TEncoderJob& job, const QString& input)
{
    TEncoderJob out = job;
    const QString quotedInput = QLatin1Char('"') + input + QLatin1Char('"');
    for (TEncoderInvocation& run : out.Runs) {
        const bool hadDemuxer = run.Args.contains(Demuxer);
        run.Args = WithLavfDemuxer(run.Args, input);
        if (hadDemuxer) {
            static const QRegularExpression choice(QStringLiteral("-demuxer\\s+\\S+"));
            run.Params.replace(choice, QStringLiteral("-demuxer lavf"));
            continue;
        }
        qsizetype at = run.Params.indexOf(quotedInput);
        if (at < 0)
            at = 0;
        run.Params.insert(at, QStringLiteral("-demuxer lavf "));
    }
    return out;
}
