#include "filelist/FileListInput.h"

#include "filelist/FileListModel.h"
#include "filelist/FileListRules.h"

#include <QFileInfo>

TInputResult AddInputPaths(TFileListModel& model, const QStringList& inputs)
{
    TInputResult result;
    const int before = model.rowCount();
    for (const QString& input : inputs) {
        if (input.isEmpty())
            continue;
        if (IsFileListFile(input) && !QFileInfo(input).isDir()) {
            QString error;
            if (!model.LoadFileList(input, nullptr, &error))
                result.Errors.append(error.isEmpty() ? QStringLiteral("Cannot read the file list: ") + input : error);
        } else if (QFileInfo(input).isDir()) {
            model.AddFolder(input, true);
        } else {
            model.AddToList(input, true);
        }
    }
    model.RenumNg();
    model.CalcFooter();
    result.Accepted = model.rowCount() - before;
    return result;
}
