#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// PE/COFF structures as laid out in the file (all little-endian).
struct TImageFileHeader {
    uint16_t Machine = 0;
    uint16_t NumberOfSections = 0;
    uint32_t TimeDateStamp = 0;
    uint32_t PointerToSymbolTable = 0;
    uint32_t NumberOfSymbols = 0;
    uint16_t SizeOfOptionalHeader = 0;
    uint16_t Characteristics = 0;
};

struct TImageDataDirectory {
    uint32_t VirtualAddress = 0;
    uint32_t Size = 0;
};

struct TImageSectionHeader {
    std::array<char, 8> Name{};
    uint32_t VirtualSize = 0;
    uint32_t VirtualAddress = 0;
    uint32_t SizeOfRawData = 0;
    uint32_t PointerToRawData = 0;
    uint32_t PointerToRelocations = 0;
    uint32_t PointerToLinenumbers = 0;
    uint16_t NumberOfRelocations = 0;
    uint16_t NumberOfLinenumbers = 0;
    uint32_t Characteristics = 0;
};

struct TFirstFile4Bits {
    std::array<uint8_t, 4> Bytes{};
    QString Text; // bytes outside 33..126 shown as "."
};

// 5 bytes of version text, then the 32-byte packer header that starts with "UPX!".
struct TUpxHeader {
    std::array<uint8_t, 37> Bytes{};
    QString VersionText() const;
    bool HasMagic() const;
    uint8_t Format() const { return Bytes[5 + 5]; }
    uint8_t Method() const { return Bytes[5 + 6]; }
};

// Reads the headers of a Windows executable or library. One object per examined
// file; GetFileInfo never fails loudly: a short or foreign file just leaves
// IsValidPeFile() false with whatever was read so far.
class TPeFile {
public:
    static constexpr uint32_t DefaultMaxMemoryStreamSize = 104857600; // 100 MiB
    static constexpr int OptionalHeader32Size = 224;
    static constexpr int OptionalHeader64Size = 240;
    static constexpr int DataDirectoryEntries = 16;

    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    void SetMaxMemoryStreamSize(uint32_t size) { m_maxMemoryStreamSize = size; }

    void GetFileInfo();

    const QString& FileName() const { return m_fileName; }
    int64_t FileSize() const { return m_fileSize; }
    bool IsValidPeFile() const { return m_isValidPeFile; }
    const QByteArray& DosHeader() const { return m_dosHeader; }
    uint32_t PeSignature() const { return m_peSignature; }
    const TImageFileHeader& FileHeader() const { return m_fileHeader; }
    int Bits() const { return m_bits; }
    const QByteArray& OptionalHeader32() const { return m_optionalHeader32; }
    const QByteArray& OptionalHeader64() const { return m_optionalHeader64; }
    const QString& OptionalHeaderMagicStr() const { return m_optionalHeaderMagicStr; }
    const QString& InfoStr() const { return m_infoStr; }
    int64_t Offset_PeSignature() const { return m_offsetPeSignature; }
    int64_t Offset_FileHeader() const { return m_offsetFileHeader; }
    int64_t Offset_PeHeader() const { return m_offsetPeHeader; }
    int64_t Offset_SectionsTable() const { return m_offsetSectionsTable; }
    const QStringList& SectionNames() const { return m_sectionNames; }
    const std::vector<TImageSectionHeader>& Sections() const { return m_sections; }
    int SectionCount() const { return int(m_sections.size()); }
    uint32_t MaxMemoryStreamSize() const { return m_maxMemoryStreamSize; }
    bool IsFileLoaded() const { return m_isFileLoaded; }
    const TFirstFile4Bits& FirstFile4Bits() const { return m_firstFile4Bits; }
    bool IsPackedByUpx() const { return m_isPackedByUpx; }
    bool IsValidUpxHeader() const { return m_isValidUpxHeader; }
    const TUpxHeader& UpxHeader() const { return m_upxHeader; }
    const QString& UpxVersion() const { return m_upxVersion; }
    int64_t Offset_UpxHeader() const { return m_offsetUpxHeader; }
    const TImageDataDirectory& DataDirectory(int index) const { return m_dataDirectory.at(size_t(index)); }
    int DataDirectoryCount() const { return m_dataDirectoryCount; }

    // The text of a COFF machine code; empty for a code not in the table.
    static QString MachineDescription(uint16_t machine);

private:
    void Reset();
    bool ReadAt(int64_t offset, void* buffer, int64_t size);
    bool ReadHeaders();
    void ReadSections();
    void CheckUpx();
    bool TryUpxHeaderAt(int64_t offset);
    QByteArray SectionTableWindow();
    void BuildInfoStr();

    QString m_fileName;
    int64_t m_fileSize = 0;
    bool m_isValidPeFile = false;
    QByteArray m_dosHeader;
    uint32_t m_peSignature = 0;
    TImageFileHeader m_fileHeader;
    int m_bits = 0;
    QByteArray m_optionalHeader32;
    QByteArray m_optionalHeader64;
    QString m_optionalHeaderMagicStr;
    QString m_infoStr;
    int64_t m_offsetPeSignature = 0;
    int64_t m_offsetFileHeader = 0;
    int64_t m_offsetPeHeader = 0;
    int64_t m_offsetSectionsTable = 0;
    QStringList m_sectionNames;
    std::vector<TImageSectionHeader> m_sections;
    uint32_t m_maxMemoryStreamSize = DefaultMaxMemoryStreamSize;
    bool m_isFileLoaded = false;
    TFirstFile4Bits m_firstFile4Bits;
    bool m_isPackedByUpx = false;
    bool m_isValidUpxHeader = false;
    TUpxHeader m_upxHeader;
    QString m_upxVersion;
    int64_t m_offsetUpxHeader = 0;
    std::array<TImageDataDirectory, DataDirectoryEntries> m_dataDirectory{};
    int m_dataDirectoryCount = -1;

    // The file's bytes when it is small enough, otherwise read through m_stream.
    QByteArray m_memory;
    class QFile* m_stream = nullptr; // only during GetFileInfo, for large files
};
