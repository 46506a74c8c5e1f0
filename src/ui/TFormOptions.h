#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class IWindowState;
class TFileGrid;
class TGridFooter;

// "Options": the file list's look, the analysis depth, the default video encoder and the
// icon click, applied live to the main window and TAppParams (no OK/Cancel step; the
// values are written with the settings when the program closes). Also places the
// program's shortcut on the desktop.
class TFormOptions : public QWidget {
    Q_OBJECT
public:
    // state: the main window's updating flag and default encoder; grid and footer: its file list.
    TFormOptions(IWindowState& state, TFileGrid& grid, TGridFooter& footer, QWidget* owner);

    // Every control from the grid and TAppParams, under the main window's updating flag.
    void InitControls();

    // The change handlers; each applies its one value unless the updating flag is set.
    void chFileListGridLinesClick();
    void chFileListFooterClick();
    void chFileListRowIndicatorClick();
    void chFileListAllowRowMovingClick();
    void chFileListAllowColumnMovingClick();
    void chFileListIconClickOpenClick();
    void cbFileListFileAnalysisChange();
    void spedParallelJobsChange();
    void cbDefaultVideoCodecChange();
    void cbFileListFontSelect();
    void edFileListFontSizeChange();
    void edFileListRowHeightChange();
    void btnCreateShortcutOnDesktopClick();

    // Where the desktop entry's icon file is kept (written from the built-in icon).
    static QString IconFile();

protected:
    bool event(QEvent* e) override;

private:
    bool Updating() const;

    IWindowState& m_state;
    TFileGrid& m_grid;
    TGridFooter& m_footer;
    QComboBox* m_cbFileListFont = nullptr;
    QSpinBox* m_edFileListFontSize = nullptr;
    QSpinBox* m_edFileListRowHeight = nullptr;
    QCheckBox* m_chFileListAllowRowMoving = nullptr;
    QCheckBox* m_chFileListAllowColumnMoving = nullptr;
    QCheckBox* m_chFileListGridLines = nullptr;
    QCheckBox* m_chFileListFooter = nullptr;
    QCheckBox* m_chFileListRowIndicator = nullptr;
    QCheckBox* m_chFileListIconClickOpen = nullptr;
    QComboBox* m_cbFileListFileAnalysis = nullptr;
    QSpinBox* m_spedParallelJobs = nullptr;
    QComboBox* m_cbLanguage = nullptr;
    QComboBox* m_cbDefaultVideoCodec = nullptr;
};
