#pragma once
// A fault the simulator puts into its next replies, armed by a test.
#include <cstdint>
#include <string>

namespace gatesim {

enum class FaultKind {
    Silence,      // no reply at all
    Late,         // the reply, delayMs after the command
    BadChecksum,  // sum digits replaced by text, or by the true sum xor FF
    Short,        // only the first length characters (0: one fewer than due)
    Trailing,     // text (default "00") after the reply
    Overlong,     // padded to length characters (0: 450), sum still right
    Split,        // in pieces with gapMs between them
    WrongBankSum, // "3F" only: the checksum xor xorMask, frame still right
    ChangedCell,  // "39" only: cell offset `cell` of the block reads delta more
    Vanish,       // no reply; the pseudo-terminal is closed instead (back after returnMs)
    Replace,      // text instead of the reply, in pieces with gapMs between them
};

struct Fault
{
    FaultKind kind = FaultKind::Silence;
    int count = 1;      // how many of the next matching replies it spoils
    std::string prefix; // only commands that start with it ("" matches all)
    int delayMs = 5500;
    int length = 0;
    std::string text;
    int pieces = 3;
    int gapMs = 20;
    uint32_t xorMask = 0x00010000;
    int cell = 0;
    int delta = 1;
    int block = -1;     // 0 to 2047: only the "38" or "39" command of that block (bank 0's first)
    int returnMs = -1;  // Vanish: a new pseudo-terminal this much later, memory kept
};

// The block a "38" or "39" command names, in transfer order; -1 for others.
int CommandBlock(const std::string &command);

} // namespace gatesim
