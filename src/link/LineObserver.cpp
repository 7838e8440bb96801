#include "link/LineObserver.h"

#include "link/Frame.h"
#include "link/Hex.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace modLumentorMGW {

namespace {
std::vector<LineObserver *> &Observers()
{
    static std::vector<LineObserver *> observers;
    return observers;
}

QElapsedTimer &SinceOpened()
{
    static QElapsedTimer clock;
    return clock;
}
} // namespace

void AddLineObserver(LineObserver *observer)
{
    if (observer && std::find(Observers().begin(), Observers().end(), observer) == Observers().end())
        Observers().push_back(observer);
}

void RemoveLineObserver(LineObserver *observer)
{
    auto &all = Observers();
    all.erase(std::remove(all.begin(), all.end(), observer), all.end());
}

void TellLine(LineEvent event)
{
    if (event.kind == LineEventKind::Opened || !SinceOpened().isValid())
        SinceOpened().start();
    if (Observers().empty())
        return;
    event.ms = double(SinceOpened().nsecsElapsed()) / 1e6;
    // A copy: a watcher may leave while being told.
    const std::vector<LineObserver *> now = Observers();
    for (LineObserver *observer : now)
        observer->Seen(event);
}

QString JudgeReply(const QByteArray &reply, int replyLength, bool *good)
{
    *good = false;
    if (reply.size() != replyLength)
        return QStringLiteral("wrong length (%1 characters, %2 expected)").arg(reply.size()).arg(replyLength);
    if (!ReplyFits(reply, replyLength))
        return QStringLiteral("not a reply frame");
    if (ReplyChecksumAgrees(reply)) {
        *good = true;
        return QStringLiteral("checksum right");
    }
    const uint8_t expected = FrameChecksum(reply.constData() + 3, int32_t(reply.size() - 3));
    return QStringLiteral("checksum wrong (expected %1)").arg(Hex2(expected));
}

QString EscapedFrame(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\\')
            text += QStringLiteral("\\\\");
        else if (u >= 0x20 && u < 0x7F)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

} // namespace modLumentorMGW
