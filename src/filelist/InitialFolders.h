#pragma once

#include <QString>

// The folders the list's file dialogs open in, kept beside the list.
struct TInitialFolders {
    QString AddFiles;
    QString AddFolder;
    QString SaveBat;
    QString LoadFileList;
    QString SaveFileList;

    // Every dialog starts in dir from now on.
    void UpdateAll(const QString& dir)
    {
        AddFiles = AddFolder = SaveBat = LoadFileList = SaveFileList = dir;
    }
};
