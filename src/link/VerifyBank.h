#pragma once
// The end of every transfer: the gateway's checksum of a whole bank against
// the image's.
#include <cstdint>

namespace modLumentorMGW {

// 0 when the checksums agree; 52 when the "3F" command fails; 61/62 (bank 0)
// or 63/64 (bank 1) when the upper/lower halves differ.
int16_t VerifyBank(int16_t bank);

// Shown for every bank 0 cell above 255 while the image's checksum is
// computed: value, " A:", address (e.g. "300 A:4096").
void ReportOversizedCell(int32_t address, int16_t value);

} // namespace modLumentorMGW
