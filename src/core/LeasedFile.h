#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

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
    // nullptr where the file cannot be leased (another owner, a file system without leases, a
    // file open for writing elsewhere), cannot be mapped, or is empty (files under /proc have no
    // size but bytes to read): the caller reads it instead.
    [[nodiscard]] static std::shared_ptr<const LeasedFile> map(const QString &path, qsizetype maxBytes);

    LeasedFile(const LeasedFile &) = delete;
    LeasedFile &operator=(const LeasedFile &) = delete;
    ~LeasedFile();

    [[nodiscard]] QByteArrayView bytes() const { return {m_data, m_size}; }
    // True while the bytes are the file's pages, false once they were copied for a writer.
    [[nodiscard]] bool isMapped() const;

private:
    LeasedFile(int slot, const char *data, qsizetype size) : m_slot(slot), m_data(data), m_size(size) {}

    int m_slot;
    const char *m_data;
    qsizetype m_size;
};
