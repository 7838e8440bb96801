#pragma once
// What went over the line since the counts were last reset: blocks written
// ("38") and read back ("39"), and characters each way. A scripted run
// reports them; a transfer never looks at them.
#include <QtGlobal>

namespace modLumentorMGW {

struct LineCounts
{
    qint64 blocksSent = 0;
    qint64 blocksReceived = 0;
    qint64 charactersSent = 0;
    qint64 charactersReceived = 0;
};

extern LineCounts LineCount;

void ResetLineCounts();

// Called by the transaction: one frame handed to the port, one reply taken.
void CountFrameSent(const QByteArray &command, qsizetype characters);
void CountReplyTaken(const QByteArray &command, qsizetype characters, bool good);

} // namespace modLumentorMGW
