#pragma once
// Which point a cell belongs to: the inverse of the record and relay bitmap
// layout, for telling the operator what an edit of a cell touched.
#include <cstdint>

namespace modLumentorMGW {

struct CellOwner {
    int16_t point = -1;   // point index, -1 for a setting or an unused cell
    int16_t field = -1;   // record cell 0..3, or -1 for a bitmap cell
    int16_t node = -1;    // node slot of a bitmap cell, else -1
};

CellOwner OwnerOfCell(int16_t bank, int32_t address);

} // namespace modLumentorMGW
