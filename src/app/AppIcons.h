#pragma once

#include <QIcon>
#include <QList>

// The program's image list: the seven pictures the menus show.
namespace AppIcons {
enum Index { Save, SaveAs, Open, Print, Exit, Delete, Clear, Count };

[[nodiscard]] QIcon icon(Index index);
[[nodiscard]] QList<QIcon> imageList();
} // namespace AppIcons
