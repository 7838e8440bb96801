#include "link/BankChecksum.h"

#include "image/ConfigImage.h"

namespace modLumentorMGW {

uint32_t BankChecksumStep(uint32_t sum, uint32_t value)
{
    sum ^= value;
    const bool carry = sum & 1u;
    sum >>= 1;
    return carry ? sum ^ 0xEFF5A001u : sum;
}

uint32_t BankChecksum(int16_t bank, const OversizedCellReport &report)
{
    uint32_t sum = 0xFFFFFFFFu;
    if (bank < 0 || bank >= BankCount)
        return sum;
    for (int32_t address = 0; address < BankSize; ++address) {
        const int16_t value = ConfigImage[bank + 2 * address];
        if (value > 255 && report)
            report(address, value);
        sum = BankChecksumStep(sum, uint16_t(value));
    }
    return sum;
}

} // namespace modLumentorMGW
