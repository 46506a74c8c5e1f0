#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTranslator>

// Helpers shared by the test suites.
// A QString from UTF-8 source text, for names with umlauts and other non-ASCII.
inline QString S(const char* utf8) { return QString::fromUtf8(utf8); }

namespace TestSupport {

// The directory of test clips made with ffmpeg; made once per build tree and shared
// by every test executable (a lock file keeps parallel tests from racing).
QString MediaDir();
// Full path of one clip in MediaDir(), e.g. Clip("clip_xvid_mp3.avi").
QString Clip(const QString& name);

// A scratch directory of the build tree, for tests that need a stable place.
QString ScratchDir();
// A fresh directory for the running test: ScratchDir()/group/<test name>, emptied, with
// the given subdirectories made.
QString TestScratch(const QString& group, const QStringList& subdirs);
// Copies the test clip to path; returns path.
QString CopyClip(const QString& clip, const QString& path);
// A one-second AVI (160x120 MPEG-4, MP3 sound) made with ffmpeg at path, its folder made;
// path, or empty when ffmpeg failed.
QString MakeShortClip(const QString& path);

QString VexaconvPath();

struct RunResult {
    int exitCode = -1;
    bool crashed = false;
    bool timedOut = false;
    QByteArray out;
    QByteArray err;
};

// Runs vexaconv with args (no shell), extra environment entries "NAME=value". Its config
// home is in the build tree unless env names another.
RunResult RunVexaconv(const QStringList& args, const QStringList& env = {}, int timeoutMs = 120000,
                      const QString& workDir = QString());
RunResult RunProgram(const QString& program, const QStringList& args, const QStringList& env = {},
                     int timeoutMs = 120000, const QString& workDir = QString());

// Permissions do not stop root, and CI runs as root. A test of unreadable or unwritable
// files starts with
//     if (TestSupport::RanAsUnprivilegedUser()) return;
// As root this runs the same test again in a child process of this executable as the
// unprivileged user 65534 (setpriv), with a temporary directory and home of its own,
// reports the child's result as this test's, and returns true. As any other user it
// returns false and the test goes on here. It never passes without the check being done.
bool RanAsUnprivilegedUser();

// Tests that need the real encoder (or another tool) call this where they would skip
// without it: it skips, except under CI (CI=true), where the tool must be installed and
// its absence fails the test. Use: if (!TestSupport::HaveTool("mencoder")) return;
bool HaveTool(const char* program);
// The damaged Matroska file the MediaInfo library spins on for minutes (tests/data).
QString SpinningClip();

// Files that are no regular files, with a media extension, made in dir: "pipe.avi" (a
// FIFO), "socket.avi" (a unix socket) and "zero.avi" (a link to /dev/zero).
QStringList MakeSpecialFiles(const QString& dir);

// text with every "." between two digits replaced by the user's decimal mark: the expected form of numbers
// the program shows in the user's locale (the suite also runs under de_DE.UTF-8).
QString UserDecimals(const QString& text);

// Whether the process runs: not gone, and not a zombie waiting to be reaped.
bool ProcessAlive(qint64 pid);

// The lines of a program's output, empty ones left out.
QStringList Lines(const QByteArray& out);
// Pictures that differ from the one before, at 25 per second (ffmpeg's mpdecimate).
int DistinctFrames(const QString& file);

// Writes bytes to a file, creating directories; returns the path.
QString WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// A catalogue that marks every text it is asked for with « and », installed while it
// lives: what comes out marked went through translation, what must stay English must not.
class MarkingLanguage : public QTranslator {
public:
    MarkingLanguage();
    ~MarkingLanguage() override;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override;
};
// "«text»"
QString Marked(const char* text);
bool IsMarked(const QString& text);

} // namespace TestSupport
