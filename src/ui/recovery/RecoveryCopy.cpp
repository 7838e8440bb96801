#include "ui/recovery/RecoveryCopy.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "link/MsgBox.h"
#include "ui/history/EditHistory.h"
#include "ui/window/ShowFileName.h"
#include "ui/window/frmLumentorMGW.h"

#include <QComboBox>
#include <QRadioButton>
#include <QtEndian>

#include <algorithm>

using namespace modLumentorMGW;

namespace {
QString question(const RecoveryNote &note)
{
    const QString file = note.file == QLatin1String("None") ? QStringLiteral("an unsaved map") : note.file;
    return QStringLiteral("Recover the unsaved changes to %1 from %2?\n"
                          "No keeps the copy until the next successful Save, which drops it.")
        .arg(file, note.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}
} // namespace

RecoveryCopy::RecoveryCopy(frmLumentorMGW *window, const QString &folder)
    : QObject(window), window_(window), folder_(folder), writer_(folder)
{
    setObjectName(QStringLiteral("RecoveryCopy"));
    // From the writer's thread to a box on the window's.
    writer_.OnFailure([this](const QString &why) {
        QMetaObject::invokeMethod(this, [this, why] {
            MsgBox(QStringLiteral("Recovery copies cannot be written in %1: %2.\n"
                                  "Unsaved changes are not kept for a restart after a crash until they can be.")
                       .arg(folder_, why),
                   vbExclamation);
        }, Qt::QueuedConnection);
    });
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::TakeSnapshot);
    AddCellObserver(this);   // edits, undo, redo; whole images come through Changed
    QTimer::singleShot(0, this, &RecoveryCopy::Offer);   // once the window is up
}

RecoveryCopy::~RecoveryCopy()
{
    RemoveCellObserver(this);
}

void RecoveryCopy::CellWritten(int16_t, int32_t, int16_t, int16_t)
{
    Changed();
}

// Dirty may lag behind a cell (undo sets it once the step is back), so the
// snapshot looks again; without unsaved changes the copy goes at once.
void RecoveryCopy::Changed()
{
    if (!Dirty) {
        timer_.stop();
        writer_.Remove();
        return;
    }
    if (timer_.isActive())
        return;
    const int gap = sinceSnapshot_.isValid() ? GapMs - int(sinceSnapshot_.elapsed()) : 0;
    timer_.start(std::max(SettleMs, gap));
}

void RecoveryCopy::TakeSnapshot()
{
    if (window_->TransferRunning) {   // an upload fills the image block by block
        timer_.start(SettleMs);
        return;
    }
    if (!Dirty) {
        writer_.Remove();
        return;
    }
    // Into the last snapshot's buffer once the writer is done with it: a
    // fresh 256 KiB costs more in page faults than the copy itself. Idle
    // first: its lock orders the writer's last read of the buffer before
    // this write; the count of copies alone would not.
    if (!writer_.Idle() || !snapshot_.isDetached())
        snapshot_ = QByteArray(MapFileSize, Qt::Uninitialized);
    qToLittleEndian<qint16>(ConfigImage, CellCount, snapshot_.data());
    RecoveryNote note;
    note.file = FileName;
    note.protocol = window_->optProtocol[1]->isChecked() ? 1 : 0;
    note.point = std::max(1, window_->cboPoint->currentIndex() + 1);
    note.time = QDateTime::currentDateTimeUtc();
    writer_.Write(snapshot_, note);
    sinceSnapshot_.start();
}

void RecoveryCopy::Saved()
{
    timer_.stop();
    writer_.Remove();
    for (LeftCopy &copy : declined_)
        RemoveCopyFiles(folder_, copy.name);
    declined_.clear();
}

// One question a copy, newest first. After a Yes the rest wait for the next
// start: the window holds one image. The copies asked about or waiting stay
// claimed while this window lives, so no other window offers them.
void RecoveryCopy::Offer()
{
    std::vector<DamagedCopy> damaged;
    UnclaimedCopies unclaimed;
    std::vector<LeftCopy> left = ClaimLeftCopies(folder_, &damaged, &unclaimed);
    for (const DamagedCopy &copy : damaged) {
        const QString where = copy.to.isEmpty() ? QStringLiteral("It could not be set aside: %1.").arg(copy.stuck)
                                                : QStringLiteral("It was set aside in %1.").arg(copy.to);
        MsgBox(QStringLiteral("The recovery copy %1 cannot be used: %2.\n").arg(copy.note, copy.why) + where,
               vbExclamation);
    }
    if (unclaimed.count > 0) {
        const bool one = unclaimed.count == 1;
        MsgBox(QStringLiteral("%1 recovery %2 left in %3 cannot be offered: %4.\n%5 there until the folder can "
                              "be written.")
                   .arg(unclaimed.count)
                   .arg(one ? "copy" : "copies", folder_, unclaimed.why, one ? "It stays" : "They stay"),
               vbExclamation);
    }
    bool recovered = false;
    for (LeftCopy &copy : left) {
        if (!recovered && MsgBox(question(copy.note), vbYesNoQuestion) == vbYes) {
            writer_.Adopt(std::move(copy.lock), copy.name, copy.note.image);
            Restore(*window_, copy.note, copy.image);
            recovered = true;
            continue;
        }
        copy.image.clear();
        (recovered ? kept_ : declined_).push_back(std::move(copy));
    }
}

void RecoveryCopy::Restore(frmLumentorMGW &window, const RecoveryNote &note, const QByteArray &image)
{
    // The protocol first: picking it refills the point list and redraws.
    window.optProtocol[note.protocol & 1]->setChecked(true);
    FileName = note.file;
    ShowFileName();
    qFromLittleEndian<qint16>(image.constData(), CellCount, ConfigImage);
    // Shown as if picked; what the redraw stores is taken back, so the image
    // stays the copy even where a list cannot show a cell's value.
    window.History().BeginRedraw();
    if (window.cboPoint->currentIndex() != note.point - 1)
        window.cboPoint->setCurrentIndex(note.point - 1);
    else
        window.ShowData();
    window.History().EndRedraw();
    Dirty = true;
    window.ImageReplaced();
}
