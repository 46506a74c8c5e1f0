#include "lib/MemIniFile.h"

#include "lib/Conversion.h"
#include "lib/Strings.h"

#include <QFileInfo>

namespace {

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

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
    m_changes.clear();
    m_lastError.clear();
    m_encoding = TTextEncoding::Utf8;
    m_existed = false;
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return true;
    m_existed = true;
    QStringList lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    QString error;
    if (!TextFile::ReadLines(fileName, lines, encoding, &error)) {
        m_lastError = QStringLiteral("Cannot read \"%1\": %2").arg(fileName, error);
        return false;
    }
    m_encoding = encoding;
    Parse(lines);
    return true;
}

void MemIniFile::SetLines(const QStringList& lines)
{
    m_sections.clear();
    m_changes.clear();
    Parse(lines);
}

void MemIniFile::Clear()
{
    m_sections.clear();
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
            current = FindSection(name);
            if (!current) {
                m_sections.append(Section{name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        if (!current)
            continue; // lines before the first section carry no meaning
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            current->Entries.append(Entry{QString(), QString(), line, false});
            continue;
        }
        current->Entries.append(Entry{TrimText(line.left(eq)), TrimText(line.mid(eq + 1)), QString(), true});
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
    for (const Section& s : m_sections) {
        if (SameName(s.Name, name))
            return &s;
    }
    return nullptr;
}

MemIniFile::Section* MemIniFile::FindSection(const QString& name)
{
    for (Section& s : m_sections) {
        if (SameName(s.Name, name))
            return &s;
    }
    return nullptr;
}

int MemIniFile::FindKey(const Section& section, const QString& key)
{
    for (int i = 0; i < section.Entries.size(); ++i) {
        const Entry& e = section.Entries[i];
        if (e.IsPair && SameName(e.Key, key))
            return i;
    }
    return -1;
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

void MemIniFile::WriteFloat(const QString& section, const QString& key, double value, int decimals)
{
    WriteString(section, key, FloatToTrimmedStr(value, decimals, QLatin1Char('.')));
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
        if (!s) {
            m_sections.append(Section{change.Section, {}});
            s = &m_sections.last();
        }
        const int i = FindKey(*s, change.Key);
        if (i >= 0)
            s->Entries[i].Value = change.Value;
        else
            s->Entries.append(Entry{change.Key, change.Value, QString(), true});
        break;
    }
    case ChangeKind::EraseSection:
        for (int i = 0; i < m_sections.size(); ++i) {
            if (SameName(m_sections[i].Name, change.Section)) {
                m_sections.removeAt(i);
                break;
            }
        }
        break;
    case ChangeKind::DeleteKey:
        if (Section* s = FindSection(change.Section)) {
            const int i = FindKey(*s, change.Key);
            if (i >= 0)
                s->Entries.removeAt(i);
        }
        break;
    }
}

bool MemIniFile::UpdateFile(QString* error)
{
    auto fail = [&](const QString& why) {
        m_lastError = why;
        if (error)
            *error = why;
        return false;
    };
    if (m_fileName.isEmpty())
        return fail(QStringLiteral("No file name given for the settings document."));
    // What is on disk now wins for everything this object did not change.
    MemIniFile merged;
    if (!merged.Load(m_fileName))
        return fail(merged.LastError());
    if (!merged.FileExisted())
        merged.m_encoding = m_existed ? m_encoding : TTextEncoding::Utf8;
    for (const Change& c : m_changes)
        merged.Apply(c);
    if (!merged.SaveAs(m_fileName, error)) {
        m_lastError = merged.LastError();
        return false;
    }
    m_sections = merged.m_sections;
    m_encoding = merged.m_encoding;
    m_existed = true;
    m_changes.clear();
    m_lastError.clear();
    return true;
}

bool MemIniFile::SaveAs(const QString& fileName, QString* error)
{
    QString why;
    TTextEncoding used = m_encoding;
    if (!TextFile::WriteLines(fileName, Lines(), m_encoding, QStringLiteral("\r\n"), &why, &used)) {
        m_lastError = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, why);
        if (error)
            *error = m_lastError;
        return false;
    }
    m_encoding = used;
    return true;
}
