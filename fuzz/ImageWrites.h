#pragma once
// Turns fuzz input into writes over an empty image: 5 bytes a write, bank in
// the top bit of the first, the address in the 16 bits after it, then the
// value, little-endian. Any cell can take any 16-bit value.
#include "image/ConfigImage.h"

#include <cstddef>
#include <cstdint>

inline void ApplyImageWrites(const uint8_t *data, size_t size)
{
    modLumentorMGW::ClearImage();
    for (size_t i = 0; i + 5 <= size; i += 5) {
        const int16_t bank = int16_t(data[i] >> 7);
        const int32_t address = (int32_t(data[i + 1]) << 8) | data[i + 2];
        const int16_t value = int16_t(uint16_t(data[i + 3] | (data[i + 4] << 8)));
        modLumentorMGW::ConfigImage[bank + 2 * address] = value;
    }
}
