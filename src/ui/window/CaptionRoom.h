#pragma once
// Where the style draws a control's caption, to tell whether it is cut:
// the caption of a check box, option button, push button, label or frame,
// or the widest entry of a list (not the port box, which shortens its
// entries to fit), with the room the control gives it.
#include <QStringList>

class QWidget;

namespace modLumentorMGW {

// Every control of `window` whose caption does not fit, in the control's own
// font: "name: "caption" (needs W x H, has W x H)".
QStringList CutCaptions(const QWidget *window);

} // namespace modLumentorMGW
