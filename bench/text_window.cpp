// The second yardstick: the empty window with one line of text, so that the start-up figures show
// what any window that draws text pays (the font configuration, a font, shaping) over one that
// draws none.
#include <QApplication>
#include <QLabel>
#include <QShortcut>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("text window"));
    window.resize(520, 480);
    QLabel label(QStringLiteral("Категории продуктов"), &window);
    label.move(10, 10);
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Alt+X")), &window), &QShortcut::activated, &app,
                     &QCoreApplication::quit);
    window.show();
    return QApplication::exec();
}
