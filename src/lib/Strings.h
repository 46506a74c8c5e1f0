#pragma once

#include <QChar>
#include <QString>

// Small text helpers. Positions are 1-based (0 = not found); "blank" is the space
// character; trimming removes leading and trailing characters with codes up to 32.

// s without the leading/trailing characters with codes <= 32 (QString::trimmed would also
// strip Unicode spaces, which names may legitimately start with).
QString TrimText(const QString& s);

// An empty pattern leaves s unchanged.
QString RemoveAll(const QString& s, const QString& pattern, bool ignoreCase = false);
// Left to right, replaced text is never rescanned.
QString ReplaceAll(const QString& s, const QString& oldText, const QString& newText, bool ignoreCase = false);
QString ReplaceFirst(const QString& s, const QString& oldText, const QString& newText, bool ignoreCase = false);

QString RemoveBlanks(const QString& s);
QString PadLeft(const QString& s, int width, QChar ch = QLatin1Char(' '));

// count random bytes (each 0..254) as two hex digits each, joined by separator.
QString RandomHex(int count, const QString& separator = QString(), bool lowerCase = false);

// "\n" (backslash + n) becomes CR LF, "\t" a tab; then the first "%s" takes s1 and the
// next "%s" after it takes s2. A "%s" inside s1 is not touched again.
QString FormatMsg(const QString& format, const QString& s1 = QString(), const QString& s2 = QString());

// Text as the headless modes print it: every control character except tab and the line
// ends (LF, and CR directly before LF) becomes "?", so a file name, a tag or an encoder
// line cannot drive the user's terminal; with endLine, a text that does not end with a
// line break gets one (CR LF when its last line break is CR LF). An empty text stays empty.
QString TerminalText(const QString& text, bool endLine = true);
