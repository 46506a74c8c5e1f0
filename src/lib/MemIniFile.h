#pragma once

#include "lib/Result.h"
#include "lib/TextFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// An INI document held in memory, in the dialect the settings file and the profiles use:
// - lines are trimmed; empty lines and ";" comments are dropped, as are lines before the
//   first section;
// - "[name]" opens a section; "key=value" is split at the first "=" and both sides are
//   trimmed; a line without "=" is kept and written back as it stands;
// - section and key names match without regard to case; the order is kept;
// - integers are written in decimal, read also as "0x..." hex; booleans are "1"/"0";
// - written back in the encoding it was read in (same BOM), new files as UTF-8 without
//   BOM, with CR LF line ends.
//
// Typical use, which keeps every unknown key and section of the existing file:
//     MemIniFile ini(path);            // loads the file if there is one
//     ini.WriteString("MAIN", "OutDir", dir);
//     if (!ini.UpdateFile(&error)) ...
// UpdateFile merges: it reads the file again, applies every change made through this
// object since the last load/save (writes, erased sections, deleted keys) to what is on
// disk now, and writes the result atomically.
class MemIniFile {
public:
    MemIniFile() = default;
    // Loads fileName when it exists; a missing file gives an empty document (not an error).
    explicit MemIniFile(const QString& fileName);

    // Replaces the document by the file's content. Missing file: empty document, true.
    // Unreadable file: empty document, false (LastError() tells why).
    bool Load(const QString& fileName);
    // Parses lines as if read from a file (encoding unchanged, pending changes dropped).
    void SetLines(const QStringList& lines);
    // The document as it would be written (without line ends).
    QStringList Lines() const;
    void Clear();

    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    TTextEncoding Encoding() const { return m_encoding; }
    // Whether the last Load found the file.
    bool FileExisted() const { return m_existed; }
    QString LastError() const { return m_lastError; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList Sections() const;
    // The keys of a section in file order (lines without "=" are not keys).
    QStringList ReadSection(const QString& section) const;
    // "key=value" for every key of a section.
    QStringList ReadSectionValues(const QString& section) const;

    // def only when the key is missing; an empty value reads as "".
    QString ReadString(const QString& section, const QString& key, const QString& def = QString()) const;
    // Decimal or "0x" hex (also "$" hex and a sign); anything else reads as def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    int64_t ReadInt64(const QString& section, const QString& key, int64_t def) const;
    // Read as an integer: non-zero is true; an unreadable value gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // "." or "," as decimal separator; unreadable gives def.
    double ReadFloat(const QString& section, const QString& key, double def) const;

    // Replaces the value in place, or appends the key at the end of its section (the
    // section at the end of the document). Line breaks in keys and values become blanks,
    // so a value can never break the file's structure.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int64_t value);
    void WriteBool(const QString& section, const QString& key, bool value);

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Merge-on-save into FileName() (see the class comment). A failure (and the file left as
    // it was) when the file cannot be read back or written.
    TResult UpdateFile();
    // Writes this document as it stands to fileName, replacing the file (atomic).
    TResult SaveAs(const QString& fileName);

private:
    struct Entry {
        QString Key;   // empty with IsPair false: a line kept verbatim in Text
        QString Value;
        QString Text;
        bool IsPair = false;
    };
    struct Section {
        QString Name;
        QList<Entry> Entries;
        // Folded key -> index in Entries of the first pair with that key: a duplicate key
        // stays in the file but reads and writes go to its first occurrence.
        QHash<QString, int> Keys;
    };
    enum class ChangeKind { Write, EraseSection, DeleteKey };
    struct Change {
        ChangeKind Kind;
        QString Section;
        QString Key;
        QString Value;
    };

    void Parse(const QStringList& lines);
    void Apply(const Change& change);
    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    static int FindKey(const Section& section, const QString& key);
    Section& AddSection(const QString& name);
    static void AddEntry(Section& section, const Entry& entry);
    static void IndexKeys(Section& section);
    void IndexSections();
    const QString* FindValue(const QString& section, const QString& key) const;

    QString m_fileName;
    TTextEncoding m_encoding = TTextEncoding::Utf8;
    bool m_existed = false;
    QString m_lastError;
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name -> index in m_sections
    QList<Change> m_changes; // since the last load or save, replayed by UpdateFile
};
