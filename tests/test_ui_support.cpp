#include "test_ui_support.h"


#include <QSignalSpy>

#include "base/AppParams.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace UiTest {

MainWindowFixture::MainWindowFixture(const QStringList& inputs)
{
    static bool styled = false;
    if (!styled) {
        UiKit::ApplyAppStyle(*qApp);
        styled = true;
    }
    home.setPath(tmp.path());
    InitAppParams(EditAppParams(), tmp.path(), QCoreApplication::applicationDirPath());
    w = std::make_unique<TFormMain>(inputs);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
}

MainWindowFixture::~MainWindowFixture()
{
    w.reset();
}

QString Fake(const char* name)
{
    return QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/") + QLatin1String(name);
}

void DropFiles(TFormMain* w, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    const QPoint at = w->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &drop);
}

BatchFixture::BatchFixture()
{
    EditAppParams().FileAnalysis = faQuick;
    media = QDir(tmp.filePath(QStringLiteral("media")));
    media.mkpath(QStringLiteral("."));
    out = QDir(tmp.filePath(QStringLiteral("out")));
    out.mkpath(QStringLiteral("."));
    a = Copy("clip_xvid_mp3.avi", QStringLiteral("a.avi"));
    b = Copy("clip_h264_aac.mp4", QStringLiteral("b.mp4"));
}

QString BatchFixture::Copy(const char* clip, const QString& name) const
{
    const QString to = media.filePath(name);
    QFile::copy(TestSupport::Clip(QLatin1String(clip)), to);
    return to;
}

void BatchFixture::OutputTo(const QString& dir)
{
    EncodingSettings s = w->Settings();
    s.outputToFolder = true;
    s.outputFolder = dir;
    w->SetSettings(s);
}

ModalWatcher::ModalWatcher(std::function<bool(QWidget*)> onModal)
    : m_onModal(std::move(onModal))
    , m_timer(new QTimer)
{
    m_timer->setInterval(20);
    QObject::connect(m_timer, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        // A box on the stack may take the address of the one before: mark, not compare.
        if (!modal->property("vexaSeen").toBool()) {
            modal->setProperty("vexaSeen", true);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                boxTexts << box->text();
        }
        if (m_onModal && m_onModal(modal))
            return;
        modal->close();
    });
    m_timer->start();
}

ModalWatcher::~ModalWatcher()
{
    delete m_timer;
}

QStringList MenuNames(const QMenu* menu)
{
    QStringList names;
    if (!menu)
        return names;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            names << QStringLiteral("-");
        else if (a->menu())
            names << a->menu()->objectName();
        else
            names << a->objectName();
    }
    return names;
}

QImage Screenshot(QWidget* w, const QString& name)
{
    QCoreApplication::processEvents();
    const QImage image = w->grab().toImage();
    image.save(QStringLiteral("/tmp/vexa_ui_%1.png").arg(name));
    return image;
}

TBatchResult RunBatchToEnd(TFormMain* w, int timeoutMs)
{
    QSignalSpy ended(w, &TFormMain::BatchEnded);
    w->StartBatch();
    if (ended.isEmpty()) {
        EXPECT_TRUE(ended.wait(timeoutMs)) << "the batch did not end";
    }
    return w->LastBatchResult();
}

bool EncoderRunning()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<TFormMain*>(w); main && main->BatchPlanner() &&
                                                      !main->BatchPlanner()->EncoderProcessGroups().isEmpty())
            return true;
    return false;
}

void WhenTheEncoderRuns(QTimer& poll, QObject* context, std::function<void()> act)
{
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, context, [&poll, act = std::move(act)] {
        if (!EncoderRunning())
            return;
        poll.stop();
        act();
    });
    poll.start();
}

bool SaveDialogDriver::operator()(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        box->button(QMessageBox::Yes)->click();
        return true;
    }
    auto* dlg = qobject_cast<QFileDialog*>(modal);
    if (!dlg)
        return false;
    // The dialog's directory model loads in the background and may reset the typed name
    // before the accept arrives; then the dialog stays open and the name is typed again.
    if (handled && ++ticks % 25 != 0)
        return true;
    if (!handled) {
        handled = true;
        defaultSuffix = dlg->defaultSuffix();
        nameFilters = dlg->nameFilters();
        acceptSave = dlg->acceptMode() == QFileDialog::AcceptSave;
        confirmsOverwrite = !dlg->testOption(QFileDialog::DontConfirmOverwrite);
    }
    if (filter > 0) {
        auto* types = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        EXPECT_TRUE(types);
        if (types) {
            types->setCurrentIndex(filter);
            Q_EMIT types->activated(filter);
            Q_EMIT types->textActivated(types->itemText(filter));
        }
    }
    dlg->selectFile(name);
    if (auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(name);
    // Accepting may ask about overwriting: from the event loop, not from inside the watcher.
    QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    return true;
}

} // namespace UiTest
