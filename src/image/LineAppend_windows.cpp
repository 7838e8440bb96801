// Appending one line to a shared file on Windows: FILE_APPEND_DATA and a
// LockFileEx on the whole file, so processes that append at once each land
// their line whole.
#include "image/WholeFile.h"

#include <windows.h>

namespace modLumentorMGW {

namespace {
bool Fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

QString LastError()
{
    wchar_t text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   DWORD(sizeof text / sizeof *text), nullptr);
    return QString::fromWCharArray(text).trimmed();
}

// Lock and handle released on every way out.
struct Held
{
    HANDLE file = INVALID_HANDLE_VALUE;
    OVERLAPPED whole{};
    bool locked = false;
    ~Held()
    {
        if (locked)
            UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
};

QByteArray ReadAt(HANDLE file, qint64 offset, DWORD size)
{
    QByteArray bytes(int(size), '\0');
    OVERLAPPED at{};
    at.Offset = DWORD(offset & 0xffffffff);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), size, &got, &at))
        return QByteArray();
    bytes.truncate(int(got));
    return bytes;
}
} // namespace

bool AppendWholeLine(const QString &path, const QByteArray &line,
                     const std::function<bool(const QByteArray &, QString *)> &check, QString *reason)
{
    const std::wstring name = path.toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(reason, QStringLiteral("it is a folder"));
    Held held;
    held.file = CreateFileW(name.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held.file == INVALID_HANDLE_VALUE)
        return Fail(reason, LastError());
    if (GetFileType(held.file) != FILE_TYPE_DISK)
        return Fail(reason, QStringLiteral("it is not a regular file"));
    if (!LockFileEx(held.file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &held.whole))
        return Fail(reason, LastError());
    held.locked = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(held.file, &size))
        return Fail(reason, LastError());
    QByteArray head = ReadAt(held.file, 0, 4096);
    const int end = head.indexOf('\n');
    if (check && !check(end < 0 ? head : head.left(end), reason))
        return false;
    QByteArray bytes = line;
    if (size.QuadPart > 0 && ReadAt(held.file, size.QuadPart - 1, 1) != "\n")
        bytes.prepend('\n');
    DWORD wrote = 0;
    if (!WriteFile(held.file, bytes.constData(), DWORD(bytes.size()), &wrote, nullptr) || wrote != DWORD(bytes.size())) {
        const QString why = LastError();
        // Take back a part written, so the file ends where it did.
        FILE_END_OF_FILE_INFO at{};
        at.EndOfFile = size;
        SetFileInformationByHandle(held.file, FileEndOfFileInfo, &at, sizeof at);
        return Fail(reason, why);
    }
    if (!FlushFileBuffers(held.file))
        return Fail(reason, LastError());
    return true;
}

} // namespace modLumentorMGW
