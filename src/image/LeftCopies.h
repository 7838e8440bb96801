#pragma once
// Recovery copies left by windows that are gone (a crash, a killed session,
// a power cut). Claiming one takes its lock, so that no other window offers
// it meanwhile, and reads it whole before anything is offered; a damaged
// copy is moved into the folder "Damaged" instead, never loaded in part.
#include "image/RecoveryNote.h"

#include <QLockFile>

#include <memory>
#include <vector>

namespace modLumentorMGW {

struct LeftCopy {
    QString name;                      // its files are <name>.*
    RecoveryNote note;
    QByteArray image;                  // all 262,144 bytes
    std::unique_ptr<QLockFile> lock;   // held while this program decides
};

struct DamagedCopy {
    QString note;   // the note's path where it was found
    QString why;    // "its image holds 1000 bytes; a copy holds 262144"
    QString to;     // the folder it was moved into; empty when it could not be
    QString stuck;  // why it could not be moved, when `to` is empty
};

// Copies left that cannot be claimed (a folder that may not be written):
// how many, and why.
struct UnclaimedCopies {
    int count = 0;
    QString why;
};

// The whole copies in folder whose windows are gone, newest first. Damaged
// ones are set aside and listed in *damaged; the files of a first copy that
// never got its note are removed. A lock that names this very process but
// is not held by it is a crashed window's that had this process's id.
std::vector<LeftCopy> ClaimLeftCopies(const QString &folder, std::vector<DamagedCopy> *damaged,
                                      UnclaimedCopies *unclaimed = nullptr);

// Removes every file of copy <name> but its lock.
void RemoveCopyFiles(const QString &folder, const QString &name);

} // namespace modLumentorMGW
