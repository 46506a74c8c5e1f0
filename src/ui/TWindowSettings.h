#pragma once

#include "lib/Result.h"

#include <QString>

class IWindowState;
class QAbstractButton;
class QMainWindow;
class TFileGrid;
class TFileListModel;
class TFormProgress;
class TGridFooter;
class TOutputStrip;
struct TAppSettings;

// The parts of the main window the settings file keeps.
struct TWindowParts {
    QMainWindow& Window;          // geometry
    IWindowState& State;          // the updating flag, the default video encoder
    TOutputStrip& Output;         // the output options
    TFileGrid& Grid;              // columns, rows, font, grid options
    TGridFooter& Footer;
    QAbstractButton& SettingsFold; // the conversion settings shown or folded
    TFileListModel& List;         // the dialogs' folder
    const TFormProgress* Progress; // null until the window has made it
};

// The main window and the settings file's section "MAIN" (and, through the progress
// window, "PROGRESS"): what the window shows, as a TAppSettings record, and back.
class TWindowSettings {
public:
    // Reads what the window shows into s (geometry, output options, the grid's layout,
    // font and options, the dialogs' folder, the panel, the program-wide options).
    static void Collect(const TWindowParts& w, TAppSettings& s);

    // Applies s to the window, in the settings file's reading order: tools, geometry,
    // maximized, output options, widths, positions one by one, visibility, row height,
    // font, grid options, the dialogs' folder, the panel, the program-wide options.
    static void Apply(const TWindowParts& w, const TAppSettings& s);

    // The whole start-up read of iniName over the window; nothing when the file does not
    // exist or cannot be read. Keys the file lacks keep what the window shows.
    static void Load(const TWindowParts& w, const QString& iniName);

    // The whole shutdown save into iniName, merged into what is there, in one atomic step.
    // A failure when it could not be written; the file is then as it was.
    static TResult Save(const TWindowParts& w, const QString& iniName);
};
