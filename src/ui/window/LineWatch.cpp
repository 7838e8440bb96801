#include "ui/window/LineWatch.h"

#include "image/StateFolder.h"
#include "link/MsgBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>

using namespace modLumentorMGW;

namespace {
LineWatch *current = nullptr;
// A window that paints this often looks alive; Windows calls one that has
// not taken its messages for 5 s "Not Responding".
constexpr int PaintEveryMs = 50;
constexpr int SayAfterMs = 1000;
} // namespace

QString LineLogFolder()
{
    return QDir(StateFolder()).filePath(QStringLiteral("Line Logs"));
}

LineWatch::LineWatch(QLabel *caption, const QString &what, bool record) : caption_(caption)
{
    if (record) {
        const QString folder = LineLogFolder();
        const QString base = QDir(folder).filePath(
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss ")) + what);
        QString reason;
        if (!QDir().mkpath(folder))
            failure_ = QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder));
        else if (!records_.Begin(base + QStringLiteral(".log"), base + QStringLiteral(".pcapng"),
                                 (QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()).trimmed(), {}, &reason))
            failure_ = reason;
    }
    current = this;
    previous_ = SetWaitBreaker(&LineWatch::WhileWaiting);
    AddLineObserver(this);
}

bool LineWatch::ReadyOrSay(const QString &title) const
{
    if (failure_.isEmpty())
        return true;
    MsgBox(QStringLiteral("Unable To Log The Line\r\n") + failure_, vbExclamation, title);
    return false;
}

LineWatch::~LineWatch()
{
    RemoveLineObserver(this);
    SetWaitBreaker(previous_);
    current = nullptr;
}

void LineWatch::Seen(const LineEvent &event)
{
    if (event.kind == LineEventKind::Sent) {
        waiting_.start();
        painted_.start();
        shownSeconds_ = 0;
        return;
    }
    if (!waiting_.isValid() || event.kind == LineEventKind::Discarded || event.kind == LineEventKind::Opened)
        return;
    waiting_.invalidate();
    if (shownSeconds_ > 0 && caption_) {
        caption_->setText(shown_);
        caption_->repaint();
    }
}

// Asked every 50 ms or sooner while a command waits: never a break.
bool LineWatch::WhileWaiting()
{
    if (current)
        current->Tick();
    return false;
}

void LineWatch::Tick()
{
    if (!waiting_.isValid() || painted_.elapsed() < PaintEveryMs)
        return;
    painted_.start();
    const int seconds = int(waiting_.elapsed() / 1000);
    if (waiting_.elapsed() >= SayAfterMs && seconds != shownSeconds_ && caption_) {
        if (shownSeconds_ == 0)
            shown_ = caption_->text();
        shownSeconds_ = seconds;
        caption_->setText(QStringLiteral("Waiting For The Gateway: %1 s").arg(seconds));
        caption_->repaint();
    }
    // Paints and window-system news only; clicks and keys wait for the
    // transfer's next look at events, as they always did.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
