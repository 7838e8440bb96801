#pragma once
// What is at the other end of the line, when it is not a healthy gateway:
// the faults of a line on site that the probe tells apart.
#include "gatesim/ReplyPlan.h"

namespace gatesim {

enum class LineMode {
    Gateway,    // a healthy gateway
    Echo,       // TX joined to RX (a loopback plug): what is sent comes back, nothing answers
    WrongSpeed, // a gateway at another speed: characters come, never a frame
    Damaged,    // every reply's checksum digits spoiled (noise)
    Silent,     // nothing answers
};

// Spoils a planned reply as `mode` does to the line.
void SpoilForLine(LineMode mode, ReplyPlan *plan);

// "echo", "wrong-speed", "damaged", "silent", "gateway"; false when unknown.
bool ParseLineMode(const std::string &name, LineMode *mode);

} // namespace gatesim
