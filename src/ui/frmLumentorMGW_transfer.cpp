// Download and upload of the whole image.
#include "ui/frmLumentorMGW.h"

void frmLumentorMGW::mnuDownload_Click() {}
void frmLumentorMGW::mnuUpload_Click() {}
void frmLumentorMGW::cmdCancel_Click() {}
