#include "lib/MemIniFile.h"

#include "lib/Conversion.h"
#include "lib/Strings.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The index key of a section or key name: every code point case-folded on its own, the
// same folding by which QString::compare(Qt::CaseInsensitive) finds two names equal.
QString Folded(const QString& name)
{
    QString r;
    r.reserve(name.size());
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < n && name.at(i + 1).isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name.at(i + 1)));
            r += QChar::highSurrogate(folded);
            r += QChar::lowSurrogate(folded);
            ++i;
            continue;
        }
        r += c.toCaseFolded();
    }
    return r;
}

// A key or value must stay on its line, or the next load would read it as other lines.
QString OneLine(const QString& s)
{
    QString r = s;
    r.replace(QLatin1Char('\r'), QLatin1Char(' '));
    r.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r;
}

} // namespace

MemIniFile::MemIniFile(const QString& fileName) { Load(fileName); }

bool MemIniFile::Load(const QString& fileName)
{
    m_fileName = fileName;
    m_sections.clear();
    m_sectionIndex.clear();
    m_changes.clear();
    m_lastError.clear();
    m_encoding = TTextEncoding::Utf8;
    m_existed = false;
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return true;
    m_existed = true;
    QStringList lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    if (const TResult read = TextFile::ReadLines(fileName, lines, encoding); !read.ok()) {
        //: %1 is a file's name, %2 the system's reason
        m_lastError = QCoreApplication::translate("Files", "Cannot read \"%1\": %2").arg(fileName, read.error());
        return false;
    }
    m_encoding = encoding;
    Parse(lines);
    return true;
}

void MemIniFile::SetLines(const QStringList& lines)
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_changes.clear();
    Parse(lines);
}

void MemIniFile::Clear()
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_changes.clear();
}

void MemIniFile::Parse(const QStringList& lines)
{
    Section* current = nullptr;
    for (const QString& raw : lines) {
        const QString line = TrimText(raw);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() >= 2) {
            const QString name = TrimText(line.mid(1, line.size() - 2));
            // A repeated section continues the first one of that name.
            current = FindSection(name);
            if (!current)
                current = &AddSection(name);
            continue;
        }
        if (!current)
            continue; // lines before the first section carry no meaning
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            AddEntry(*current, Entry{QString(), QString(), line, false});
            continue;
        }
        AddEntry(*current, Entry{TrimText(line.left(eq)), TrimText(line.mid(eq + 1)), QString(), true});
    }
}

QStringList MemIniFile::Lines() const
{
    QStringList out;
    for (const Section& s : m_sections) {
        out << QLatin1Char('[') + s.Name + QLatin1Char(']');
        for (const Entry& e : s.Entries)
            out << (e.IsPair ? e.Key + QLatin1Char('=') + e.Value : e.Text);
    }
    return out;
}

const MemIniFile::Section* MemIniFile::FindSection(const QString& name) const
{
    const auto it = m_sectionIndex.constFind(Folded(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

MemIniFile::Section* MemIniFile::FindSection(const QString& name)
{
    const auto it = m_sectionIndex.constFind(Folded(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

int MemIniFile::FindKey(const Section& section, const QString& key) { return section.Keys.value(Folded(key), -1); }

MemIniFile::Section& MemIniFile::AddSection(const QString& name)
{
    m_sections.append(Section{name, {}, {}});
    m_sectionIndex.insert(Folded(name), m_sections.size() - 1);
    return m_sections.last();
}

void MemIniFile::AddEntry(Section& section, const Entry& entry)
{
    section.Entries.append(entry);
    if (!entry.IsPair)
        return;
    const QString key = Folded(entry.Key);
    if (!section.Keys.contains(key)) // a repeated key: the index keeps pointing at the first
        section.Keys.insert(key, int(section.Entries.size() - 1));
}

void MemIniFile::IndexKeys(Section& section)
{
    section.Keys.clear();
    for (int i = int(section.Entries.size()) - 1; i >= 0; --i) {
        const Entry& e = section.Entries[i];
        if (e.IsPair)
            section.Keys.insert(Folded(e.Key), i); // walking backwards leaves the first
    }
}

void MemIniFile::IndexSections()
{
    m_sectionIndex.clear();
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        m_sectionIndex.insert(Folded(m_sections[i].Name), i);
}

const QString* MemIniFile::FindValue(const QString& section, const QString& key) const
{
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const int i = FindKey(*s, key);
    return i < 0 ? nullptr : &s->Entries[i].Value;
}

bool MemIniFile::SectionExists(const QString& section) const { return FindSection(section) != nullptr; }

bool MemIniFile::ValueExists(const QString& section, const QString& key) const
{
    return FindValue(section, key) != nullptr;
}

QStringList MemIniFile::Sections() const
{
    QStringList out;
    for (const Section& s : m_sections)
        out << s.Name;
    return out;
}

QStringList MemIniFile::ReadSection(const QString& section) const
{
    QStringList out;
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->Entries) {
            if (e.IsPair)
                out << e.Key;
        }
    }
    return out;
}

QStringList MemIniFile::ReadSectionValues(const QString& section) const
{
    QStringList out;
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->Entries) {
            if (e.IsPair)
                out << e.Key + QLatin1Char('=') + e.Value;
        }
    }
    return out;
}

QString MemIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const QString* v = FindValue(section, key);
    return v ? *v : def;
}

int64_t MemIniFile::ReadInt64(const QString& section, const QString& key, int64_t def) const
{
    const QString* v = FindValue(section, key);
    int64_t r = 0;
    return v && TryStrToInt64(*v, r) ? r : def;
}

int MemIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const QString* v = FindValue(section, key);
    int r = 0;
    return v && TryStrToInt(*v, r) ? r : def;
}

bool MemIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double MemIniFile::ReadFloat(const QString& section, const QString& key, double def) const
{
    const QString* v = FindValue(section, key);
    return v ? FloatAnySepDef(*v, def) : def;
}

void MemIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const Change c{ChangeKind::Write, OneLine(TrimText(section)), OneLine(TrimText(key)), OneLine(value)};
    Apply(c);
    m_changes.append(c);
}

void MemIniFile::WriteInteger(const QString& section, const QString& key, int64_t value)
{
    WriteString(section, key, QString::number(value));
}

void MemIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void MemIniFile::EraseSection(const QString& section)
{
    const Change c{ChangeKind::EraseSection, section, QString(), QString()};
    Apply(c);
    m_changes.append(c);
}

void MemIniFile::DeleteKey(const QString& section, const QString& key)
{
    const Change c{ChangeKind::DeleteKey, section, key, QString()};
    Apply(c);
    m_changes.append(c);
}

void MemIniFile::Apply(const Change& change)
{
    switch (change.Kind) {
    case ChangeKind::Write: {
        Section* s = FindSection(change.Section);
        if (!s)
            s = &AddSection(change.Section);
        const int i = FindKey(*s, change.Key);
        if (i >= 0)
            s->Entries[i].Value = change.Value;
        else
            AddEntry(*s, Entry{change.Key, change.Value, QString(), true});
        break;
    }
    case ChangeKind::EraseSection:
        if (const auto it = m_sectionIndex.constFind(Folded(change.Section)); it != m_sectionIndex.cend()) {
            m_sections.removeAt(*it);
            IndexSections();
        }
        break;
    case ChangeKind::DeleteKey:
        if (Section* s = FindSection(change.Section)) {
            const int i = FindKey(*s, change.Key);
            if (i >= 0) {
                // A duplicate of the key, if any, becomes the one that reads.
                s->Entries.removeAt(i);
                IndexKeys(*s);
            }
        }
        break;
    }
}

TResult MemIniFile::UpdateFile()
{
    auto fail = [&](const QString& why) {
        m_lastError = why;
        return TResult::Failure(why);
    };
    if (m_fileName.isEmpty())
        return fail(QCoreApplication::translate("Files", "No file name given for the settings document."));
    // What is on disk now wins for everything this object did not change.
    MemIniFile merged;
    if (!merged.Load(m_fileName))
        return fail(merged.LastError());
    if (!merged.FileExisted())
        merged.m_encoding = m_existed ? m_encoding : TTextEncoding::Utf8;
    for (const Change& c : m_changes)
        merged.Apply(c);
    if (const TResult saved = merged.SaveAs(m_fileName); !saved)
        return fail(saved.error());
    m_sections = merged.m_sections;
    m_sectionIndex = merged.m_sectionIndex;
    m_encoding = merged.m_encoding;
    m_existed = true;
    m_changes.clear();
    m_lastError.clear();
    return {};
}

TResult MemIniFile::SaveAs(const QString& fileName)
{
    TTextEncoding used = m_encoding;
    const TResult written = TextFile::WriteLines(fileName, Lines(), m_encoding, QStringLiteral("\r\n"), &used);
    if (!written) {
        //: %1 is a file's name, %2 the system's reason
        m_lastError = QCoreApplication::translate("Files", "Cannot write \"%1\": %2").arg(fileName, written.error());
        return TResult::Failure(m_lastError);
    }
    m_encoding = used;
    return {};
}
