// The printout is taken from the ration model: its rows in order and its four totals in the texts
// the main window shows, with the user's decimal separator; the date is left to the job.

#include "print/PrintoutFromRation.h"
#include "ration/RationModel.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPrintoutFromRation : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndTotalsOfTheModel_data();
    void rowsAndTotalsOfTheModel();
};

void TestPrintoutFromRation::rowsAndTotalsOfTheModel_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("totals"); // belki, giri, uglev, kal

    // Every total differs from the others, so a total printed in another's place shows.
    QTest::newRow("point") << QChar(u'.') << QStringList{u"13.5"_s, u"22.9"_s, u"58.1"_s, u"486"_s};
    QTest::newRow("comma") << QChar(u',') << QStringList{u"13,5"_s, u"22,9"_s, u"58,1"_s, u"486"_s};
}

void TestPrintoutFromRation::rowsAndTotalsOfTheModel()
{
    QFETCH(QChar, separator);
    QFETCH(QStringList, totals);

    RationModel ration(separator);
    ration.append(u"Хлеб"_s, 100, {u"7,5"_s, u"2.9"_s, u"50,1"_s, u"250"_s, {}});
    ration.append(u"Сливки = 10%"_s, 200, {u"3"_s, u"10"_s, u"4"_s, u"118"_s, {}});
    ration.append(u"Порча"_s, 50, {u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}});
    ration.remove(2); // the totals are those of the rows that remain

    const RationPrintout printout = PrintoutFromRation(ration);
    QCOMPARE(printout.rows, (QStringList{u"Хлеб = 100"_s, u"Сливки = 10% = 200"_s}));
    QCOMPARE((QStringList{printout.belki, printout.giri, printout.uglev, printout.kal}), totals);
    QVERIFY(printout.date.isEmpty());
}

QTEST_GUILESS_MAIN(TestPrintoutFromRation)
#include "tst_printout_from_ration.moc"
