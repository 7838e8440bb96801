#pragma once
// Writing a file as a whole: the map file, the listing and the recovery
// copies are all written this way. As a rule the file is replaced atomically, so a failed write
// never leaves a damaged or half-written file.
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QSaveFile;
class QTemporaryFile;

namespace modLumentorMGW {

// How far a write is synced before it counts as done. The new file always
// is before it takes the name, so a power cut leaves the old file or the
// new one. FileAndFolder makes a failed sync fail the write, and syncs the
// folder after, so that the new name itself survives a power cut: a
// recovery copy needs that; a map file's save keeps its speed, and the file
// system commits the name within seconds.
enum class Synced { File, FileAndFolder };

// Replaces path with bytes atomically, keeping an existing file's owner and
// permissions, synced as `synced` says. On failure the file on disk keeps
// its old content (or stays missing), no temporary file is left, the result
// is false and *reason says why in words ("No space left on device"). A
// file with more than one hard link, in a folder that refuses the new file
// while the file itself is writable, or whose owner the new file cannot
// take, is written in place instead (its other names see the new content);
// a failure there can leave it damaged. Anything but a regular file or a
// new name (a folder, a device, a FIFO, a link to one) is refused first
// (RegularOrNew in FileKind.h), never replaced.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr,
                    Synced synced = Synced::File);

// Appends line (ending in a line break) to path, made when missing, as one
// write under an exclusive lock, synced, so lines from many processes never
// interleave. Under the lock, check sees the file's first line (empty for a
// new file) and may refuse it; a last line torn by a power cut is ended
// first, so the new line starts whole. Anything but a regular file is
// refused without being opened for writing. On failure the file keeps its
// old length, the result is false and *reason says why.
bool AppendWholeLine(const QString &path, const QByteArray &line,
                     const std::function<bool(const QByteArray &firstLine, QString *reason)> &check,
                     QString *reason = nullptr);

// One file written as WriteWholeFile does, in two steps with a long wait
// between (an upload): Reserve makes room for the content at once, so a
// full disk, a refused folder or file, or a bad path shows before the wait
// rather than after it. Commit writes the content; dropped without a
// commit, the file stays as it was and nothing is left behind.
class WholeFile
{
public:
    explicit WholeFile(const QString &path);
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Opens the new file (or the file itself, in place) and makes it take
    // size bytes, synced to the disk. False with *reason when it cannot.
    bool Reserve(qint64 size, QString *reason = nullptr);
    // Writes bytes as the whole content, synced as `synced` says; opens
    // first when not reserved.
    bool Commit(const QByteArray &bytes, QString *reason = nullptr, Synced synced = Synced::File);

private:
    bool Open(QString *reason);

    QString path_;
    std::unique_ptr<QSaveFile> save_; // the atomic way
    std::unique_ptr<QTemporaryFile> temp_; // Windows: the new file, moved over the old one synced
    int inPlace_ = -1;                // the file itself, when written in place
    bool open_ = false;
};

} // namespace modLumentorMGW
