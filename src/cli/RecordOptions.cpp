#include "cli/RecordOptions.h"

#include "cli/Invocation.h"

#include <QCommandLineParser>

namespace mgw {

void RecordOptions::Offer(QList<QCommandLineOption> &offered, bool recorded, bool lister) const
{
    offered << json;
    if (recorded || lister)
        offered << gateway << record;
    if (lister)
        offered << map << since << last;
}

bool RecordOptions::Take(const QCommandLineParser &parser, bool recorded, bool lister, Invocation &call) const
{
    if (!recorded && !lister)
        return true;
    call.gateway = parser.value(gateway).trimmed();
    if (parser.isSet(gateway) && call.gateway.isEmpty()) {
        call.Refuse(QStringLiteral("--gateway needs a name, not blanks"));
        return false;
    }
    call.record = parser.value(record);
    if (lister) {
        call.map = parser.value(map);
        call.since = parser.value(since);
        call.last = parser.isSet(last);
    }
    return true;
}

} // namespace mgw
