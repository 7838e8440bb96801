#pragma once
// Told of every cell ImageSet changes, so that the window can keep a
// history of edits and follow the map live without any editing routine
// knowing about either. Whole-image loads (map file, upload, clear) bypass
// ImageSet and are not reported; their commands tell the window themselves.
#include <cstdint>

namespace modLumentorMGW {

class CellObserver
{
public:
    virtual ~CellObserver() = default;
    // After the cell holds `after`, never equal to `before`.
    virtual void CellWritten(int16_t bank, int32_t address, int16_t before, int16_t after) = 0;
};

void AddCellObserver(CellObserver *observer);
void RemoveCellObserver(CellObserver *observer);
void NotifyCellWritten(int16_t bank, int32_t address, int16_t before, int16_t after);

} // namespace modLumentorMGW
