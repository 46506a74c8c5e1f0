#include "filelist/ListActionStates.h"

#include <QCoreApplication>

TListActionStates ListActionStates(const TGridInfo& info, bool validRowSelected)
{
    const bool anyRow = info.RowCount > 0;
    const bool anyChecked = info.CheckedCount > 0;
    TListActionStates s;
    s.SaveFileList = anyRow;
    s.ClearFileList = anyRow;
    s.InvertSelection = anyRow;
    s.ShowHideFileInfo = anyRow;
    s.RemoveChecked = anyChecked;
    s.Convert = anyChecked;
    s.SaveBat = anyChecked;
    s.CheckAll = anyRow && info.CheckedCount < info.RowCount;
    s.UncheckAll = anyRow && info.UncheckedCount < info.RowCount;
    s.CheckSelected = info.SelectedUncheckedCount > 0;
    s.UncheckSelected = info.SelectedCheckedCount > 0;
    s.ExploreDirectory = validRowSelected;
    s.Preview = validRowSelected;
    return s;
}

