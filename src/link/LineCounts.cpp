#include "link/LineCounts.h"

namespace modLumentorMGW {

LineCounts::LineCounts()
{
    AddLineObserver(this);
}

LineCounts::~LineCounts()
{
    RemoveLineObserver(this);
}

// A frame is "[", two checksum digits, "00", then the command. A block
// counts as received only when its reply's checksum agreed.
void LineCounts::Seen(const LineEvent &event)
{
    if (event.kind == LineEventKind::Sent) {
        const QByteArray command = event.bytes.mid(5);
        charactersSent += event.bytes.size();
        blocksSent += command.startsWith("38");
        blockAsked_ = command.startsWith("39");
    } else if (event.kind == LineEventKind::Received) {
        charactersReceived += event.bytes.size();
        blocksReceived += event.good && blockAsked_;
    }
}

} // namespace modLumentorMGW
