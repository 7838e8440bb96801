#pragma once
// Puts a recovery copy back into the window as the operator left it.
#include "image/RecoveryNote.h"

class frmLumentorMGW;

// The protocol, the file name, the image cell for cell and the point shown;
// the image counts as changed, so closing asks.
void RestoreCopy(frmLumentorMGW &window, const modLumentorMGW::RecoveryNote &note, const QByteArray &image);
