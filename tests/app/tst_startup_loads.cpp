// What starting costs: building and showing the windows loads no library the user has not asked
// for yet (each one is start-up time): no image format plugin, no SVG renderer, no printing
// library, no file dialog, no mass or print dialog.

#include "AppFixture.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStartupLoads : public QObject
{
    Q_OBJECT
private slots:
    void nothingUnaskedAtStart();
};

void TestStartupLoads::nothingUnaskedAtStart()
{
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s});
    app.start();
    QVERIFY(QTest::qWaitForWindowExposed(app.main.get()));
    QTest::qWait(50);

    QFile maps(u"/proc/self/maps"_s);
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray loaded = maps.readAll();
    for (const char *library : {"/imageformats/", "/iconengines/", "libQt6Svg", "libcups", "libQt6PrintSupport"})
        QVERIFY2(!loaded.contains(library), library);
    QVERIFY(app.main->findChildren<QFileDialog *>().isEmpty());
    QVERIFY(app.main->findChildren<QDialog *>().isEmpty());
}

QTEST_MAIN(TestStartupLoads)
#include "tst_startup_loads.moc"
