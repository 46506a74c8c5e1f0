#pragma once

#include <QImage>

#include "support/TestSupport.h"
#include "ui/TFormMain.h"

#include <QDir>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace UiTest {

// A shown main window over a fresh program home.
struct MainWindowFixture {
    explicit MainWindowFixture(const QStringList& inputs = {});
    ~MainWindowFixture();

    template <typename T>
    T* Find(const char* name) const
    {
        T* w = this->w->findChild<T*>(QLatin1String(name));
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }

    QTemporaryDir tmp;
    QDir home;
    std::unique_ptr<TFormMain> w;
};

// A fake encoder of tests/fake_encoder.
QString Fake(const char* name);

// Drops the files on the window as the desktop does.
void DropFiles(TFormMain* w, const QStringList& paths);

// A main window with two clips copied to media/ (a.avi, b.mp4) and an empty out/.
struct BatchFixture : MainWindowFixture {
    BatchFixture();
    // Copies a test clip to media/name.
    QString Copy(const char* clip, const QString& name) const;
    // The outputs go to dir.
    void OutputTo(const QString& dir);
    QDir media, out;
    QString a, b;
};

// Answers the modal windows that open while it lives (message boxes, file dialogs):
// each is handed to onModal, which may work it and returns whether it is done with it;
// what is not done with is closed. Message box texts are kept in order.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<bool(QWidget*)> onModal = {});
    ~ModalWatcher();

    QStringList boxTexts;

private:
    std::function<bool(QWidget*)> m_onModal;
    QTimer* m_timer = nullptr;
};

// Works the first file dialog it is given: checks nothing itself, types name, picks the
// filter with index filter (as a user's click does) and accepts; answers the overwrite
// prompt with Yes.
struct SaveDialogDriver {
    QString name;
    int filter = 0;
    QString defaultSuffix;
    QStringList nameFilters;
    bool acceptSave = false;
    bool confirmsOverwrite = false;
    bool handled = false;
    int ticks = 0;

    bool operator()(QWidget* modal);
};

// Sets an environment variable for the lifetime of the object.
struct EnvVar {
    EnvVar(const char* name, const QByteArray& value)
        : name(name)
        , had(qEnvironmentVariableIsSet(name))
        , old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvVar()
    {
        if (had)
            qputenv(name, old);
        else
            qunsetenv(name);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;
    const char* name;
    bool had;
    QByteArray old;
};

// Starts the window's batch and lets the event loop run until it has ended.
TBatchResult RunBatchToEnd(TFormMain* w, int timeoutMs = 180000);
// Whether an encoder of the window's batch runs now.
bool EncoderRunning();
// Polls (poll, every 10 ms, started here) until an encoder runs, then calls act once:
// the tests close the window there.
void WhenTheEncoderRuns(QTimer& poll, QObject* context, std::function<void()> act);

// The object names of a menu's actions, "-" for a separator, submenus by their menu's name.
QStringList MenuNames(const QMenu* menu);

// Saves what w shows now to /tmp/vexa_ui_<name>.png, for looking at the windows.
// Grabs the widget as it is painted now, keeps the picture as /tmp/vexa_ui_<name>.png
// for a look by eye, and returns it.
QImage Screenshot(QWidget* w, const QString& name);

} // namespace UiTest
