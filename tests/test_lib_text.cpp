#include "lib/MemIniFile.h"
#include "lib/TextFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QByteArray B(const char* bytes) { return QByteArray(bytes); }

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(LibTextFile, DetectsEncodings)
{
    TTextEncoding e = TTextEncoding::Utf8;
    EXPECT_EQ(TextFile::Decode(B("\xEF\xBB\xBFh\xC3\xA9"), e), S("h\xc3\xa9"));
    EXPECT_EQ(e, TTextEncoding::Utf8Bom);
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFF\xFEh\0\xE9\0", 6), e), S("h\xc3\xa9"));
    EXPECT_EQ(e, TTextEncoding::Utf16LE);
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFE\xFF\0h\0\xE9", 6), e), S("h\xc3\xa9"));
    EXPECT_EQ(e, TTextEncoding::Utf16BE);
    EXPECT_EQ(TextFile::Decode(B("caf\xC3\xA9"), e), S("caf\xc3\xa9"));
    EXPECT_EQ(e, TTextEncoding::Utf8);
    EXPECT_EQ(TextFile::Decode(B("caf\xE9"), e), S("caf\xc3\xa9"));
    EXPECT_EQ(e, TTextEncoding::Windows1252);
    EXPECT_EQ(TextFile::Decode(B("\x80 5"), e), S("\xe2\x82\xac 5"));
    EXPECT_EQ(e, TTextEncoding::Windows1252);
    EXPECT_EQ(TextFile::Decode(QByteArray(), e), QString());
    EXPECT_EQ(e, TTextEncoding::Utf8);
    // One bad byte anywhere makes the whole file Windows-1252.
    EXPECT_EQ(TextFile::Decode(B("\xC3\xA9 \x9C"), e), S("\xc3\x83\xc2\xa9 \xc5\x93"));
    EXPECT_EQ(e, TTextEncoding::Windows1252);
}

TEST(LibTextFile, TruncatedUtf16DoesNotCrash)
{
    TTextEncoding e = TTextEncoding::Utf8;
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFF\xFE" "a\0b", 5), e), S("a"));
    EXPECT_EQ(e, TTextEncoding::Utf16LE);
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFE\xFF\0", 3), e), QString());
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFF\xFE", 2), e), QString());
    // A lone surrogate decodes to a replacement character, not to a crash.
    EXPECT_EQ(TextFile::Decode(QByteArray("\xFF\xFE\x00\xD8", 4), e).size(), 1);
}

TEST(LibTextFile, Windows1252Table)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = TextFile::DecodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0x8A), QChar(0x0160));
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
    EXPECT_EQ(text.at(0x81), QChar(0x0081));
    EXPECT_EQ(text.at(0xE9), QChar(0x00E9));
    QByteArray back;
    ASSERT_TRUE(TextFile::EncodeWindows1252(text, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(TextFile::EncodeWindows1252(S("\xe6\x97\xa5"), back));
}

TEST(LibTextFile, LineEnds)
{
    EXPECT_EQ(TextFile::SplitLines(S("a\r\nb\nc\rd")), (QStringList{S("a"), S("b"), S("c"), S("d")}));
    EXPECT_EQ(TextFile::SplitLines(S("a\r\n")), (QStringList{S("a")}));
    EXPECT_EQ(TextFile::SplitLines(S("a\n\nb\r\r\n")), (QStringList{S("a"), S(""), S("b"), S("")}));
    EXPECT_EQ(TextFile::SplitLines(S("\n")), (QStringList{S("")}));
    EXPECT_TRUE(TextFile::SplitLines(QString()).isEmpty());
    EXPECT_EQ(TextFile::SplitLines(S("\n\r")), (QStringList{S(""), S("")}));
}

TEST(LibTextFile, WritesBackInTheEncodingItWasRead)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("t.txt"));
    const QList<QByteArray> files = {B("x\xE9\r\n"), B("\xEF\xBB\xBFx\xC3\xA9\r\n"), B("x\xC3\xA9\r\n"),
                                     QByteArray("\xFF\xFEx\0\xE9\0\r\0\n\0", 10),
                                     QByteArray("\xFE\xFF\0x\0\xE9\0\r\0\n", 10)};
    for (const QByteArray& bytes : files) {
        Put(path, bytes);
        QStringList lines;
        TTextEncoding e = TTextEncoding::Utf8;
        ASSERT_TRUE(TextFile::ReadLines(path, lines, e));
        EXPECT_EQ(lines, QStringList{S("x\xc3\xa9")});
        ASSERT_TRUE(TextFile::WriteLines(path, lines, e));
        EXPECT_EQ(Get(path), bytes);
    }
    // LF on request.
    ASSERT_TRUE(TextFile::WriteLines(path, {S("a"), S("b")}, TTextEncoding::Utf8, S("\n")));
    EXPECT_EQ(Get(path), B("a\nb\n"));
}

TEST(LibTextFile, UnrepresentableTextIsNotLost)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("t.txt"));
    TTextEncoding used = TTextEncoding::Windows1252;
    ASSERT_TRUE(TextFile::WriteText(path, S("\xe6\x97\xa5\xc3\xa9"), TTextEncoding::Windows1252, &used));
    EXPECT_EQ(used, TTextEncoding::Utf8Bom);
    QString text;
    TTextEncoding e = TTextEncoding::Utf8;
    ASSERT_TRUE(TextFile::ReadText(path, text, e));
    EXPECT_EQ(text, S("\xe6\x97\xa5\xc3\xa9"));
}

// Found by fuzzing: a text written back must read back as the same text.
TEST(LibTextFile, WrittenTextReadsBackTheSame)
{
    // Windows-1252 text whose bytes happen to be valid UTF-8 ("\xc3\xa4" is "Ã¤"): as
    // 8-bit bytes it would come back as "ä", so it is written as UTF-8 with a BOM.
    const QString mojibake = S("caf\xc3\x83\xc2\xa4");
    TTextEncoding used = TTextEncoding::Windows1252;
    QByteArray bytes = TextFile::Encode(mojibake, TTextEncoding::Windows1252, &used);
    EXPECT_EQ(used, TTextEncoding::Utf8Bom);
    TTextEncoding e = TTextEncoding::Utf8;
    EXPECT_EQ(TextFile::Decode(bytes, e), mojibake);
    // Plain ASCII and text that is no UTF-8 stay 8-bit.
    EXPECT_EQ(TextFile::Encode(S("a=b"), TTextEncoding::Windows1252, &used), B("a=b"));
    EXPECT_EQ(used, TTextEncoding::Windows1252);
    EXPECT_EQ(TextFile::Encode(S("caf\xc3\xa9"), TTextEncoding::Windows1252, &used), B("caf\xe9"));
    EXPECT_EQ(used, TTextEncoding::Windows1252);

    // A U+FEFF right after the BOM is text, not a second BOM to drop.
    for (TTextEncoding enc : {TTextEncoding::Utf8Bom, TTextEncoding::Utf16LE, TTextEncoding::Utf16BE}) {
        const QString text = QChar(0xFEFF) + S("x");
        bytes = TextFile::Encode(text, enc);
        EXPECT_EQ(TextFile::Decode(bytes, e), text) << int(enc);
        EXPECT_EQ(e, enc);
    }
}

TEST(LibTextFile, ReadErrorsAreReported)
{
    QTemporaryDir tmp;
    QString text;
    TTextEncoding e = TTextEncoding::Utf8;
    const TResult read = TextFile::ReadText(tmp.filePath(S("missing")), text, e);
    EXPECT_FALSE(read.ok());
    EXPECT_FALSE(read.error().isEmpty());
    EXPECT_FALSE(TextFile::WriteText(tmp.filePath(S("no/such/dir/f")), S("x"), TTextEncoding::Utf8).ok());
}

TEST(LibMemIni, ParsesTheDialect)
{
    MemIniFile ini;
    ini.SetLines({S("orphan=1"), S("; comment"), S("  [ Main ]  "), S(""), S("  Key  =  some value  "),
                  S("bare line"), S(";x=1"), S("Eq==b=c"), S("empty="), S("[Other]"), S("k=v"), S("[main]"),
                  S("late=1")});
    EXPECT_TRUE(ini.SectionExists(S("MAIN")));
    EXPECT_EQ(ini.Sections(), (QStringList{S("Main"), S("Other")}));
    EXPECT_EQ(ini.ReadString(S("main"), S("KEY")), S("some value"));
    EXPECT_EQ(ini.ReadString(S("Main"), S("Eq")), S("=b=c"));
    EXPECT_TRUE(ini.ValueExists(S("Main"), S("empty")));
    EXPECT_EQ(ini.ReadString(S("Main"), S("empty"), S("def")), QString());
    EXPECT_EQ(ini.ReadString(S("Main"), S("missing"), S("def")), S("def"));
    EXPECT_FALSE(ini.ValueExists(S("Main"), S("orphan")));
    EXPECT_FALSE(ini.ValueExists(S("Main"), S("bare line")));
    EXPECT_EQ(ini.ReadSection(S("Main")), (QStringList{S("Key"), S("Eq"), S("empty"), S("late")}));
    // Comments and blank lines are dropped, the line without "=" is kept as it is.
    EXPECT_EQ(ini.Lines(), (QStringList{S("[Main]"), S("Key=some value"), S("bare line"), S("Eq==b=c"), S("empty="),
                                        S("late=1"), S("[Other]"), S("k=v")}));
}

TEST(LibMemIni, TypedValues)
{
    MemIniFile ini;
    ini.SetLines({S("[S]"), S("dec=42"), S("neg=-7"), S("hex=0x1F"), S("HEX2=0XfF"), S("x=0x"), S("junk=12a"),
                  S("big=99999999999"), S("t=1"), S("t2=-3"), S("f=0"), S("fb=yes"), S("fl=2,5"), S("fl2=1.25")});
    EXPECT_EQ(ini.ReadInteger(S("s"), S("dec"), 0), 42);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("neg"), 0), -7);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("hex"), 0), 31);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("hex2"), 0), 255);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("x"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("junk"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("big"), 5), 5);
    EXPECT_EQ(ini.ReadInt64(S("s"), S("big"), 5), 99999999999);
    EXPECT_EQ(ini.ReadInteger(S("s"), S("missing"), 9), 9);
    EXPECT_TRUE(ini.ReadBool(S("s"), S("t"), false));
    EXPECT_TRUE(ini.ReadBool(S("s"), S("t2"), false));
    EXPECT_FALSE(ini.ReadBool(S("s"), S("f"), true));
    EXPECT_TRUE(ini.ReadBool(S("s"), S("fb"), true));
    EXPECT_FALSE(ini.ReadBool(S("s"), S("fb"), false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat(S("s"), S("fl"), 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(S("s"), S("fl2"), 0), 1.25);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(S("s"), S("junk"), -1), -1);

    ini.WriteInteger(S("S"), S("dec"), -5);
    ini.WriteBool(S("S"), S("t"), false);
    ini.WriteString(S("S"), S("multi"), S("a\r\nb=c"));
    EXPECT_EQ(ini.ReadString(S("S"), S("dec")), S("-5"));
    EXPECT_EQ(ini.ReadString(S("S"), S("t")), S("0"));
    EXPECT_EQ(ini.ReadString(S("S"), S("multi")), S("a  b=c"));
}

TEST(LibMemIni, GarbageAndSectionlessFiles)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("g.ini"));
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 131 + 7) % 256));
    Put(path, garbage);
    MemIniFile g(path);
    EXPECT_TRUE(g.FileExisted());
    EXPECT_EQ(g.ReadInteger(S("MAIN"), S("Left"), 3), 3);

    Put(path, B("a=1\r\nb=2\r\n"));
    MemIniFile n(path);
    EXPECT_TRUE(n.Sections().isEmpty());
    EXPECT_EQ(n.ReadString(QString(), S("a"), S("d")), S("d"));
}

TEST(LibMemIni, MergeOnSaveKeepsEverythingElse)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("vexaconv.ini"));
    Put(path, B("[MAIN]\r\nEscExit=1\r\nLeft=10\r\nfree text\r\n; gone\r\nTop=20\r\n[PROGRESS]\r\nX=1\r\n[Zed]\r\nq=w\r\n"));

    MemIniFile ini(path);
    ini.WriteInteger(S("main"), S("left"), 300);
    ini.WriteString(S("MAIN"), S("OutDir"), S("/home/u/out dir"));
    ini.WriteBool(S("NEW"), S("On"), true);
    ini.DeleteKey(S("PROGRESS"), S("X"));
    ini.EraseSection(S("zed"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Get(path), B("[MAIN]\r\nEscExit=1\r\nleft=300\r\nfree text\r\nTop=20\r\nOutDir=/home/u/out dir\r\n"
                           "[PROGRESS]\r\n[NEW]\r\nOn=1\r\n")
                             .replace("left=300", "Left=300"));
}

TEST(LibMemIni, SaveMergesWithWhatIsOnDiskNow)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("p.ini"));
    Put(path, B("[A]\r\nx=1\r\n"));
    MemIniFile mine(path);
    mine.WriteString(S("A"), S("y"), S("2"));
    // Someone else saves in between.
    Put(path, B("[A]\r\nx=9\r\nz=3\r\n[B]\r\nk=v\r\n"));
    ASSERT_TRUE(mine.UpdateFile());
    EXPECT_EQ(Get(path), B("[A]\r\nx=9\r\nz=3\r\ny=2\r\n[B]\r\nk=v\r\n"));
    EXPECT_EQ(mine.ReadString(S("B"), S("k")), S("v"));
    // A second save with no changes keeps the file as it is.
    ASSERT_TRUE(mine.UpdateFile());
    EXPECT_EQ(Get(path), B("[A]\r\nx=9\r\nz=3\r\ny=2\r\n[B]\r\nk=v\r\n"));
}

TEST(LibMemIni, EncodingAndBomSurviveASave)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("e.ini"));
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const QList<Case> cases = {
        {B("[S]\r\nname=caf\xE9\r\n"), B("[S]\r\nname=caf\xE9\r\nk=\xE9t\xE9\r\n")},
        {B("\xEF\xBB\xBF[S]\nname=caf\xC3\xA9\n"), B("\xEF\xBB\xBF[S]\r\nname=caf\xC3\xA9\r\nk=\xC3\xA9t\xC3\xA9\r\n")},
        {B("[S]\rname=caf\xC3\xA9\r"), B("[S]\r\nname=caf\xC3\xA9\r\nk=\xC3\xA9t\xC3\xA9\r\n")},
    };
    for (const Case& c : cases) {
        Put(path, c.before);
        MemIniFile ini(path);
        EXPECT_EQ(ini.ReadString(S("S"), S("name")), S("caf\xc3\xa9"));
        ini.WriteString(S("S"), S("k"), S("\xc3\xa9t\xc3\xa9"));
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(Get(path), c.after);
    }
    // A Windows-1252 file that gets a character the code page lacks turns UTF-8 with BOM
    // rather than losing it.
    Put(path, B("[S]\r\nname=caf\xE9\r\n"));
    MemIniFile cp(path);
    cp.WriteString(S("S"), S("k"), S("\xe6\x97\xa5"));
    ASSERT_TRUE(cp.UpdateFile());
    EXPECT_EQ(Get(path), B("\xEF\xBB\xBF[S]\r\nname=caf\xC3\xA9\r\nk=\xE6\x97\xA5\r\n"));
    EXPECT_EQ(cp.Encoding(), TTextEncoding::Utf8Bom);

    // A settings file kept as a link stays a link; the target is updated.
    const QString target = tmp.filePath(S("target.ini"));
    const QString link = tmp.filePath(S("link.ini"));
    Put(target, B("[S]\r\na=1\r\n"));
    ASSERT_TRUE(QFile::link(target, link));
    MemIniFile viaLink(link);
    viaLink.WriteInteger(S("S"), S("a"), 2);
    ASSERT_TRUE(viaLink.UpdateFile());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Get(target), B("[S]\r\na=2\r\n"));

    // UTF-16 LE with its BOM.
    const QString u16 = S("[S]\r\nname=caf\xc3\xa9\r\n");
    Put(path, QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(u16.utf16()), u16.size() * 2));
    MemIniFile w(path);
    EXPECT_EQ(w.Encoding(), TTextEncoding::Utf16LE);
    w.WriteInteger(S("S"), S("n"), 1);
    ASSERT_TRUE(w.UpdateFile());
    TTextEncoding e = TTextEncoding::Utf8;
    QString text;
    ASSERT_TRUE(TextFile::ReadText(path, text, e));
    EXPECT_EQ(e, TTextEncoding::Utf16LE);
    EXPECT_EQ(text, S("[S]\r\nname=caf\xc3\xa9\r\nn=1\r\n"));
}

TEST(LibMemIni, NewFileIsUtf8WithoutBom)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(S("new.ini"));
    MemIniFile ini(path);
    EXPECT_FALSE(ini.FileExisted());
    ini.WriteString(S("MAIN"), S("OutDir"), S("/home/\xc3\xa9"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Get(path), B("[MAIN]\r\nOutDir=/home/\xC3\xA9\r\n"));
}

TEST(LibMemIni, FailedSaveLeavesTheOldFile)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    QTemporaryDir tmp;
    // A path below a regular file can never be written, whoever runs the test.
    const QString blocker = tmp.filePath(S("file"));
    Put(blocker, B("x"));
    MemIniFile lost(blocker + S("/sub.ini"));
    lost.WriteString(S("A"), S("b"), S("c"));
    const TResult lostSave = lost.UpdateFile();
    EXPECT_FALSE(lostSave.ok());
    EXPECT_FALSE(lostSave.error().isEmpty());
    EXPECT_EQ(Get(blocker), B("x"));

    // An unwritable directory: the save fails and the existing file stays whole.
    const QString dir = tmp.filePath(S("ro"));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString path = dir + S("/s.ini");
    Put(path, B("[A]\r\nb=old\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    MemIniFile ini(path);
    ini.WriteString(S("A"), S("b"), S("new"));
    const bool saved = ini.UpdateFile().ok();
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Get(path), B("[A]\r\nb=old\r\n"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{S("s.ini")}); // no leftovers

    // A file that exists but cannot be read is not overwritten with a partial document.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    MemIniFile blind(path);
    blind.WriteString(S("A"), S("c"), S("1"));
    EXPECT_FALSE(blind.UpdateFile());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(Get(path).contains("c=1"));
}
