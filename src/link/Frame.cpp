#include "link/Frame.h"

#include "link/Hex.h"

#include <algorithm>
#include <cctype>

namespace modLumentorMGW {

int32_t DxStrToArray(const QByteArray &text, int16_t (&codes)[CodeTableSize])
{
    const int32_t length = int32_t(text.size());
    const int32_t stored = std::min(length, CodeTableSize);
    for (int32_t i = 0; i < stored; ++i)
        codes[i] = int16_t(static_cast<unsigned char>(text[i]));
    return length;
}

namespace {
inline unsigned step(unsigned s, unsigned code)
{
    if (s & 1)
        s += 256;
    s /= 2;
    return (s + code) % 256;
}

// Each code's low byte: a table entry's, or a character's.
template <typename Code>
uint8_t checksum(const Code *codes, int32_t count)
{
    unsigned s = 0xA5;
    for (int32_t i = 0; i < count; ++i)
        s = step(s, static_cast<uint8_t>(codes[i]));
    return uint8_t(s);
}
} // namespace

uint8_t FrameChecksum(const int16_t *codes, int32_t count)
{
    return checksum(codes, count);
}

uint8_t FrameChecksum(const char *text, int32_t length)
{
    return checksum(text, length);
}

QByteArray CommandFrame(const QByteArray &command)
{
    QByteArray frame;
    frame.reserve(command.size() + 6);
    frame.append("[??00").append(command).append(']');
    const QByteArray sum = Hex2(FrameChecksum(frame.constData() + 3, int32_t(frame.size() - 3))).toLatin1();
    frame[1] = sum[0];
    frame[2] = sum[1];
    return frame;
}

bool ReplyChecksumAgrees(const QByteArray &reply)
{
    int16_t codes[CodeTableSize];
    const int32_t count = DxStrToArray(reply, codes);
    if (count > CodeTableSize)
        return false;
    const int32_t received = count > 1 ? HexVal2(reply.constData() + 1, count - 1) : 0;
    const int32_t computed = count > 3 ? FrameChecksum(codes + 3, count - 3) : FrameChecksum(codes, 0);
    return received == computed;
}

bool ReplyFits(const QByteArray &reply, int32_t length)
{
    if (reply.size() != length || length < 4 || reply.front() != '[' || reply.back() != ']')
        return false;
    for (int32_t i = 1; i < length - 1; ++i) {
        const char c = reply.at(i);
        if (c == '[' || c == ']' || (i < 3 && !std::isxdigit(static_cast<unsigned char>(c))))
            return false;
    }
    return true;
}

} // namespace modLumentorMGW
