#include "image/RecoveryWriter.h"

#include "image/CopyFiles.h"
#include "image/LiveLock.h"
#include "image/LeftCopies.h"
#include "image/RecoveryFolder.h"
#include "image/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>

namespace modLumentorMGW {

RecoveryWriter::RecoveryWriter(const QString &folder)
    : folder_(folder)
    , thread_([this] { Run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard<std::mutex> hold(mutex_);
        job_ = Job::Remove;
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    lock_.reset();   // last: the copy is gone
}

void RecoveryWriter::Write(const QByteArray &image, const RecoveryNote &note)
{
    {
        std::lock_guard<std::mutex> hold(mutex_);
        job_ = Job::Write;
        image_ = image;
        note_ = note;
    }
    wake_.notify_all();
}

void RecoveryWriter::Remove()
{
    {
        std::lock_guard<std::mutex> hold(mutex_);
        job_ = Job::Remove;
        image_.clear();
    }
    wake_.notify_all();
}

void RecoveryWriter::Finish()
{
    std::unique_lock<std::mutex> hold(mutex_);
    idle_.wait(hold, [this] { return job_ == Job::None && !busy_; });
}

bool RecoveryWriter::Idle()
{
    std::lock_guard<std::mutex> hold(mutex_);
    return job_ == Job::None && !busy_;
}

void RecoveryWriter::Adopt(std::unique_ptr<QLockFile> lock, const QString &name, const QString &image)
{
    // Finish leaves the thread idle; holding mutex_ keeps it so until the
    // copy's files and names are the ones handed in.
    std::unique_lock<std::mutex> hold(mutex_);
    idle_.wait(hold, [this] { return job_ == Job::None && !busy_; });
    RemoveCopy();
    lock_ = std::move(lock);
    name_ = name;
    current_ = image;
}

void RecoveryWriter::Run()
{
    for (;;) {
        Job job = Job::None;
        QByteArray image;
        RecoveryNote note;
        {
            std::unique_lock<std::mutex> hold(mutex_);
            wake_.wait(hold, [this] { return job_ != Job::None || stopping_; });
            if (job_ == Job::None)
                return;
            job = std::exchange(job_, Job::None);
            image = std::exchange(image_, QByteArray());
            note = note_;
            busy_ = true;
        }
        if (job == Job::Write)
            WriteCopy(image, note);
        else
            RemoveCopy();
        image = QByteArray();   // let go before idle is told (see Idle)
        {
            std::lock_guard<std::mutex> hold(mutex_);
            busy_ = false;
        }
        idle_.notify_all();
    }
}

void RecoveryWriter::WriteCopy(const QByteArray &image, RecoveryNote note)
{
    QString why;
    if (Claim(&why)) {
        // Into the image file the note on disk does not name, so that note
        // keeps its image whole until the new note replaces it.
        note.image = NextCopyImage(name_, current_);
        note.pid = QCoreApplication::applicationPid();
        const QDir folder(folder_);
        const QString notePath = folder.filePath(CopyNoteFile(name_));
        if (WriteWholeFile(folder.filePath(note.image), image, &why, Synced::FileAndFolder)
            && WriteWholeFile(notePath, note.Text(), &why, Synced::FileAndFolder)) {
            current_ = note.image;
            written_.fetch_add(1, std::memory_order_relaxed);
            failing_ = false;
            return;
        }
    }
    // Said once, and again only after a copy was written since: the
    // operator's work goes on, but should know it is not protected.
    if (!failing_) {
        std::fprintf(stderr, "LumentorMGW: the recovery copy was not written: %s\n", qPrintable(why));
        if (report_)
            report_(why);
    }
    failing_ = true;
}

void RecoveryWriter::RemoveCopy()
{
    if (!current_.isEmpty())
        RemoveCopyFiles(folder_, name_);
    current_.clear();
}

// A name of this process's own that no copy of an ended window uses (a
// process before a restart may have had this process's number).
bool RecoveryWriter::Claim(QString *why)
{
    if (lock_)
        return true;
    if (!MakeFolder(folder_, why))
        return false;
    static QAtomicInt taken;   // names taken by this process's writers
    const QDir folder(folder_);
    const qint64 pid = QCoreApplication::applicationPid();
    for (int tries = 0; tries < 100; ++tries) {
        const QString name = CopyName(pid, taken.fetchAndAddRelaxed(1) + 1);
        if (QFileInfo::exists(folder.filePath(CopyNoteFile(name))))
            continue;
        auto lock = TryLiveLock(folder.filePath(CopyLockFile(name)));
        if (lock->isLocked()) {
            lock_ = std::move(lock);
            name_ = name;
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            *why = lock->error() == QLockFile::PermissionError ? QStringLiteral("Permission denied")
                                                               : QStringLiteral("no lock can be taken there");
            return false;
        }
    }
    *why = QStringLiteral("no free name for a copy");
    return false;
}

} // namespace modLumentorMGW
