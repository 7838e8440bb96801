#include "gatesim/LineFault.h"

#include "gatesim/Codec.h"

namespace gatesim {

void SpoilForLine(LineMode mode, ReplyPlan *plan)
{
    std::string &reply = plan->bytes;
    switch (mode) {
    case LineMode::Silent:
        plan->silent = true;
        break;
    case LineMode::Damaged:
        if (reply.size() >= 3)
            reply.replace(1, 2, HexDigits(FrameSum(reply.substr(3)) ^ 0x5Au, 2));
        break;
    case LineMode::WrongSpeed:
        // Read at another rate a character falls apart into bits of others:
        // framing garbage with the top bit set, never a bracket.
        for (char &c : reply)
            c = char(0x80 | ((static_cast<unsigned char>(c) ^ 0x35) & 0x7F));
        break;
    default:
        break;
    }
}

bool ParseLineMode(const std::string &name, LineMode *mode)
{
    static const struct { const char *name; LineMode mode; } modes[] = {
        {"gateway", LineMode::Gateway}, {"echo", LineMode::Echo}, {"wrong-speed", LineMode::WrongSpeed},
        {"damaged", LineMode::Damaged}, {"silent", LineMode::Silent}};
    for (const auto &m : modes) {
        if (name == m.name) {
            *mode = m.mode;
            return true;
        }
    }
    return false;
}

} // namespace gatesim
