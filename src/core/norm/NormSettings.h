#pragma once

#include "norm/DailyNorm.h"
#include "norm/NormCalculator.h"

#include <QString>

// The only settings the program keeps between runs: the norm and the calculator's inputs, in an
// INI file. A file that cannot be read or holds anything but sound numbers gives no norm (and the
// calculator's defaults); the file is only ever replaced whole.
struct NormSettings
{
    DailyNorm norm;
    BodyInputs body;
};

// $XDG_CONFIG_HOME/edoklad/edoklad.conf (or the platform's own place for it).
[[nodiscard]] QString NormSettingsPath();

[[nodiscard]] NormSettings LoadNormSettings(const QString &path);

// Creates the folder if needed; false when the file could not be written (it is then as it was).
[[nodiscard]] bool SaveNormSettings(const QString &path, const NormSettings &settings);
