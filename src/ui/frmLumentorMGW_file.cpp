// File menu: New, Open, Save, Save As.
#include "ui/frmLumentorMGW.h"

void frmLumentorMGW::mnuFileNew_Click() {}
void frmLumentorMGW::mnuFileOpen_Click() {}
void frmLumentorMGW::mnuFileSave_Click() {}
void frmLumentorMGW::mnuFileSaveAs_Click() {}
void frmLumentorMGW::FileOpen() {}
void frmLumentorMGW::FileSaveAs() {}
