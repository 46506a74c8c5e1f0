#pragma once

#include "batch/BatchInput.h"

#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
struct EncodingSettings;
struct TAppSettings;

// The output options under the settings panels (pnMid): the existing-output policy, what
// happens after the conversion, the kept dates and folder tree, and the output folder. A
// batch reads them as one TBatchOptions value.
class TOutputStrip : public QWidget {
    Q_OBJECT
public:
    // browse and explore are the folder's two buttons' actions (actBrowseOutDir,
    // actExploreOutDir); the strip enables them and does their work.
    TOutputStrip(QAction& browse, QAction& explore, QWidget* parent);

    // Where the folder dialog starts when the field names no folder.
    void SetFallbackFolder(std::function<QString()> folder) { m_fallbackFolder = std::move(folder); }

    // The batch's output options; the number of side-by-side runs is the program's.
    TBatchOptions Options() const;

    // The output fields of the encoding settings, and back.
    void GetSettings(EncodingSettings& s) const;
    void SetSettings(const EncodingSettings& s);
    // The output fields of the settings file's "MAIN", and back.
    void FillSettings(TAppSettings& s) const;
    void ApplySettings(const TAppSettings& s);

    // The folder field and its buttons work only with "output directory" chosen.
    void ApplyEnabling();

    void actBrowseOutDirExecute();
    void actExploreOutDirExecute();

Q_SIGNALS:
    // The choice between the input's folder and the output folder changed.
    void FolderChoiceChanged();

private:
    QWidget* CreateFolderBox();
    // The output folder when it is one, else the fallback folder.
    QString OutDirOrFallback() const;

    QAction& m_browse;
    QAction& m_explore;
    std::function<QString()> m_fallbackFolder;
    QComboBox* m_cbOutputExists = nullptr;
    QComboBox* m_cbAfterConversion = nullptr;
    QCheckBox* m_chKeepDates = nullptr;
    QCheckBox* m_chKeepTree = nullptr;
    QRadioButton* m_rbOutDirIsInDir = nullptr;
    QRadioButton* m_rbOutDir = nullptr;
    QLineEdit* m_edOutDir = nullptr;
};
