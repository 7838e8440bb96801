#pragma once
// Shows FileName in the window's file name label.
class QLabel;

namespace modLumentorMGW {

// The label that ShowFileName writes; the window registers its own.
void SetFileNameLabel(QLabel *label);

// Sets the label's text to FileName verbatim: the whole path, or "None".
void ShowFileName();

} // namespace modLumentorMGW
