#include "base/AppParams.h"
#include "media/ToolsInfo.h"
#include "lib/ElfFile.h"
#include "lib/PeFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QFile>
#include <QTemporaryDir>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

using namespace TestSupport;

// Readable failure messages for Qt strings.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

void Put16(QByteArray& b, int at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void Put32(QByteArray& b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// A minimal PE image: MZ header, signature at 0x80, COFF header, optional header,
// section table, and some room behind it.
struct PeImage {
    uint16_t machine = 0x14C;
    uint16_t magic = 0x10B;
    uint16_t characteristics = 0x0102;
    QByteArray signature = QByteArray("PE\0\0", 4);
    QStringList sections = {".text", ".rdata", ".data"};
    int tail = 2048;

    static constexpr int PeOffset = 0x80;
    int OptionalSize() const { return magic == 0x10B ? 224 : 240; }
    int SectionTable() const { return PeOffset + 4 + 20 + OptionalSize(); }

    QByteArray Build() const
    {
        QByteArray b(SectionTable() + 40 * int(sections.size()) + tail, '\0');
        b[0] = 'M';
        b[1] = 'Z';
        b[2] = char(0x90);
        Put32(b, 60, PeOffset);
        std::memcpy(b.data() + PeOffset, signature.constData(), 4);
        const int fh = PeOffset + 4;
        Put16(b, fh, machine);
        Put16(b, fh + 2, uint16_t(sections.size()));
        Put16(b, fh + 16, uint16_t(OptionalSize()));
        Put16(b, fh + 18, characteristics);
        const int opt = fh + 20;
        Put16(b, opt, magic);
        const int dd = opt + OptionalSize() - 128;
        for (int i = 0; i < 16; ++i) {
            Put32(b, dd + i * 8, 0x1000u * uint32_t(i + 1));
            Put32(b, dd + i * 8 + 4, uint32_t(i + 7));
        }
        for (int i = 0; i < sections.size(); ++i) {
            const int s = SectionTable() + 40 * i;
            const QByteArray name = sections[i].toLatin1().left(8);
            std::memcpy(b.data() + s, name.constData(), size_t(name.size()));
            Put32(b, s + 20, uint32_t(SectionTable() + 40 * int(sections.size()) + 512 * i)); // raw data
        }
        return b;
    }
};

QByteArray UpxHeader(const char* version, uint8_t format, uint8_t method)
{
    QByteArray h(37, '\0');
    std::memcpy(h.data(), version, qMin<size_t>(5, std::strlen(version)));
    std::memcpy(h.data() + 5, "UPX!", 4);
    h[5 + 4] = 13;
    h[5 + 5] = char(format);
    h[5 + 6] = char(method);
    return h;
}

class ToolsFiles : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Write(const QString& name, const QByteArray& bytes) { return WriteFile(m_dir.filePath(name), bytes); }
    TPeFile Examine(const QString& name, const QByteArray& bytes, uint32_t maxMemory = TPeFile::DefaultMaxMemoryStreamSize)
    {
        TPeFile pe;
        pe.SetFileName(Write(name, bytes));
        pe.SetMaxMemoryStreamSize(maxMemory);
        pe.GetFileInfo();
        return pe;
    }
};

} // namespace

TEST_F(ToolsFiles, Pe32ExecutableHeadersAndSections)
{
    PeImage img;
    img.sections = {".text", "UPX0", "12345678"};
    const TPeFile pe = Examine("a.exe", img.Build());
    ASSERT_TRUE(pe.IsValidPeFile());
    EXPECT_EQ(pe.Bits(), 32);
    EXPECT_EQ(pe.OptionalHeaderMagicStr(), "PE32");
    EXPECT_EQ(pe.InfoStr(), "Executable / Win PE32 / Intel 386 or later processors and compatible processors");
    EXPECT_EQ(pe.Offset_PeSignature(), 0x80);
    EXPECT_EQ(pe.Offset_FileHeader(), 0x84);
    EXPECT_EQ(pe.Offset_PeHeader(), 0x98);
    EXPECT_EQ(pe.Offset_SectionsTable(), 0x98 + 224);
    EXPECT_EQ(pe.OptionalHeader32().size(), 224);
    EXPECT_TRUE(pe.OptionalHeader64().isEmpty());
    EXPECT_EQ(pe.SectionNames(), QStringList({".text", "UPX0", "12345678"}));
    EXPECT_EQ(pe.SectionCount(), 3);
    EXPECT_EQ(pe.DataDirectoryCount(), 16);
    EXPECT_EQ(pe.DataDirectory(0).VirtualAddress, 0x1000u);
    EXPECT_EQ(pe.DataDirectory(15).Size, 22u);
    EXPECT_EQ(pe.FirstFile4Bits().Text, "MZ..");
    EXPECT_EQ(pe.FileSize(), img.Build().size());
    EXPECT_FALSE(pe.IsPackedByUpx()); // only the second name starts with UPX
}

TEST_F(ToolsFiles, Pe64LibraryAlikeInMemoryAndStreamed)
{
    PeImage img;
    img.machine = 0x8664;
    img.magic = 0x20B;
    img.characteristics = 0x2022;
    for (uint32_t limit : {TPeFile::DefaultMaxMemoryStreamSize, 16u}) {
        const TPeFile pe = Examine("b.dll", img.Build(), limit);
        ASSERT_TRUE(pe.IsValidPeFile()) << limit;
        EXPECT_EQ(pe.Bits(), 64);
        EXPECT_EQ(pe.InfoStr(), "Library / Win PE32+ / AMD64 (x64)");
        EXPECT_EQ(pe.Offset_SectionsTable(), 0x98 + 240);
        EXPECT_EQ(pe.OptionalHeader64().size(), 240);
        EXPECT_EQ(pe.DataDirectory(3).VirtualAddress, 0x4000u);
        EXPECT_EQ(pe.SectionNames().size(), 3);
    }
}

TEST_F(ToolsFiles, InfoStrPartsFollowCharacteristicsAndMagic)
{
    PeImage img;
    img.characteristics = 0;
    EXPECT_EQ(Examine("n.exe", img.Build()).InfoStr(),
              " / Win PE32 / Intel 386 or later processors and compatible processors");

    img.magic = 0x107; // unknown: 0 bits, no Win part, 240-byte header assumed
    img.characteristics = 0x0002;
    TPeFile pe = Examine("u.exe", img.Build());
    EXPECT_TRUE(pe.IsValidPeFile());
    EXPECT_EQ(pe.Bits(), 0);
    EXPECT_EQ(pe.InfoStr(), "Executable / Intel 386 or later processors and compatible processors");
    EXPECT_EQ(pe.Offset_SectionsTable(), 0x98 + 240);

    img.characteristics = 0;
    EXPECT_EQ(Examine("u0.exe", img.Build()).InfoStr(), "");

    img = PeImage();
    img.machine = 0x1234; // not in the table: an empty machine text
    EXPECT_EQ(Examine("m.exe", img.Build()).InfoStr(), "Executable / Win PE32 / ");
    EXPECT_EQ(TPeFile::MachineDescription(0xAA64), "ARM64 little endian");
    EXPECT_EQ(TPeFile::MachineDescription(0x0), "Unknown machine");
}

TEST_F(ToolsFiles, NeAndForeignAndTruncatedFilesAreNotPe)
{
    PeImage ne;
    ne.signature = QByteArray("NE\x05\x0A", 4);
    TPeFile pe = Examine("ne.exe", ne.Build());
    EXPECT_FALSE(pe.IsValidPeFile());
    EXPECT_EQ(pe.Bits(), 16);
    EXPECT_EQ(pe.InfoStr(), "Win16 NE");

    PeImage other;
    other.signature = QByteArray("PX\0\0", 4);
    pe = Examine("px.exe", other.Build());
    EXPECT_FALSE(pe.IsValidPeFile());
    EXPECT_EQ(pe.DataDirectoryCount(), -1);

    const QByteArray full = PeImage().Build();
    pe = Examine("short.exe", full.left(63));
    EXPECT_FALSE(pe.IsValidPeFile());
    EXPECT_EQ(pe.FirstFile4Bits().Text, "MZ..");
    EXPECT_TRUE(pe.DosHeader().isEmpty());

    pe = Examine("tiny.exe", "MZ");
    EXPECT_FALSE(pe.IsValidPeFile());
    EXPECT_EQ(pe.FileSize(), 2);

    pe = Examine("empty.exe", QByteArray());
    EXPECT_FALSE(pe.IsValidPeFile());

    // Cut inside the optional header: signature and COFF header were read, no more.
    pe = Examine("cut.exe", full.left(0x98 + 100));
    EXPECT_FALSE(pe.IsValidPeFile());
    EXPECT_EQ(pe.FileHeader().Machine, 0x14C);
    EXPECT_EQ(pe.DataDirectoryCount(), -1);

    // Cut inside the section table: valid, with the sections read so far.
    pe = Examine("cutsec.exe", full.left(0x98 + 224 + 40 + 20));
    EXPECT_TRUE(pe.IsValidPeFile());
    EXPECT_EQ(pe.SectionCount(), 1);

    // A new-header offset far beyond the end, and one that wraps when added to.
    QByteArray wild = full;
    Put32(wild, 60, 0xFFFFFFF0u);
    EXPECT_FALSE(Examine("wild.exe", wild).IsValidPeFile());

    TPeFile missing;
    missing.SetFileName(m_dir.filePath("nope.exe"));
    missing.GetFileInfo();
    EXPECT_FALSE(missing.IsValidPeFile());
    EXPECT_FALSE(missing.IsFileLoaded());
}

TEST_F(ToolsFiles, UpxHeaderBeforeSecondSection)
{
    PeImage img;
    img.sections = {"UPX0", "UPX1", "UPX2"};
    QByteArray b = img.Build();
    const int raw1 = img.SectionTable() + 3 * 40 + 512;
    b.replace(raw1 - 37, 37, UpxHeader("3.96", 9, 2));
    TPeFile pe = Examine("upx.exe", b);
    ASSERT_TRUE(pe.IsValidPeFile());
    EXPECT_TRUE(pe.IsPackedByUpx());
    EXPECT_TRUE(pe.IsValidUpxHeader());
    EXPECT_EQ(pe.UpxVersion(), "3.96");
    EXPECT_EQ(pe.Offset_UpxHeader(), raw1 - 37);

    b.replace(raw1 - 37, 37, UpxHeader("3.96", 200, 2)); // format out of range
    pe = Examine("upxbad.exe", b);
    EXPECT_TRUE(pe.IsPackedByUpx());
    EXPECT_FALSE(pe.IsValidUpxHeader());

    b.replace(raw1 - 37, 37, UpxHeader("3.96", 127, 16)); // method out of range
    EXPECT_FALSE(Examine("upxm.exe", b).IsValidUpxHeader());

    // Two sections are not enough for the check.
    img.sections = {"UPX0", "UPX1"};
    b = img.Build();
    b.replace(img.SectionTable() + 2 * 40 + 512 - 37, 37, UpxHeader("3.96", 9, 2));
    EXPECT_FALSE(Examine("upx2.exe", b).IsPackedByUpx());
}

TEST_F(ToolsFiles, UpxHeaderFoundBySearchAndVersionFromIdText)
{
    PeImage img;
    img.sections = {"UPX0", "UPX1", ".rsrc"};
    QByteArray b = img.Build();
    const int at = img.SectionTable() + 3 * 40 + 40; // not where the second section points
    b.replace(at, 37, UpxHeader("\x01\x02", 138, 8));
    const QByteArray id = "$Id: UPX 4.02 Copyright";
    b.replace(at + 60, id.size(), id);
    const TPeFile pe = Examine("upxs.exe", b);
    EXPECT_TRUE(pe.IsPackedByUpx());
    EXPECT_TRUE(pe.IsValidUpxHeader());
    EXPECT_EQ(pe.Offset_UpxHeader(), at);
    EXPECT_EQ(pe.UpxVersion(), "4.02");

    // No magic anywhere: not packed.
    EXPECT_FALSE(Examine("noupx.exe", img.Build()).IsPackedByUpx());
}

TEST_F(ToolsFiles, HostileHeadersStayInsideTheFile)
{
    PeImage img;
    img.sections = {"UPX0", "UPX1", "UPX2"};
    QByteArray b = img.Build();
    b.replace(img.SectionTable() + 3 * 40 + 40, 37, UpxHeader("3.96", 9, 2));
    // Every cut of a packed image: whatever is read, nothing outside the file.
    for (int len = 0; len <= b.size(); len += 13) {
        const TPeFile pe = Examine(QStringLiteral("cut%1").arg(len), b.left(len));
        EXPECT_LE(pe.SectionCount(), 3);
    }
    // Section count and raw-data offsets at their limits.
    QByteArray wild = b;
    Put16(wild, 0x80 + 4 + 2, 0xFFFF);
    Put32(wild, img.SectionTable() + 40 + 20, 0xFFFFFFFFu);
    const TPeFile pe = Examine("wild.exe", wild);
    EXPECT_TRUE(pe.IsValidPeFile());
    EXPECT_LT(pe.SectionCount(), 100);
    EXPECT_TRUE(pe.IsPackedByUpx()); // found by the search instead
    Put32(wild, img.SectionTable() + 40 + 20, 10u); // before the file start once 37 is taken off
    EXPECT_TRUE(Examine("wild2.exe", wild).IsPackedByUpx());
}

#if defined(__x86_64__)
TEST_F(ToolsFiles, ElfOfTheRealEncoderAndLibrary)
{
    TElfFile elf;
    elf.SetFileName(QStringLiteral("/usr/bin/mencoder"));
    elf.GetFileInfo();
    ASSERT_TRUE(elf.IsValidElfFile());
    EXPECT_EQ(elf.Bits(), 64);
    EXPECT_EQ(elf.Machine(), 62);
    EXPECT_TRUE(elf.IsExecutable()); // a PIE: ET_DYN with an interpreter
    EXPECT_FALSE(elf.IsLibrary());
    EXPECT_EQ(elf.InfoStr(), "Executable / ELF64 / AMD64 (x64)");

    elf.SetFileName(QStringLiteral("/usr/lib/x86_64-linux-gnu/libmediainfo.so.0"));
    elf.GetFileInfo();
    ASSERT_TRUE(elf.IsValidElfFile());
    EXPECT_TRUE(elf.IsLibrary());
    EXPECT_EQ(elf.InfoStr(), "Library / ELF64 / AMD64 (x64)");

    // A truncated copy: the program headers are needed to tell a PIE from a library.
    const QByteArray bin = ReadFile(QStringLiteral("/usr/bin/mencoder"));
    elf.SetFileName(Write("m4k", bin.left(4096)));
    elf.GetFileInfo();
    EXPECT_TRUE(elf.IsExecutable());
    elf.SetFileName(Write("m40", bin.left(40)));
    elf.GetFileInfo();
    EXPECT_FALSE(elf.IsValidElfFile());
    // Header intact, program headers cut off: neither kind is claimed.
    elf.SetFileName(Write("m64", bin.left(64)));
    elf.GetFileInfo();
    EXPECT_TRUE(elf.IsValidElfFile());
    EXPECT_EQ(elf.Bits(), 64);
    EXPECT_FALSE(elf.IsExecutable());
    EXPECT_FALSE(elf.IsLibrary());
    EXPECT_EQ(elf.InfoStr(), " / ELF64 / AMD64 (x64)");
}
#endif

TEST_F(ToolsFiles, ElfBigEndian32AndForeignFiles)
{
    QByteArray h(52, '\0');
    h.replace(0, 4, "\x7F" "ELF");
    h[4] = 1; // 32-bit
    h[5] = 2; // big-endian
    h[6] = 1;
    h[17] = 2; // ET_EXEC
    h[19] = 8; // MIPS
    TElfFile elf;
    elf.SetFileName(Write("mips", h));
    elf.GetFileInfo();
    ASSERT_TRUE(elf.IsValidElfFile());
    EXPECT_FALSE(elf.IsLittleEndian());
    EXPECT_EQ(elf.Bits(), 32);
    EXPECT_EQ(elf.InfoStr(), "Executable / ELF32 / MIPS");

    h[4] = 3; // no such class
    elf.SetFileName(Write("bad", h));
    elf.GetFileInfo();
    EXPECT_FALSE(elf.IsValidElfFile());

    elf.SetFileName(Write("text", "just text, nothing binary"));
    elf.GetFileInfo();
    EXPECT_FALSE(elf.IsValidElfFile());
    elf.SetFileName(m_dir.path()); // a directory
    elf.GetFileInfo();
    EXPECT_FALSE(elf.IsValidElfFile());
}

// ---- the tools report ----------------------------------------------------------

namespace {

QString Exe(const QString& path, const QByteArray& script)
{
    WriteFile(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

QStringList BlockLines(const QString& block) { return block.split(QStringLiteral("\r\n")); }

QString Dashes() { return QString(83, QLatin1Char('-')); }

} // namespace

TEST_F(ToolsFiles, BlockLabelsSizesAndChecksum)
{
    EXPECT_EQ(ToolsInfo::LabelLine("File name:", 18, "x"), QString(8, ' ') + "File name: x");
    EXPECT_EQ(ToolsInfo::LabelLine("File description:", 18, "x"), " File description: x");
    EXPECT_EQ(ToolsInfo::LabelLine("A very long label here:", 18, "x"), "A very long label here: x");

    const struct {
        int size;
        const char* text;
    } sizes[] = {{999, "999 bytes (999 bytes)"}, {1536, "1 536 bytes (1.50 KB)"}, {5, "5 bytes ( 5 bytes)"},
                 {1048576, "1 048 576 bytes (1.00 MB)"}, {0, "0 bytes ( 0 bytes)"}};
    for (const auto& c : sizes) {
        const QString path = Write(QStringLiteral("f%1").arg(c.size), QByteArray(c.size, 'a'));
        const QStringList lines = BlockLines(ToolsInfo::ToolFileBlock(path, 18));
        ASSERT_EQ(lines.size(), 3) << c.size;
        EXPECT_EQ(lines[0], QString(8, ' ') + "File name: " + path);
        EXPECT_EQ(lines[1], QString(8, ' ') + "File size: " + TestSupport::UserDecimals(QString::fromLatin1(c.text)));
        if (c.size == 0) {
            EXPECT_EQ(lines[2], "       File CRC32: $00000000");
        }
    }
    const QString nine = Write("nine", "123456789");
    EXPECT_TRUE(ToolsInfo::ToolFileBlock(nine, 18).endsWith("File CRC32: $CBF43926"));
    EXPECT_FALSE(ToolsInfo::ToolFileBlock(nine, 18).endsWith("\r\n"));

    EXPECT_EQ(ToolsInfo::ToolFileBlock(m_dir.filePath("missing"), 18), "");
    EXPECT_EQ(ToolsInfo::ToolFileBlock(QString(), 18), "");
    EXPECT_EQ(ToolsInfo::ToolFileBlock(m_dir.path(), 18), "");
}

TEST_F(ToolsFiles, BlockBinaryTypeAndVersionLines)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    PeImage img;
    img.machine = 0x8664;
    img.magic = 0x20B;
    img.characteristics = 0x2022;
    const QString dll = Write("x.dll", img.Build());
    TToolVersion v;
    v.Present = true;
    v.ProductVersion = "1.2";
    v.FileVersion = "1.2.3";
    QStringList lines = BlockLines(ToolsInfo::ToolFileBlock(dll, 18, v));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[3], "      Binary type: 64-bit Library / Win PE32+ / AMD64 (x64)");
    EXPECT_EQ(lines[4], "  Product version: 1.2");
    EXPECT_EQ(lines[5], "     File version: 1.2.3");
    EXPECT_EQ(lines[6], " File description: "); // a missing value leaves the label alone

    // NE files and text files have no binary type line.
    PeImage ne;
    ne.signature = QByteArray("NE\x05\x0A", 4);
    EXPECT_EQ(BlockLines(ToolsInfo::ToolFileBlock(Write("ne.exe", ne.Build()), 18)).size(), 3);

    // A file that exists but cannot be read: name and size, nothing guessed.
    {
        const QString locked = Write("locked", "secret");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        lines = BlockLines(ToolsInfo::ToolFileBlock(locked, 18));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[1].endsWith("File size: 6 bytes ( 6 bytes)"));
    }
}

TEST_F(ToolsFiles, VersionsFromTheTools)
{
    EXPECT_EQ(ToolsInfo::VersionFromBanner("MEncoder UNKNOWN-12 (C) 2000-2023 MPlayer Team"), "UNKNOWN-12");
    EXPECT_EQ(ToolsInfo::VersionFromBanner("MediaInfoLib - v23.04"), "23.04");
    EXPECT_EQ(ToolsInfo::VersionFromBanner("single"), "single");
    EXPECT_EQ(ToolsInfo::VersionFromBanner("ffmpeg version 5.1.6-0+deb12u1 Copyright (c) 2000-2024 the FFmpeg developers"),
              "5.1.6-0+deb12u1");

    const QString fake = Exe(m_dir.filePath("enc"), "#!/bin/sh\necho\necho '   '\necho 'Fake Encoder 9.9 (C) me'\necho more\n"
                                                     "exit 1\n");
    EXPECT_EQ(ToolsInfo::EncoderBanner(fake), "Fake Encoder 9.9 (C) me");
    const TToolVersion v = ToolsInfo::EncoderVersion(fake);
    EXPECT_TRUE(v.Present);
    EXPECT_EQ(v.ProductVersion, "Encoder");
    EXPECT_EQ(v.FileDescription, "Fake Encoder 9.9 (C) me");

    // Banner on stderr counts as well; silence gives no version lines.
    EXPECT_EQ(ToolsInfo::EncoderBanner(Exe(m_dir.filePath("err"), "#!/bin/sh\necho 'On stderr 1' >&2\n")), "On stderr 1");
    EXPECT_FALSE(ToolsInfo::EncoderVersion(Exe(m_dir.filePath("mute"), "#!/bin/sh\nexit 0\n")).Present);
    EXPECT_FALSE(ToolsInfo::EncoderVersion(m_dir.filePath("absent")).Present);

    // The real encoder and library report their own versions.
    const TToolVersion real = ToolsInfo::EncoderVersion(QStandardPaths::findExecutable("mencoder"));
    // (Debian 13's encoder names itself by its player's name)
    EXPECT_TRUE(real.FileDescription.contains(QRegularExpression("^(MEncoder|MPlayer) [^ ]+( \\(|$)")))
        << real.FileDescription.toStdString();
    const TToolVersion mi = ToolsInfo::MediaInfoVersion(SystemMediaInfoLibrary());
    EXPECT_TRUE(mi.Present);
    EXPECT_TRUE(mi.FileDescription.startsWith("MediaInfoLib")) << mi.FileDescription.toStdString();
    EXPECT_FALSE(mi.ProductVersion.isEmpty());
}

TEST_F(ToolsFiles, HungEncoderDoesNotHoldTheReport)
{
    const QString hung = Exe(m_dir.filePath("hung"), "#!/bin/sh\necho 'Slow Tool 1.0'\nexec sleep 60\n");
    EXPECT_EQ(ToolsInfo::EncoderBanner(hung), "Slow Tool 1.0");
}

TEST_F(ToolsFiles, ReportLayoutWithAndWithoutTools)
{
    TAppParams p;
    FillDefaultAppParams(p, m_dir.filePath("home"), false);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", m_dir.filePath("empty-bin").toLocal8Bit());
    p.MediaInfoDll = m_dir.filePath("gone.so");
    const QString noEncoder = ToolsInfo::ToolsReport(p, 18);
    // Without an encoder its heading is followed by the separator at once.
    EXPECT_TRUE(noEncoder.startsWith("Mencoder\r\n\r\n" + Dashes() + "\r\nMediaInfo\r\n")) << noEncoder.toStdString();
    EXPECT_TRUE(noEncoder.endsWith("\r\n" + Dashes()));
    EXPECT_FALSE(noEncoder.endsWith("\r\n"));
    // The library was resolved again to the system's one.
    EXPECT_EQ(p.MediaInfoDll, SystemMediaInfoLibrary());
    EXPECT_TRUE(noEncoder.contains("File name: " + p.MediaInfoDll));

    const QString enc = Exe(m_dir.filePath("home/tools/Mencoder/mencoder"), "#!/bin/sh\necho 'MEncoder 1.5 (C) test'\n");
    const QString report = ToolsInfo::ToolsReport(p, 18);
    qputenv("PATH", oldPath);
    EXPECT_EQ(p.mencoder, enc);
    const QStringList lines = BlockLines(report);
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[0], "Mencoder");
    EXPECT_EQ(lines[1], "        File name: " + enc);
    EXPECT_EQ(lines[4], "  Product version: 1.5");
    EXPECT_EQ(lines[6], " File description: MEncoder 1.5 (C) test");
    EXPECT_EQ(lines[7], Dashes());
    EXPECT_EQ(lines[8], "MediaInfo");
#if defined(__x86_64__)
    EXPECT_TRUE(report.contains("      Binary type: 64-bit Library / ELF64 / AMD64 (x64)"));
#endif
}

TEST(ToolsInfoMode, PrintsTheReportOfTheRealTools)
{
    QTemporaryDir home;
    const RunResult r = RunVexaconv({"--tools-info", "--home", home.path()});
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString out = QString::fromUtf8(r.out);
    EXPECT_TRUE(out.startsWith("Mencoder\r\n        File name: ")) << out.toStdString();
    EXPECT_TRUE(out.contains("\r\nMediaInfo\r\n        File name: "));
    EXPECT_TRUE(out.contains("File CRC32: $"));
    EXPECT_TRUE(out.contains(QRegularExpression(" File description: (MEncoder|MPlayer) [^\r\n]*\r\n")));
    EXPECT_TRUE(out.contains(QRegularExpression("\r\nFFmpeg\r\n        File name: [^\r\n]*ffmpeg\r\n"))) << out.toStdString();
    EXPECT_FALSE(out.contains("No file given"));
    EXPECT_TRUE(out.contains(" File description: MediaInfoLib"));
#if defined(__x86_64__)
    EXPECT_TRUE(out.contains("      Binary type: 64-bit Executable / ELF64 / AMD64 (x64)\r\n"));
    EXPECT_TRUE(out.contains("      Binary type: 64-bit Library / ELF64 / AMD64 (x64)\r\n"));
#endif
    EXPECT_TRUE(out.endsWith(Dashes() + "\r\n"));
    // Reading about the tools writes nothing into the home.
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/profiles"));
}
