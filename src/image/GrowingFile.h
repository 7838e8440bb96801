#pragma once
// A file that grows as things happen (the line log, the capture), beside
// WholeFile's replaced files: begun empty, every Append handed straight to
// the system, so a crash or a kill loses nothing appended before it. The
// first failure stops it and is kept to be reported.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace modLumentorMGW {

class GrowingFile
{
public:
    // Creates path, or empties the file there; false with *reason in words.
    bool Begin(const QString &path, QString *reason);
    // False once a write has failed (then Failure says why).
    bool Append(const QByteArray &bytes);
    QString Failure() const { return failure_; }
    bool IsOpen() const { return file_.isOpen(); }

private:
    QFile file_;
    QString failure_;
};

// True when path and other name one file (a link, a hard link, letters of
// another case) or the same name: a record never goes over the map file.
bool SameFile(const QString &path, const QString &other);

} // namespace modLumentorMGW
