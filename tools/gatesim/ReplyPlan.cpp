#include "gatesim/ReplyPlan.h"

#include "gatesim/Codec.h"

#include <algorithm>

namespace gatesim {

ReplyPlan PlanReply(std::string payload, const Fault *fault)
{
    ReplyPlan plan;
    const FaultKind kind = fault ? fault->kind : FaultKind::Silence;
    uint32_t value = 0;
    if (fault && kind == FaultKind::WrongBankSum && ParseHex(payload, 0, 8, &value))
        payload = HexDigits(value ^ fault->xorMask, 8);
    const size_t at = fault ? size_t(std::max(fault->cell, 0)) * 2 : 0;
    if (fault && kind == FaultKind::ChangedCell && ParseHex(payload, at, 2, &value))
        payload.replace(at, 2, HexDigits(value + uint32_t(fault->delta), 2));
    plan.bytes = ReplyFrame(payload);
    if (!fault)
        return plan;

    std::string &reply = plan.bytes;
    switch (kind) {
    case FaultKind::Silence:
        plan.silent = true;
        break;
    case FaultKind::Vanish:
        plan.silent = plan.vanish = true;
        break;
    case FaultKind::BadChecksum:
        reply.replace(1, 2, fault->text.empty() ? HexDigits(FrameSum(reply.substr(3)) ^ 0xFFu, 2) : fault->text);
        break;
    case FaultKind::Short:
        reply.resize(fault->length > 0 ? std::min(size_t(fault->length), reply.size()) : reply.size() - 1);
        break;
    case FaultKind::Trailing:
        reply += fault->text.empty() ? std::string("00") : fault->text;
        break;
    case FaultKind::Overlong: {
        const size_t total = fault->length > 0 ? size_t(fault->length) : 450;
        if (total > reply.size())
            reply = ReplyFrame(payload + std::string(total - reply.size(), '0'));
        break;
    }
    case FaultKind::Late:
        plan.delayMs = fault->delayMs;
        break;
    case FaultKind::Split:
        plan.pieces = std::max(fault->pieces, 1);
        plan.gapMs = fault->gapMs;
        break;
    case FaultKind::Replace:
        reply = fault->text;
        plan.pieces = std::max(fault->pieces, 1);
        plan.gapMs = fault->gapMs;
        break;
    default:
        break;
    }
    return plan;
}

} // namespace gatesim
