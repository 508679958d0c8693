#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <memory>

// Address space for the mappings of several files, taken at once and given back in one piece
// when the last file mapped in it goes: each unmapping interrupts every processor the program has
// run on, and doing that once per file costs more time than the mapping saves.
class MappingRoom
{
public:
    // Room for files of these sizes; nullptr when the system gives none.
    [[nodiscard]] static std::shared_ptr<MappingRoom> reserve(const QList<qsizetype> &sizes);
    ~MappingRoom();
    MappingRoom(const MappingRoom &) = delete;
    MappingRoom &operator=(const MappingRoom &) = delete;

    // Whole pages for a file of size bytes, not handed out before; nullptr when fewer are left.
    [[nodiscard]] char *take(qsizetype size);

private:
    MappingRoom(char *data, size_t length) : m_data(data), m_length(length) {}

    char *m_data;
    size_t m_length;
    size_t m_used = 0;
};

// The bytes of a small regular file, mapped read-only instead of copied: they are the page
// cache's, not the program's own memory, and nothing is read twice. The same checks as
// ReadRegularFile (regular files only, opened without blocking, at most maxBytes).
//
// A mapping shows what the file holds now, so the file is held by a read lease: anyone opening
// it for writing or truncating it waits until the lease is released and the system tells us
// first. On that notice the mapped bytes are copied into the program's own memory at the same
// address and the lease is released: the bytes never change under a reader, and a writer waits
// only for the copy.
class LeasedFile
{
public:
    // Mapped in room. nullptr where the file cannot be leased (another owner, a file system without
    // leases, a file open for writing elsewhere), cannot be mapped, has no room left (it grew since
    // the room was sized) or is empty (files under /proc have no size but bytes to read): the
    // caller reads it instead.
    [[nodiscard]] static std::shared_ptr<const LeasedFile> map(const QString &path, qsizetype maxBytes,
                                                               const std::shared_ptr<MappingRoom> &room);

    LeasedFile(const LeasedFile &) = delete;
    LeasedFile &operator=(const LeasedFile &) = delete;
    ~LeasedFile();

    [[nodiscard]] QByteArrayView bytes() const { return {m_data, m_size}; }

private:
    LeasedFile(int slot, const char *data, qsizetype size, std::shared_ptr<MappingRoom> room)
        : m_slot(slot), m_data(data), m_size(size), m_room(std::move(room))
    {
    }

    int m_slot;
    const char *m_data;
    qsizetype m_size;
    std::shared_ptr<MappingRoom> m_room; // the pages stay mapped until the room goes
};
