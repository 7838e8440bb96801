#pragma once
// The steps download and upload share: the block walk, the progress and
// the closing bank verification.
#include "link/TransferPanel.h"

#include <QByteArray>
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

// Stores a "39" reply as the block of bank from address first: cell j from
// characters 4 + 2j and 5 + 2j; a pair that is not hex stores what HexVal2
// makes of it, a missing one 0. Written straight into the image: an upload
// does not mark it changed.
void StoreBlock(int16_t bank, int32_t first, const QByteArray &reply);

// Both banks in turn; 0, or the first failing bank's code.
int16_t VerifyBanks(TransferPanel &panel);

} // namespace modLumentorMGW::transfer
