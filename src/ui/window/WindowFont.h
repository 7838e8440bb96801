#pragma once
// The window's face and size. The twips layout was drawn for a small sans
// serif of Arial's widths; other faces (DejaVu Sans, the only one a bare
// Debian has) run wider, so the size is chosen at start-up to fit.
class QWidget;

namespace modLumentorMGW {

// Asks for Liberation Sans (Arial's widths; the package depends on it) or a
// face of the same widths, at the design size of 7.5 points.
void SetWindowFace(QWidget *window);

// Steps the window's size down until every caption and the widest entry of
// every list fit their controls, whatever face the system gave. Run once the
// lists are filled.
void FitWindowFont(QWidget *window);

} // namespace modLumentorMGW
