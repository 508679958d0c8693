#include "catalogue/CatalogueArena.h"

#include <sys/mman.h>

std::shared_ptr<CatalogueArena> CatalogueArena::create(qsizetype capacity)
{
    if (capacity <= 0)
        return nullptr;
    void *data = ::mmap(nullptr, size_t(capacity), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE,
                        -1, 0);
    if (data == MAP_FAILED)
        return nullptr;
    return std::shared_ptr<CatalogueArena>(new CatalogueArena(static_cast<char *>(data), capacity));
}

CatalogueArena::~CatalogueArena()
{
    ::munmap(m_data, size_t(m_capacity));
}

char *CatalogueArena::take(qsizetype size)
{
    if (size < 0 || size > m_capacity - m_used)
        return nullptr;
    char *room = m_data + m_used;
    m_used += size;
    return room;
}

void CatalogueArena::giveBackTail(qsizetype size)
{
    m_used -= qMin(size, m_used);
}
