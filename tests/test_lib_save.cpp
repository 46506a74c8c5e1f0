// The one checked save every file of the program goes through.

#include "lib/TextFile.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {


int Mode(const QString& path) { return int(QFileInfo(path).permissions()); }

mode_t CurrentUmask()
{
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
}

} // namespace

TEST(LibSave, FullDiskFailsBeforeTheOldFileIsReplaced)
{
    TFullDisk disk;
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString path = TestSupport::WriteFile(disk.FilePath(S("keep.ini")), "[MAIN]\r\nLeft=10\r\n");
    ASSERT_TRUE(disk.Fill());

    // Small saves stay in the write buffer until the flush; large ones fail in write().
    for (const qsizetype size : {qsizetype(10), qsizetype(100000)}) {
        SCOPED_TRACE(size);
        const TResult saved = TextFile::SaveBytes(path, QByteArray(size, 'x'));
        EXPECT_FALSE(saved.ok());
        EXPECT_EQ(saved.error(), S("No space left on device"));
        EXPECT_EQ(TestSupport::ReadFile(path), QByteArray("[MAIN]\r\nLeft=10\r\n"));
    }
    // An empty file needs no room: that save is no failure.
    EXPECT_TRUE(TextFile::SaveBytes(disk.FilePath(S("empty")), QByteArray()));
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{S(".filler"), S("empty"), S("keep.ini")}));
}

TEST(LibSave, PermissionsOfNewAndReplacedFiles)
{
    QTemporaryDir tmp;
    const int open = 0777 & ~int(CurrentUmask());
    // A new file gets what the user's umask allows, a script the execute bits too.
    const QString plain = tmp.filePath(S("plain.txt"));
    ASSERT_TRUE(TextFile::SaveBytes(plain, "a"));
    EXPECT_EQ(QFileInfo(plain).permissions() & QFileDevice::ExeOwner, 0);
    const QString script = tmp.filePath(S("run.sh"));
    ASSERT_TRUE(TextFile::SaveBytes(script, "b", true));
    struct stat st = {};
    ASSERT_EQ(::stat(QFile::encodeName(script).constData(), &st), 0);
    EXPECT_EQ(int(st.st_mode & 0777), open);

    // A private file stays private when it is replaced.
    ASSERT_TRUE(QFile::setPermissions(plain, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const int before = Mode(plain);
    ASSERT_TRUE(TextFile::SaveBytes(plain, "c"));
    EXPECT_EQ(Mode(plain), before);
    EXPECT_EQ(TestSupport::ReadFile(plain), QByteArray("c"));
}

TEST(LibSave, SaveThroughALinkReplacesTheTarget)
{
    QTemporaryDir tmp;
    const QString target = TestSupport::WriteFile(tmp.filePath(S("real.ini")), "old");
    const QString link = tmp.filePath(S("link.ini"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(TextFile::SaveBytes(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TestSupport::ReadFile(target), QByteArray("new"));
}
