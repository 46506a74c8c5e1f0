#include "lib/PeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

constexpr int DosHeaderSize = 64;
constexpr int FileHeaderSize = 20;
constexpr int SectionHeaderSize = 40;
constexpr int UpxHeaderSize = 37;
constexpr int UpxSearchWindow = 1024;

struct TMachineText {
    uint16_t Code;
    const char* Text;
};

constexpr TMachineText MachineTexts[] = {
    {0x0, "Unknown machine"},
    {0x14C, "Intel 386 or later processors and compatible processors"},
    {0x14D, "Intel 486"},
    {0x14E, "Intel 586"},
    {0x162, "MIPS little endian R3000"},
    {0x160, "MIPS big-endian"},
    {0x166, "MIPS little endian R4000"},
    {0x168, "MIPS little endian R10000"},
    {0x169, "MIPS little endian WCE v2"},
    {0x5032, "RISC-V 32-bit address space"},
    {0x5064, "RISC-V 64-bit address space"},
    {0x5128, "RISC-V 128-bit address space"},
    {0x184, "Alpha_AXP"},
    {0x1A2, "Hitachi SH3 little endian"},
    {0x1A3, "Hitachi SH3 DSP"},
    {0x1A4, "SH3E little endian"},
    {0x1A6, "Hitachi SH4 little endian"},
    {0x1A8, "Hitachi SH5"},
    {0x1C2, "ARM or Thumb"},
    {0x1D3, "Matsushita AM33"},
    {0x1F0, "IBM PowerPC little endian"},
    {0x1F1, "IBM PowerPC with floating point support"},
    {0x200, "Intel Itanium 64 processor family"},
    {0x266, "MIPS16"},
    {0x284, "ALPHA64"},
    {0x366, "MIPS with FPU"},
    {0x466, "MIPS16 with FPU"},
    {0x520, "Infineon"},
    {0xCEF, "CEF"},
    {0xEBC, "EFI byte code"},
    {0x8664, "AMD64 (x64)"},
    {0x9041, "Mitsubishi M32R little endian"},
    {0xC0EE, "CEE"},
    {0x1C0, "ARM little endian"},
    {0xAA64, "ARM64 little endian"},
    {0x1C4, "ARM Thumb-2 little endian"},
};

TImageSectionHeader ParseSection(const uint8_t* p)
{
    TImageSectionHeader s;
    std::memcpy(s.Name.data(), p, 8);
    s.VirtualSize = Le32(p + 8);
    s.VirtualAddress = Le32(p + 12);
    s.SizeOfRawData = Le32(p + 16);
    s.PointerToRawData = Le32(p + 20);
    s.PointerToRelocations = Le32(p + 24);
    s.PointerToLinenumbers = Le32(p + 28);
    s.NumberOfRelocations = Le16(p + 32);
    s.NumberOfLinenumbers = Le16(p + 34);
    s.Characteristics = Le32(p + 36);
    return s;
}

QString SectionName(const TImageSectionHeader& s)
{
    const char* end = static_cast<const char*>(std::memchr(s.Name.data(), 0, 8));
    const int len = end ? int(end - s.Name.data()) : 8;
    return QString::fromLatin1(s.Name.data(), len).trimmed();
}

bool IsVersionNumber(const QString& text)
{
    bool ok = false;
    text.toDouble(&ok); // QString parses with the C locale: "3.96" is a number
    return ok;
}

} // namespace

QString TUpxHeader::VersionText() const
{
    QString s;
    for (int i = 0; i < 5 && Bytes[size_t(i)] != 0; ++i)
        s += QLatin1Char(char(Bytes[size_t(i)]));
    return s.trimmed();
}

bool TUpxHeader::HasMagic() const { return std::memcmp(Bytes.data() + 5, "UPX!", 4) == 0; }

QString TPeFile::MachineDescription(uint16_t machine)
{
    for (const TMachineText& m : MachineTexts)
        if (m.Code == machine)
            return QString::fromLatin1(m.Text);
    return QString();
}

void TPeFile::Reset()
{
    const QString name = m_fileName;
    const uint32_t maxMem = m_maxMemoryStreamSize;
    m_stream = nullptr;
    m_memory.clear();
    m_fileSize = 0;
    m_isValidPeFile = false;
    m_dosHeader.clear();
    m_peSignature = 0;
    m_fileHeader = TImageFileHeader();
    m_bits = 0;
    m_optionalHeader32.clear();
    m_optionalHeader64.clear();
    m_optionalHeaderMagicStr.clear();
    m_infoStr.clear();
    m_offsetPeSignature = m_offsetFileHeader = m_offsetPeHeader = m_offsetSectionsTable = 0;
    m_sectionNames.clear();
    m_sections.clear();
    m_isFileLoaded = false;
    m_firstFile4Bits = TFirstFile4Bits();
    m_isPackedByUpx = m_isValidUpxHeader = false;
    m_upxHeader = TUpxHeader();
    m_upxVersion.clear();
    m_offsetUpxHeader = 0;
    m_dataDirectory.fill(TImageDataDirectory());
    m_dataDirectoryCount = -1;
    m_fileName = name;
    m_maxMemoryStreamSize = maxMem;
}

bool TPeFile::ReadAt(int64_t offset, void* buffer, int64_t size)
{
    if (offset < 0 || size < 0 || offset > m_fileSize || size > m_fileSize - offset)
        return false;
    if (!m_stream) {
        std::memcpy(buffer, m_memory.constData() + offset, size_t(size));
        return true;
    }
    return m_stream->seek(offset) && m_stream->read(static_cast<char*>(buffer), size) == size;
}

void TPeFile::GetFileInfo()
{
    Reset();
    const QFileInfo fi(m_fileName);
    if (!fi.exists() || fi.isDir())
        return;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_isFileLoaded = true;
    m_fileSize = file.size();
    // Small files are read whole; big ones are read where the headers lie.
    if (m_fileSize <= int64_t(m_maxMemoryStreamSize)) {
        m_memory = file.readAll();
        m_fileSize = m_memory.size();
    } else {
        m_stream = &file;
    }
    if (ReadHeaders()) {
        ReadSections();
        m_isValidPeFile = true;
        CheckUpx();
    }
    m_stream = nullptr;
    m_memory.clear();
}

bool TPeFile::ReadHeaders()
{
    uint8_t first[4];
    if (!ReadAt(0, first, 4))
        return false;
    for (int i = 0; i < 4; ++i) {
        m_firstFile4Bits.Bytes[size_t(i)] = first[i];
        m_firstFile4Bits.Text += (first[i] >= 33 && first[i] <= 126) ? QLatin1Char(char(first[i])) : QLatin1Char('.');
    }
    uint8_t dos[DosHeaderSize];
    if (!ReadAt(0, dos, DosHeaderSize))
        return false;
    m_dosHeader = QByteArray(reinterpret_cast<const char*>(dos), DosHeaderSize);
    m_offsetPeSignature = Le32(dos + 60);

    uint8_t sig[4];
    if (!ReadAt(m_offsetPeSignature, sig, 4))
        return false;
    m_peSignature = Le32(sig);
    if (std::memcmp(sig, "NE\x05\x0A", 4) == 0) {
        m_bits = 16;
        m_infoStr = QStringLiteral("Win16 NE");
        return false;
    }
    if (std::memcmp(sig, "PE\0\0", 4) != 0)
        return false;
    m_bits = 32;

    m_offsetFileHeader = m_offsetPeSignature + 4;
    uint8_t fh[FileHeaderSize];
    if (!ReadAt(m_offsetFileHeader, fh, FileHeaderSize))
        return false;
    m_fileHeader.Machine = Le16(fh);
    m_fileHeader.NumberOfSections = Le16(fh + 2);
    m_fileHeader.TimeDateStamp = Le32(fh + 4);
    m_fileHeader.PointerToSymbolTable = Le32(fh + 8);
    m_fileHeader.NumberOfSymbols = Le32(fh + 12);
    m_fileHeader.SizeOfOptionalHeader = Le16(fh + 16);
    m_fileHeader.Characteristics = Le16(fh + 18);

    m_offsetPeHeader = m_offsetFileHeader + FileHeaderSize;
    uint8_t magic[2];
    if (!ReadAt(m_offsetPeHeader, magic, 2))
        return false;
    switch (Le16(magic)) {
    case 0x10B: m_optionalHeaderMagicStr = QStringLiteral("PE32"); m_bits = 32; break;
    case 0x20B: m_optionalHeaderMagicStr = QStringLiteral("PE32+"); m_bits = 64; break;
    default: m_bits = 0; break;
    }

    // The optional header's own size field is not trusted; the magic decides.
    const bool pe32 = m_bits == 32;
    const int optSize = pe32 ? OptionalHeader32Size : OptionalHeader64Size;
    QByteArray opt(optSize, '\0');
    if (!ReadAt(m_offsetPeHeader, opt.data(), optSize))
        return false;
    (pe32 ? m_optionalHeader32 : m_optionalHeader64) = opt;
    m_offsetSectionsTable = m_offsetPeHeader + optSize;
    const auto* dd = reinterpret_cast<const uint8_t*>(opt.constData()) + (optSize - DataDirectoryEntries * 8);
    for (int i = 0; i < DataDirectoryEntries; ++i)
        m_dataDirectory[size_t(i)] = {Le32(dd + i * 8), Le32(dd + i * 8 + 4)};
    m_dataDirectoryCount = DataDirectoryEntries;
    BuildInfoStr();
    return true;
}

void TPeFile::BuildInfoStr()
{
    const uint16_t c = m_fileHeader.Characteristics;
    QString s;
    if (c & 0x2000)
        s = QStringLiteral("Library");
    else if (c & 0x0002)
        s = QStringLiteral("Executable");
    if (!m_optionalHeaderMagicStr.isEmpty())
        s += QStringLiteral(" / Win ") + m_optionalHeaderMagicStr;
    if (!s.isEmpty())
        s += QStringLiteral(" / ") + MachineDescription(m_fileHeader.Machine);
    m_infoStr = s;
}

void TPeFile::ReadSections()
{
    for (int i = 0; i < m_fileHeader.NumberOfSections; ++i) {
        uint8_t raw[SectionHeaderSize];
        if (!ReadAt(m_offsetSectionsTable + int64_t(i) * SectionHeaderSize, raw, SectionHeaderSize))
            return;
        m_sections.push_back(ParseSection(raw));
        m_sectionNames << SectionName(m_sections.back());
    }
}

bool TPeFile::TryUpxHeaderAt(int64_t offset)
{
    TUpxHeader h;
    if (!ReadAt(offset, h.Bytes.data(), UpxHeaderSize) || !h.HasMagic())
        return false;
    m_upxHeader = h;
    m_offsetUpxHeader = offset;
    m_isPackedByUpx = true;
    m_upxVersion = h.VersionText();
    const uint8_t f = h.Format();
    const uint8_t m = h.Method();
    const bool formatOk = (f >= 1 && f <= 36) || f == 127 || (f >= 129 && f <= 138);
    m_isValidUpxHeader = formatOk && m >= 2 && m <= 15;
    return true;
}

QByteArray TPeFile::SectionTableWindow()
{
    const int64_t n = qMin<int64_t>(UpxSearchWindow, m_fileSize - m_offsetSectionsTable);
    QByteArray w;
    if (n <= 0)
        return w;
    w.resize(qsizetype(n));
    if (!ReadAt(m_offsetSectionsTable, w.data(), n))
        w.clear();
    return w;
}

void TPeFile::CheckUpx()
{
    if (m_sections.size() <= 2 || !m_sectionNames[0].startsWith(QLatin1String("UPX"))
        || !m_sectionNames[1].startsWith(QLatin1String("UPX")))
        return;
    const int64_t raw = m_sections[1].PointerToRawData;
    const int64_t candidate = raw - UpxHeaderSize;
    bool found = candidate >= 0 && raw < m_fileSize && TryUpxHeaderAt(candidate);
    const QByteArray window = SectionTableWindow();
    if (!found) {
        const qsizetype p = window.indexOf("UPX!");
        if (p >= 0 && p + m_offsetSectionsTable + 32 <= m_fileSize)
            found = TryUpxHeaderAt(m_offsetSectionsTable + p - 5);
    }
    if (found && !IsVersionNumber(m_upxVersion)) {
        const qsizetype id = window.indexOf("Id: UPX ");
        if (id >= 0)
            m_upxVersion = QString::fromLatin1(window.mid(id + 8, 4));
    }
}
