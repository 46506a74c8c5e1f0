#include "filelist/FileListInput.h"

#include "filelist/FileListModel.h"
#include "filelist/FileListRules.h"
#include "lib/Files.h"

#include <QFileInfo>

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
            result.Errors.append(QStringLiteral("not a regular file (a pipe, socket or device), left out: ") + input);
        } else if (IsFileListFile(input) && kind != TPathKind::Directory) {
            QString error;
            if (!model.LoadFileList(input, nullptr, &error))
                result.Errors.append(error.isEmpty() ? QStringLiteral("Cannot read the file list: ") + input : error);
        } else if (kind == TPathKind::Directory) {
            model.AddFolder(input, true);
        } else if (kind == TPathKind::Missing) {
            result.Errors.append(QStringLiteral("no such file, left out: ") + input);
        } else {
            model.AddToList(input, true);
        }
    }
    for (const QString& name : model.TakeUnnamedFiles())
        result.Errors.append(QStringLiteral("a file name that is not valid UTF-8 cannot be handled, left out: ") + name);
    model.RenumNg();
    model.CalcFooter();
    result.Accepted = model.rowCount() - before;
    return result;
}
