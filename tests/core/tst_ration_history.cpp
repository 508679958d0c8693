#include "UserError.h"
#include "ration/RationHistory.h"
#include "ration/RationModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

ProductRecord product(const QString &belki, const QString &giri, const QString &uglev, const QString &kal)
{
    return ProductRecord{belki, giri, uglev, kal, QString()};
}

// Everything a view, a printout and a Save can read of the ration.
struct Snapshot
{
    QStringList shown;
    QList<QStringList> rows;
    QStringList totals;
    friend bool operator==(const Snapshot &a, const Snapshot &b)
    {
        return a.shown == b.shown && a.rows == b.rows && a.totals == b.totals;
    }
};

char *toString(const Snapshot &s)
{
    QStringList rows;
    for (const QStringList &row : s.rows)
        rows << row.join(u'|');
    return qstrdup((s.shown.join(u"; "_s) + u" / "_s + rows.join(u"; "_s) + u" / "_s + s.totals.join(u' '))
                       .toUtf8()
                       .constData());
}

Snapshot snapshot(const RationModel &model)
{
    Snapshot s;
    for (int i = 0; i < model.rowCount(); ++i)
        s.shown << model.data(model.index(i)).toString();
    for (int i = 0; i < model.count(); ++i) {
        const ProductRecord v = model.RationTable(i);
        s.rows << QStringList{model.name(i), model.grams(i), v.Belki, v.Giri, v.Uglev, v.Kal};
    }
    for (const auto t : {RationModel::Total::Belki, RationModel::Total::Giri, RationModel::Total::Uglev,
                         RationModel::Total::Kal})
        s.totals << model.totalText(t);
    return s;
}

// Rows as a file gives them: grams texts a dialog would not make, values with both separators.
const QList<RationRow> &dayRows()
{
    static const QList<RationRow> rows{
        {u"Хлеб"_s, u"0100"_s, product(u"7,5"_s, u"2.9"_s, u"50,1"_s, u"50.5"_s)},
        {u"Кефир 1%"_s, u"200"_s, product(u"3,2"_s, u"3,6"_s, u"4,8"_s, u"50,5"_s)},
        {u"Сыр = твёрдый"_s, u"30"_s, product(u"24"_s, u"29,5"_s, u"0,3"_s, u"0.04"_s)},
    };
    return rows;
}

using Step = std::function<void(RationModel &)>;

} // namespace

Q_DECLARE_METATYPE(Step)

class TestRationHistory : public QObject
{
    Q_OBJECT

private slots:
    void undoAndRedoRestoreExactly_data();
    void undoAndRedoRestoreExactly();
    void undoAllThenRedoAll();
    void newStepDropsWhatWasUndone();
    void openStartsFreshHistory();
    void setMassKeepsRowAndPlace();
    void setMassOutOfRangeChangesNothing();
    void menuTexts();
    void oldestStepsGoBeyondTheLimit();
    void viewSeesConsistentUndo();
};

void TestRationHistory::undoAndRedoRestoreExactly_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("undoText");

    const ProductRecord milk = product(u"3,2"_s, u"3.6"_s, u"4,8"_s, u"64"_s);
    QTest::newRow("add") << Step([milk](RationModel &m) { m.append(u"Молоко"_s, 250, milk); })
                         << u"Отменить: добавление «Молоко»"_s;
    QTest::newRow("remove first") << Step([](RationModel &m) { m.remove(0); }) << u"Отменить: удаление «Хлеб»"_s;
    QTest::newRow("remove middle") << Step([](RationModel &m) { m.remove(1); })
                                   << u"Отменить: удаление «Кефир 1%»"_s;
    QTest::newRow("remove last") << Step([](RationModel &m) { m.remove(2); })
                                 << u"Отменить: удаление «Сыр = твёрдый»"_s;
    QTest::newRow("clear") << Step([](RationModel &m) { m.clear(); }) << u"Отменить: очистка списка"_s;
    QTest::newRow("mass of a file's grams text")
        << Step([](RationModel &m) { m.setMass(0, 150); }) << u"Отменить: изменение массы «Хлеб»"_s;
    QTest::newRow("mass of the last row") << Step([](RationModel &m) { m.setMass(2, 20000); })
                                          << u"Отменить: изменение массы «Сыр = твёрдый»"_s;
}

void TestRationHistory::undoAndRedoRestoreExactly()
{
    QFETCH(Step, step);
    QFETCH(QString, undoText);

    RationModel model(u',');
    model.replace(dayRows());
    const Snapshot before = snapshot(model);
    step(model);
    const Snapshot after = snapshot(model);
    QVERIFY(!(after == before));
    QCOMPARE(model.history().undoText(), undoText);

    model.undo();
    QCOMPARE(snapshot(model), before);
    QVERIFY(!model.history().canUndo());
    QCOMPARE(model.history().redoText(), u"Повторить: "_s + undoText.mid(u"Отменить: "_s.size()));

    model.redo();
    QCOMPARE(snapshot(model), after);
    QVERIFY(!model.history().canRedo());
}

void TestRationHistory::undoAllThenRedoAll()
{
    // Steps that shift each other's rows, taken back and done again in order.
    RationModel model(u'.');
    QList<Snapshot> states{snapshot(model)};
    const ProductRecord v = product(u"1,5"_s, u"0.25"_s, u"10"_s, u"33,3"_s);
    const QList<Step> steps{
        [&](RationModel &m) { m.append(u"А"_s, 100, v); },  [&](RationModel &m) { m.append(u"Б"_s, 3, v); },
        [&](RationModel &m) { m.append(u"В"_s, 7, v); },    [](RationModel &m) { m.remove(1); },
        [](RationModel &m) { m.setMass(1, 17); },           [](RationModel &m) { m.clear(); },
        [&](RationModel &m) { m.append(u"Г"_s, 1, v); },    [](RationModel &m) { m.remove(0); },
    };
    for (const Step &step : steps) {
        step(model);
        states << snapshot(model);
    }
    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        model.undo();
        QCOMPARE(snapshot(model), states[i]);
    }
    model.undo(); // nothing left: no change
    QCOMPARE(snapshot(model), states.first());
    for (qsizetype i = 1; i < states.size(); ++i) {
        model.redo();
        QCOMPARE(snapshot(model), states[i]);
    }
}

void TestRationHistory::newStepDropsWhatWasUndone()
{
    RationModel model(u',');
    model.replace(dayRows());
    model.remove(0);
    model.remove(0);
    model.undo();
    model.setMass(0, 5);
    QVERIFY(!model.history().canRedo());
    QCOMPARE(model.history().undoCount(), 2);
    // Steps that change nothing are not steps.
    model.setMass(0, 5);
    model.remove(7);
    QCOMPARE(model.history().undoCount(), 2);
}

void TestRationHistory::openStartsFreshHistory()
{
    RationModel model(u',');
    model.append(u"Хлеб"_s, 100, dayRows()[0].values);
    model.remove(0);
    model.undo();

    // A file that fails changes nothing, its history neither.
    QList<RationRow> bad = dayRows();
    bad[1].values.Kal = u"x"_s;
    QVERIFY_THROWS_EXCEPTION(UserError, model.replace(bad));
    QVERIFY(model.history().canUndo() && model.history().canRedo());

    model.replace(dayRows());
    QVERIFY(!model.history().canUndo());
    QVERIFY(!model.history().canRedo());
    const Snapshot opened = snapshot(model);
    model.undo();
    model.redo();
    QCOMPARE(snapshot(model), opened);
}

void TestRationHistory::setMassKeepsRowAndPlace()
{
    // The row at its new mass is the row that mass would have been appended as.
    RationModel changed(u',');
    RationModel appended(u',');
    changed.replace(dayRows());
    for (int i = 0; i < 3; ++i) {
        const RationRow &row = dayRows()[i];
        appended.append(row.name, i == 1 ? 75 : row.grams.toInt(), row.values);
    }
    changed.setMass(1, 75);
    QCOMPARE(changed.rowText(1), u"Кефир 1% = 75"_s);
    QCOMPARE(changed.RationTable(1), dayRows()[1].values);
    QCOMPARE(changed.name(0), dayRows()[0].name);
    QCOMPARE(changed.grams(0), u"0100"_s); // other rows keep their texts
    QCOMPARE(snapshot(changed).totals, snapshot(appended).totals);
}

void TestRationHistory::setMassOutOfRangeChangesNothing()
{
    // 1e37 per 100 g fits at 100 g, but not at 20000 g.
    RationModel model(u',');
    model.append(u"Хлеб"_s, 100, product(u"1"_s, u"1"_s, u"1"_s, u"1e37"_s));
    const Snapshot before = snapshot(model);
    QVERIFY_THROWS_EXCEPTION(UserError, model.setMass(0, 20000));
    QCOMPARE(snapshot(model), before);
    QCOMPARE(model.history().undoCount(), 1);
}

void TestRationHistory::menuTexts()
{
    RationModel model(u',');
    QCOMPARE(model.history().undoText(), u"Отменить"_s);
    QCOMPARE(model.history().redoText(), u"Повторить"_s);

    // A catalogue line's name can be long: the item keeps its start.
    const QString longName = QString(300, u'Щ');
    model.append(longName, 1, dayRows()[0].values);
    const QString text = model.history().undoText();
    QVERIFY2(text.size() < 80, qPrintable(text));
    QVERIFY(text.startsWith(u"Отменить: добавление «ЩЩЩ"_s));
    QVERIFY(text.endsWith(u"…»"_s));
}

void TestRationHistory::oldestStepsGoBeyondTheLimit()
{
    RationHistory history(3);
    for (int i = 0; i < 5; ++i)
        history.push({RationStep::Kind::Remove, i, {}, {}});
    QCOMPARE(history.undoCount(), 3);
    QCOMPARE(history.undo().at, 4);
    QCOMPARE(history.undo().at, 3);
    QCOMPARE(history.undo().at, 2);
    QVERIFY(!history.canUndo());
    QCOMPARE(history.redoCount(), 3);

    RationModel model(u',');
    for (int i = 0; i < RationHistory::DefaultLimit + 5; ++i) {
        model.append(u"Хлеб"_s, 1, dayRows()[0].values);
        model.remove(0);
    }
    QCOMPARE(model.history().undoCount(), RationHistory::DefaultLimit);
}

void TestRationHistory::viewSeesConsistentUndo()
{
    RationModel model(u',');
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.replace(dayRows());
    model.remove(1);
    model.clear();
    model.undo();
    model.undo();
    model.setMass(2, 9);
    model.undo();
    model.redo();
    model.remove(0);
    model.remove(0);
    model.remove(0);
    for (int i = 0; i < 4; ++i)
        model.undo();
    QCOMPARE(model.rowCount(), 3);
    for (int i = 0; i < 4; ++i)
        model.redo();
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(model.isEmpty());
}

QTEST_GUILESS_MAIN(TestRationHistory)
#include "tst_ration_history.moc"
