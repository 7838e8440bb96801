#include "image/RecoveryWriter.h"

#include "image/LeftCopies.h"
#include "image/RecoveryFolder.h"
#include "image/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <cstdio>

namespace modLumentorMGW {

RecoveryWriter::RecoveryWriter(const QString &folder)
    : folder_(folder)
{
    thread_ = QThread::create([this] { Run(); });
    thread_->start();
}

RecoveryWriter::~RecoveryWriter()
{
    {
        QMutexLocker hold(&mutex_);
        job_ = Job::Remove;
        stopping_ = true;
    }
    wake_.wakeAll();
    thread_->wait();
    delete thread_;
    lock_.reset();   // last: the copy is gone
}

void RecoveryWriter::Write(const QByteArray &image, const RecoveryNote &note)
{
    {
        QMutexLocker hold(&mutex_);
        job_ = Job::Write;
        image_ = image;
        note_ = note;
    }
    wake_.wakeAll();
}

void RecoveryWriter::Remove()
{
    {
        QMutexLocker hold(&mutex_);
        job_ = Job::Remove;
        image_.clear();
    }
    wake_.wakeAll();
}

void RecoveryWriter::Finish()
{
    QMutexLocker hold(&mutex_);
    while (job_ != Job::None || busy_)
        idle_.wait(&mutex_);
}

void RecoveryWriter::Adopt(std::unique_ptr<QLockFile> lock, const QString &name, const QString &image)
{
    Finish();
    QMutexLocker hold(&mutex_);   // the thread is idle and stays so meanwhile
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
            QMutexLocker hold(&mutex_);
            while (job_ == Job::None && !stopping_)
                wake_.wait(&mutex_);
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
        {
            QMutexLocker hold(&mutex_);
            busy_ = false;
        }
        idle_.wakeAll();
    }
}

void RecoveryWriter::WriteCopy(const QByteArray &image, RecoveryNote note)
{
    QString why;
    if (Claim(&why)) {
        // Into the image file the note on disk does not name, so that note
        // keeps its image whole until the new note replaces it.
        note.image = name_ + (current_.endsWith(QLatin1String(".1.mgw")) ? ".2.mgw" : ".1.mgw");
        note.pid = QCoreApplication::applicationPid();
        const QDir folder(folder_);
        const QString notePath = folder.filePath(name_ + QStringLiteral(".txt"));
        if (WriteWholeFile(folder.filePath(note.image), image, &why, Synced::FileAndFolder)
            && WriteWholeFile(notePath, note.Text(), &why, Synced::FileAndFolder)) {
            current_ = note.image;
            written_.fetchAndAddRelaxed(1);
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
    const QString pid = QString::number(QCoreApplication::applicationPid());
    for (int tries = 0; tries < 100; ++tries) {
        const QString name = pid + QLatin1Char('-') + QString::number(taken.fetchAndAddRelaxed(1) + 1);
        if (QFileInfo::exists(folder.filePath(name + QStringLiteral(".txt"))))
            continue;
        auto lock = std::make_unique<QLockFile>(folder.filePath(name + QStringLiteral(".lock")));
        lock->setStaleLockTime(0);   // a live owner's lock never goes stale
        if (lock->tryLock(0)) {
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
