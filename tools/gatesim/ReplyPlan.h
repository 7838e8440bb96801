#pragma once
// How one reply goes out: its bytes, spoiled by a fault when one is armed,
// and when and in how many pieces it is written.
#include "gatesim/Fault.h"

#include <string>

namespace gatesim {

struct ReplyPlan
{
    bool silent = false; // nothing is written
    bool vanish = false; // the line is closed instead
    std::string bytes;
    int delayMs = -1;    // from the end of the command; -1: at once
    int pieces = 1;
    int gapMs = 0;
};

// The reply frame for payload, as `fault` (may be null) spoils it.
ReplyPlan PlanReply(std::string payload, const Fault *fault);

} // namespace gatesim
