// One window per home: a second start of the real program hands its files to the running
// window (here the test's own, listening as the program's does) and ends; with no window
// answering it opens its own; a headless mode never hands anything over.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TInstanceChannel.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace UiTest;

namespace {

// Runs the program while this process's event loop runs (the window under test answers
// from it); its exit code, or -1 when it had not ended after 30 s.
int RunWhileListening(const QStringList& args, const QString& workDir = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VEXACONV_QUIT_AFTER_MS"), QStringLiteral("300")); // a window it opened by mistake ends
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(TestSupport::VexaconvPath(), args);
    if (!p.waitForStarted(10000) || !QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 30000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// What a window killed while listening leaves: a socket file nobody accepts on.
bool LeaveStaleSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

} // namespace

TEST(UiInstance, ASecondStartHandsItsFilesToTheRunningWindow)
{
    QTemporaryDir runtime;
    const EnvVar runtimeVar("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    BatchFixture f;
    const QString home = AppParams().AppDir;
    TInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(home));
    channel.SetReceiver([&f](const QStringList& inputs) { f.w->AddForwardedInputs(inputs); });
    TFileListModel& list = *f.w->List();

    EXPECT_EQ(RunWhileListening({QStringLiteral("--home"), home, QStringLiteral("--info"), f.a}), 0);
    QTest::qWait(100);
    EXPECT_EQ(list.rowCount(), 0) << "a headless mode handed its file over";

    const QStringList odd = {f.Copy("clip_xvid_mp3.avi", QStringLiteral(" blank name.avi")),
                             f.Copy("clip_xvid_mp3.avi", QStringLiteral("-dash.avi")),
                             f.Copy("clip_xvid_mp3.avi", QStringLiteral("new\nline.avi"))};
    QElapsedTimer took;
    took.start();
    // Relative names, as a terminal in the media folder gives them.
    EXPECT_EQ(RunWhileListening({QStringLiteral("--home"), home, QStringLiteral("--"), QStringLiteral(" blank name.avi"),
                                 QStringLiteral("-dash.avi"), QStringLiteral("new\nline.avi")},
                                f.media.path()),
              0);
    EXPECT_LT(took.elapsed(), 10000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.rowCount() == 3; }, 10000)) << list.rowCount();
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(list.RowFullName(r), odd[r]);
    EXPECT_FALSE(QFileInfo::exists(f.home.filePath(QStringLiteral("vexaconv.ini")))) << "the second start opened a window";
}

// A socket a killed window left is taken over; one a hung window holds is left to it.
// Either way the start opens its own window (which saves its settings on closing).
TEST(UiInstance, AStartNoWindowAnswersOpensItsOwn)
{
    for (const bool hung : {false, true}) {
        QTemporaryDir tmp;
        const EnvVar runtimeVar("XDG_RUNTIME_DIR", QFile::encodeName(tmp.path()));
        const QString home = tmp.filePath(QStringLiteral("home"));
        const QString socket = TInstanceChannel::ServerName(home);
        ASSERT_TRUE(socket.startsWith(tmp.path()));
        QLocalServer hungWindow; // listens, and never answers: this test runs no event loop meanwhile
        ASSERT_TRUE(hung ? hungWindow.listen(socket) : LeaveStaleSocket(socket));

        const TestSupport::RunResult r = TestSupport::RunProgram(
            TestSupport::VexaconvPath(), {QStringLiteral("--home"), home, TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))},
            {QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("VEXACONV_QUIT_AFTER_MS=300")}, 60000);
        EXPECT_EQ(r.exitCode, 0) << hung << r.err.constData();
        EXPECT_TRUE(QFileInfo(home + QStringLiteral("/vexaconv.ini")).isFile()) << hung;
        // The taken-over socket went with its window; the hung window's is still its own.
        EXPECT_EQ(QFileInfo::exists(socket), hung);
    }
}
