#include "link/LineEvents.h"

namespace modLumentorMGW {

namespace {
LineEventSink &sink()
{
    static LineEventSink installed;
    return installed;
}
} // namespace

void NoteLineEvent(const QString &event)
{
    if (sink())
        sink()(event);
}

LineEventSink SetLineEventSink(LineEventSink next)
{
    LineEventSink previous = std::move(sink());
    sink() = std::move(next);
    return previous;
}

} // namespace modLumentorMGW
