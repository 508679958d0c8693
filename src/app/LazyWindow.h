#pragma once

#include <functional>
#include <utility>

// A window built when it is first asked for: its widgets and fonts (a file dialog's file system
// model and threads too) are start-up time that a user who never uses it should not pay. Once
// built it lives as long as the window that is its parent, which owns it, and keeps its state (the
// folder and filter a user chose in a file dialog).
template<typename T>
class LazyWindow
{
public:
    explicit LazyWindow(std::function<T *()> make) : m_make(std::move(make)) {}
    LazyWindow(const LazyWindow &) = delete;
    LazyWindow &operator=(const LazyWindow &) = delete;

    T *get()
    {
        if (!m_window)
            m_window = m_make();
        return m_window;
    }
    T *operator->() { return get(); }

private:
    std::function<T *()> m_make;
    T *m_window = nullptr; // owned by its parent
};
