#include "link/LineCounts.h"

#include <QByteArray>

namespace modLumentorMGW {

LineCounts LineCount;

void ResetLineCounts()
{
    LineCount = LineCounts();
}

void CountFrameSent(const QByteArray &command, qsizetype characters)
{
    LineCount.charactersSent += characters;
    LineCount.blocksSent += command.startsWith("38");
}

// A block counts as received only when its reply's checksum agreed.
void CountReplyTaken(const QByteArray &command, qsizetype characters, bool good)
{
    LineCount.charactersReceived += characters;
    LineCount.blocksReceived += good && command.startsWith("39");
}

} // namespace modLumentorMGW
