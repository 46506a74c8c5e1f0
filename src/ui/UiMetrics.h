#pragma once

// The window's sizes, colours and times, each named once with why it is what it is.

#include <QColor>
#include <QSize>

namespace UiMetrics {

// ---- window sizes (pixels) ----
// The main window opens large enough for the settings panels and a dozen list rows; below
// its minimum the panels' controls overlap.
inline constexpr QSize MainMinimum(650, 400);
inline constexpr QSize MainInitial(934, 712);
// What the main window's frame and layout take beside the settings panels.
inline constexpr int MainSideMargins = 24;
// The folded-open settings area: the tallest panel's controls at the default font.
inline constexpr int SettingsAreaHeight = 258;
// Toolbar icons match the list's default row height.
inline constexpr int ToolbarIconSize = 20;
// The list's default row height: an icon and a line of the default font.
inline constexpr int ListRowHeight = 20;
// The list's widest text columns open narrower than their table widths, so that at the
// default window width the "Status" column is on screen; the last column takes the rest.
inline constexpr int ListDirectoryWidth = 130;
inline constexpr int ListSummaryWidth = 105; // "Video" and "Audio"
// The status bar is one line of the default font with room above and below.
inline constexpr int StatusBarMinHeight = 22;
// The row indicator is wide enough to grab for dragging a row.
inline constexpr int RowIndicatorWidth = 16;
// The progress window shows the encoder's lines next to the progress bars: wide enough
// for a whole status line of the encoder.
inline constexpr QSize ProgressMinimum(600, 300);
inline constexpr QSize ProgressInitial(780, 460);
// The abort button stays easy to hit whatever its translated caption.
inline constexpr int AbortButtonMinWidth = 100;
// The job list of side-by-side conversions: a handful of lines, the encoder's output
// keeps the rest of the window.
inline constexpr int JobListMaxHeight = 120;
// The error log: a few entries with their command lines.
inline constexpr QSize ErrorsMinimum(400, 200);
inline constexpr QSize ErrorsInitial(640, 400);
// The command-line window: the two passes' lines, wrapped.
inline constexpr QSize CmdLineMinimum(500, 150);
inline constexpr QSize CmdLineInitial(720, 220);
// The tools report: its separator lines (83 columns) fit without wrapping.
inline constexpr QSize ToolsInfoMinimum(300, 200);
inline constexpr QSize ToolsInfoInitial(760, 420);
// The about box is laid out for its fixed text; it does not resize.
inline constexpr QSize AboutSize(563, 547);
// A message box's list of items (files, problems): wide enough for a path of some depth.
inline constexpr int ItemListWidth = 520;
// A message box's text names this many files at most (then "and N more"): more lines
// would make it taller than a screen; its scrolling list holds them all.
inline constexpr int BoxNamesShown = 20;
// The update check's message box: a few lines of the version file's text.
inline constexpr QSize UpdateMessageSize(420, 150);

// ---- colours ----
// Read-only command lines and the current resolution stand on a cream note colour.
inline constexpr QRgb NoteBackground = qRgb(0xFF, 0xF4, 0xDF);
// The encoder's output reads like a terminal: light grey on dark grey.
inline constexpr QRgb ConsoleBackground = qRgb(0x35, 0x35, 0x35);
inline constexpr QRgb ConsoleText = qRgb(0xDA, 0xD7, 0xCD);
// Resolution list: scaled sizes (%) blue, 16:9 green, 4:3 mauve, so a shape is found fast.
inline constexpr QRgb ScaledSizeBackground = qRgb(0xE8, 0xF0, 0xFF);
inline constexpr QRgb WideSizeBackground = qRgb(0xE6, 0xF6, 0xE6);
inline constexpr QRgb NarrowSizeBackground = qRgb(0xF6, 0xEC, 0xF6);
// Update check verdicts: a failure pale red with dark red text, an update pale green with
// dark green text; both keep their text readable on either theme.
inline constexpr QRgb FailedBackground = qRgb(250, 218, 218);
inline constexpr QRgb FailedText = qRgb(79, 11, 11);
inline constexpr QRgb UpdateBackground = qRgb(230, 240, 227);
inline constexpr QRgb UpdateText = qRgb(29, 47, 26);

// ---- times (milliseconds) ----
// Files another start handed over while an add runs wait for its end, looked at this often.
inline constexpr int ForwardedAddRetryMs = 200;
// Tool tips stay long enough to read their two or three lines.
inline constexpr int ToolTipDurationMs = 6000;
// The update check starts a moment after its window opens, so the window paints first.
inline constexpr int UpdateCheckDelayMs = 1000;
// The file manager is asked over D-Bus; without an answer by then the folder is opened
// the plain way instead.
inline constexpr int FileManagerCallTimeoutMs = 3000;
// The shown command-line window follows setting changes once they pause: typing a bit rate
// digit by digit asks for the selected file's properties once, not once per digit.
inline constexpr int CmdLineFollowDelayMs = 150;

} // namespace UiMetrics
