#pragma once

#include "lib/Conversion.h"
#include "lib/MemIniFile.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

// The keys of an INI file as one table: each row says where the key is (section, name),
// what its text holds, where the value lives in the record, what a missing key gives and
// how a value that cannot be used falls back. Reading, writing, the write order (the
// table's order) and lookups by name all come from the table, so a new setting is one
// new row.

// Told when a value cannot be used as it stands: why, and what is used instead (as the
// window shows it: "Auto", "16", "H.264 / MPEG-4 AVC", "no selection").
using TKeyFallbackSink = std::function<void(const QString& why, const QString& used)>;

// What a key's text holds.
enum class TKeyType { Bool, Integer, Text, Word };

template <class R, class Ctx>
struct TKeyDescriptor {
    const char* Section;
    const char* Name;
    TKeyType Type;
    // The text written; empty for a key that is only read.
    std::function<QString(const R&)> Write;
    // value is null for a missing key: the key's rule for "missing" applies. Empty for a
    // key that is only written.
    std::function<void(R&, const QString* value, const Ctx&)> Read;
    // Written only while this holds; empty: always.
    std::function<bool(const R&)> WrittenWhen;
    // The values the key takes, as the help lists them: its words, its range (with what
    // its indexes stand for) or what its text holds. Empty: not listed.
    QString Values;
};

namespace KeyTable {

// Reads every readable key of the table (of section only, when it is given).
template <class R, class Ctx>
void Read(const QList<TKeyDescriptor<R, Ctx>>& keys, const MemIniFile& ini, R& r, const Ctx& c,
          const char* section = nullptr)
{
    for (const TKeyDescriptor<R, Ctx>& key : keys) {
        if (!key.Read || (section && qstrcmp(section, key.Section) != 0))
            continue;
        const QString sec = QLatin1String(key.Section), name = QLatin1String(key.Name);
        if (ini.ValueExists(sec, name)) {
            const QString value = ini.ReadString(sec, name);
            key.Read(r, &value, c);
        } else {
            key.Read(r, nullptr, c);
        }
    }
}

// Writes every writable key whose condition holds, in table order.
template <class R, class Ctx>
void Write(const QList<TKeyDescriptor<R, Ctx>>& keys, MemIniFile& ini, const R& r)
{
    for (const TKeyDescriptor<R, Ctx>& key : keys) {
        if (key.Write && (!key.WrittenWhen || key.WrittenWhen(r)))
            ini.WriteString(QLatin1String(key.Section), QLatin1String(key.Name), key.Write(r));
    }
}

// The readable key named name (case-insensitive) in any section; null if none.
template <class R, class Ctx>
const TKeyDescriptor<R, Ctx>* Find(const QList<TKeyDescriptor<R, Ctx>>& keys, const QString& name)
{
    for (const TKeyDescriptor<R, Ctx>& key : keys) {
        if (key.Read && name.compare(QLatin1String(key.Name), Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

// The type's name as the help lists it.
inline QString TypeName(TKeyType type)
{
    switch (type) {
    case TKeyType::Bool: return QStringLiteral("bool");
    case TKeyType::Integer: return QStringLiteral("integer");
    case TKeyType::Text: return QStringLiteral("text");
    case TKeyType::Word: return QStringLiteral("word");
    }
    return QString();
}

// "lo..hi", then what each index stands for where it is more than its own number:
// "0..9: 0=Auto, 1=ultrafast, ...", "0..16: 0=Auto", "0..10".
inline QString IndexValues(int lo, int hi, const QStringList& items)
{
    QString text = QStringLiteral("%1..%2").arg(lo).arg(hi);
    QStringList named;
    for (int i = std::max(lo, 0); i <= hi && i < items.size(); ++i) {
        if (items.at(i) != QString::number(i))
            named << QStringLiteral("%1=%2").arg(i).arg(items.at(i));
    }
    return named.isEmpty() ? text : text + QStringLiteral(": ") + named.join(QStringLiteral(", "));
}

// A key name made at run time, kept for as long as the tables that point at it live.
inline const char* StoredKeyName(const QString& name)
{
    static QList<QByteArray> names;
    names.append(name.toLatin1());
    return names.constLast().constData();
}

inline QString BoolText(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

inline QString Quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// How a list index is shown in a warning.
inline QString IndexText(const QStringList& items, int index)
{
    //: What a list setting holds when none of its entries is chosen
    if (index < 0 || index >= items.size())
        return QCoreApplication::translate("Settings", "no selection");
    return QStringLiteral("%1 (%2)").arg(index).arg(Quoted(items.at(index)));
}

// The row builders of a table for record R read with context Ctx (which has a
// TKeyFallbackSink Fallback). "Where the value lives" is a member of R or, for rows made
// in a loop, a function giving the place.
template <class R, class Ctx>
struct Rows {
    using Key = TKeyDescriptor<R, Ctx>;
    template <class T>
    using Place = std::function<T&(R&)>;
    // The items an index is shown with in a warning; empty: the bare number.
    using Items = std::function<QStringList(const R&)>;

    template <class T>
    static Place<T> At(T R::*member)
    {
        return [member](R& r) -> T& { return r.*member; };
    }
    // Writing reads the place only; the record is not changed.
    template <class T>
    static const T& Get(const Place<T>& place, const R& r)
    {
        return place(const_cast<R&>(r));
    }

    // Reports a value that cannot be used as given; only values actually given are
    // reported (a missing key silently keeps what the record holds).
    static void Fallback(const Ctx& c, const QString* given, const QString& why, const QString& used)
    {
        if (given && c.Fallback)
            c.Fallback(why, used);
    }

    static QString Shown(const Items& items, const R& r, int index)
    {
        return items ? IndexText(items(r), index) : QString::number(index);
    }

    // The stored integer, or current when the key is missing or its text is no integer.
    static int ReadInt(const QString* v, int current, const Ctx& c, const QString& currentText)
    {
        if (!v)
            return current;
        int value = 0;
        if (TryStrToInt(*v, value))
            return value;
        Fallback(c, v, QCoreApplication::translate("Settings", "not an integer"), currentText);
        return current;
    }

    // "1"/"0"; any integer but 0 reads as true. def: what a missing or unreadable key
    // gives (unset: the record's value stays).
    static Key Bool(const char* sec, const char* name, Place<bool> place, std::optional<bool> def = {})
    {
        return {sec, name, TKeyType::Bool, [place](const R& r) { return BoolText(Get(place, r)); },
                [place, def](R& r, const QString* v, const Ctx& c) {
                    bool& b = place(r);
                    const bool current = def.value_or(b);
                    b = ReadInt(v, current ? 1 : 0, c, BoolText(current)) != 0;
                },
                {}, QStringLiteral("0|1")};
    }
    static Key Bool(const char* sec, const char* name, bool R::*member, std::optional<bool> def = {})
    {
        return Bool(sec, name, At(member), def);
    }

    // Any integer.
    static Key Int(const char* sec, const char* name, Place<int> place)
    {
        return {sec, name, TKeyType::Integer, [place](const R& r) { return QString::number(Get(place, r)); },
                [place](R& r, const QString* v, const Ctx& c) {
                    int& i = place(r);
                    i = ReadInt(v, i, c, QString::number(i));
                },
                {}, QStringLiteral("any integer")};
    }
    static Key Int(const char* sec, const char* name, int R::*member) { return Int(sec, name, At(member)); }

    // An integer kept inside lo..hi; T is int or an enumeration stored as its index.
    template <class T>
    static Key Clamped(const char* sec, const char* name, Place<T> place, int lo, int hi, Items items = {})
    {
        return {sec, name, TKeyType::Integer, [place](const R& r) { return QString::number(int(Get(place, r))); },
                [place, lo, hi, items](R& r, const QString* v, const Ctx& c) {
                    T& i = place(r);
                    const int read = ReadInt(v, int(i), c, Shown(items, r, int(i)));
                    i = T(std::clamp(read, lo, hi));
                    if (int(i) != read)
                        Fallback(c, v, QCoreApplication::translate("Settings", "outside %1..%2").arg(lo).arg(hi),
                                 Shown(items, r, int(i)));
                },
                {}, IndexValues(lo, hi, FixedItems(items))};
    }
    template <class T>
    static Key Clamped(const char* sec, const char* name, T R::*member, int lo, int hi, Items items = {})
    {
        return Clamped<T>(sec, name, At(member), lo, hi, items);
    }
    // For rows made in a loop.
    static Key Clamped(const char* sec, const char* name, Place<int> place, int lo, int hi, Items items = {})
    {
        return Clamped<int>(sec, name, std::move(place), lo, hi, std::move(items));
    }

    // An integer that gives fallback when it is outside lo..hi.
    template <class T>
    static Key Ranged(const char* sec, const char* name, T R::*member, int lo, int hi, int fallback,
                      Items items = {})
    {
        return {sec, name, TKeyType::Integer, [member](const R& r) { return QString::number(int(r.*member)); },
                [member, lo, hi, fallback, items](R& r, const QString* v, const Ctx& c) {
                    const int read = ReadInt(v, int(r.*member), c, Shown(items, r, int(r.*member)));
                    if (read >= lo && read <= hi) {
                        r.*member = T(read);
                        return;
                    }
                    Fallback(c, v, QCoreApplication::translate("Settings", "outside %1..%2").arg(lo).arg(hi),
                             Shown(items, r, fallback));
                    r.*member = T(fallback);
                },
                {}, IndexValues(lo, hi, FixedItems(items))};
    }

    // A list index read without a range check: an index the list does not have selects
    // nothing, as a drop-down does.
    static Key Unchecked(const char* sec, const char* name, int R::*member, Items items)
    {
        return {sec, name, TKeyType::Integer, [member](const R& r) { return QString::number(r.*member); },
                [member, items](R& r, const QString* v, const Ctx& c) {
                    const QStringList list = items(r);
                    const int read = ReadInt(v, r.*member, c, IndexText(list, r.*member));
                    if (read >= 0 && read < list.size()) {
                        r.*member = read;
                        return;
                    }
                    if (read != -1)
                        Fallback(c, v, QCoreApplication::translate("Settings", "not an index of the list"),
                                 IndexText(list, -1));
                    r.*member = -1;
                },
                {}, UncheckedValues(FixedItems(items))};
    }

    // One of two words, written as given; reading ignores case and blanks around: first
    // gives 0, anything else 1 (reported unless it is second).
    template <class T>
    static Key Word(const char* sec, const char* name, T R::*member, const char* first, const char* second,
                    Items items)
    {
        return {sec, name, TKeyType::Word,
                [member, first, second](const R& r) { return QLatin1String(int(r.*member) == 0 ? first : second); },
                [member, first, second, items](R& r, const QString* v, const Ctx& c) {
                    if (!v)
                        return;
                    const QString word = v->trimmed();
                    if (word.compare(QLatin1String(first), Qt::CaseInsensitive) == 0) {
                        r.*member = T(0);
                        return;
                    }
                    if (word.compare(QLatin1String(second), Qt::CaseInsensitive) != 0)
                        Fallback(c, v,
                                 QCoreApplication::translate("Settings", "neither %1 nor %2")
                                     .arg(QLatin1String(first).toString().toUpper(),
                                          QLatin1String(second).toString().toUpper()),
                                 Shown(items, r, 1));
                    r.*member = T(1);
                },
                {}, QLatin1String(first) + QLatin1Char('|') + QLatin1String(second)};
    }

    // Any text, kept as it stands.
    static Key Text(const char* sec, const char* name, Place<QString> place)
    {
        return {sec, name, TKeyType::Text, [place](const R& r) { return Get(place, r); },
                [place](R& r, const QString* v, const Ctx&) {
                    if (v)
                        place(r) = *v;
                },
                {}, QStringLiteral("any text")};
    }
    static Key Text(const char* sec, const char* name, QString R::*member) { return Text(sec, name, At(member)); }

    // A row with its own reading and writing; values as the help lists them.
    static Key Custom(const char* sec, const char* name, TKeyType type, std::function<QString(const R&)> write,
                      std::function<void(R&, const QString*, const Ctx&)> read, QString values = {})
    {
        return {sec, name, type, std::move(write), std::move(read), {}, std::move(values)};
    }

    // One measured figure of a list (slot of member), written with decimals and only once
    // measured; what is no positive number reads as never measured. The name must outlive
    // the table (see StoredKeyName).
    static Key MeasuredSlot(const char* sec, const char* name, QList<double> R::*member, int slot, int decimals)
    {
        Key row = Custom(
            sec, name, TKeyType::Text,
            [member, slot, decimals](const R& r) { return QString::number((r.*member).value(slot), 'f', decimals); },
            [member, slot](R& r, const QString* v, const Ctx&) {
                bool ok = false;
                const double d = v ? QLocale::c().toDouble(v->trimmed(), &ok) : 0;
                (r.*member)[slot] = ok && std::isfinite(d) && d > 0 ? d : 0;
            });
        return WrittenWhen(std::move(row), [member, slot](const R& r) { return (r.*member).value(slot) > 0; });
    }

    // Row modifiers.
    static Key ReadOnly(Key k)
    {
        k.Write = {};
        return k;
    }
    static Key WriteOnly(Key k)
    {
        k.Read = {};
        return k;
    }
    static Key WrittenWhen(Key k, std::function<bool(const R&)> condition)
    {
        k.WrittenWhen = std::move(condition);
        return k;
    }
    // For a list that depends on the record (a home's own list): says what the help cannot list.
    static Key Described(Key k, QString values)
    {
        k.Values = std::move(values);
        return k;
    }

    // The items of a list as a fresh record has them, for the help.
    static QStringList FixedItems(const Items& items) { return items ? items(R{}) : QStringList(); }

    // Any other index selects nothing.
    static QString UncheckedValues(const QStringList& items)
    {
        if (items.isEmpty())
            return QStringLiteral("a list index; other: no selection");
        return IndexValues(0, int(items.size()) - 1, items) + QStringLiteral("; other: no selection");
    }
};

} // namespace KeyTable
