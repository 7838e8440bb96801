#pragma once
// Download and upload of the whole image, 2048 blocks of 64 cells, bank 0
// first, then the checksum of each bank. Every outcome is told to the
// operator inside and also returned, for a caller that acts on it (mgw's
// exit status); the caller closes the port afterwards.
#include "link/TransferPanel.h"

#include <cstdint>

namespace modLumentorMGW {

// Set by the Cancel button; each transfer clears it at its start and
// looks at it once before each block.
extern bool CancelRequested;

// Outcomes besides the error codes (4, 21 to 24, 52, 61 to 64, 71).
constexpr int16_t TransferComplete = 0;
constexpr int16_t TransferCancelled = -1;
constexpr int16_t PortNotOpened = -2;

// Writes every block that holds a nonzero cell; the image is only read.
// From block `from` on (transfer order, ResumePoint.h) without the prepare
// commands when it is 0 or more.
int16_t DownloadImage(int16_t port, TransferPanel &panel, int16_t from = -1);

// Reads every block into the image; on cancel or failure the image is
// cleared once the operator has seen why, in a message whose last line is
// leftBehind (empty: "All Host Data Cleared.", true of the window; mgw's
// file is what it keeps).
int16_t UploadImage(int16_t port, TransferPanel &panel, const QString &leftBehind = QString());

} // namespace modLumentorMGW
