#pragma once

#include "lib/ResultOf.h"

#include <QString>

// The desktop shortcut: a freedesktop desktop entry that starts this program.
namespace DesktopEntry {

// "Vexa Video Converter.desktop"
QString ShortcutFileName();

// The user's desktop directory: $XDG_DESKTOP_DIR, else the one the user-dirs file
// names, else ~/Desktop. Never empty.
QString DesktopDirectory();

// One Exec argument quoted by the desktop-entry rules: "%" doubled, an argument with a
// reserved character (blank, quote, "$" ...) put in double quotes with the quote, the
// backquote, "$" and the backslash escaped; then escaped as a string value (\ doubled, line breaks as \n).
QString QuoteExecArgument(const QString& arg);

// A string value: \ doubled, line breaks and tabs as \n, \r, \t.
QString EscapeString(const QString& value);

// The entry's text: Type, Name, Comment (the caption), Exec, Path, Icon, Terminal.
QString EntryText(const QString& executable, const QString& iconFile);

// Writes the entry into desktopDir (created when missing) unless a file of that name is
// there already, and sets its executable bit. True when the entry was written, false when
// one was there already and is left as it is; a failure, and why, when desktopDir cannot
// be made or the entry cannot be written (nothing is left behind then).
TResultOf<bool> CreateShortcut(const QString& desktopDir, const QString& executable, const QString& iconFile);

} // namespace DesktopEntry
