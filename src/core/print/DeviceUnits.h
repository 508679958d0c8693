#pragma once

// Millimetres on paper to a printer's device dots, each axis at its own resolution.

struct PrinterResolution
{
    int x = 0; // dots per inch across the page
    int y = 0; // dots per inch down the page
};

// dots = RoundHalfUp(dots per inch / 25.4 * mm), in extended precision.
[[nodiscard]] int MillimetresToDeviceX(const PrinterResolution &resolution, int mm);
[[nodiscard]] int MillimetresToDeviceY(const PrinterResolution &resolution, int mm);
