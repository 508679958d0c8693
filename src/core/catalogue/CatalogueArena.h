#pragma once

#include <QtGlobal>

#include <memory>

// One block of memory for the bytes of the category files that are read rather than mapped, taken
// from the system with all its pages at once: a full catalogue keeps some 10 MB, and pages touched
// one by one as files are read into them cost more than reading the files. Handed out in order;
// given back whole when the last category text that uses it goes.
class CatalogueArena
{
public:
    // nullptr when the system gives no such block.
    [[nodiscard]] static std::shared_ptr<CatalogueArena> create(qsizetype capacity);
    ~CatalogueArena();
    CatalogueArena(const CatalogueArena &) = delete;
    CatalogueArena &operator=(const CatalogueArena &) = delete;

    // size bytes not handed out before; nullptr when fewer are left.
    [[nodiscard]] char *take(qsizetype size);
    // The end of what was last taken goes back: a file is read with a byte to spare.
    void giveBackTail(qsizetype size);

private:
    CatalogueArena(char *data, qsizetype capacity) : m_data(data), m_capacity(capacity) {}

    char *m_data;
    qsizetype m_capacity;
    qsizetype m_used = 0;
};
