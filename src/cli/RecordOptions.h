#pragma once
// The options of --json and of the commissioning record: offered to the
// commands that take them, and taken into the invocation once parsed.
#include <QCommandLineOption>
#include <QList>

class QCommandLineParser;

namespace mgw {

struct Invocation;

struct RecordOptions
{
    QCommandLineOption json{QStringLiteral("json"), QString()};
    QCommandLineOption gateway{QStringLiteral("gateway"), QString(), QStringLiteral("NAME")};
    QCommandLineOption record{QStringLiteral("record"), QString(), QStringLiteral("FILE")};
    QCommandLineOption map{QStringLiteral("map"), QString(), QStringLiteral("FILE")};
    QCommandLineOption since{QStringLiteral("since"), QString(), QStringLiteral("DATE")};
    QCommandLineOption last{QStringLiteral("last"), QString()};

    // --json for every command; --gateway and --record for the transfers
    // and verify (recorded) and for mgw record, which also filters (lister).
    void Offer(QList<QCommandLineOption> &offered, bool recorded, bool lister) const;
    // Into call; false after refusing a blank --gateway.
    bool Take(const QCommandLineParser &parser, bool recorded, bool lister, Invocation &call) const;
};

} // namespace mgw
