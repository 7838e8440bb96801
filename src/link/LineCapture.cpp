#include "link/LineCapture.h"

#include <QtEndian>

#include <chrono>

namespace modLumentorMGW {

namespace {
constexpr uint32_t SectionHeader = 0x0A0D0D0A, InterfaceDescription = 1, EnhancedPacket = 6;
constexpr uint16_t LinkTypeUser0 = 147;
constexpr uint16_t OptEnd = 0, OptComment = 1, OptFlags = 2, OptShbUserAppl = 4;
constexpr uint32_t Inbound = 1, Outbound = 2;

void Put32(QByteArray &b, uint32_t v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}
void Put16(QByteArray &b, uint16_t v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}
void Pad(QByteArray &b)
{
    while (b.size() % 4)
        b.append('\0');
}
void Option(QByteArray &b, uint16_t code, const QByteArray &value)
{
    Put16(b, code);
    Put16(b, uint16_t(value.size()));
    b += value;
    Pad(b);
}

// Type, total length, body, total length again.
QByteArray Block(uint32_t type, const QByteArray &body)
{
    QByteArray block;
    Put32(block, type);
    Put32(block, uint32_t(body.size() + 12));
    block += body;
    Put32(block, uint32_t(body.size() + 12));
    return block;
}

int64_t NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}
} // namespace

bool LineCapture::Begin(const QString &path, const QString &program, QString *reason)
{
    if (!file_.Begin(path, reason))
        return false;
    QByteArray shb;
    Put32(shb, 0x1A2B3C4D); // byte order
    Put16(shb, 1);
    Put16(shb, 0);
    Put32(shb, 0xFFFFFFFF); // section length unknown
    Put32(shb, 0xFFFFFFFF);
    Option(shb, OptShbUserAppl, program.toUtf8());
    Option(shb, OptEnd, {});
    QByteArray idb;
    Put16(idb, LinkTypeUser0);
    Put16(idb, 0);
    Put32(idb, 0); // no snapshot limit
    return file_.Append(Block(SectionHeader, shb) + Block(InterfaceDescription, idb)) || (*reason = Failure(), false);
}

void LineCapture::Packet(const QByteArray &bytes, bool sent, const QString &comment, double ms)
{
    if (baseUs_ < 0)
        baseUs_ = NowUs() - int64_t(ms * 1000);
    const uint64_t at = uint64_t(baseUs_ + int64_t(ms * 1000));
    QByteArray body;
    Put32(body, 0); // the one interface
    Put32(body, uint32_t(at >> 32));
    Put32(body, uint32_t(at));
    Put32(body, uint32_t(bytes.size()));
    Put32(body, uint32_t(bytes.size()));
    body += bytes;
    Pad(body);
    QByteArray flags;
    Put32(flags, sent ? Outbound : Inbound);
    Option(body, OptFlags, flags);
    if (!comment.isEmpty())
        Option(body, OptComment, comment.toUtf8());
    Option(body, OptEnd, {});
    file_.Append(Block(EnhancedPacket, body));
}

void LineCapture::Seen(const LineEvent &e)
{
    switch (e.kind) {
    case LineEventKind::Opened:
        baseUs_ = NowUs() - int64_t(e.ms * 1000);
        break;
    case LineEventKind::Sent:
        Packet(e.bytes, true, {}, e.ms);
        break;
    case LineEventKind::Received:
    case LineEventKind::TimedOut:
    case LineEventKind::Discarded:
        if (!e.bytes.isEmpty())
            Packet(e.bytes, false, e.text, e.ms);
        break;
    default:
        break;
    }
}

} // namespace modLumentorMGW
