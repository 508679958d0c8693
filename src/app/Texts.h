#pragma once

#include <QString>

// Interface texts shared by several windows.
namespace Texts {
[[nodiscard]] inline QString applicationTitle()
{
    return QStringLiteral("Программа расчета калорийности питания");
}
} // namespace Texts
