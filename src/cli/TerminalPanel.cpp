#include "cli/TerminalPanel.h"

#include "cli/Mgw.h"
#include "link/LineObserver.h"
#include "link/Transfer.h"

#include <QIODevice>

#include <algorithm>

namespace mgw {

namespace {
bool barOnScreen = false;

QString Duration(qint64 ms)
{
    const qint64 s = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

void EndProgressLine(QIODevice &err)
{
    if (barOnScreen)
        err.write("\n");
    barOnScreen = false;
}

TerminalPanel::TerminalPanel(QIODevice &err, bool terminal, bool quiet, const std::vector<bool> &sent)
    : err_(err), terminal_(terminal), quiet_(quiet)
{
    if (sent.empty())
        return;
    sentBefore_.push_back(0);
    for (const bool block : sent)
        sentBefore_.push_back(sentBefore_.back() + block);
}

int TerminalPanel::Sent(int blocks) const
{
    if (sentBefore_.empty())
        return blocks;
    return sentBefore_[size_t(std::clamp(blocks, 0, int(sentBefore_.size()) - 1))];
}

void TerminalPanel::ProcessEvents()
{
    if (Interrupted && !modLumentorMGW::CancelRequested) {
        modLumentorMGW::CancelRequested = true;
        modLumentorMGW::TellLine({modLumentorMGW::LineEventKind::Note, {}, QStringLiteral("Ctrl+C")});
    }
}

void TerminalPanel::SetMax(int max)
{
    max_ = max;
    started_.start();
}

void TerminalPanel::SetValue(int value)
{
    value_ = value;
}

void TerminalPanel::SetCaption(const QString &caption)
{
    // A port gone is told even when quiet: the operator has to act.
    const qsizetype waiting = caption.indexOf(QLatin1String("(waiting "));
    if (quiet_ && waiting < 0 && !caption.endsWith(QLatin1String(" is back")))
        return;
    const bool block = caption.contains(QLatin1String(" Block "));
    if (block && terminal_)
        return DrawBar();
    // The wait for a port gone counts down in place, or on a line every 10 s.
    const bool counting = counting_;
    counting_ = waiting >= 0;
    if (counting_ && terminal_) {
        err_.write((QLatin1Char('\r') + caption + QStringLiteral("\x1b[K")).toUtf8());
        barOnScreen = true;
        return;
    }
    if (counting_ && counting && caption.mid(waiting + 9).section(QLatin1Char(' '), 0, 0).toInt() % 10 != 0)
        return;
    if (block) {
        // A line each time the count passes another tenth of the blocks.
        const int tenths = max_ > 0 ? value_ * 10 / max_ : 0;
        if (tenths <= tenths_)
            return;
        tenths_ = tenths;
    }
    EndProgressLine(err_);
    err_.write((caption + QLatin1Char('\n')).toUtf8());
}

void TerminalPanel::DrawBar()
{
    constexpr int Width = 30;
    const int done = max_ > 0 ? value_ * Width / max_ : 0;
    const qint64 elapsed = started_.elapsed();
    const int sent = Sent(value_);
    const QString left = sent > 0 && elapsed > 0
                             ? QStringLiteral(", %1 left").arg(Duration(elapsed * (Sent(max_) - sent) / sent))
                             : QString();
    const QString line = QStringLiteral("\r[%1%2] %3 blocks done, %4 to go%5\x1b[K")
                             .arg(QString(done, QLatin1Char('#')), QString(Width - done, QLatin1Char('-')))
                             .arg(value_)
                             .arg(max_ - value_)
                             .arg(left);
    err_.write(line.toUtf8());
    barOnScreen = true;
}

} // namespace mgw
