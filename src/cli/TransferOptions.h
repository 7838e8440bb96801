#pragma once
// The options that say how hard a transfer holds on to its line:
// --retries N and --wait-port SECONDS (download, upload), --resume (download).
#include "cli/Invocation.h"

#include <QCommandLineOption>
#include <QList>

class QCommandLineParser;

namespace mgw {

// The options call's command takes; none for the others.
QList<QCommandLineOption> TransferOptions(const Invocation &call);

// Takes their values into call: 0, or ExitUsage after saying why.
int TakeTransferOptions(const QCommandLineParser &parser, Invocation &call);

} // namespace mgw
