#pragma once
// Lists raise their event when the program or the operator changes the
// selection, never while they are filled or cleared. QComboBox signals a
// clear and selects the first entry added to an empty box, so fills run with
// signals blocked and leave the list with no selection: the first selection
// after a fill then raises exactly one event.
#include <QStringList>

class QComboBox;

namespace modLumentorMGW {

// Replaces the entries; the list ends with no selection and nothing raised.
void FillList(QComboBox *list, const QStringList &entries);

// Shows a cell value. A value the list has no entry for (only a loaded file
// or an upload can hold one) shows no selection, raises nothing, and so
// never writes the cell back.
void SetListIndex(QComboBox *list, int value);

} // namespace modLumentorMGW
