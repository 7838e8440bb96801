#pragma once
// Keeps a recovery copy of the window's image while it has unsaved changes,
// and offers the copies of ended windows once the window is shown. It
// follows the image's cells by itself; the window tells it of whole images
// and saves. A change is written within a second, a run of changes
// at most once a second; the window's thread only takes a snapshot.
#include "image/CellObserver.h"
#include "image/LeftCopies.h"
#include "image/RecoveryWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class frmLumentorMGW;

class RecoveryCopy : public QObject, public modLumentorMGW::CellObserver
{
    Q_OBJECT

public:
    static constexpr int SettleMs = 250;   // a burst of changes is one write
    static constexpr int GapMs = 1000;     // between two writes at least

    // Follows window from now on; its copy lives in folder.
    RecoveryCopy(frmLumentorMGW *window, const QString &folder);
    ~RecoveryCopy() override;

    // The image was replaced as a whole (New, Open, Upload), or Dirty changed.
    void Changed();
    // The image was written to its map file: no copy is needed, and the
    // copies declined at start are given up.
    void Saved();
    // What the timer does: a snapshot handed to the writer (or the copy
    // removed when the image has no unsaved changes).
    void TakeSnapshot();
    modLumentorMGW::RecoveryWriter &Writer() { return writer_; }

    // Puts a copy back into window: the protocol, the file name, the image
    // cell for cell and the point shown; the image counts as changed, so
    // closing asks.
    static void Restore(frmLumentorMGW &window, const modLumentorMGW::RecoveryNote &note, const QByteArray &image);

    void CellWritten(int16_t bank, int32_t address, int16_t before, int16_t after) override;

private:
    void Offer();

    frmLumentorMGW *window_;
    const QString folder_;
    modLumentorMGW::RecoveryWriter writer_;
    QTimer timer_;
    QElapsedTimer sinceSnapshot_;
    QByteArray snapshot_;
    std::vector<modLumentorMGW::LeftCopy> declined_, kept_;
};
