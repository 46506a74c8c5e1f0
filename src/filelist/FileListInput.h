#pragma once

#include <QString>
#include <QStringList>

class TFileListModel;

// What the command line's INPUT list gave.
struct TInputResult {
    int Accepted = 0;       // rows added
    QStringList Errors;     // list files that could not be read, refused inputs; one text each
};

// Adds the command line's inputs in their order, each by the list's own rules: a list
// file ("lst") is loaded, each name in it that does not exist reported as a missing input
// is; a folder is added as the add-folder action adds it; a FIFO, socket or device (also
// behind a link) is refused with an error; any other file is a named file for AddToList,
// whatever its extension. Stops early when the model's add-stop check says so. Ends with
// the rows numbered and the footer computed.
TInputResult AddInputPaths(TFileListModel& model, const QStringList& inputs);
