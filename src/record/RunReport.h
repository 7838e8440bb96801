#pragma once
// The result of one run, as scripts read it (mgw --json) and as the
// commissioning record keeps it: one JSON object whose fields are only ever
// added to under format version 1. A command fills what it knows (its
// port, its files, its own fields through Set); Finish adds the outcome.
#include "link/LineCounts.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QStringList>

namespace modLumentorMGW {

class RunReport
{
public:
    RunReport(const QString &program, const QString &version, const QString &command,
              const QStringList &arguments);

    QString Command() const { return object_.value(QLatin1String("command")).toString(); }

    // given: as the operator named it; resolved: the device opened. The
    // adapter behind it goes in too, where the system knows it.
    void SetPort(const QString &given, const QString &resolved);
    // A file by its content: bytes hashed as they are (null when unreadable).
    void AddFile(const QString &role, const QString &path, const QByteArray &bytes);
    void AddFile(const QString &role, const QString &path); // read from disk
    // The operator's message, line by line as it was shown.
    void AddMessage(const QString &text);
    // Any other field: diff, import, a new command's own.
    void Set(const QString &field, const QJsonValue &value);
    // Overrides the word Finish would choose (a file not written after a
    // complete transfer failed, though its exit status is 2).
    void SetResult(const QString &result);

    // The outcome: result, gateway code, exit status, end time, line counts.
    void Finish(int exitStatus);
    // For the record: host, user and the operator's name for the gateway.
    void AddWhereAndWho(const QString &gateway);

    const QJsonObject &Object() const { return object_; }
    // One line of JSON, format_version first, without the line break.
    QByteArray Line() const;

private:
    QJsonObject object_;
    QStringList message_;
    QString result_;
    QElapsedTimer clock_;
    LineCounts counts_; // the line as this run used it
};

} // namespace modLumentorMGW
