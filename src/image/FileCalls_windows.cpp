#include "image/FileCalls.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace modLumentorMGW::filecalls {

namespace {
bool failWith(QString *reason, DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    if (reason)
        *reason = n ? QString::fromWCharArray(text, int(n)).trimmed() : QStringLiteral("Error %1").arg(error);
    if (text)
        LocalFree(text);
    return false;
}

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}
} // namespace

// The cache holds a file's data whichever handle wrote it, so a handle of
// our own flushes what Qt's wrote. MOVEFILE_WRITE_THROUGH returns only once
// the move itself is on the disk: the folder's sync on Linux.
bool MoveSynced(const QString &from, const QString &to, QString *reason)
{
    const std::wstring source = native(from), target = native(to);
    const HANDLE file = CreateFileW(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failWith(reason, GetLastError());
    const bool flushed = FlushFileBuffers(file) != 0;
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!flushed)
        return failWith(reason, error);
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failWith(reason, GetLastError());
    return true;
}

} // namespace modLumentorMGW::filecalls
