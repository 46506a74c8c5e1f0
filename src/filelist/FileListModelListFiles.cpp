// List files: the full names of a list's rows, one a line, read back as rows.
#include "filelist/FileListModel.h"

#include "lib/Files.h"
#include "lib/TextFile.h"

#include <QDir>
#include <QFileInfo>

TResultOf<int> TFileListModel::LoadFileList(const QString& lstFile, QStringList* missing)
{
    QStringList lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    if (TResult read = TextFile::ReadLines(lstFile, lines, encoding); !read.ok())
        return read;
    int count = 0;
    // A relative entry names a file beside the list, wherever the program was started.
    const QDir listDir = QFileInfo(lstFile).absoluteDir();
    for (const QString& line : lines) {
        if (AddStopped())
            break;
        const qsizetype slash = line.lastIndexOf(QLatin1Char('/'));
        QString dir = StripDirEnd(line.left(slash + 1));
        if (!dir.isEmpty())
            dir += QLatin1Char('/');
        const QString name = listDir.absoluteFilePath(dir + line.mid(slash + 1));
        if (AddToList(name, true))
            ++count;
        else if (missing && !line.trimmed().isEmpty() && PathKind(ExpandListFileName(name)) == TPathKind::Missing)
            missing->append(line);
    }
    return count;
}

TResult TFileListModel::SaveFileList(const QString& fileName) const
{
    QString text;
    for (const TFileListRow& r : m_rows)
        text += r.FullName() + QStringLiteral("\r\n");
    return TextFile::WriteText(fileName, text, TTextEncoding::Utf8);
}
