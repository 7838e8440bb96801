#pragma once
// The configuration image: 2 banks x 65536 cells, laid out as the gateway's
// memory. Cell (bank, address) is element bank + 2 * address, the order the
// map file keeps.
#include <cstdint>

namespace modLumentorMGW {

constexpr int32_t BankCount = 2;
constexpr int32_t BankSize = 65536;
constexpr int32_t CellCount = BankCount * BankSize;

extern int16_t ConfigImage[CellCount];
extern bool Dirty;

void ClearImage();

// Calls with a bank other than 0 or 1, an address outside 0..65535 or a bit
// outside 0..7 are refused: reads give 0 / false, writes change nothing
// (not even Dirty).
int16_t ImageGet(int16_t bank, int32_t address);
void ImageSet(int16_t bank, int32_t address, int16_t value);
bool ImageGetBit(int16_t bank, int32_t address, int16_t bit);
void ImageSetBit(int16_t bank, int32_t address, int16_t bit, bool state);

} // namespace modLumentorMGW
