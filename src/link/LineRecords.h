#pragma once
// The line log and the capture of one run, watching the line while this
// object lives. Both are begun before anything is sent, so a path that
// cannot be written is refused first; neither may go over a file the run
// reads or writes (the map file, its listing).
#include "link/LineCapture.h"
#include "link/LineLog.h"

#include <QStringList>

namespace modLumentorMGW {

class LineRecords
{
public:
    LineRecords() = default;
    LineRecords(const LineRecords &) = delete;
    LineRecords &operator=(const LineRecords &) = delete;
    ~LineRecords();

    // Empty paths are not written. False with *reason ("cannot write the
    // line log X: why") when one cannot be begun; then none watches.
    bool Begin(const QString &logPath, const QString &capturePath, const QString &program,
               const QStringList &kept, QString *reason);
    // Why a record stopped early, one line each; empty when both are whole.
    QStringList Failures() const;

private:
    LineLog log_;
    LineCapture capture_;
    bool logging_ = false, capturing_ = false;
};

} // namespace modLumentorMGW
