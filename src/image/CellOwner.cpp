#include "image/CellOwner.h"

#include "image/PointRecord.h"

namespace modLumentorMGW {

namespace {
constexpr int32_t RecordCells = 4 * 750;

CellOwner bitmapOwner(int32_t firstPoint, int32_t offset)
{
    CellOwner owner;
    owner.point = int16_t(firstPoint + offset / BitmapCellsPerPoint);
    owner.node = int16_t((offset % BitmapCellsPerPoint) / 8);
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
    if (address >= Bank0BitmapStart)
        return bitmapOwner(Bank1BitmapPoints, address - Bank0BitmapStart);
    return {};
}

} // namespace modLumentorMGW
