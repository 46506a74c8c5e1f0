#include "media/MediaAnswers.h"

#include <QLocale>

#include <cmath>
#include <utility>
#include <limits>

namespace MediaAnswers {

bool TryAnswerInt64(const QString& answer, int64_t& value)
{
    QString t = answer;
    qsizetype i = 0;
    while (i < t.size() && t.at(i) == QLatin1Char(' '))
        ++i;
    t = t.mid(i);
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.at(0) == QLatin1Char('-');
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        t = t.mid(1);
        base = 16;
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
        base = 16;
    }
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        const bool digit = c.isDigit() && c.unicode() < 128;
        const bool hex = base == 16 && QStringLiteral("abcdefABCDEF").contains(c);
        if (!digit && !hex)
            return false;
    }
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    const qulonglong limit = qulonglong(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
    if (!ok || magnitude > limit)
        return false;
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

bool TryAnswerInt(const QString& answer, int& value)
{
    int64_t v = 0;
    if (!TryAnswerInt64(answer, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

bool TryAnswerFloat(const QString& answer, double& value)
{
    QString t = answer;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TryAnswerDurationMs(const QString& answer, int& ms)
{
    if (TryAnswerInt(answer, ms))
        return true;
    double v = 0;
    if (!TryAnswerFloat(answer, v))
        return false;
    const double rounded = std::nearbyint(v); // the default rounding mode: halves to even
    if (rounded < double(std::numeric_limits<int>::min()) || rounded > double(std::numeric_limits<int>::max()))
        return false;
    ms = int(rounded);
    return true;
}

QString WithUserDecimalSeparator(const QString& text)
{
    const QString sep = QLocale().decimalPoint();
    QString t = text;
    if (const qsizetype dot = t.indexOf(QLatin1Char('.')); dot >= 0)
        t.replace(dot, 1, sep);
    if (const qsizetype comma = t.indexOf(QLatin1Char(',')); comma >= 0)
        t.replace(comma, 1, sep);
    return t;
}

QString SplitStreamSizeText(const QString& answer, int& percent)
{
    percent = 0;
    QString t = answer;
    for (const auto& [from, to] : {std::pair{"MiB", "MB"}, std::pair{"KiB", "KB"}, std::pair{"GiB", "GB"}}) {
        if (const qsizetype at = t.indexOf(QLatin1String(from), 0, Qt::CaseInsensitive); at >= 0)
            t.replace(at, 3, QLatin1String(to));
    }
    const qsizetype paren = t.indexOf(QLatin1Char('('));
    if (paren < 0)
        return t;
    QString share = t.mid(paren + 1);
    if (const qsizetype end = share.indexOf(QLatin1String("%)")); end >= 0)
        share.remove(end, 2);
    if (int p = 0; TryAnswerInt(share, p))
        percent = p;
    return t.left(paren).trimmed();
}

int AudioBitrateFromText(const QString& answer)
{
    const qsizetype slash = answer.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        int b = 0;
        return TryAnswerInt(answer, b) ? b : 0;
    }
    int first = 0, second = 0;
    if (!TryAnswerInt(answer.left(slash).trimmed(), first) || !TryAnswerInt(answer.mid(slash + 1).trimmed(), second))
        return 0;
    return int((int64_t(first) + int64_t(second)) / 2);
}

} // namespace MediaAnswers
