#pragma once
// The fuzz targets. Each takes any bytes and must neither crash nor read or
// write outside its buffers; each also checks what must hold and aborts when
// it does not, so that the fuzzer reports it. The ordinary suite replays the
// saved corpus through the same functions.
#include <cstddef>
#include <cstdint>

// Byte 0 picks the expected reply length, byte 1 the number of pieces, byte
// 2 the gap between them; the rest is what the port receives.
int FuzzReply(const uint8_t *data, size_t size);
// Byte 0 picks a file length form (short, exact, long); the rest is tiled
// over the file.
int FuzzMapFile(const uint8_t *data, size_t size);
// Writes of 5 bytes each (bank and address in 3, the value in 2) into an
// empty image, then the whole listing under both protocols, and the listing
// imported back onto a cleared image.
int FuzzListing(const uint8_t *data, size_t size);
// The same writes, then the window shows every point.
int FuzzView(const uint8_t *data, size_t size);
// Byte 0 picks the protocol (bit 0: 350 points); the rest is a listing,
// imported onto an image with no cell 0: all or nothing, only the listed
// points' records and bitmaps change, and they read back as imported.
int FuzzImport(const uint8_t *data, size_t size);

// Bytes 0 and 1 pick the bank and block; the rest is a "39" reply, stored
// as an upload stores it.
int FuzzUploadBlock(const uint8_t *data, size_t size);

// Aborts with a message when a property does not hold, or tells the handler
// set with SetFuzzFailure (the corpus replay's, which fails the test).
void FuzzCheck(bool holds, const char *what);
using FuzzFailure = void (*)(const char *what);
void SetFuzzFailure(FuzzFailure handler);
