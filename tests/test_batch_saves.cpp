// Every file the program saves, on a full disk and in a directory it may not write:
// the save fails, says why, and the old file keeps its bytes.

#include "base/AppParams.h"
#include "batch/BatchScript.h"
#include "runner/ErrorLog.h"
#include "encoding/EncodingSettings.h"
#include "filelist/FileListModel.h"
#include "lib/TextFile.h"
#include "settings/AppSettings.h"
#include "settings/Profile.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {


struct Writer {
    const char* name;
    QString file;
    std::function<TResult(const QString& path)> save;
};

QList<Writer> EveryWriter(TFileListModel& list)
{
    static TErrorLog log;
    if (log.Lines().isEmpty())
        log.AddErrorReport(S("the encoder said no"), S("/in/a.mkv"), S("/out/a.avi"), 1);
    auto script = std::make_shared<TBatchScript>();
    script->Begin(S("/usr/bin/mencoder"), false, S("%TEMP%\\vexa.log"));
    TScriptFileBlock block;
    block.FileNo = 1;
    block.Input = S("/in/a.mkv");
    block.Output = S("/out/a.avi");
    block.VCodec = UserOptionsPiece(S("-ovc lavc"));
    block.VParams = UserOptionsPiece(S("-lavcopts vcodec=mpeg4"));
    script->AddFile(block);
    TFileListRow row;
    row.FileName = S("a.mkv");
    row.Directory = S("/in");
    list.AddRow(row);
    return {
        {"error log", S("errors.log"), [](const QString& p) { return log.SaveToFile(p); }},
        {".bat", S("batch.bat"), [script](const QString& p) { return script->Save(p); }},
        {".sh", S("batch.sh"), [script](const QString& p) { return script->Save(p); }},
        {"list file", S("files.lst"), [&list](const QString& p) { return list.SaveFileList(p); }},
        {"settings", S("vexaconv.ini"), [](const QString& p) { return TAppSettings().SaveToFile(p); }},
        {"profile", S("p.ini"), [](const QString& p) { return Profile::SaveProfile(p, EncodingSettings()); }},
        {"report", S("clip_info.txt"),
         [](const QString& p) { return TextFile::WriteText(p, S("report\r\n"), TTextEncoding::Utf8); }},
    };
}

QByteArray OldBytes(const Writer& w) { return QByteArray("[OLD]\r\nkept=") + w.name + "\r\n"; }

} // namespace

TEST(Saves, AFullDiskKeepsEveryOldFileAndSaysWhy)
{
    TFullDisk disk;
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    TFileListModel list(AppParams());
    const QList<Writer> writers = EveryWriter(list);
    for (const Writer& w : writers)
        TestSupport::WriteFile(disk.FilePath(w.file), OldBytes(w));
    ASSERT_TRUE(disk.Fill());

    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        const TResult saved = w.save(disk.FilePath(w.file));
        EXPECT_FALSE(saved.ok());
        EXPECT_TRUE(saved.error().contains(S("No space left on device"))) << saved.error().toStdString();
        EXPECT_EQ(TestSupport::ReadFile(disk.FilePath(w.file)), OldBytes(w));
    }
    // No half-written temporary file is left behind.
    QStringList expected{S(".filler")};
    for (const Writer& w : writers)
        expected << w.file;
    expected.sort();
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

    // With room again every save goes through (the failure above was the disk's).
    ASSERT_TRUE(QFile::remove(disk.FilePath(S(".filler"))));
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        const TResult saved = w.save(disk.FilePath(w.file));
        EXPECT_TRUE(saved.ok()) << saved.error().toStdString();
        EXPECT_NE(TestSupport::ReadFile(disk.FilePath(w.file)), OldBytes(w));
    }
    EXPECT_TRUE(QFileInfo(disk.FilePath(S("batch.sh"))).isExecutable());
}

TEST(Saves, MissingDirectoryFailsWithoutCreatingAnything)
{
    QTemporaryDir tmp;
    TFileListModel list(AppParams());
    for (const Writer& w : EveryWriter(list)) {
        SCOPED_TRACE(w.name);
        const TResult saved = w.save(tmp.filePath(S("no/such/dir/") + w.file));
        EXPECT_FALSE(saved.ok());
        EXPECT_FALSE(saved.error().isEmpty());
    }
    EXPECT_TRUE(QDir(tmp.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}
