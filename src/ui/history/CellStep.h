#pragma once
// One step of the edit history: the cells that one operator action changed,
// each with its value before and after. Only changed cells are kept, so a
// step costs a few bytes per cell, never a copy of the image.
#include "image/CellOwner.h"

#include <QUndoCommand>
#include <cstdint>
#include <vector>

struct CellChange {
    int32_t cell;   // storage index: bank + 2 * address
    int16_t before;
    int16_t after;
};

// Writes each change's value before back, the last change first.
void TakeBack(const std::vector<CellChange> &changes);

class CellStep : public QUndoCommand
{
public:
    CellStep(const QString &text, std::vector<CellChange> changes);

    void undo() override;
    void redo() override;

    // The point the step changed (the lowest one when it changed several),
    // and for a relay bitmap cell its node: what undoing it shows.
    modLumentorMGW::CellOwner Shown() const;
    const std::vector<CellChange> &Changes() const { return changes_; }

private:
    std::vector<CellChange> changes_;
    bool pushed_ = false;   // the first redo comes from the push: the cells are already written
};
