#include "lib/Conversion.h"

#include "lib/Strings.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Sign and minus rules shared by IsIntText and IsFloatText; returns the text to check.
bool PrepareNumberText(const QString& s, bool ignoreBlanks, QString& out)
{
    out = ignoreBlanks ? RemoveBlanks(s) : s;
    const qsizetype minus = out.count(QLatin1Char('-'));
    if (minus > 1 || (minus == 1 && !out.startsWith(QLatin1Char('-'))))
        return false;
    if (out.startsWith(QLatin1Char('+')))
        out.remove(0, 1);
    return true;
}

// Digits of `text` from `pos` as an unsigned magnitude, no overflow past `limit`.
bool ParseDigits(const QString& text, qsizetype pos, int base, uint64_t limit, uint64_t& magnitude)
{
    if (pos >= text.size())
        return false;
    magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int d = base == 16 ? HexDigit(text.at(pos)) : (IsDigit(text.at(pos)) ? text.at(pos).unicode() - '0' : -1);
        if (d < 0)
            return false;
        if (magnitude > (limit - uint64_t(d)) / uint64_t(base))
            return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(d);
    }
    return true;
}

// Leading blanks, optional sign, then decimal or "$"/"0x" hex. Decimal is range-checked
// against [-2^(bits-1), 2^(bits-1)-1]; hex may use the full unsigned width and wraps.
bool ParseStandardInt(const QString& s, int bits, int64_t& value)
{
    qsizetype pos = 0;
    while (pos < s.size() && s.at(pos) == QLatin1Char(' '))
        ++pos;
    bool negative = false;
    if (pos < s.size() && (s.at(pos) == QLatin1Char('-') || s.at(pos) == QLatin1Char('+'))) {
        negative = s.at(pos) == QLatin1Char('-');
        ++pos;
    }
    int base = 10;
    if (pos < s.size() && s.at(pos) == QLatin1Char('$')) {
        base = 16;
        ++pos;
    } else if (pos + 1 < s.size() && s.at(pos) == QLatin1Char('0') &&
               (s.at(pos + 1) == QLatin1Char('x') || s.at(pos + 1) == QLatin1Char('X'))) {
        base = 16;
        pos += 2;
    }
    const uint64_t unsignedMax = bits == 64 ? std::numeric_limits<uint64_t>::max() : (uint64_t(1) << bits) - 1;
    const uint64_t signedMax = unsignedMax >> 1;
    uint64_t magnitude = 0;
    if (base == 16) {
        if (!ParseDigits(s, pos, 16, unsignedMax, magnitude))
            return false;
        int64_t v = bits == 64 ? int64_t(magnitude) : (magnitude > signedMax ? int64_t(magnitude) - int64_t(unsignedMax) - 1 : int64_t(magnitude));
        value = negative ? int64_t(0 - uint64_t(v)) : v;
        return true;
    }
    if (!ParseDigits(s, pos, 10, negative ? signedMax + 1 : signedMax, magnitude))
        return false;
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

} // namespace

QChar UserDecimalSeparator()
{
    const QString p = QLocale::system().decimalPoint();
    return p.isEmpty() ? QLatin1Char('.') : p.at(0);
}

QString DecimalText(double x, int decimals)
{
    QString s = QString::number(x, 'f', decimals);
    const QChar sep = UserDecimalSeparator();
    if (sep != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), sep);
    return s;
}

QString SecondsText(double ms) { return DecimalText(ms / 1000.0, 2) + QStringLiteral(" s"); }

bool IsIntText(const QString& s, bool ignoreBlanks)
{
    QString t;
    if (!PrepareNumberText(s, ignoreBlanks, t))
        return false;
    for (QChar c : t) {
        if (!IsDigit(c) && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

bool IsFloatText(const QString& s, bool ignoreBlanks)
{
    QString t;
    if (!PrepareNumberText(s, ignoreBlanks, t))
        return false;
    t = t.toUpper();
    const qsizetype e = t.count(QLatin1Char('E'));
    const qsizetype dots = t.count(QLatin1Char('.'));
    const qsizetype commas = t.count(QLatin1Char(','));
    if (e > 1 || dots > 1 || commas > 1 || (dots > 0 && commas > 0))
        return false;
    for (QChar c : t) {
        if (!IsDigit(c) && c != QLatin1Char('-') && c != QLatin1Char('E') && c != QLatin1Char('.') &&
            c != QLatin1Char(','))
            return false;
    }
    return true;
}

bool TryStrToInt(const QString& s, int& value)
{
    int64_t v = 0;
    if (!ParseStandardInt(s, 32, v))
        return false;
    value = int(v);
    return true;
}

bool TryStrToInt64(const QString& s, int64_t& value) { return ParseStandardInt(s, 64, value); }

bool TryStrToFloat(const QString& s, double& value, QChar decimalSeparator)
{
    QString t = TrimText(s);
    if (t.isEmpty())
        return false;
    if (decimalSeparator != QLatin1Char('.')) {
        if (t.contains(QLatin1Char('.')))
            return false;
        t.replace(decimalSeparator, QLatin1Char('.'));
    }
    // Only the plain forms: no group separators, no "inf"/"nan".
    for (QChar c : t) {
        if (!IsDigit(c) && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+') &&
            c != QLatin1Char('e') && c != QLatin1Char('E'))
            return false;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TryStrToFloat(const QString& s, double& value) { return TryStrToFloat(s, value, UserDecimalSeparator()); }

bool IsFloat(const QString& s, QChar decimalSeparator)
{
    double v = 0;
    return TryStrToFloat(s, v, decimalSeparator);
}

bool IsFloat(const QString& s) { return IsFloat(s, UserDecimalSeparator()); }

bool TryFloatAnySep(const QString& s, double& value)
{
    // Replacing both by the user's separator and converting with it is the same as
    // replacing both by "." and converting with ".".
    QString t = s;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return TryStrToFloat(t, value, QLatin1Char('.'));
}

double FloatAnySepDef(const QString& s, double def)
{
    double v = 0;
    return TryFloatAnySep(s, v) ? v : def;
}

QString FloatToTrimmedStr(double x, int decimals, QChar separator)
{
    if (!std::isfinite(x))
        return QString::number(x);
    if (x == std::trunc(x))
        return x == 0 ? QStringLiteral("0") : QString::number(x, 'f', 0);
    QString r = QString::number(x, 'f', std::max(decimals, 0));
    if (r.contains(QLatin1Char('.'))) {
        while (r.endsWith(QLatin1Char('0')))
            r.chop(1);
        if (r.endsWith(QLatin1Char('.')))
            r.chop(1);
    }
    if (r == QLatin1String("-0"))
        r = QStringLiteral("0");
    const QChar sep = separator.isNull() ? UserDecimalSeparator() : separator;
    const qsizetype dot = r.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        r[dot] = sep;
    return r;
}

QString IntToStrGrouped(int64_t v, QChar groupChar)
{
    QString digits = QString::number(v);
    QString sign;
    if (digits.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        digits.remove(0, 1);
    }
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, groupChar);
    return TrimText(sign + digits);
}

bool TryHexToInt64(const QString& s, int64_t& value)
{
    const qsizetype start = s.startsWith(QLatin1Char('$')) ? 1 : 0;
    uint64_t magnitude = 0;
    if (!ParseDigits(s, start, 16, std::numeric_limits<uint64_t>::max(), magnitude))
        return false;
    value = int64_t(magnitude);
    return true;
}

bool TryHexByte(const QString& s, uint8_t& value)
{
    int64_t v = 0;
    if (!TryHexToInt64(s, v) || v < 0 || v > 255)
        return false;
    value = uint8_t(v);
    return true;
}

bool TryDecByte(const QString& s, uint8_t& value)
{
    int v = 0;
    if (!TryStrToInt(s, v) || v < 0 || v > 255)
        return false;
    value = uint8_t(v);
    return true;
}

int64_t RoundToMultiple(int64_t a, int64_t m)
{
    if (m == 0)
        return 0;
    if (a % m == 0)
        return a;
    // Exact integer rounding of a / m, halves to the even quotient.
    int64_t q = a / m; // truncated toward zero
    const int64_t r = a % m;
    const uint64_t twiceR = uint64_t(r < 0 ? -r : r) * 2;
    const uint64_t absM = uint64_t(m < 0 ? -m : m);
    const int64_t away = ((a < 0) != (m < 0)) ? -1 : 1;
    if (twiceR > absM || (twiceR == absM && (q % 2 != 0)))
        q += away;
    return q * m;
}

int RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v); // the default rounding mode rounds halves to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}
