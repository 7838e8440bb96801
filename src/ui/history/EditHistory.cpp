#include "ui/history/EditHistory.h"

using namespace modLumentorMGW;

EditHistory::EditHistory(QObject *parent)
    : QObject(parent)
{
    stack_.setUndoLimit(StepLimit);
    AddCellObserver(this);
}

EditHistory::~EditHistory()
{
    RemoveCellObserver(this);
    stack_.blockSignals(true);   // its clear on the way out must not reach a window being torn down
}

void EditHistory::Begin(const QString &text)
{
    if (depth_++ == 0 && mode_ == Mode::Recording)
        text_ = text;
}

void EditHistory::End()
{
    if (depth_ == 0 || --depth_ != 0 || mode_ != Mode::Recording)
        return;
    std::vector<CellChange> changes;
    for (const CellChange &change : pending_) {
        if (change.before != change.after)   // written and written back: no change
            changes.push_back(change);
    }
    pending_.clear();
    pendingAt_.clear();
    if (!changes.empty())
        stack_.push(new CellStep(text_, std::move(changes)));
}

const CellStep *EditHistory::Undo()
{
    if (depth_ != 0 || !stack_.canUndo())
        return nullptr;
    const auto *step = static_cast<const CellStep *>(stack_.command(stack_.index() - 1));
    mode_ = Mode::Replaying;
    stack_.undo();
    mode_ = Mode::Recording;
    return step;
}

const CellStep *EditHistory::Redo()
{
    if (depth_ != 0 || !stack_.canRedo())
        return nullptr;
    const auto *step = static_cast<const CellStep *>(stack_.command(stack_.index()));
    mode_ = Mode::Replaying;
    stack_.redo();
    mode_ = Mode::Recording;
    return step;
}

void EditHistory::BeginRedraw()
{
    mode_ = Mode::Redrawing;
}

void EditHistory::EndRedraw()
{
    mode_ = Mode::Replaying;
    TakeBack(pending_);
    pending_.clear();
    pendingAt_.clear();
    mode_ = Mode::Recording;
}

void EditHistory::Clear(bool saved)
{
    stack_.clear();
    if (!saved)
        stack_.resetClean();
}

void EditHistory::CellWritten(int16_t bank, int32_t address, int16_t before, int16_t after)
{
    if (mode_ == Mode::Replaying || (mode_ == Mode::Recording && depth_ == 0))
        return;
    Note(bank + 2 * address, before, after);
}

// A cell written twice in one step keeps its first value before and its last after.
void EditHistory::Note(int32_t cell, int16_t before, int16_t after)
{
    const auto found = pendingAt_.find(cell);
    if (found != pendingAt_.end()) {
        pending_[found->second].after = after;
        return;
    }
    pendingAt_.emplace(cell, pending_.size());
    pending_.push_back({cell, before, after});
}
