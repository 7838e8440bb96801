#pragma once
// The real message box behind MsgBox: modal, with the buttons and the icon
// that the style number asks for.
#include <QString>

namespace modLumentorMGW {

// Shows the box and waits for the operator: vbYes or vbNo for a Yes/No
// question (closing the box counts as No), vbOK otherwise.
int ShowMessageBox(const QString &text, int style, const QString &title);

// Puts ShowMessageBox behind MsgBox; the program does this at start-up.
void InstallMessageBox();

} // namespace modLumentorMGW
