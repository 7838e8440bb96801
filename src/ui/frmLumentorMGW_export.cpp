// The CSV listing of the mapping.
#include "ui/frmLumentorMGW.h"

void frmLumentorMGW::mnuExport_Click() {}
void frmLumentorMGW::ExportCSV() {}
