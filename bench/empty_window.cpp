// The yardstick for start-up figures: a Qt program that shows one empty window and ends on Alt+X.
#include <QApplication>
#include <QShortcut>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty window"));
    window.resize(520, 480);
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Alt+X")), &window), &QShortcut::activated, &app,
                     &QCoreApplication::quit);
    window.show();
    return QApplication::exec();
}
