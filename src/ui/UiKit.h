#pragma once

#include "base/AppParams.h"

#include <QFont>
#include <QString>

class QAction;
class QApplication;
class QFileDialog;
class QIcon;
class QListWidget;
class QMessageBox;
class QToolButton;
class QWidget;

// Small pieces every window shares: the message box, the fonts, the look.
class QAbstractScrollArea;

namespace UiKit {

// The program's warning box: title "Vexa Video Converter", warning icon, owned by parent.
void WarningBox(QWidget* parent, const QString& text, const QString& title = QString());

// "Fira Mono" 9 when the system has it, else "Consolas" 10, else "Courier New" 9.
TFontParams ChooseMonospaceFont();
QFont ToQFont(const TFontParams& f);

// Fusion and the program's small style sheet.
void ApplyAppStyle(QApplication& app);

// Switches a top-level window's stay-on-top hint, keeping it shown when it was.
void SetStayOnTop(QWidget* w, bool on);
bool IsStayOnTop(const QWidget* w);

// Centres w over owner (or the screen without one).
void CentreOn(QWidget* w, const QWidget* owner);
// Centres w over owner, shows it and makes it the active window.
void ShowCentred(QWidget* w, const QWidget* owner);

// The small HTML of the status labels (tags b and font with bgcolor and color) as a
// Qt label shows it: font tags become styled spans, and runs of blanks are kept.
QString LabelHtml(const QString& html);
// The same text (plain or the small HTML) whose phrases wrap only where two or more blanks
// part them: a lone blank becomes a no-break space ("Est. output size: ~12 MB" stays on one
// line; the gaps between the status line's parts may break).
QString WholePhrases(const QString& html);

// Opens a file, folder or address with the desktop's default handler.
bool OpenWithShell(const QString& pathOrUrl);

// The side windows' "actEsc": Esc hides the window.
void AddEscHides(QWidget* w);

// A save dialog that adds the suffix of the chosen filter to a name typed without one
// before it asks about overwriting, so the prompt names the file that is written.
// filters: "Batch files (*.bat)" and so on; suffixes: the suffix of each filter, in the
// same order. The dialog is Qt's own: a desktop dialog would ask about the bare name.
QFileDialog* MakeSaveDialog(QWidget* parent, const QString& caption, const QString& start,
                            const QStringList& filters, const QStringList& suffixes);

// Runs the save dialog modally; the chosen file with its suffix, empty on cancel.
// selectedFilter, when given, gets the index of the filter in force at the end.
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& start, const QStringList& filters,
                        const QStringList& suffixes, int* selectedFilter = nullptr);

// Where a file dialog starts: remembered when it is a folder outside the program home
// (hidden, and no place for the user's files), else the user's Videos folder (XDG), else
// the home folder.
QString StartFolder(const QString& remembered = QString());
// Whether path is the program home or lies inside it.
bool InProgramHome(const QString& path);

// names one per line, at most maxShown of them, then "and N more".
QString NamesUpTo(const QStringList& names, int maxShown);

// The program's icon (every window, the tray, the desktop entry) and its resource path.
// A caption as it shows: "&" marks dropped, "&&" shown as one "&".
QString WithoutMnemonic(const QString& caption);
// The letter Alt opens a caption with (lower case), or a null character when it has none.
QChar MnemonicOf(const QString& caption);

QIcon AppIcon();
QString AppIconResource();

// A text-only button for an action, named for the tests and the stored settings.
QToolButton* ActionButton(QAction* action, QWidget* parent, const char* name);

// Tooltips of w and its children stay up 6000 ms.
void SetToolTipDuration(QWidget* w);

// The wheel over a box, spin box or slider of area that has no focus scrolls area, as the
// user scrolling the panel means, instead of changing the setting under the pointer.
void WheelScrollsPast(QAbstractScrollArea* area);

} // namespace UiKit
