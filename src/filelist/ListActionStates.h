#pragma once

#include "filelist/GridInfo.h"

#include <QString>

// Which list actions are enabled for a given state of the list.
struct TListActionStates {
    bool SaveFileList = false;
    bool ClearFileList = false;
    bool InvertSelection = false;
    bool ShowHideFileInfo = false;
    bool RemoveChecked = false;
    bool Convert = false;
    bool SaveBat = false;
    bool CheckAll = false;
    bool UncheckAll = false;
    bool CheckSelected = false;
    bool UncheckSelected = false;
    bool ExploreDirectory = false;
    bool Preview = false;
};

// validRowSelected: the grid's current row is a valid row (for Explore directory).
TListActionStates ListActionStates(const TGridInfo& info, bool validRowSelected);

