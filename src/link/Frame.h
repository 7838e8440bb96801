#pragma once
// Command and reply frames: "[" + two checksum digits + the checksummed
// rest. A command's rest is "00" + command + "]"; a reply's is payload + "]".
#include <QByteArray>
#include <cstdint>

namespace modLumentorMGW {

// The working table of character codes a reply is judged from.
constexpr int32_t CodeTableSize = 401;

// Puts the 8-bit code of each character of text into codes from index 0, as
// far as the table reaches, and returns the text's length (which can exceed
// the table: the caller must then not trust the table for the rest).
int32_t DxStrToArray(const QByteArray &text, int16_t (&codes)[CodeTableSize]);

// The 8-bit frame checksum: A5, then for each code rotate right one bit and
// add the code.
uint8_t FrameChecksum(const int16_t *codes, int32_t count);
uint8_t FrameChecksum(const char *text, int32_t length);

// "[" + Hex2(checksum) + "00" + command + "]".
QByteArray CommandFrame(const QByteArray &command);

// True when the digits at characters 2..3 equal the checksum of characters
// 4 onwards. Never reads outside the reply. A reply longer than the code
// table is refused outright rather than judged on part of it.
bool ReplyChecksumAgrees(const QByteArray &reply);

// True when reply has the form of a reply of length characters: exactly
// that long, "[" first and "]" last with no bracket between, the checksum
// digits hexadecimal. Two replies run together, or one cut short, never fit.
bool ReplyFits(const QByteArray &reply, int32_t length);

} // namespace modLumentorMGW
