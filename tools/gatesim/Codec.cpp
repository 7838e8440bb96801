#include "gatesim/Codec.h"

namespace gatesim {

uint8_t FrameSum(const std::string &text)
{
    uint8_t sum = 0xA5;
    for (unsigned char c : text) {
        sum = static_cast<uint8_t>((sum >> 1) | (sum << 7));
        sum = static_cast<uint8_t>(sum + c);
    }
    return sum;
}

std::string HexDigits(uint32_t value, int width)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out(static_cast<size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = digits[value & 0xF];
    return out;
}

bool ParseHex(const std::string &text, size_t pos, int width, uint32_t *value)
{
    if (pos + static_cast<size_t>(width) > text.size())
        return false;
    uint32_t v = 0;
    for (int i = 0; i < width; ++i) {
        const char c = text[pos + static_cast<size_t>(i)];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    *value = v;
    return true;
}

std::string ReplyFrame(const std::string &payload)
{
    const std::string tail = payload + "]";
    return "[" + HexDigits(FrameSum(tail), 2) + tail;
}

std::string CommandFrame(const std::string &command)
{
    const std::string tail = "00" + command + "]";
    return "[" + HexDigits(FrameSum(tail), 2) + tail;
}

bool ParseCommandFrame(const std::string &frame, std::string *command)
{
    // Shortest frame: "[" ss "00" "]".
    if (frame.size() < 6 || frame.front() != '[' || frame.back() != ']')
        return false;
    uint32_t sent = 0;
    if (!ParseHex(frame, 1, 2, &sent) || frame.compare(3, 2, "00") != 0)
        return false;
    if (FrameSum(frame.substr(3)) != sent)
        return false;
    *command = frame.substr(5, frame.size() - 6);
    return true;
}

uint32_t RangeSum(const uint8_t *cells, int first, int last)
{
    uint32_t upper = 0xFFFF, lower = 0xFFFF;
    for (int a = first; a <= last; ++a) {
        lower ^= cells[a];
        const bool carry = lower & 1;
        if (upper & 1)
            lower += 0x10000;
        lower >>= 1;
        upper >>= 1;
        if (carry) {
            lower ^= 0xA001;
            upper ^= 0xEFF5;
        }
    }
    return (upper << 16) | lower;
}

} // namespace gatesim
