#pragma once

#include "files/FileDialog.h"

#include <functional>
#include <utility>

// A file dialog built when it is first asked for: each one costs start-up time (its views and the
// file system model with its threads) that a user who never saves or opens should not pay. Once
// built it lives as long as its window and keeps what the user chose in it (the folder, the filter).
class LazyFileDialog
{
public:
    explicit LazyFileDialog(std::function<FileDialog *()> make) : m_make(std::move(make)) {}

    FileDialog *operator->()
    {
        if (!m_dialog)
            m_dialog = m_make();
        return m_dialog;
    }

private:
    std::function<FileDialog *()> m_make;
    FileDialog *m_dialog = nullptr; // owned by the window
};
