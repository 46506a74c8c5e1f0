#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Reads the identification and the main header of an ELF file, enough to describe
// it on the tools report's "Binary type:" line the way the PE reader does.
class TElfFile {
public:
    void SetFileName(const QString& fileName) { m_fileName = fileName; }

    // Never fails loudly: a short or foreign file leaves IsValidElfFile() false.
    void GetFileInfo();

    const QString& FileName() const { return m_fileName; }
    bool IsValidElfFile() const { return m_isValid; }
    int Bits() const { return m_bits; }                 // 32, 64 or 0
    bool IsLittleEndian() const { return m_littleEndian; }
    uint16_t Type() const { return m_type; }            // e_type (ET_EXEC, ET_DYN, ...)
    uint16_t Machine() const { return m_machine; }      // e_machine
    bool IsExecutable() const;
    bool IsLibrary() const;
    // "Executable / ELF64 / AMD64 (x64)"; the parts follow the PE line's pattern.
    const QString& InfoStr() const { return m_infoStr; }

    static QString MachineDescription(uint16_t machine);

private:
    void Reset();
    void ScanProgramHeaders(const QByteArray& data, int entrySize);
    uint16_t U16(const char* p) const;
    uint32_t U32(const char* p) const;
    uint64_t U64(const char* p) const;

    QString m_fileName;
    bool m_isValid = false;
    int m_bits = 0;
    bool m_littleEndian = true;
    uint16_t m_type = 0;
    uint16_t m_machine = 0;
    bool m_hasInterpreter = false;
    bool m_programHeadersRead = false; // the whole program header table (ET_DYN only)
    QString m_infoStr;
};
