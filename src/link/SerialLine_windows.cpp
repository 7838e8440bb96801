// The serial line over the Win32 serial calls. Reads never block: the
// time-outs make ReadFile return at once with what the driver holds, and a
// wait for input sleeps a millisecond between looks. That works on a real
// port and on Wine's pseudo-terminal path alike, where read time-outs that
// return on the first byte are ignored and no received-character event comes.
// Writes block at most as long as the caller's wait allows.
#include "link/SerialLine.h"

#include "link/PortFailure.h"

#include <QDeadlineTimer>

#include <windows.h>

namespace modLumentorMGW {

namespace {
QString systemText(DWORD code)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString said = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("error %1").arg(code);
    LocalFree(text);
    return said;
}

// "COM12" is opened as \\.\COM12: the only way past COM9; a full path stays.
QString devicePath(const QString &device)
{
    return device.startsWith(QLatin1String("\\\\")) ? device : QStringLiteral("\\\\.\\") + device;
}

class Win32SerialLine : public SerialLine
{
public:
    ~Win32SerialLine() override
    {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
            timeEndPeriod(1);
        }
    }

    bool Open(const QString &device, const LineSettings &line) override
    {
        handle_ = CreateFileW(reinterpret_cast<const wchar_t *>(devicePath(device).utf16()),
                              GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            error_ = systemText(code);
            const PortRefusal why = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? PortRefusal::NoDevice
                                    : code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? PortRefusal::Busy
                                                                                                    : PortRefusal::Other;
            failure_ = PortRefusalText(why, device, error_);
            return false;
        }
        timeBeginPeriod(1); // the looks for input a millisecond apart, not a scheduler tick
        SetupComm(handle_, 65536, 4096);
        if (!Configure(line) || !SetTimeouts(0)) {
            failure_ = PortRefusalText(PortRefusal::Other, device, error_);
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
            timeEndPeriod(1);
            return false;
        }
        PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        return true;
    }
    QString OpenFailure() const override { return failure_; }
    QString ErrorString() const override { return error_; }
    // FTDI's driver makes the event character the chip's own: the chip hands
    // a buffer over as soon as "]" arrives, whatever its latency timer says.
    QString LowLatencyState() const override { return QStringLiteral("event character \"]\" set"); }

    bool SetRTS(bool on) override { return EscapeCommFunction(handle_, on ? SETRTS : CLRRTS); }

    bool Write(const QByteArray &bytes) override
    {
        pending_ += bytes;
        // What the driver takes in about the bytes' own time on the line.
        const int lineMs = int(qint64(bytes.size()) * 10 * 1000 / qMax(1, baud_)) + 1;
        return Wait(PortWait::Output, lineMs) != Waited::Failed;
    }
    int32_t BytesToWrite() const override { return int32_t(pending_.size()); }
    int32_t BytesAvailable() override
    {
        Pull();
        return int32_t(received_.size());
    }
    QByteArray ReadAll() override
    {
        Pull();
        QByteArray all;
        all.swap(received_);
        return all;
    }

    Waited Wait(PortWait what, int msecs) override
    {
        return what == PortWait::Input ? WaitForInput(msecs) : WriteFor(msecs);
    }

private:
    bool Configure(const LineSettings &line)
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(handle_, &dcb))
            return Fail();
        dcb.BaudRate = DWORD(line.baud);
        dcb.ByteSize = BYTE(line.dataBits);
        dcb.Parity = BYTE(QByteArray("NOEMS").indexOf(line.parity));
        dcb.StopBits = line.stopTenths == 15 ? ONE5STOPBITS : line.stopTenths == 20 ? TWOSTOPBITS : ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = line.parity != 'N';
        dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = dcb.fInX = dcb.fErrorChar = dcb.fNull = dcb.fAbortOnError = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE; // SetRTS raises it, as on Linux
        // "]" ends every reply (and is never its first character, which the
        // chip's event character would not fire on).
        dcb.EvtChar = ']';
        baud_ = line.baud;
        if (SetCommState(handle_, &dcb))
            return true;
        // Wine on a pseudo-terminal refuses the modem lines while taking
        // the framing: the framing read back is what counts.
        DCB now{};
        now.DCBlength = sizeof now;
        if (GetCommState(handle_, &now) && now.BaudRate == dcb.BaudRate && now.ByteSize == dcb.ByteSize
            && now.Parity == dcb.Parity && now.StopBits == dcb.StopBits)
            return true;
        return Fail();
    }

    // Reads return at once; writes give up after writeMs.
    bool SetTimeouts(DWORD writeMs)
    {
        if (writeMs == writeMs_)
            return true;
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        t.WriteTotalTimeoutConstant = writeMs;
        if (!SetCommTimeouts(handle_, &t))
            return Fail();
        writeMs_ = writeMs;
        return true;
    }

    bool Fail()
    {
        error_ = systemText(GetLastError());
        failed_ = true;
        return false;
    }

    // Takes in what the driver holds; a line error (framing, overrun) is
    // cleared and the bytes read on, as on Linux.
    void Pull()
    {
        char buffer[4096];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(handle_, buffer, sizeof buffer, &got, nullptr)) {
                DWORD errors = 0;
                if (GetLastError() == ERROR_OPERATION_ABORTED && ClearCommError(handle_, &errors, nullptr))
                    continue;
                Fail();
                return;
            }
            if (got == 0)
                return;
            received_.append(buffer, int(got));
        }
    }

    Waited WaitForInput(int msecs)
    {
        const qsizetype before = received_.size();
        const QDeadlineTimer deadline(msecs);
        for (;;) {
            Pull();
            if (failed_)
                return Waited::Failed;
            if (received_.size() > before)
                return Waited::Progress;
            if (deadline.hasExpired())
                return Waited::TimedOut;
            Sleep(1);
        }
    }

    Waited WriteFor(int msecs)
    {
        if (pending_.isEmpty())
            return Waited::Progress;
        DWORD sent = 0;
        if (!SetTimeouts(DWORD(qMax(1, msecs))))
            return Waited::Failed;
        if (!WriteFile(handle_, pending_.constData(), DWORD(pending_.size()), &sent, nullptr)) {
            Fail();
            return Waited::Failed;
        }
        pending_.remove(0, qsizetype(sent));
        return sent > 0 ? Waited::Progress : Waited::TimedOut;
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    int baud_ = 9600;
    DWORD writeMs_ = MAXDWORD;
    bool failed_ = false;
    QByteArray pending_, received_;
    QString error_, failure_;
};
} // namespace

std::unique_ptr<SerialLine> NewSerialLine()
{
    return std::make_unique<Win32SerialLine>();
}

} // namespace modLumentorMGW
