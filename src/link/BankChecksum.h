#pragma once
// The 32-bit checksum the gateway keeps over a bank: one right shift per
// cell with the polynomial EFF5A001, starting from FFFFFFFF, no final
// inversion. Upper half = bits 31..16, as the gateway reports it first.
#include <cstdint>
#include <functional>

namespace modLumentorMGW {

// Told of every cell above 255 as it is met, before the sum goes on.
using OversizedCellReport = std::function<void(int32_t address, int16_t value)>;

uint32_t BankChecksumStep(uint32_t sum, uint32_t value);

// Over the 65536 cells of one bank of the image, in address order. A value
// above 255 enters whole; a negative one as its 16-bit pattern.
uint32_t BankChecksum(int16_t bank, const OversizedCellReport &report = {});

} // namespace modLumentorMGW
