#pragma once

#include "media/FileInfoLabels.h"
#include "media/VideoFileInfo.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;

// "File info": the properties of one file, one video and one audio stream at a time,
// and the report to copy or save. Its labels are its only state.
class TFormFileInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFormFileInfo(QWidget* owner);

    void UpdateList(const TVideoFileInfo& vfi, int AudioStreamNo, int VideoStreamNo);
    void ClearAll();
    // The texts as the labels show them now.
    TFileInfoLabels Shown() const;
    QLabel* ValueLabel(const QString& name) const { return m_values.value(name); }

    // The report, as "Copy" puts it on the clipboard; false (and a message) when the
    // file cannot be read.
    bool GetInfoAsText(QString& report);
    void actCopyToClipboardExecute();
    // Writes the report to fileName; false with the reason shown when it fails.
    bool SaveReportTo(const QString& fileName);

private:
    QWidget* BuildSection(const QString& name, const QString& caption, const QList<TInfoLabel>& labels,
                          QComboBox* selector, int columns);
    void ShowLabels(const TFileInfoLabels& l);
    void OnStreamChanged();
    void actSaveExecute();

    QLabel* m_lblFileName = nullptr;
    QLabel* m_lblDirectory = nullptr;
    QComboBox* m_cbVideoStreamNo = nullptr;
    QComboBox* m_cbAudioStreamNo = nullptr;
    QHash<QString, QLabel*> m_values;
    QString m_filePath;
    QString m_directory;
    QString m_fileName;
    bool m_filling = false; // the selectors are being filled: their changes are ours
};
