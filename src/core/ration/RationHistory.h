#pragma once

#include "ration/RationStep.h"

#include <QString>

#include <cstddef>
#include <deque>

// The changes of the ration that can be taken back and done again, oldest first. A new change
// drops whatever was undone; beyond the limit the oldest change goes.
class RationHistory
{
public:
    static constexpr int DefaultLimit = 10000;

    explicit RationHistory(int limit = DefaultLimit);

    void push(RationStep step);
    void clear();

    [[nodiscard]] bool canUndo() const { return m_done > 0; }
    [[nodiscard]] bool canRedo() const { return m_done < m_steps.size(); }
    [[nodiscard]] int undoCount() const { return int(m_done); }
    [[nodiscard]] int redoCount() const { return int(m_steps.size() - m_done); }
    // The step undo or redo would apply; only while canUndo() or canRedo().
    [[nodiscard]] const RationStep &undoStep() const { return m_steps[m_done - 1]; }
    [[nodiscard]] const RationStep &redoStep() const { return m_steps[m_done]; }
    // Moves one step back or forth and returns that step, for the ration to apply.
    const RationStep &undo();
    const RationStep &redo();

    // The menu items' texts: "Отменить" alone when there is nothing to undo, else naming the step.
    [[nodiscard]] QString undoText() const;
    [[nodiscard]] QString redoText() const;
    // "удаление «Кефир 1%»" and the like; a long name is shortened.
    [[nodiscard]] static QString describe(const RationStep &step);

private:
    std::deque<RationStep> m_steps;
    std::size_t m_done = 0; // m_steps[0, m_done) can be undone, the rest redone
    std::size_t m_limit;
};
