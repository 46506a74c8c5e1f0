#include "filelist/FileListInput.h"

#include "filelist/FileListModel.h"
#include "filelist/FileListRules.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// One message for a missing file, whether named on the command line or in a list file.
QString MissingFileText(const QString& path)
{
    return QCoreApplication::translate("FileList", "no such file, left out: %1").arg(path);
}

} // namespace

TInputResult AddInputPaths(TFileListModel& model, const QStringList& inputs)
{
    TInputResult result;
    const int before = model.rowCount();
    for (const QString& input : inputs) {
        if (model.AddStopped())
            break;
        if (input.isEmpty())
            continue;
        const TPathKind kind = PathKind(input);
        if (kind == TPathKind::Special) {
            // A FIFO, socket or device is never opened: reading it blocks or never ends.
            result.Errors.append(
                QCoreApplication::translate("FileList", "not a regular file (a pipe, socket or device), left out: %1")
                    .arg(input));
        } else if (IsFileListFile(input) && kind != TPathKind::Directory) {
            QStringList missing;
            if (const TResultOf<int> loaded = model.LoadFileList(input, &missing); !loaded.ok())
                result.Errors.append(loaded.error().isEmpty()
                                         ? QCoreApplication::translate("FileList", "Cannot read the file list: %1").arg(input)
                                         : loaded.error());
            for (const QString& name : missing)
                result.Errors.append(MissingFileText(name));
        } else if (kind == TPathKind::Directory) {
            model.AddFolder(input, true);
        } else if (kind == TPathKind::Missing) {
            result.Errors.append(MissingFileText(input));
        } else {
            model.AddToList(input, true);
        }
    }
    model.Renumber();
    model.CalcFooter();
    result.Accepted = model.rowCount() - before;
    return result;
}
