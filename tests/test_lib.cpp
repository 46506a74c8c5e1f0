#include "lib/Colors.h"
#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/Strings.h"
#include "support/TestSupport.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <limits>

TEST(LibStrings, Trim)
{
    EXPECT_EQ(TrimText(S("\x01 x \x1f")), S("x"));
    // A no-break space (code 160) is not trimmed.
    EXPECT_EQ(TrimText(S("\xc2\xa0x")), S("\xc2\xa0x"));
    EXPECT_EQ(RemoveBlanks(S(" a b\tc ")), S("ab\tc"));
    EXPECT_EQ(PadLeft(S("7"), 3, QLatin1Char('0')), S("007"));
    EXPECT_EQ(PadLeft(S("1234"), 3, QLatin1Char('0')), S("1234"));
}

TEST(LibStrings, ReplaceWithoutRescanning)
{
    EXPECT_EQ(ReplaceAll(S("aaa"), S("a"), S("aa")), S("aaaaaa"));
    EXPECT_EQ(ReplaceAll(S("xAbxab"), S("ab"), S("-"), true), S("x-x-"));
    EXPECT_EQ(ReplaceAll(S("xAbxab"), S("ab"), S("-"), false), S("xAbx-"));
    EXPECT_EQ(ReplaceAll(S("abc"), S(""), S("-")), S("abc"));
    EXPECT_EQ(ReplaceFirst(S("a.b.c"), S("."), S("/")), S("a/b.c"));
    EXPECT_EQ(ReplaceFirst(S("0X10"), S("0x"), S(""), true), S("10"));
    EXPECT_EQ(RemoveAll(S("RGB(1,rgb2)"), S("rgb"), true), S("(1,2)"));
}

TEST(LibStrings, RandomHexShape)
{
    const QString upper = RandomHex(16, S("-"), false);
    EXPECT_TRUE(QRegularExpression(S("^([0-9A-F]{2}-){15}[0-9A-F]{2}$")).match(upper).hasMatch()) << upper.toStdString();
    const QString lower = RandomHex(200, QString(), true);
    EXPECT_TRUE(QRegularExpression(S("^[0-9a-f]{400}$")).match(lower).hasMatch());
    // Bytes are drawn from 0..254: "ff" never appears at a byte boundary.
    for (int i = 0; i < lower.size(); i += 2)
        EXPECT_NE(lower.mid(i, 2), S("ff"));
    EXPECT_EQ(RandomHex(0, S("-")), QString());
}

TEST(LibStrings, FormatMsg)
{
    EXPECT_EQ(FormatMsg(S("a\\nb\\tc")), S("a\r\nb\tc"));
    EXPECT_EQ(FormatMsg(S("File %s: %s"), S("x.avi"), S("gone")), S("File x.avi: gone"));
    // A "%s" inside the first argument is text, not a place for the second.
    EXPECT_EQ(FormatMsg(S("%s and %s"), S("50%s"), S("two")), S("50%s and two"));
    EXPECT_EQ(FormatMsg(S("only %s"), S("one"), S("two")), S("only one"));
    EXPECT_EQ(FormatMsg(S("trailing \\")), S("trailing \\"));
}

TEST(LibNumbers, IntAndFloatText)
{
    EXPECT_TRUE(IsIntText(S("-12")));
    EXPECT_TRUE(IsIntText(S("+7")));
    EXPECT_TRUE(IsIntText(S("")));
    EXPECT_FALSE(IsIntText(S("1-2")));
    EXPECT_FALSE(IsIntText(S("--1")));
    EXPECT_FALSE(IsIntText(S("1 2")));
    EXPECT_TRUE(IsIntText(S(" 1 2 "), true));
    EXPECT_FALSE(IsIntText(S("12a")));
    EXPECT_FALSE(IsIntText(S("++1")));

    EXPECT_TRUE(IsFloatText(S("1.5")));
    EXPECT_TRUE(IsFloatText(S("-1,5")));
    EXPECT_TRUE(IsFloatText(S("1e5")));
    EXPECT_TRUE(IsFloatText(S("")));
    EXPECT_FALSE(IsFloatText(S("1.5.2")));
    EXPECT_FALSE(IsFloatText(S("1,5,2")));
    EXPECT_FALSE(IsFloatText(S("1.5,2")));
    EXPECT_FALSE(IsFloatText(S("1E5E2")));
    EXPECT_FALSE(IsFloatText(S("1x")));
    EXPECT_TRUE(IsFloatText(S(" 2 . 5"), true));
}

TEST(LibNumbers, StandardIntegerConversion)
{
    int v = 0;
    EXPECT_TRUE(TryStrToInt(S("  -42"), v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(TryStrToInt(S("$FF"), v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryStrToInt(S("0x1a"), v));
    EXPECT_EQ(v, 26);
    EXPECT_TRUE(TryStrToInt(S("0XFFFFFFFF"), v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt(S("2147483647"), v));
    EXPECT_EQ(v, std::numeric_limits<int>::max());
    EXPECT_TRUE(TryStrToInt(S("-2147483648"), v));
    EXPECT_EQ(v, std::numeric_limits<int>::min());
    EXPECT_FALSE(TryStrToInt(S("2147483648"), v));
    EXPECT_FALSE(TryStrToInt(S(""), v));
    EXPECT_FALSE(TryStrToInt(S("0x"), v));
    EXPECT_FALSE(TryStrToInt(S("12 "), v));
    EXPECT_FALSE(TryStrToInt(S("1.0"), v));
    EXPECT_FALSE(TryStrToInt(S("$100000000"), v));
    int64_t big = 0;
    EXPECT_TRUE(TryStrToInt64(S("9223372036854775807"), big));
    EXPECT_EQ(big, std::numeric_limits<int64_t>::max());
    EXPECT_FALSE(TryStrToInt64(S("9223372036854775808"), big));
}

TEST(LibNumbers, FloatConversionWithSeparators)
{
    double d = 0;
    EXPECT_TRUE(TryStrToFloat(S("1,5"), d, QLatin1Char(',')));
    EXPECT_DOUBLE_EQ(d, 1.5);
    EXPECT_FALSE(TryStrToFloat(S("1.5"), d, QLatin1Char(',')));
    EXPECT_TRUE(TryStrToFloat(S(" 2.25 "), d, QLatin1Char('.')));
    EXPECT_DOUBLE_EQ(d, 2.25);
    EXPECT_FALSE(TryStrToFloat(S("1,000.5"), d, QLatin1Char('.')));
    EXPECT_FALSE(TryStrToFloat(S("inf"), d, QLatin1Char('.')));
    EXPECT_FALSE(TryStrToFloat(S(""), d, QLatin1Char('.')));
    EXPECT_TRUE(IsFloat(S("1e3"), QLatin1Char('.')));

    EXPECT_TRUE(TryFloatAnySep(S("3,75"), d));
    EXPECT_DOUBLE_EQ(d, 3.75);
    EXPECT_TRUE(TryFloatAnySep(S("3.75"), d));
    EXPECT_DOUBLE_EQ(d, 3.75);
    EXPECT_FALSE(TryFloatAnySep(S("1.000,5"), d));
    EXPECT_DOUBLE_EQ(FloatAnySepDef(S("x"), -1.0), -1.0);
    EXPECT_DOUBLE_EQ(FloatAnySepDef(S("0,5"), -1.0), 0.5);
}

TEST(LibNumbers, TrimmedFloatText)
{
    EXPECT_EQ(FloatToTrimmedStr(3.0, 2, QLatin1Char('.')), S("3"));
    EXPECT_EQ(FloatToTrimmedStr(2.5, 2, QLatin1Char(',')), S("2,5"));
    EXPECT_EQ(FloatToTrimmedStr(1.25, 3, QLatin1Char('.')), S("1.25"));
    EXPECT_EQ(FloatToTrimmedStr(0.999, 2, QLatin1Char('.')), S("1"));
    EXPECT_EQ(FloatToTrimmedStr(-0.001, 2, QLatin1Char('.')), S("0"));
    EXPECT_EQ(FloatToTrimmedStr(-1.5, 1, QLatin1Char('.')), S("-1.5"));
    EXPECT_EQ(FloatToTrimmedStr(1234567.0, 2, QLatin1Char('.')), S("1234567"));
    // Without an explicit separator the user's one is used.
    EXPECT_EQ(FloatToTrimmedStr(0.5, 1), QStringLiteral("0") + UserDecimalSeparator() + QStringLiteral("5"));
}

TEST(LibNumbers, GroupedIntegers)
{
    EXPECT_EQ(IntToStrGrouped(123456, QLatin1Char(' ')), S("123 456"));
    EXPECT_EQ(IntToStrGrouped(1234567, QLatin1Char(' ')), S("1 234 567"));
    EXPECT_EQ(IntToStrGrouped(12, QLatin1Char(' ')), S("12"));
    EXPECT_EQ(IntToStrGrouped(0, QLatin1Char(' ')), S("0"));
    EXPECT_EQ(IntToStrGrouped(-123456, QLatin1Char(' ')), S("-123 456"));
    EXPECT_EQ(IntToStrGrouped(-12, QLatin1Char('.')), S("-12"));
    EXPECT_EQ(IntToStrGrouped(int64_t(9876543210123), QLatin1Char('.')), S("9.876.543.210.123"));
    EXPECT_EQ(IntToStrGrouped(std::numeric_limits<int64_t>::min(), QLatin1Char(' ')),
              S("-9 223 372 036 854 775 808"));
}

TEST(LibNumbers, HexAndByteConversions)
{
    int64_t v = 0;
    EXPECT_TRUE(TryHexToInt64(S("ff"), v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryHexToInt64(S("$10"), v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(TryHexToInt64(S("FFFFFFFFFFFFFFFF"), v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(TryHexToInt64(S("1FFFFFFFFFFFFFFFF"), v));
    EXPECT_FALSE(TryHexToInt64(S(""), v));
    EXPECT_FALSE(TryHexToInt64(S("$"), v));
    EXPECT_FALSE(TryHexToInt64(S("$$1"), v));
    EXPECT_FALSE(TryHexToInt64(S("1g"), v));
    EXPECT_FALSE(TryHexToInt64(S(" 1"), v));

    uint8_t b = 0;
    EXPECT_TRUE(TryHexByte(S("FF"), b));
    EXPECT_EQ(b, 255);
    EXPECT_FALSE(TryHexByte(S("100"), b));
    EXPECT_TRUE(TryDecByte(S("255"), b));
    EXPECT_EQ(b, 255);
    EXPECT_TRUE(TryDecByte(S(" 0"), b));
    EXPECT_EQ(b, 0);
    EXPECT_FALSE(TryDecByte(S("256"), b));
    EXPECT_FALSE(TryDecByte(S("-1"), b));
    EXPECT_FALSE(TryDecByte(S(""), b));
}

TEST(LibNumbers, PercentClampAndRounding)
{
    EXPECT_EQ(RoundToMultiple(100, 0), 0);
    EXPECT_EQ(RoundToMultiple(96, 16), 96);
    EXPECT_EQ(RoundToMultiple(100, 16), 96);  // 6.25 -> 6
    EXPECT_EQ(RoundToMultiple(105, 16), 112); // 6.5625 -> 7
    EXPECT_EQ(RoundToMultiple(24, 16), 32);   // 1.5 -> 2 (even)
    EXPECT_EQ(RoundToMultiple(40, 16), 32);   // 2.5 -> 2 (even)
    EXPECT_EQ(RoundToMultiple(56, 16), 64);   // 3.5 -> 4
    EXPECT_EQ(RoundToMultiple(-24, 16), -32);
    EXPECT_EQ(RoundToMultiple(-40, 16), -32);
    EXPECT_EQ(RoundToMultiple(3, 2), 4);
    EXPECT_EQ(RoundToMultiple(5, 2), 4);
}

TEST(LibColors, ChannelsAndShift)
{
    EXPECT_EQ(RGBColor(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(RGBColor(0, 0, 255), 0xFF0000u);
    EXPECT_EQ(RGBColor(256 + 1, 2, 3), 0x030201u);
    EXPECT_EQ(GrayColor(0x80), 0x808080u);
    EXPECT_EQ(ShiftColor(RGBColor(100, 200, 0), 50, true), RGBColor(150, 255, 0));
    EXPECT_EQ(ShiftColor(RGBColor(100, 201, 10), 50, false), RGBColor(50, 101, 5));
    EXPECT_EQ(ShiftColor(RGBColor(3, 3, 3), 50, false), RGBColor(2, 2, 2)); // 3*50/100 = 1
    // Channels are held to 0..255: above, below and within.
    EXPECT_EQ(ShiftColor(RGBColor(250, 100, 0), 10, true), RGBColor(255, 110, 0));
    EXPECT_EQ(ShiftColor(RGBColor(100, 100, 100), 150, false), RGBColor(0, 0, 0));
}

TEST(LibColors, ParseColorForms)
{
    const TColor red = RGBColor(255, 0, 0);
    const char* reds[] = {"#F00", "#FF0000", "rgb(255, 0, 0)", "(255, 0, 0)", "255,0,0", "$0000FF",
                          "  RGB(255,0,0) ", "0x0000ff", "255 0 0", "# ff 00 00"};
    for (const char* text : reds) {
        TColor c = 1;
        EXPECT_TRUE(ParseColor(S(text), c)) << text;
        EXPECT_EQ(c, red) << text;
    }
    TColor c = 0;
    EXPECT_TRUE(ParseColor(S("128"), c));
    EXPECT_EQ(c, 296u);
    EXPECT_TRUE(ParseColor(S("FF0000"), c)); // value as written: blue
    EXPECT_EQ(c, RGBColor(0, 0, 255));
    EXPECT_TRUE(ParseColor(S("rgb(128)"), c));
    EXPECT_EQ(c, GrayColor(128));

    const char* bad[] = {"", "   ", "#12345", "rgb(256,0,0)", "1,2", "1,2,3,4", "hello", "(128)", "#GG0000", "$", "$1FFFFFFFF"};
    for (const char* text : bad) {
        TColor keep = 42;
        EXPECT_FALSE(ParseColor(S(text), keep)) << text;
        EXPECT_EQ(keep, 42u) << text;
    }
}

TEST(LibDateTime, ShortTimes)
{
    EXPECT_EQ(MsToShortTime(3723500, true), S("01:02:04"));
    EXPECT_EQ(MsToShortTime(3723499, true), S("01:02:03"));
    EXPECT_EQ(MsToShortTime(3723499, false), S("01:02:03.499"));
    EXPECT_EQ(MsToShortTime(0, false), S("00:00:00.000"));
    EXPECT_EQ(MsToShortTime(0, true), S("00:00:00"));
    EXPECT_EQ(MsToShortTime(-5, true), S("00:00:00"));
    EXPECT_EQ(MsToShortTime(59500, true), S("00:01:00"));
    EXPECT_EQ(MsToShortTime(3599500, true), S("01:00:00"));
    EXPECT_EQ(MsToShortTime(59999, false), S("00:00:59.999"));
    EXPECT_EQ(MsToShortTime(7, false), S("00:00:00.007"));
    EXPECT_EQ(MsToShortTime(int64_t(100) * 3600000, true), S("100:00:00"));
}

TEST(LibDateTime, TimeStamp)
{
    const QDateTime at(QDate(987, 3, 4), QTime(5, 6, 7, 8));
    EXPECT_EQ(MakeTimeStamp(S("-"), S("_"), S("@"), true, S("."), at), S("987-03-04@05_06_07.008"));
    EXPECT_EQ(MakeTimeStamp(S("."), S(":"), S(" "), false, S("."), at), S("987.03.04 05:06:07"));
    EXPECT_TRUE(QRegularExpression(S("^\\d{4}-\\d\\d-\\d\\d@\\d\\d_\\d\\d_\\d\\d\\.\\d{3}$"))
                    .match(MakeTimeStamp(S("-"), S("_"), S("@"), true, S(".")))
                    .hasMatch());
}
