#pragma once

#include "batch/PreviewMaker.h"
#include "ui/TPlayerLauncher.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QMessageBox;
class QProgressDialog;
class QWidget;

// "Preview": ten seconds of the selected file converted with the current settings into
// the temp folder and opened in the desktop's player, with how long the whole file would
// take. The previews go when the program ends (a player that still shows one keeps it).
class TPreviewController : public QObject {
    Q_OBJECT
public:
    explicit TPreviewController(QWidget& window);
    ~TPreviewController() override;

    // Starts a preview of file; a second request while one is made is ignored.
    void Make(const QString& file, const EncodingSettings& settings);
    bool Making() const { return m_maker.Running(); }

private:
    void OnFinished(const TResultOf<TPreview>& result);
    // The box beside the player: who plays it, what the whole file would take, play again,
    // open its folder.
    void ShowPlayed(const TPreview& preview, const TPlayed& played);

    QWidget& m_window;
    TPreviewMaker m_maker;
    TPlayerLauncher* m_player; // the desktop's player, else one found on the PATH
    QPointer<QProgressDialog> m_busy;
    QString m_file;
    QStringList m_made;
};
