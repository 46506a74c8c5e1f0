// The INI reader's name index: large files load in linear time, and repeated sections
// and keys behave as they always did.

#include "lib/MemIniFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(LibMemIniIndex, RepeatedSectionsAndKeys)
{
    MemIniFile ini;
    ini.SetLines({S("[A]"), S("k=1"), S("K=2"), S("[b]"), S("x=1"), S("[a]"), S("k=3"), S("j=4")});
    // A repeated section continues the first; a repeated key reads as its first occurrence.
    EXPECT_EQ(ini.Sections(), (QStringList{S("A"), S("b")}));
    EXPECT_EQ(ini.ReadSection(S("a")), (QStringList{S("k"), S("K"), S("k"), S("j")}));
    EXPECT_EQ(ini.ReadString(S("A"), S("K")), S("1"));
    EXPECT_EQ(ini.ReadString(S("A"), S("j")), S("4"));

    // A write changes the first occurrence only.
    ini.WriteString(S("a"), S("K"), S("w"));
    EXPECT_EQ(ini.ReadSectionValues(S("A")), (QStringList{S("k=w"), S("K=2"), S("k=3"), S("j=4")}));
    // Deleting the key uncovers the next occurrence, and so on.
    ini.DeleteKey(S("A"), S("k"));
    EXPECT_EQ(ini.ReadString(S("A"), S("k")), S("2"));
    ini.DeleteKey(S("A"), S("k"));
    EXPECT_EQ(ini.ReadString(S("A"), S("k")), S("3"));
    ini.DeleteKey(S("A"), S("k"));
    EXPECT_FALSE(ini.ValueExists(S("A"), S("k")));
    EXPECT_EQ(ini.ReadString(S("A"), S("j")), S("4")); // the index still finds the rest

    // Erasing a section moves the later ones; they must still be found, and a section
    // written again comes back at the end.
    ini.EraseSection(S("a"));
    EXPECT_EQ(ini.ReadString(S("B"), S("x")), S("1"));
    ini.WriteString(S("A"), S("n"), S("5"));
    EXPECT_EQ(ini.Lines(), (QStringList{S("[b]"), S("x=1"), S("[A]"), S("n=5")}));
}

TEST(LibMemIniIndex, NamesMatchWithoutRegardToCaseBeyondAscii)
{
    MemIniFile ini;
    ini.SetLines({S("[\xc3\x84rger]"), S("Stra\xc3\x9f" "e=1"), S("\xce\xa3\xce\x91\xce\xa3=2"),
                  S("\xf0\x90\x90\x80=3")});
    EXPECT_EQ(ini.ReadString(S("\xc3\xa4RGER"), S("STRA\xc3\x9f" "E")), S("1"));
    // Final sigma folds like the others, as the case-insensitive compare has it.
    EXPECT_EQ(ini.ReadString(S("\xc3\xa4rger"), S("\xcf\x83\xce\xb1\xcf\x82")), S("2"));
    // A letter outside the BMP (Deseret capital long I) matches its small form.
    EXPECT_EQ(ini.ReadString(S("\xc3\xa4rger"), S("\xf0\x90\x90\xa8")), S("3"));
    // "ss" is not "ß": the compare folds one character at a time.
    EXPECT_FALSE(ini.ValueExists(S("\xc3\xa4rger"), S("strasse")));
}

TEST(LibMemIniIndex, AHundredThousandSections)
{
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines << QStringLiteral("[S%1]").arg(i) << QStringLiteral("k=%1").arg(i);
    lines << S("[s5]") << S("late=1");
    MemIniFile ini;
    ini.SetLines(lines);
    EXPECT_EQ(ini.Sections().size(), 100000);
    EXPECT_EQ(ini.ReadInteger(S("s99999"), S("K"), -1), 99999);
    EXPECT_EQ(ini.ReadSection(S("S5")), (QStringList{S("k"), S("late")}));
}
