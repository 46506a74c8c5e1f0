#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

// The user's decimal separator (QLocale::system()).
QChar UserDecimalSeparator();
// x with decimals places and the user's decimal separator, for texts that are shown
// (never for what is stored or handed to the encoder).
QString DecimalText(double x, int decimals);
// A time of ms milliseconds in seconds for a shown sentence: "0.25 s" ("0,25 s" in German).
QString SecondsText(double ms);

// Character checks only (no range check). An empty text passes.
// Integer text: at most one "-", only as the first character; one leading "+" is dropped;
// then only digits and "-".
bool IsIntText(const QString& s, bool ignoreBlanks = false);
// As IsIntText, plus at most one "E" (either case), at most one "." and at most one ","
// but not both a "." and a ",".
bool IsFloatText(const QString& s, bool ignoreBlanks = false);

// The standard integer conversion: leading blanks, an optional sign, then decimal digits,
// or hex digits after "$" or "0x"/"0X". Decimal must fit the type; hex up to the full
// unsigned width wraps (so "$FFFFFFFF" is -1 as an int).
bool TryStrToInt(const QString& s, int& value);
bool TryStrToInt64(const QString& s, int64_t& value);

// Floating-point conversion with the given decimal separator (blanks around allowed;
// infinities and NaN rejected). Without a separator the user's one is used.
bool TryStrToFloat(const QString& s, double& value, QChar decimalSeparator);
bool TryStrToFloat(const QString& s, double& value);
bool IsFloat(const QString& s, QChar decimalSeparator);
bool IsFloat(const QString& s);

// Every "," and "." taken as the decimal separator.
bool TryFloatAnySep(const QString& s, double& value);
double FloatAnySepDef(const QString& s, double def);

// A whole x as an integer; otherwise x with `decimals` decimals, trailing zeros and a
// trailing separator removed. The decimal separator is `separator` when given (not null),
// else the user's one.
QString FloatToTrimmedStr(double x, int decimals, QChar separator = QChar());

// 1234567 -> "1 234 567" with a blank; only digits are grouped ("-1 234").
QString IntToStrGrouped(int64_t v, QChar groupChar = QLatin1Char(' '));

// Whole text hex, with or without one leading "$"; up to 16 digits. Empty -> false.
bool TryHexToInt64(const QString& s, int64_t& value);
bool TryHexByte(const QString& s, uint8_t& value);
// The standard integer conversion (TryStrToInt), 0..255.
bool TryDecByte(const QString& s, uint8_t& value);

// 0 when m is 0; a when a is a multiple of m; else m * round(a / m), halves to even.
int64_t RoundToMultiple(int64_t a, int64_t m);

// Real values to integers, halves to the even neighbour (2.5 gives 2, 3.5 gives 4);
// beyond the int range the nearest end of it, not a number 0.
int RoundHalfEven(double v);
