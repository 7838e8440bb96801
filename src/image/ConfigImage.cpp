#include "image/ConfigImage.h"

#include "image/CellObserver.h"

#include <cstring>

namespace modLumentorMGW {

int16_t ConfigImage[CellCount] = {};
bool Dirty = false;

namespace {
inline bool validCell(int16_t bank, int32_t address)
{
    return (bank == 0 || bank == 1) && address >= 0 && address < BankSize;
}
inline bool validBit(int16_t bit) { return bit >= 0 && bit <= 7; }
} // namespace

void ClearImage()
{
    std::memset(ConfigImage, 0, sizeof ConfigImage);
    Dirty = false;
}

int16_t ImageGet(int16_t bank, int32_t address)
{
    if (!validCell(bank, address))
        return 0;
    return ConfigImage[bank + 2 * address];
}

void ImageSet(int16_t bank, int32_t address, int16_t value)
{
    if (!validCell(bank, address))
        return;
    int16_t &cell = ConfigImage[bank + 2 * address];
    const int16_t before = cell;
    cell = value;
    Dirty = true;
    if (before != value)
        NotifyCellWritten(bank, address, before, value);
}

bool ImageGetBit(int16_t bank, int32_t address, int16_t bit)
{
    if (!validCell(bank, address) || !validBit(bit))
        return false;
    const int mask = 1 << bit;
    return (ImageGet(bank, address) & mask) > 0;
}

void ImageSetBit(int16_t bank, int32_t address, int16_t bit, bool state)
{
    if (!validCell(bank, address) || !validBit(bit))
        return;
    const int mask = 1 << bit;
    const int cell = ImageGet(bank, address);
    // Clearing masks with the low byte only, so a stray high bit goes too.
    const int value = state ? (cell | mask) : (cell & (mask ^ 255));
    ImageSet(bank, address, static_cast<int16_t>(value));
}

} // namespace modLumentorMGW
