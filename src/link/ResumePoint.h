#pragma once
// Where a download that stopped part way can go on: kept in the state folder
// per adapter (or port), with the map it was writing by content, so that
// either program can resume it. The prepare commands clear the gateway, so
// a resume sends only the blocks from the first one not confirmed; the bank
// checks at its end decide, as always.
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

// Blocks in transfer order: bank 0's 1024, then bank 1's.
constexpr int16_t NothingToResume = -1;

// port: the adapter's key (AdapterKey), taken while it was there.
// A full download starts: what was kept for the port no longer holds.
void RecordDownloadStart(const QString &port);
// The download of the image in memory stopped at block `next` (0 to 2048;
// 2048: all written, a bank check unanswered; NothingToResume: start again).
void RecordDownloadStop(const QString &port, int16_t next);
void RecordDownloadComplete(const QString &port);

// The block from which the image in memory can be downloaded to port, or
// NothingToResume with *reason saying why not.
int16_t ResumableBlock(int16_t port, QString *reason = nullptr);

// "1,901 of 2,048" for the block after `next` blocks were written.
QString BlockOfTotal(int16_t next);

} // namespace modLumentorMGW
