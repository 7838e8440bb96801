#include "ui/history/CellStep.h"

#include "image/ConfigImage.h"

using namespace modLumentorMGW;

namespace {
// Through ImageSet, so that whoever follows the image sees the restored cells.
void write(int32_t cell, int16_t value)
{
    ImageSet(int16_t(cell % 2), cell / 2, value);
}
} // namespace

void TakeBack(const std::vector<CellChange> &changes)
{
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        write(change->cell, change->before);
}

CellStep::CellStep(const QString &text, std::vector<CellChange> changes)
    : QUndoCommand(text), changes_(std::move(changes))
{
}

void CellStep::undo()
{
    TakeBack(changes_);
}

void CellStep::redo()
{
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    for (const CellChange &change : changes_)
        write(change.cell, change.after);
}

CellOwner CellStep::Shown() const
{
    CellOwner shown;
    for (const CellChange &change : changes_) {
        const CellOwner owner = OwnerOfCell(int16_t(change.cell % 2), change.cell / 2);
        if (owner.point >= 0 && (shown.point < 0 || owner.point < shown.point))
            shown = owner;
    }
    return shown;
}
