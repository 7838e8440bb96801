#pragma once
// Writes one window's recovery copy on a thread of its own, so that the
// window only hands over a snapshot. Only the newest snapshot counts: one
// handed over while another is being written replaces any still waiting.
//
// A copy is its image (<name>.1.mgw or <name>.2.mgw, taking turns) and its
// note (<name>.txt), in that order, each through the one writer: the note
// names its image, so wherever the program is stopped, the note on disk
// goes with a whole image. <name>.lock, held while the window lives, tells
// other windows that the copy's owner still runs.
#include "image/RecoveryNote.h"

#include <QAtomicInt>
#include <QMutex>
#include <QWaitCondition>

#include <functional>
#include <memory>

class QLockFile;
class QThread;

namespace modLumentorMGW {

class RecoveryWriter {
public:
    explicit RecoveryWriter(const QString &folder);
    ~RecoveryWriter();   // removes the copy and ends the thread
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    // The whole image as a map file holds it, and what the window shows.
    void Write(const QByteArray &image, const RecoveryNote &note);
    void Remove();
    // Takes over the copy <name> of an ended window, whose lock the caller
    // holds and whose note names `image`: the next write replaces it.
    void Adopt(std::unique_ptr<QLockFile> lock, const QString &name, const QString &image);
    // Waits until all that was handed over is done.
    void Finish();
    int Written() const { return written_.loadRelaxed(); }
    // Told, on the writer's thread, when a copy cannot be written: once,
    // and again only after a copy has been written since. Set before the
    // first Write.
    void OnFailure(std::function<void(const QString &why)> report) { report_ = std::move(report); }

private:
    enum class Job { None, Write, Remove };

    void Run();
    void WriteCopy(const QByteArray &image, RecoveryNote note);
    void RemoveCopy();
    bool Claim(QString *why);

    const QString folder_;
    QMutex mutex_;
    QWaitCondition wake_, idle_;
    Job job_ = Job::None;
    QByteArray image_;
    RecoveryNote note_;
    bool busy_ = false, stopping_ = false;
    QThread *thread_ = nullptr;
    QAtomicInt written_;
    std::function<void(const QString &)> report_;

    // The writer thread's own, once it has written.
    std::unique_ptr<QLockFile> lock_;
    QString name_, current_;
    bool failing_ = false;
};

} // namespace modLumentorMGW
