#include "link/LineRecords.h"

#include "image/FileKind.h"

#include <QFileInfo>

namespace modLumentorMGW {

namespace {
// One file by identity, or one name even before the file exists (an
// upload's target).
bool OneFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QFileInfo(a).absoluteFilePath().compare(QFileInfo(b).absoluteFilePath(), Qt::CaseInsensitive) == 0
           || SameFile(a, b);
}
} // namespace

LineRecords::~LineRecords()
{
    RemoveLineObserver(&log_);
    RemoveLineObserver(&capture_);
}

bool LineRecords::Begin(const QString &logPath, const QString &capturePath, const QString &program,
                        const QStringList &kept, QString *reason)
{
    const struct { const QString &path; const char *what; } records[] = {{logPath, "line log"}, {capturePath, "capture"}};
    for (const auto &record : records) {
        for (const QString &file : kept) {
            if (OneFile(record.path, file)) {
                *reason = QStringLiteral("the %1 %2 would write over %3").arg(QLatin1String(record.what), record.path, file);
                return false;
            }
        }
    }
    if (!logPath.isEmpty() && OneFile(logPath, capturePath)) {
        *reason = QStringLiteral("the line log and the capture are one file: %1").arg(logPath);
        return false;
    }
    QString why;
    if (!logPath.isEmpty() && !(logging_ = log_.Begin(logPath, program, &why))) {
        *reason = QStringLiteral("cannot write the line log %1: %2").arg(logPath, why);
        return false;
    }
    if (!capturePath.isEmpty() && !(capturing_ = capture_.Begin(capturePath, program, &why))) {
        *reason = QStringLiteral("cannot write the capture %1: %2").arg(capturePath, why);
        return false;
    }
    if (logging_)
        AddLineObserver(&log_);
    if (capturing_)
        AddLineObserver(&capture_);
    return true;
}

QStringList LineRecords::Failures() const
{
    QStringList lines;
    if (logging_ && !log_.Failure().isEmpty())
        lines << QStringLiteral("The line log stopped early: %1").arg(log_.Failure());
    if (capturing_ && !capture_.Failure().isEmpty())
        lines << QStringLiteral("The capture stopped early: %1").arg(capture_.Failure());
    return lines;
}

} // namespace modLumentorMGW
