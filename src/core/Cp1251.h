#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1251, the code page of the catalogue and ration files; the one place that converts it.
// Every byte round-trips: 0x98, which the code page leaves unassigned, decodes to U+0098 and back.
namespace Cp1251 {
[[nodiscard]] QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become '?'.
[[nodiscard]] QByteArray encode(QStringView text);
} // namespace Cp1251
