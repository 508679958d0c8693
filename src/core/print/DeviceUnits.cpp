#include "DeviceUnits.h"

#include "Numbers.h"

namespace {
int toDots(int dotsPerInch, int mm)
{
    const long double dots = static_cast<long double>(dotsPerInch) * (1.0L / 25.4L) * static_cast<long double>(mm);
    return RoundHalfUp(static_cast<double>(dots));
}
} // namespace

int MillimetresToDeviceX(const PrinterResolution &resolution, int mm)
{
    return toDots(resolution.x, mm);
}

int MillimetresToDeviceY(const PrinterResolution &resolution, int mm)
{
    return toDots(resolution.y, mm);
}
