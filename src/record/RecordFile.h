#pragma once
// The commissioning record: one JSON line per download, upload and verify,
// from either program, appended to one file that many processes (and
// people, through a shared folder or a git work tree) keep at once.
#include "record/RecordScan.h"

#include <QStringList>

#include <vector>

namespace modLumentorMGW {

// The file: given (--record), else $MGW_RECORD, else the default.
QString RecordPath(const QString &given = QString());

// "LumentorMGW/record.jsonl" in $XDG_STATE_HOME (~/.local/state when unset)
// on Linux, in %LOCALAPPDATA% on Windows (RecordFolder_<platform>.cpp).
QString DefaultRecordPath();

// Whether a file's first line is a record's: empty (a new record) or a line
// that starts as every record line does. Otherwise *reason names what the
// file seems to be (a map file, a listing, another JSON or text).
bool IsRecordStart(const QByteArray &firstLine, QString *reason);

// Appends one line, making the folder when needed. A file that is not a
// record is left alone: false, with *reason.
bool AppendRecordLine(const QString &path, const QByteArray &line, QString *reason);

struct RecordRead
{
    std::vector<RecordFields> lines; // oldest first, the fields shown
    QByteArray text;                // the file as read
    std::vector<std::pair<qsizetype, qsizetype>> spans; // where each line stands in it
    QByteArray Raw(size_t i) const { return text.mid(spans[i].first, spans[i].second); }
    QStringList notes;              // the lines skipped, and why
};

// Reads the whole record. A missing file is an empty record; one that is
// not a record, or cannot be read, is false with *reason.
bool ReadRecord(const QString &path, RecordRead *read, QString *reason);

} // namespace modLumentorMGW
