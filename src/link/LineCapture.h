#pragma once
// The line as a pcapng capture Wireshark reads: one packet per frame sent
// or received, its direction in the packet's flags, microsecond times,
// link type 147 (USER0, reserved for private protocols; the dissector in
// data/wireshark/lumentor-mgw.lua decodes it). What the program made of a
// reply rides along as the packet's comment.
#include "image/GrowingFile.h"
#include "link/LineObserver.h"

#include <cstdint>

namespace modLumentorMGW {

class LineCapture : public LineObserver
{
public:
    // Writes the section and interface headers; false with *reason when
    // path cannot be written.
    bool Begin(const QString &path, const QString &program, QString *reason);
    void Seen(const LineEvent &event) override;
    QString Failure() const { return file_.Failure(); }

private:
    void Packet(const QByteArray &bytes, bool sent, const QString &comment, double ms);

    GrowingFile file_;
    int64_t baseUs_ = -1; // wall-clock microseconds when the port opened
};

} // namespace modLumentorMGW
