// The program started with arguments: --help and --version answer on standard output without a
// display, and an option it does not know ends it with a message on standard error, before any
// window. Qt's own options are Qt's. Without a display to show windows on, the program says so
// and stops, whatever else it was asked.

#include "startup/CommandLine.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(EDOKLAD_PROGRAM), arguments);
    Run result;
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        result.err = "did not end";
        return result;
    }
    result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.out = program.readAllStandardOutput();
    result.err = program.readAllStandardError();
    return result;
}

} // namespace

class TestProgramArguments : public QObject
{
    Q_OBJECT
private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void unknownOptionEndsBeforeAnyWindow_data();
    void unknownOptionEndsBeforeAnyWindow();
    void saysItNeedsADisplay_data();
    void saysItNeedsADisplay();
};

void TestProgramArguments::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{u"--help"_s};
    QTest::newRow("-h") << QStringList{u"-h"_s};
    QTest::newRow("--version") << QStringList{u"--version"_s};
    QTest::newRow("a file and -v") << QStringList{u"day.edk"_s, u"-v"_s};
}

void TestProgramArguments::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);

    const Run result = run(arguments, environment);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    const std::optional<QString> answer = CommandLine::answer(QStringList{u"edoklad"_s} + arguments);
    QVERIFY(answer);
    QCOMPARE(QString::fromUtf8(result.out), *answer);
}

void TestProgramArguments::unknownOptionEndsBeforeAnyWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("--day") << QStringList{u"--day"_s, u"day.edk"_s} << u"--day"_s;
    // -reverse is Qt's and is gone by the time the program reads its own.
    QTest::newRow("after Qt's -reverse") << QStringList{u"-reverse"_s, u"-x"_s} << u"-x"_s;
}

void TestProgramArguments::unknownOptionEndsBeforeAnyWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    const QTemporaryDir runtime; // made 0700, as Qt wants it
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());

    const Run result = run(arguments, environment);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QString::fromUtf8(result.err),
             u"edoklad: неизвестный параметр "_s + named + u"\nСправка: edoklad --help\n"_s);
}

void TestProgramArguments::saysItNeedsADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display"); // "none", "X gone" or "no compositor"

    QTest::newRow("no arguments") << QStringList{} << u"none"_s;
    QTest::newRow("an option it does not know") << QStringList{u"--bogus"_s} << u"none"_s;
    QTest::newRow("a file") << QStringList{u"day.edk"_s} << u"none"_s;
    QTest::newRow("a file address") << QStringList{u"file:///tmp/day.edk"_s} << u"none"_s;
    QTest::newRow("an X display that is gone") << QStringList{u"day.edk"_s} << u"X gone"_s;
    QTest::newRow("Wayland without a compositor") << QStringList{u"day.edk"_s} << u"no compositor"_s;
}

void TestProgramArguments::saysItNeedsADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    const QTemporaryDir runtime; // made 0700, as Qt wants it
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
    if (display == u"X gone"_s) {
        // A display number no server of this machine answers on.
        int number = 4713;
        while (QFileInfo::exists(u"/tmp/.X11-unix/X%1"_s.arg(number)))
            ++number;
        environment.insert(u"DISPLAY"_s, u":%1"_s.arg(number));
    } else if (display == u"no compositor"_s) {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        environment.insert(u"WAYLAND_DISPLAY"_s, u"edoklad-none"_s);
    }

    const Run result = run(arguments, environment);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    // Qt's warnings may say why first; the last word is the program's.
    QVERIFY2(result.err.endsWith(CommandLine::noDisplayError().toUtf8()), result.err.constData());
    QVERIFY2(!result.err.contains("platform plugin could be initialized"), result.err.constData());
}

QTEST_GUILESS_MAIN(TestProgramArguments)
#include "tst_program_arguments.moc"
