#pragma once
// The window's watch over the line while it talks to the gateway: the
// window keeps painting while a command waits for its reply (input stays
// held back until the transfer's next look at events), the caption says
// "Waiting For The Gateway: N s" after a second, and with Log The Line on
// a line log and a capture are written into LineLogFolder().
#include "link/LineObserver.h"
#include "link/LineRecords.h"
#include "link/ReplyClock.h"

#include <QElapsedTimer>
#include <QPointer>

class QLabel;

class LineWatch : public modLumentorMGW::LineObserver
{
public:
    // what: the file names' last word ("download"); record: Log The Line.
    LineWatch(QLabel *caption, const QString &what, bool record);
    ~LineWatch() override;
    LineWatch(const LineWatch &) = delete;
    LineWatch &operator=(const LineWatch &) = delete;

    // False, after telling the operator why in a box titled `title`, when
    // the log or capture could not be begun: nothing is sent then.
    bool ReadyOrSay(const QString &title) const;

    void Seen(const modLumentorMGW::LineEvent &event) override;

private:
    static bool WhileWaiting();
    void Tick();

    QPointer<QLabel> caption_;
    QString shown_;           // the caption before the wait was shown
    QElapsedTimer waiting_;   // since the last frame went out, while its reply is due
    QElapsedTimer painted_;
    int shownSeconds_ = 0;
    modLumentorMGW::LineRecords records_;
    modLumentorMGW::WaitBreaker previous_ = nullptr;
    QString failure_;
};

// Where Log The Line writes: "Line Logs" beside the recovery copies in the
// user's state folder.
QString LineLogFolder();
