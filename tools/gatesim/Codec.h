#pragma once
// The gateway's side of the framing: command frames in, reply frames out,
// and the range checksum of the "3F" command. Plain C++, so that it shares
// nothing with the program it answers.
#include <cstdint>
#include <string>

namespace gatesim {

// 8-bit frame sum: start at A5, rotate right one bit, add the character.
uint8_t FrameSum(const std::string &text);

// "[" + two sum digits over payload + "]" + payload + "]".
std::string ReplyFrame(const std::string &payload);

// Checks "[" ss "00" command "]" with ss the sum of everything after it;
// on success *command holds the command text.
bool ParseCommandFrame(const std::string &frame, std::string *command);

// The same layout built the gateway's way, for checking worked examples.
std::string CommandFrame(const std::string &command);

// 32-bit range checksum kept as two 16-bit halves, the way the gateway
// reports it: upper half in bits 31..16.
uint32_t RangeSum(const uint8_t *cells, int first, int last);

// Upper-case hex digits of the low 4*width bits.
std::string HexDigits(uint32_t value, int width);

// Value of width hex digits at pos; false when any is missing or not hex.
bool ParseHex(const std::string &text, size_t pos, int width, uint32_t *value);

} // namespace gatesim
