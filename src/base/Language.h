#pragma once

#include <QString>

class QObject;
#include <QStringList>

// The language the program speaks: English, the language its texts are written in, or one
// of the catalogues built with it. Chosen once at start, for the window and the headless
// modes alike; stored files, command lines and scripts never depend on it.
namespace Language {

// The stored choice that follows the system ("Language=System" in the settings file).
inline constexpr const char* SystemChoice = "System";

// The languages with a catalogue, as two-letter codes ("de"); English needs none.
const QStringList& Translated();

// The environment variables the C library reads for the language of messages.
struct TLocaleVars {
    QString language;    // LANGUAGE: preferences separated by colons ("de:en")
    QString lcAll;       // LC_ALL
    QString lcMessages;  // LC_MESSAGES
    QString lang;        // LANG
};
TLocaleVars ProcessLocaleVars();

// The language the C library would choose for messages, among "en" and `translated`.
// LC_ALL, else LC_MESSAGES, else LANG names the locale; none, C or POSIX means English,
// whatever LANGUAGE says. Otherwise LANGUAGE's entries are tried in order, then the
// locale's own language; the first known one wins ("en" included), and English when
// none is known.
QString FromLocale(const TLocaleVars& vars, const QStringList& translated);

// A stored choice ("System", "en", "de"; anything else follows the system) resolved.
QString Resolve(const QString& choice, const TLocaleVars& vars, const QStringList& translated);

// Installs the program's catalogue for `lang` (looked for in each of `dirs`, in order) and
// Qt's own for its standard dialogs into the running application, as children of owner:
// they stay installed while it lives. Nothing for English. False when the program's
// catalogue was not found: the texts stay English.
bool Install(const QString& lang, const QStringList& dirs, QObject* owner);

// The language the program speaks now: the one whose catalogue Install put in place while
// that catalogue lives, else "en".
QString Current();

// A file's version in lang beside it ("manual.html" -> "manual.de.html") when there is
// one, else the file itself: English, the language the files are written in, needs none.
QString LocalisedFile(const QString& file, const QString& lang);

// The directories a catalogue is looked for in: beside the executable (a build tree or a
// portable copy), then <prefix>/share/vexaconv/translations of an installed program.
QStringList CatalogueDirs(const QString& executableDir);

} // namespace Language
