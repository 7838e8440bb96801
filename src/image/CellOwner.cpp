#include "image/CellOwner.h"

namespace modLumentorMGW {

namespace {
constexpr int32_t RecordCells = 4 * 750;
constexpr int32_t BitmapCells = 2048;        // one point's 256 node slots of 8 cells
constexpr int32_t Bank0Bitmaps = 28672;      // points 033 to 050 from here in bank 0

CellOwner bitmapOwner(int32_t firstPoint, int32_t offset)
{
    CellOwner owner;
    owner.point = int16_t(firstPoint + offset / BitmapCells);
    owner.node = int16_t((offset % BitmapCells) / 8);
    return owner;
}
} // namespace

CellOwner OwnerOfCell(int16_t bank, int32_t address)
{
    if (address < 0 || address > 65535)
        return {};
    if (bank == 1)
        return bitmapOwner(0, address);
    if (bank != 0)
        return {};
    if (address < RecordCells)
        return {int16_t(address / 4), int16_t(address % 4), -1};
    if (address >= Bank0Bitmaps)
        return bitmapOwner(32, address - Bank0Bitmaps);
    return {};
}

} // namespace modLumentorMGW
