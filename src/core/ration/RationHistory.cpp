#include "ration/RationHistory.h"

using namespace Qt::StringLiterals;

namespace {
// A name of a catalogue line can be hundreds of characters: a menu item keeps the start.
constexpr qsizetype kNameLength = 40;

QString quoted(const RationRows &rows)
{
    QString name = rows.rows.isEmpty() ? QString() : rows.rows.first().name;
    if (name.size() > kNameLength)
        name = name.left(kNameLength - 1).trimmed() + u'…';
    return u"«"_s + name + u"»"_s;
}
} // namespace

RationHistory::RationHistory(int limit) : m_limit(std::size_t(limit > 0 ? limit : 1)) {}

void RationHistory::push(RationStep step)
{
    m_steps.erase(m_steps.begin() + std::ptrdiff_t(m_done), m_steps.end());
    m_steps.push_back(std::move(step));
    if (m_steps.size() > m_limit)
        m_steps.pop_front();
    m_done = m_steps.size();
}

void RationHistory::clear()
{
    m_steps.clear();
    m_done = 0;
}

const RationStep &RationHistory::undo()
{
    return m_steps[--m_done];
}

const RationStep &RationHistory::redo()
{
    return m_steps[m_done++];
}

QString RationHistory::describe(const RationStep &step)
{
    switch (step.kind) {
    case RationStep::Kind::Add:
        return u"добавление "_s + quoted(step.after);
    case RationStep::Kind::Remove:
        return u"удаление "_s + quoted(step.before);
    case RationStep::Kind::Clear:
        return u"очистка списка"_s;
    case RationStep::Kind::ChangeMass:
        return u"изменение массы "_s + quoted(step.before);
    }
    return {};
}

QString RationHistory::undoText() const
{
    return canUndo() ? u"Отменить: "_s + describe(undoStep()) : u"Отменить"_s;
}

QString RationHistory::redoText() const
{
    return canRedo() ? u"Повторить: "_s + describe(redoStep()) : u"Повторить"_s;
}
