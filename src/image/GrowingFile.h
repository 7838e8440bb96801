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
    // Creates path, or empties the regular file there; false with *reason
    // in words (a folder, a device or a FIFO is refused, as for any file).
    bool Begin(const QString &path, QString *reason);
    // False once a write has failed (then Failure says why).
    bool Append(const QByteArray &bytes);
    QString Failure() const { return failure_; }
    bool IsOpen() const { return file_.isOpen(); }

private:
    QFile file_;
    QString failure_;
};

} // namespace modLumentorMGW
