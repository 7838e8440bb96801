#pragma once
// Download and upload of the whole image, 2048 blocks of 64 cells, bank 0
// first, then the checksum of each bank. Every outcome is told to the
// operator inside; the caller closes the port afterwards.
#include "link/TransferPanel.h"

#include <cstdint>

namespace modLumentorMGW {

// Set by the Cancel button; each transfer clears it at its start and
// looks at it once before each block.
extern bool CancelRequested;

// Writes every block that holds a nonzero cell; the image is only read.
void DownloadImage(int16_t port, TransferPanel &panel);

// Reads every block into the image; on cancel or failure the image is
// cleared once the operator has seen why.
void UploadImage(int16_t port, TransferPanel &panel);

} // namespace modLumentorMGW
