#pragma once

#include <cstdint>

// Counts over the file list's rows that drive the enabling of the list actions.
struct TGridInfo {
    int32_t RowCount = 0;
    int32_t CheckedCount = 0;
    int32_t UncheckedCount = 0;
    int32_t SelectedCount = 0;
    int32_t SelectedCheckedCount = 0;
    int32_t SelectedUncheckedCount = 0;
};
