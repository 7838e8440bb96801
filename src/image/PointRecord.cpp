#include "image/PointRecord.h"

#include "image/ConfigImage.h"

namespace modLumentorMGW {

namespace {
// A point record is four cells of bank 0 from 4p; 32-bit so that no p wraps.
inline int32_t recordCell(int16_t p, int k) { return 4 * int32_t(p) + k; }

struct BitPlace {
    int16_t bank;
    int32_t address;
    int16_t bit;
};

inline bool bitPlace(int32_t p, int16_t n, int16_t r, BitPlace &at)
{
    if (p < 0 || p >= MultiRelayPoints || n < 0 || n >= BitmapNodeSlots || r < 0 || r >= RelaysPerNode)
        return false;
    const int32_t offset = n * 8 + r / 8;
    if (p < Bank1BitmapPoints)
        at = {1, p * BitmapCellsPerPoint + offset, int16_t(r % 8)};
    else
        at = {0, (p - Bank1BitmapPoints) * BitmapCellsPerPoint + offset + Bank0BitmapStart, int16_t(r % 8)};
    return true;
}
} // namespace

int16_t GetPointType(int16_t p) { return ImageGet(0, recordCell(p, 0)); }
void SetPointType(int16_t p, int16_t value) { ImageSet(0, recordCell(p, 0), value); }
int16_t GetPointNode(int16_t p) { return ImageGet(0, recordCell(p, 1)); }
void SetPointNode(int16_t p, int16_t value) { ImageSet(0, recordCell(p, 1), value); }
int16_t GetPointRelay(int16_t p) { return ImageGet(0, recordCell(p, 2)); }
void SetPointRelay(int16_t p, int16_t value) { ImageSet(0, recordCell(p, 2), value); }
int16_t GetPointNumber(int16_t p) { return ImageGet(0, recordCell(p, 3)); }
void SetPointNumber(int16_t p, int16_t value) { ImageSet(0, recordCell(p, 3), value); }

bool GetRelayBit(int32_t p, int16_t n, int16_t r)
{
    BitPlace at{};
    return bitPlace(p, n, r, at) && ImageGetBit(at.bank, at.address, at.bit);
}

int16_t GetRelayCell(int32_t p, int16_t n, int16_t r)
{
    BitPlace at{};
    return bitPlace(p, n, r, at) ? ImageGet(at.bank, at.address) : int16_t(0);
}

void SetRelayCell(int32_t p, int16_t n, int16_t r, int16_t value)
{
    BitPlace at{};
    if (bitPlace(p, n, r, at))
        ImageSet(at.bank, at.address, value);
}

void SetRelayBit(int32_t p, int16_t n, int16_t r, bool state)
{
    BitPlace at{};
    if (bitPlace(p, n, r, at))
        ImageSetBit(at.bank, at.address, at.bit, state);
}

int16_t GetResendFlag() { return ImageGet(0, ResendFlagAddress); }
void SetResendFlag(int16_t value) { ImageSet(0, ResendFlagAddress, value); }
int16_t GetTimeoutCode() { return ImageGet(0, TimeoutCodeAddress); }
void SetTimeoutCode(int16_t value) { ImageSet(0, TimeoutCodeAddress, value); }

} // namespace modLumentorMGW
