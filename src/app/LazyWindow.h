#pragma once

#include <functional>
#include <memory>
#include <utility>

// A dialog built when it is first asked for: its widgets and fonts are start-up time that a user
// who never adds a product or prints should not pay. Once built it lives until this holder goes,
// which must be before the window that is its parent.
template<typename T>
class LazyWindow
{
public:
    explicit LazyWindow(std::function<std::unique_ptr<T>()> make) : m_make(std::move(make)) {}
    LazyWindow(const LazyWindow &) = delete;
    LazyWindow &operator=(const LazyWindow &) = delete;

    T *get()
    {
        if (!m_window)
            m_window = m_make();
        return m_window.get();
    }
    T *operator->() { return get(); }

    // nullptr until it is first asked for.
    [[nodiscard]] T *built() const { return m_window.get(); }

private:
    std::function<std::unique_ptr<T>()> m_make;
    std::unique_ptr<T> m_window;
};
