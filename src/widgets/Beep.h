#pragma once

#include <functional>

// The platform's default beep, behind a seam so tests can count refusals.
namespace Beep {
void beep();
// Replaces the sound with a callback (nullptr restores QApplication::beep()).
void setHandler(std::function<void()> handler);
} // namespace Beep
