#include "media/MediaAnswers.h"

#include "lib/Conversion.h"
#include "lib/Strings.h"

#include <cmath>
#include <limits>

namespace MediaAnswers {

bool TryAnswerDurationMs(const QString& answer, int& ms)
{
    if (TryStrToInt(answer, ms))
        return true;
    double v = 0;
    if (!TryFloatAnySep(answer, v))
        return false;
    const double rounded = std::nearbyint(v); // the default rounding mode: halves to even
    if (rounded < double(std::numeric_limits<int>::min()) || rounded > double(std::numeric_limits<int>::max()))
        return false;
    ms = int(rounded);
    return true;
}

QString WithUserDecimalSeparator(const QString& text)
{
    const QString sep(UserDecimalSeparator());
    return ReplaceFirst(ReplaceFirst(text, QStringLiteral("."), sep), QStringLiteral(","), sep);
}

QString SplitStreamSizeText(const QString& answer, int& percent)
{
    percent = 0;
    QString t = answer;
    t = ReplaceFirst(t, QStringLiteral("MiB"), QStringLiteral("MB"), true);
    t = ReplaceFirst(t, QStringLiteral("KiB"), QStringLiteral("KB"), true);
    t = ReplaceFirst(t, QStringLiteral("GiB"), QStringLiteral("GB"), true);
    const qsizetype paren = t.indexOf(QLatin1Char('('));
    if (paren < 0)
        return t;
    QString share = t.mid(paren + 1);
    if (const qsizetype end = share.indexOf(QLatin1String("%)")); end >= 0)
        share.remove(end, 2);
    if (int p = 0; TryStrToInt(share, p))
        percent = p;
    return t.left(paren).trimmed();
}

int AudioBitrateFromText(const QString& answer)
{
    const qsizetype slash = answer.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        int b = 0;
        return TryStrToInt(answer, b) ? b : 0;
    }
    int first = 0, second = 0;
    if (!TryStrToInt(answer.left(slash).trimmed(), first) || !TryStrToInt(answer.mid(slash + 1).trimmed(), second))
        return 0;
    return int((int64_t(first) + int64_t(second)) / 2);
}

} // namespace MediaAnswers
