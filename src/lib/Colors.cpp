#include "lib/Colors.h"

#include "lib/Conversion.h"
#include "lib/Strings.h"

#include <algorithm>

#include <QStringList>

namespace {

bool HasHexLetter(const QString& s)
{
    for (QChar c : s) {
        const QChar u = c.toUpper();
        if (u >= QLatin1Char('A') && u <= QLatin1Char('F'))
            return true;
    }
    return false;
}

bool ParseHexForm(const QString& text, TColor& colour)
{
    QString t = ReplaceFirst(RemoveBlanks(text), QStringLiteral("0x"), QString(), true);
    if (!t.startsWith(QLatin1Char('$')))
        t.prepend(QLatin1Char('$'));
    int64_t v = 0;
    if (!TryHexToInt64(t, v) || v < 0 || v > int64_t(0xFFFFFFFF))
        return false;
    colour = TColor(v);
    return true;
}

bool ParseHtmlForm(const QString& text, TColor& colour)
{
    QString t = RemoveAll(RemoveBlanks(text), QStringLiteral("#"));
    if (t.size() == 3) {
        QString doubled;
        for (QChar c : t)
            doubled += QString(2, c);
        t = doubled;
    }
    if (t.size() != 6)
        return false;
    uint8_t r = 0, g = 0, b = 0;
    if (!TryHexByte(t.mid(0, 2), r) || !TryHexByte(t.mid(2, 2), g) || !TryHexByte(t.mid(4, 2), b))
        return false;
    colour = RGBColor(r, g, b);
    return true;
}

bool ParseTripletForm(const QString& text, TColor& colour)
{
    QString t = ReplaceAll(text, QStringLiteral("   "), QStringLiteral(" "));
    t = ReplaceAll(t, QStringLiteral("  "), QStringLiteral(" "));
    t = ReplaceAll(t, QStringLiteral(" "), QStringLiteral(","));
    t = ReplaceAll(t, QStringLiteral(",,"), QStringLiteral(","));
    t = RemoveAll(t, QStringLiteral("rgb"), true);
    t = RemoveAll(t, QStringLiteral("("));
    t = RemoveAll(t, QStringLiteral(")"));
    if (!t.contains(QLatin1Char(','))) {
        uint8_t v = 0;
        if (!TryDecByte(t, v))
            return false;
        colour = GrayColor(v);
        return true;
    }
    const QStringList parts = t.split(QLatin1Char(','));
    uint8_t r = 0, g = 0, b = 0;
    if (parts.size() != 3 || !TryDecByte(parts[0], r) || !TryDecByte(parts[1], g) || !TryDecByte(parts[2], b))
        return false;
    colour = RGBColor(r, g, b);
    return true;
}

int ShiftChannel(int c, int percent, bool lighter)
{
    const int delta = c * percent / 100;
    return std::clamp(lighter ? c + delta : c - delta, 0, 255);
}

} // namespace

TColor RGBColor(int r, int g, int b)
{
    auto mod = [](int v) { return TColor(((v % 256) + 256) % 256); };
    return mod(r) | (mod(g) << 8) | (mod(b) << 16);
}

TColor GrayColor(int v) { return RGBColor(v, v, v); }

TColor ShiftColor(TColor colour, int percent, bool lighter)
{
    return RGBColor(ShiftChannel(RedOf(colour), percent, lighter), ShiftChannel(GreenOf(colour), percent, lighter),
                    ShiftChannel(BlueOf(colour), percent, lighter));
}

bool ParseColor(const QString& text, TColor& colour)
{
    const QString t = TrimText(text);
    if (t.isEmpty())
        return false;
    if (t.startsWith(QLatin1Char('$')))
        return ParseHexForm(t, colour);
    if (t.startsWith(QLatin1Char('#')))
        return ParseHtmlForm(t, colour);
    if (t.startsWith(QLatin1String("rgb"), Qt::CaseInsensitive))
        return ParseTripletForm(t, colour);
    if (HasHexLetter(t))
        return ParseHexForm(t, colour);
    if (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char(' ')))
        return ParseTripletForm(t, colour);
    if (IsIntText(t, true))
        return ParseHexForm(t, colour);
    return false;
}
