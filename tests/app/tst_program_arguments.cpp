// The program started with arguments: --help and --version answer on standard output without a
// display, and an option it does not know ends it with a message on standard error, before any
// window. Qt's own options are Qt's.

#include "startup/CommandLine.h"

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

QTEST_GUILESS_MAIN(TestProgramArguments)
#include "tst_program_arguments.moc"
