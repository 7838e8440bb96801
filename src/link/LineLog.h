#pragma once
// The line log: one text line per event on the line, written as it
// happens. After a header (program, port, adapter, line settings) each
// line is the time since the port opened in ms, the direction, the frame
// with non-printable characters escaped, and what the program made of it.
#include "image/GrowingFile.h"
#include "link/LineObserver.h"

namespace modLumentorMGW {

class LineLog : public LineObserver
{
public:
    // program: "mgw 1.4.0"; false with *reason when path cannot be written.
    bool Begin(const QString &path, const QString &program, QString *reason);
    void Seen(const LineEvent &event) override;
    // Why the log stopped early; empty while it is whole.
    QString Failure() const { return file_.Failure(); }

private:
    void Line(const QString &text);

    GrowingFile file_;
};

} // namespace modLumentorMGW
