#pragma once
// The line as it happens, told to whoever watches it (the line log, the
// capture, the probe): each frame sent, each reply received and what the
// transaction made of it, and what else befell the line. Anyone may tell
// (a retry, a port that went away); the transaction never knows who listens.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

enum class LineEventKind {
    Opened,      // the port is open; text: the device
    Sent,        // bytes: the frame
    Received,    // bytes: what came, in time; text: what it was (good says)
    TimedOut,    // bytes: what came too late or too little; text: "time-out after N ms"
    Discarded,   // bytes: stale input thrown away before a command
    Note,        // text only: the port went away, Ctrl+C, a retry...
    Closed,
};

struct LineEvent
{
    LineEventKind kind = LineEventKind::Note;
    QByteArray bytes;
    QString text;
    bool good = false; // Received: a reply of its length whose checksum agrees
    double ms = 0;     // since the port opened; set by TellLine
};

class LineObserver
{
public:
    virtual ~LineObserver() = default;
    virtual void Seen(const LineEvent &event) = 0;
};

// Watchers are told in the order they were added; none is owned.
void AddLineObserver(LineObserver *observer);
void RemoveLineObserver(LineObserver *observer);

// Stamps the event with the time since the port opened (an Opened event
// starts that time) and tells every watcher at once.
void TellLine(LineEvent event);

// What the transaction made of a reply that came in time: "checksum right",
// "checksum wrong (expected 3C)", "wrong length (7 characters, 6 expected)",
// "not a reply frame".
QString JudgeReply(const QByteArray &reply, int replyLength, bool *good);

// A frame as text: printable ASCII as it is, a backslash doubled, anything
// else \xHH.
QString EscapedFrame(const QByteArray &bytes);

} // namespace modLumentorMGW
