#pragma once
// The history of edits: every cell written through ImageSet while an
// operator's event runs is recorded, and the whole event (with the stores
// its redraw makes) becomes one undo step. The editing handlers know
// nothing of it.
#include "image/CellObserver.h"
#include "ui/history/CellStep.h"

#include <QObject>
#include <QUndoStack>
#include <unordered_map>

class EditHistory : public QObject, public modLumentorMGW::CellObserver
{
public:
    explicit EditHistory(QObject *parent = nullptr);
    ~EditHistory() override;

    static constexpr int StepLimit = 1000;

    QUndoStack &Stack() { return stack_; }

    // An operator's event. Events nest (a redraw runs other handlers): the
    // outermost one names the step, and the step is kept when it ends,
    // if it changed any cell.
    void Begin(const QString &text);
    void End();

    // Undo or redo one step; the step, or null when there was none.
    const CellStep *Undo();
    const CellStep *Redo();

    // While the window shows an undone or redone step: the redraw's stores
    // are taken back at the end, so only the step's own cells change.
    void BeginRedraw();
    void EndRedraw();

    // The image was replaced as a whole. `saved`: it matches its file.
    void Clear(bool saved);

    void CellWritten(int16_t bank, int32_t address, int16_t before, int16_t after) override;

private:
    enum class Mode { Recording, Replaying, Redrawing };

    void Note(int32_t cell, int16_t before, int16_t after);

    QUndoStack stack_;
    Mode mode_ = Mode::Recording;
    int depth_ = 0;
    QString text_;
    std::vector<CellChange> pending_;
    std::unordered_map<int32_t, std::size_t> pendingAt_;   // cell -> its entry in pending_
};
