// TerminalText: what the headless modes print.

#include "lib/Strings.h"

#include <QList>

#include <gtest/gtest.h>

TEST(LibTerminalText, ControlsBecomeQuestionMarksAndTextEndsWithALineBreak)
{
    struct Case {
        QString in;
        QString out;
    };
    const QList<Case> cases = {
        {QString(), QString()},
        {QStringLiteral("plain"), QStringLiteral("plain\n")},
        {QStringLiteral("done\n"), QStringLiteral("done\n")},
        // tab stays, CR LF line ends stay and set the final one
        {QStringLiteral("a\tb\r\nc"), QStringLiteral("a\tb\r\nc\r\n")},
        {QStringLiteral("a\nb\r\nc"), QStringLiteral("a\nb\r\nc\r\n")},
        {QStringLiteral("a\r\nb\nc"), QStringLiteral("a\r\nb\nc\n")},
        // escape sequences, a lone CR (which would overwrite the line), bell, NUL, DEL
        {QStringLiteral("\x1b[31mred\x1b[0m\n"), QStringLiteral("?[31mred?[0m\n")},
        {QStringLiteral("fake\rreal\n"), QStringLiteral("fake?real\n")},
        {QString::fromUtf16(u"\x07\x00\x7f\n", 4), QStringLiteral("???\n")},
        {QStringLiteral("end\r"), QStringLiteral("end?\n")},
        // C1 controls (CSI U+009B), but not the letters around them
        {QString::fromUtf16(u"\u00e9\u009b2J\u00a0\n"), QString::fromUtf16(u"\u00e9?2J\u00a0\n")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TerminalText(c.in), c.out) << c.in.toStdString();
    }
    // A progress line is rewritten in place: no line break is added.
    EXPECT_EQ(TerminalText(QStringLiteral("file 1/2: 5%\x1b"), false), QStringLiteral("file 1/2: 5%?"));
}
