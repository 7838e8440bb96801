#include "FuzzTargets.h"

#include "image/ConfigImage.h"
#include "link/TransferSteps.h"

#include <QByteArray>
#include <cctype>
#include <cstring>

using namespace modLumentorMGW;

namespace {
// The hex digits from `at` up to two, reading stopping at the first that is
// not one or at the reply's end.
int DigitPair(const QByteArray &reply, int at)
{
    int value = 0;
    for (int k = at; k < at + 2 && k < reply.size(); ++k) {
        const char c = reply[k];
        const char *digits = "0123456789ABCDEF";
        const char *d = c ? std::strchr(digits, std::toupper(static_cast<unsigned char>(c))) : nullptr;
        if (!d)
            break;
        value = 16 * value + int(d - digits);
    }
    return value;
}
} // namespace

int FuzzUploadBlock(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // Byte 0 picks the bank and block; the rest is the reply as received.
    const int16_t bank = int16_t(data[0] & 1);
    const int32_t first = 64 * ((data[0] >> 1) * 8 + (data[1] & 7)) % 65536;
    const QByteArray reply(reinterpret_cast<const char *>(data + 2), int(size - 2));
    static int16_t before[CellCount];
    for (int i = 0; i < CellCount; i += 97)
        ConfigImage[i] = int16_t(i);
    std::copy(ConfigImage, ConfigImage + CellCount, before);
    Dirty = false;

    transfer::StoreBlock(bank, first, reply);

    FuzzCheck(!Dirty, "storing a block does not mark the image changed");
    for (int i = 0; i < CellCount; ++i) {
        const int b = i % 2, a = i / 2;
        if (b == bank && a >= first && a < first + 64)
            FuzzCheck(ConfigImage[i] == DigitPair(reply, 3 + 2 * (a - first)), "a stored cell is its reply's digit pair");
        else
            FuzzCheck(ConfigImage[i] == before[i], "cells outside the block stay");
    }
    return 0;
}
