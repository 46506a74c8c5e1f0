#include "outputs/StillPicture.h"

#include <QRegularExpression>

namespace {

const QString Demuxer = QStringLiteral("-demuxer");
const QString Lavf = QStringLiteral("lavf");

} // namespace

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
        // the lavf reader numbers sound tracks among themselves, the AVI and MOV readers by place
        if (const qsizetype aid = run.Args.indexOf(QStringLiteral("-aid")); aid >= 0 && aid + 1 < run.Args.size() &&
                                                                            !job.LavfAid.isEmpty()) {
            run.Params.replace(QStringLiteral("-aid ") + run.Args.at(aid + 1), QStringLiteral("-aid ") + job.LavfAid);
            run.Args[aid + 1] = job.LavfAid;
        }
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

bool FollowsTimestamps(const TEncoderJob& job)
{
    for (const TEncoderInvocation& run : job.Runs) {
        const qsizetype at = run.Args.lastIndexOf(QStringLiteral("-demuxer"));
        if (at >= 0 && at + 1 < run.Args.size() && run.Args.at(at + 1) == QLatin1String("mov"))
            return true;
    }
    return false;
}
