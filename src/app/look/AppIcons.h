#pragma once

#include <QIcon>
#include <QList>

// The program's image list: the pictures the menus show; and the application icon.
namespace AppIcons {
enum Index { Save, SaveAs, Open, Print, Exit, Delete, Clear, Norm, Count };

[[nodiscard]] QIcon icon(Index index);
[[nodiscard]] QList<QIcon> imageList();
// The program's own picture: its windows' icon, the same drawing as the installed one.
[[nodiscard]] QIcon applicationIcon();
} // namespace AppIcons
