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

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QLockFile;

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
    // Called on the window's thread: it waits, holding mutex_, until the
    // writer's thread is idle, and that thread takes no job while mutex_ is
    // held, so the copy's members change hands with no write under way.
    void Adopt(std::unique_ptr<QLockFile> lock, const QString &name, const QString &image);
    // Waits until all that was handed over is done.
    void Finish();
    // Nothing handed over waits or is being written, and the thread has let
    // go of every image it took: a buffer handed over before is the
    // caller's alone again once no copy of it is left (isDetached).
    bool Idle();
    int Written() const { return written_.load(std::memory_order_relaxed); }
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

    // Standard primitives rather than Qt's: a thread checker sees through
    // them, where Qt's own locks live in a library it does not instrument.
    const QString folder_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;

    // Under mutex_: what the window hands over, and whether the thread is
    // working on what it took.
    Job job_ = Job::None;
    QByteArray image_;
    RecoveryNote note_;
    bool busy_ = false, stopping_ = false;

    std::atomic<int> written_ {0};
    // Set before the thread first writes; read only by the thread after.
    std::function<void(const QString &)> report_;

    // The writer thread's own while it works. Adopt (on the window's
    // thread) and the destructor touch them too, but only once Finish or
    // join has seen the thread idle with mutex_ held, and the thread takes
    // nothing new until that hold ends: never both at once.
    std::unique_ptr<QLockFile> lock_;
    QString name_, current_;
    bool failing_ = false;

    std::thread thread_;   // last: started once all above exists
};

} // namespace modLumentorMGW
