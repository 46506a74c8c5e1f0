// The headless modes' own files (`--script`, `--error-log`) when they cannot be saved:
// on a full disk and, as an unprivileged user, in a directory that user may not write.
// Exit status 2, one message on stderr, and the old file keeps its bytes.

#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool HaveEncoder() { return !QStandardPaths::findExecutable(QStringLiteral("mencoder")).isEmpty(); }

// A directory everybody may enter and write (the unprivileged runs' home, temp and output).
QString OpenDir(const QString& path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFileDevice::Permissions(0x7777));
    return path;
}

class HeadlessSaves : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveEncoder())
            GTEST_SKIP() << "mencoder not installed";
        m_dir = TestSupport::ScratchDir() + "/cli_saves/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir(m_dir).removeRecursively();
        OpenDir(m_dir);
        OpenDir(m_dir + "/home");
        OpenDir(m_dir + "/tmp");
        OpenDir(m_dir + "/out");
        m_input = m_dir + "/a.avi";
        QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), m_input);
        QFile::setPermissions(m_input, QFileDevice::Permissions(0x6444));
    }

    // prefix: run through another program first (setpriv), empty for a plain run.
    TestSupport::RunResult Run(const QStringList& args, const QStringList& prefix = {})
    {
        const QStringList all = QStringList{"--home", m_dir + "/home"} + args;
        const QStringList env{"TMPDIR=" + m_dir + "/tmp"};
        if (prefix.isEmpty())
            return TestSupport::RunVexaconv(all, env, 300000, m_dir);
        return TestSupport::RunProgram(prefix.first(), prefix.mid(1) + QStringList{TestSupport::VexaconvPath()} + all,
                                       env, 300000, m_dir);
    }

    QString m_dir;
    QString m_input;
};

const QByteArray OldScript = "#!/usr/bin/env bash\necho the good old script\n";
const QByteArray OldLog = "Error # 1\r\n----------\r\nthe good old log\r\n";

} // namespace

TEST_F(HeadlessSaves, FullDiskKeepsTheOldScriptAndExits2)
{
    TFullDisk disk;
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    for (const char* name : {"convert.sh", "convert.bat"}) {
        SCOPED_TRACE(name);
        const QString script = disk.FilePath(name);
        TestSupport::WriteFile(script, OldScript);
        ASSERT_TRUE(disk.Fill());
        const TestSupport::RunResult r = Run({"--script", script, "--out-dir", m_dir + "/out", m_input});
        EXPECT_EQ(r.exitCode, 2) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count("No space left on device"), 1) << r.err.constData();
        EXPECT_TRUE(r.err.contains(script.toUtf8())) << r.err.constData();
        EXPECT_EQ(TestSupport::ReadFile(script), OldScript);
        QFile::remove(disk.FilePath(".filler"));
    }
}

TEST_F(HeadlessSaves, FullDiskKeepsTheOldErrorLogAndExits2)
{
    TFullDisk disk;
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString log = disk.FilePath("errors.log");
    TestSupport::WriteFile(log, OldLog);
    ASSERT_TRUE(disk.Fill());
    // Two failing rows: the log is saved after each report and at the end, and the
    // failure is reported once.
    const QString b = m_dir + "/b.avi";
    QFile::copy(m_input, b);
    const TestSupport::RunResult r = Run({"--convert", "--set", "AdditionalParams=-nonsense-option", "--out-dir",
                                          m_dir + "/out", "--error-log", log, m_input, b});
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();
    EXPECT_EQ(r.out.count("Error (1)\t"), 2) << r.out.constData();
    EXPECT_EQ(r.err.count("cannot write the error log \"" + log.toUtf8() + "\": No space left on device\n"), 1)
        << r.err.constData();
    EXPECT_TRUE(r.err.contains("Error # 2\n")); // the reports still reach stderr
    EXPECT_EQ(TestSupport::ReadFile(log), OldLog);
}

TEST_F(HeadlessSaves, UnwritableDirectoryAsAnUnprivilegedUser)
{
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "setpriv not installed";
    // A directory of root's that others may read but not write, with files in it.
    const QString locked = m_dir + "/locked";
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::Permissions(0x7755));
    const QString script = TestSupport::WriteFile(locked + "/convert.sh", OldScript);
    const QString log = TestSupport::WriteFile(locked + "/errors.log", OldLog);
    const QStringList nobody{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};

    TestSupport::RunResult r = Run({"--script", script, "--out-dir", m_dir + "/out", m_input}, nobody);
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();
    EXPECT_TRUE(r.err.contains("Couldn't write the file \"" + script.toUtf8() + "\": ")) << r.err.constData();
    EXPECT_EQ(TestSupport::ReadFile(script), OldScript);

    r = Run({"--convert", "--set", "AdditionalParams=-nonsense-option", "--out-dir", m_dir + "/out", "--error-log",
             log, m_input},
            nobody);
    EXPECT_EQ(r.exitCode, 2) << r.err.constData();
    EXPECT_TRUE(r.err.contains("cannot write the error log \"" + log.toUtf8() + "\": ")) << r.err.constData();
    EXPECT_EQ(TestSupport::ReadFile(log), OldLog);
    // Nothing was left in the directory.
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"convert.sh", "errors.log"}));
}
