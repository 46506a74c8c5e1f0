#include "lib/ElfFile.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr uint16_t EtExec = 2;
constexpr uint16_t EtDyn = 3;
constexpr uint32_t PtInterp = 3;
constexpr int Elf32HeaderSize = 52;
constexpr int Elf64HeaderSize = 64;
// Program headers lie near the start; a sane limit keeps a hostile count harmless.
constexpr int MaxProgramHeaders = 4096;

struct TElfMachine {
    uint16_t Code;
    const char* Text;
};

// Where the PE machine table has the same processor, its text is reused so that the
// report reads alike on both systems.
constexpr TElfMachine ElfMachines[] = {
    {3, "Intel 386 or later processors and compatible processors"},
    {8, "MIPS"},
    {20, "IBM PowerPC"},
    {21, "IBM PowerPC 64-bit"},
    {22, "IBM S/390"},
    {40, "ARM"},
    {43, "SPARC V9"},
    {50, "Intel Itanium 64 processor family"},
    {62, "AMD64 (x64)"},
    {183, "ARM64 little endian"},
    {243, "RISC-V"},
    {258, "LoongArch"},
};

} // namespace

QString TElfFile::MachineDescription(uint16_t machine)
{
    for (const TElfMachine& m : ElfMachines)
        if (m.Code == machine)
            return QString::fromLatin1(m.Text);
    return QString();
}

uint16_t TElfFile::U16(const char* p) const
{
    const auto* b = reinterpret_cast<const uint8_t*>(p);
    return m_littleEndian ? uint16_t(b[0] | (b[1] << 8)) : uint16_t((b[0] << 8) | b[1]);
}

uint32_t TElfFile::U32(const char* p) const
{
    const uint32_t a = U16(p), b = U16(p + 2);
    return m_littleEndian ? (a | (b << 16)) : ((a << 16) | b);
}

uint64_t TElfFile::U64(const char* p) const
{
    const uint64_t a = U32(p), b = U32(p + 4);
    return m_littleEndian ? (a | (b << 32)) : ((a << 32) | b);
}

void TElfFile::Reset()
{
    m_isValid = false;
    m_bits = 0;
    m_littleEndian = true;
    m_type = m_machine = 0;
    m_hasInterpreter = false;
    m_programHeadersRead = false;
    m_infoStr.clear();
}

bool TElfFile::IsExecutable() const
{
    // A position-independent executable is ET_DYN too; its interpreter tells it apart.
    return m_type == EtExec || (m_type == EtDyn && m_hasInterpreter);
}

bool TElfFile::IsLibrary() const { return m_type == EtDyn && m_programHeadersRead && !m_hasInterpreter; }

void TElfFile::GetFileInfo()
{
    Reset();
    QFile f(m_fileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray ident = f.read(16);
    if (ident.size() < 16 || !ident.startsWith("\x7F" "ELF"))
        return;
    const char cls = ident[4], data = ident[5];
    if ((cls != 1 && cls != 2) || (data != 1 && data != 2))
        return;
    m_bits = cls == 1 ? 32 : 64;
    m_littleEndian = data == 1;
    const int headerSize = m_bits == 32 ? Elf32HeaderSize : Elf64HeaderSize;
    f.seek(0);
    const QByteArray header = f.read(headerSize);
    if (header.size() < headerSize) {
        m_bits = 0;
        return;
    }
    const char* h = header.constData();
    m_type = U16(h + 16);
    m_machine = U16(h + 18);
    const uint64_t phoff = m_bits == 32 ? U32(h + 28) : U64(h + 32);
    const uint16_t phentsize = U16(h + (m_bits == 32 ? 42 : 54));
    const uint16_t phnum = U16(h + (m_bits == 32 ? 44 : 56));
    const int minEntry = m_bits == 32 ? 32 : 56;
    if (m_type == EtDyn) {
        // A truncated file whose program headers are cut off may be either kind: then
        // it is called neither, rather than guessed.
        if (phnum == 0) {
            m_programHeadersRead = true;
        } else if (phentsize >= minEntry && phnum <= MaxProgramHeaders && phoff < uint64_t(f.size())
                   && f.seek(qint64(phoff))) {
            const QByteArray table = f.read(qint64(phentsize) * phnum);
            ScanProgramHeaders(table, phentsize);
            m_programHeadersRead = table.size() == qsizetype(phentsize) * phnum;
        }
    }
    m_isValid = true;

    QString s = IsExecutable() ? QStringLiteral("Executable") : IsLibrary() ? QStringLiteral("Library") : QString();
    s += QStringLiteral(" / ELF%1").arg(m_bits);
    const QString machine = MachineDescription(m_machine);
    if (!machine.isEmpty())
        s += QStringLiteral(" / ") + machine;
    m_infoStr = s;
}

void TElfFile::ScanProgramHeaders(const QByteArray& data, int entrySize)
{
    // p_type is the first word of an entry in both classes.
    for (qsizetype off = 0; off + entrySize <= data.size(); off += entrySize) {
        if (U32(data.constData() + off) == PtInterp) {
            m_hasInterpreter = true;
            return;
        }
    }
}
