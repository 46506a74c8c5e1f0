#include "lib/Strings.h"

#include <QRandomGenerator>
#include <QStringList>

namespace {

Qt::CaseSensitivity Cs(bool ignoreCase) { return ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive; }

} // namespace

QString TrimText(const QString& s)
{
    qsizetype first = 0;
    qsizetype last = s.size() - 1;
    while (first <= last && s.at(first).unicode() <= 32)
        ++first;
    while (last >= first && s.at(last).unicode() <= 32)
        --last;
    return s.mid(first, last - first + 1);
}

QString RemoveAll(const QString& s, const QString& pattern, bool ignoreCase)
{
    return ReplaceAll(s, pattern, QString(), ignoreCase);
}

QString ReplaceAll(const QString& s, const QString& oldText, const QString& newText, bool ignoreCase)
{
    // QString::replace with an empty pattern would insert between every character.
    if (oldText.isEmpty())
        return s;
    QString r = s;
    return r.replace(oldText, newText, Cs(ignoreCase));
}

QString ReplaceFirst(const QString& s, const QString& oldText, const QString& newText, bool ignoreCase)
{
    if (oldText.isEmpty())
        return s;
    const qsizetype at = s.indexOf(oldText, 0, Cs(ignoreCase));
    if (at < 0)
        return s;
    QString r = s;
    return r.replace(at, oldText.size(), newText);
}

QString RemoveBlanks(const QString& s)
{
    QString r = s;
    return r.remove(QLatin1Char(' '));
}

QString PadLeft(const QString& s, int width, QChar ch)
{
    return s.size() >= width ? s : QString(width - s.size(), ch) + s;
}

QString RandomHex(int count, const QString& separator, bool lowerCase)
{
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        const int b = int(QRandomGenerator::global()->bounded(255)); // 0..254
        QString hex = PadLeft(QString::number(b, 16), 2, QLatin1Char('0'));
        parts << (lowerCase ? hex.toLower() : hex.toUpper());
    }
    return parts.join(separator);
}

QString FormatMsg(const QString& format, const QString& s1, const QString& s2)
{
    QString r;
    r.reserve(format.size());
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\\') && i + 1 < format.size()) {
            const QChar n = format.at(i + 1);
            if (n == QLatin1Char('n')) {
                r += QLatin1String("\r\n");
                ++i;
                continue;
            }
            if (n == QLatin1Char('t')) {
                r += QLatin1Char('\t');
                ++i;
                continue;
            }
        }
        r += c;
    }
    const QLatin1String mark("%s");
    const qsizetype first = r.indexOf(mark);
    if (first < 0)
        return r;
    r.replace(first, 2, s1);
    // The second "%s" is searched after s1, so a file name holding "%s" stays as it is.
    const qsizetype second = r.indexOf(mark, first + s1.size());
    if (second >= 0)
        r.replace(second, 2, s2);
    return r;
}

QString TerminalText(const QString& text, bool endLine)
{
    if (text.isEmpty())
        return text;
    QString r = text;
    const qsizetype n = r.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = r.at(i).unicode();
        if (c == u'\t' || c == u'\n')
            continue;
        if (c == u'\r' && i + 1 < n && r.at(i + 1) == QLatin1Char('\n'))
            continue;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            r[i] = QLatin1Char('?');
    }
    if (endLine && !r.endsWith(QLatin1Char('\n'))) {
        const qsizetype lastBreak = r.lastIndexOf(QLatin1Char('\n'));
        r += lastBreak > 0 && r.at(lastBreak - 1) == QLatin1Char('\r') ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    return r;
}
