#pragma once
// The steps download and upload share: the block walk, the progress and
// the closing bank verification.
#include "link/TransferPanel.h"

#include <cstdint>

namespace modLumentorMGW::transfer {

constexpr int16_t BlocksPerBank = 1024;
constexpr int16_t BlockCells = 64;
constexpr int16_t TotalBlocks = 2 * BlocksPerBank;

// Lets the window run once; true when Cancel has been asked for.
bool CancelBeforeBlock(TransferPanel &panel);

// Counts one block handled, sent or not; every 16th shows on the panel as
// verb + " Block " + count + " Of 2048".
void CountBlock(TransferPanel &panel, int16_t &counter, const QString &verb);

// Both banks in turn; 0, or the first failing bank's code.
int16_t VerifyBanks(TransferPanel &panel);

} // namespace modLumentorMGW::transfer
