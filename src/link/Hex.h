#pragma once
// Hexadecimal text helpers shared by the frames, the lists and the listing.
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

// The upper-case digit of value's low four bits: 0x2C -> 'C'. Inline, as
// a block's command is written a digit at a time.
inline char HexDigitOf(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

QString Hex2(int16_t value);   // low byte, two upper-case digits: 300 -> "2C"
QString Hex4(int32_t value);   // low 16 bits, four digits: 65472 -> "FFC0"

// Value of the leading hex digits of the first two (four) characters; stops
// at the first non-digit; no digit gives 0. Never negative.
int32_t HexVal2(const QString &text);
int32_t HexVal4(const QString &text);
// The same over the first length characters of raw 8-bit text.
int32_t HexVal2(const char *text, int length);
int32_t HexVal4(const char *text, int length);

// One hex digit's value, either case; -1 for any other character.
int HexDigit(int c);

} // namespace modLumentorMGW
