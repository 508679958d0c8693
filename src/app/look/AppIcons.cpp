#include "look/AppIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources of a static library are not registered by themselves.
static void initIconResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(icons);
        done = true;
    }
}

namespace {
const char *const kFiles[AppIcons::Count] = {"save", "saveas", "open", "print", "exit", "delete", "clear"};

// Rendered once at 16 x 16 (and twice that for high-density screens) so no image plugin is needed.
QIcon render(const QString &path, std::initializer_list<int> sizes = {16, 32})
{
    QSvgRenderer renderer(path);
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

QIcon AppIcons::icon(Index index)
{
    static QList<QIcon> icons = [] {
        initIconResources();
        QList<QIcon> list;
        for (const char *name : kFiles)
            list.append(render(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))));
        return list;
    }();
    return icons.value(index);
}

QIcon AppIcons::applicationIcon()
{
    initIconResources();
    return render(QStringLiteral(":/icons/edoklad.svg"), {16, 24, 32, 48, 64, 128});
}

QList<QIcon> AppIcons::imageList()
{
    QList<QIcon> list;
    for (int i = 0; i < Count; ++i)
        list.append(icon(Index(i)));
    return list;
}
