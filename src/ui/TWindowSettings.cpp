#include "ui/TWindowSettings.h"

#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "lib/MemIniFile.h"
#include "settings/AppSettings.h"
#include "ui/IWindowState.h"
#include "ui/TFileGrid.h"
#include "ui/TFormProgress.h"
#include "ui/TGridFooter.h"
#include "ui/TOutputStrip.h"

#include <algorithm>

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QAbstractButton>

namespace {

QSize PrimaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

} // namespace

void TWindowSettings::Collect(const TWindowParts& w, TAppSettings& s)
{
    const TAppParams& ap = AppParams();
    s.EscExit = ap.EscExit;
    s.MediaInfoDll = ap.MediaInfoDll;
    s.ToolsDir = ap.ToolsDir;

    const QMainWindow& win = w.Window;
    s.Maximized = win.isMaximized();
    s.Left = win.x();
    s.Top = win.y();
    s.Width = win.width();
    s.Height = win.height();
    w.Output.FillSettings(s);

    const TFileGrid* ng = &w.Grid;
    const QHeaderView* h = ng->horizontalHeader();
    s.GridLines = ng->showGrid();
    s.RowIndicator = !ng->verticalHeader()->isHidden();
    s.GridFooter = !w.Footer.isHidden();
    s.RowHeight = ng->verticalHeader()->defaultSectionSize();
    s.AllowRowMoving = ng->verticalHeader()->sectionsMovable();
    s.AllowColumnMoving = h->sectionsMovable();
    s.ListFontName = ng->font().family();
    s.ListFontSize = ng->font().pointSize();
    s.FileAnalysis = ap.FileAnalysis;
    s.settingsExpanded = w.SettingsFold.isChecked();
    s.OpenFileAfterIconClick = ap.OpenFileAfterIconClick;
    s.DefaultVideoCodec = w.State.DefaultVideoCodec();
    s.LastDir = w.List.InitialFolders().AddFiles;
    s.DragAcceptDirectories = ap.DragAcceptDirectories;
    s.ParallelJobs = ap.ParallelJobs;
    s.Language = ap.Language;

    for (TColumnSettings& c : s.Columns) {
        const int column = ColumnByName(c.Name);
        if (column < 0 || column >= h->count())
            continue;
        // A hidden column reports no width: the one it had (from the file, or its
        // default) stays.
        if (!h->isSectionHidden(column))
            c.Width = ng->ColumnWidth(column);
        c.Position = h->visualIndex(column);
        c.Visible = !h->isSectionHidden(column);
    }

    if (const TFormProgress* progress = w.Progress)
        progress->FillSettings(s);
    else
        s.ProgressExists = false;
}

void TWindowSettings::Apply(const TWindowParts& w, const TAppSettings& s)
{
    TAppParams& ap = EditAppParams();
    const bool wasUpdating = w.State.Updating();
    w.State.SetUpdating(true);

    ap.EscExit = s.EscExit;
    s.ApplyToolPaths(ap);

    // The edges were brought onto the screen when they were read; the minimum size holds.
    QMainWindow& win = w.Window;
    win.move(s.Left, s.Top);
    win.resize(s.Width, s.Height);
    if (s.Maximized) {
        win.setWindowState(win.windowState() | Qt::WindowMaximized);
        if (win.isVisible())
            win.showMaximized();
    }

    w.Output.ApplySettings(s);
    ap.FileAnalysis = s.FileAnalysis;

    TFileGrid* ng = &w.Grid;
    QHeaderView* h = ng->horizontalHeader();
    for (const TColumnSettings& c : s.Columns) {
        const int column = ColumnByName(c.Name);
        if (column >= 0 && column < h->count() && h->sectionResizeMode(column) != QHeaderView::Fixed)
            h->resizeSection(column, c.Width);
    }
    // Each column moves to its place at once and shifts the others, in key order: the
    // order the file gives is the order the columns were placed in.
    for (const TColumnSettings& c : s.Columns) {
        const int column = ColumnByName(c.Name);
        if (column >= 0 && column < h->count() && c.Position >= 0)
            h->moveSection(h->visualIndex(column), std::clamp(c.Position, 0, int(h->count()) - 1));
    }
    for (const TColumnSettings& c : s.Columns) {
        const int column = ColumnByName(c.Name);
        if (column >= 0 && column < h->count() && TAppSettings::HasVisibilityKey(c.Name))
            ng->setColumnHidden(column, !c.Visible);
    }

    // Rows as low as the file allows, whatever the style thinks a row needs.
    QHeaderView* rows = ng->verticalHeader();
    if (rows->minimumSectionSize() > s.RowHeight)
        rows->setMinimumSectionSize(s.RowHeight);
    ng->SetRowHeight(s.RowHeight);
    QFont font = ng->font();
    font.setFamily(s.ListFontName);
    font.setPointSize(s.ListFontSize);
    ng->SetListFont(font);
    h->setFixedHeight(TAppSettings::HeaderHeightForFontSize(s.ListFontSize));

    ng->setShowGrid(s.GridLines);
    ng->verticalHeader()->setVisible(s.RowIndicator);
    w.Footer.setVisible(s.GridFooter);
    ng->verticalHeader()->setSectionsMovable(s.AllowRowMoving);
    h->setSectionsMovable(s.AllowColumnMoving);

    if (!s.LastDir.isEmpty() && QFileInfo(s.LastDir).isDir())
        w.List.UpdateInitialFolders(s.LastDir);

    w.SettingsFold.setChecked(s.settingsExpanded);

    ap.OpenFileAfterIconClick = s.OpenFileAfterIconClick;
    w.State.SetDefaultVideoCodec(s.DefaultVideoCodec);
    ap.DragAcceptDirectories = s.DragAcceptDirectories;
    ap.ParallelJobs = s.ParallelJobs;
    ap.Language = s.Language;
    w.State.SetUpdating(wasUpdating);
}

void TWindowSettings::Load(const TWindowParts& w, const QString& iniName)
{
    MemIniFile ini;
    if (!TAppSettings::ReadFile(iniName, ini))
        return;
    TAppSettings s;
    Collect(w, s);
    const QSize screen = PrimaryScreenSize();
    s.LoadMain(ini, screen.width(), screen.height());
    // A column whose position the file does not give stays where it is: placing it at
    // the place it had before the others moved would push them away from theirs.
    for (TColumnSettings& c : s.Columns) {
        if (const int column = ColumnByName(c.Name); column >= 0 && !ini.ValueExists(QStringLiteral("MAIN"), ColumnPositionKey(column)))
            c.Position = -1;
    }
    Apply(w, s);
}

TResult TWindowSettings::Save(const TWindowParts& w, const QString& iniName)
{
    TAppSettings s;
    for (TColumnSettings& c : s.Columns) {
        if (const int column = ColumnByName(c.Name); column >= 0)
            c.Width = ColumnDef(column).Width;
    }
    // The stored widths of hidden columns come from the file.
    MemIniFile old;
    if (QFileInfo(iniName).isFile() && old.Load(iniName)) {
        const QSize screen = PrimaryScreenSize();
        s.LoadMain(old, screen.width(), screen.height());
    }
    Collect(w, s);
    return s.SaveToFile(iniName);
}
