#include "startup/CommandLine.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersHelpAndVersion_data();
    void answersHelpAndVersion();
    void namesTheFileToOpen_data();
    void namesTheFileToOpen();
};

void TestCommandLine::answersHelpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("answer"); // "help", "version" or "" for none

    QTest::newRow("--help") << QStringList{u"--help"_s} << u"help"_s;
    QTest::newRow("-h") << QStringList{u"-h"_s} << u"help"_s;
    QTest::newRow("-?") << QStringList{u"-?"_s} << u"help"_s;
    QTest::newRow("--version") << QStringList{u"--version"_s} << u"version"_s;
    QTest::newRow("-v") << QStringList{u"-v"_s} << u"version"_s;
    // Seen before Qt has taken its own options out.
    QTest::newRow("among Qt's options")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"--help"_s} << u"help"_s;
    QTest::newRow("beside a file") << QStringList{u"day.edk"_s, u"--version"_s} << u"version"_s;
    QTest::newRow("Qt's -reverse is not -v") << QStringList{u"-reverse"_s} << QString();
    QTest::newRow("Qt's -style, a word") << QStringList{u"-style"_s, u"fusion"_s} << QString();
    QTest::newRow("nothing") << QStringList{} << QString();
    QTest::newRow("a file") << QStringList{u"day.edk"_s} << QString();
    QTest::newRow("a file called --help") << QStringList{u"--"_s, u"--help"_s} << QString();
}

void TestCommandLine::answersHelpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, answer);
    arguments.prepend(u"edoklad"_s);

    const std::optional<QString> text = CommandLine::answer(arguments);
    if (answer.isEmpty()) {
        QVERIFY2(!text, qPrintable(text.value_or(QString())));
    } else if (answer == u"help"_s) {
        QVERIFY(text);
        QVERIFY2(text->startsWith(u"Использование: edoklad [ФАЙЛ]\n"_s), qPrintable(*text));
        QVERIFY(text->contains(u"--version"_s));
        QVERIFY(text->endsWith(u'\n'));
    } else {
        QVERIFY(text);
        QVERIFY2(QRegularExpression(u"^edoklad \\d+\\.\\d+(\\.\\d+)?\\n$"_s).match(*text).hasMatch(),
                 qPrintable(*text));
    }
}

void TestCommandLine::namesTheFileToOpen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");    // expected, relative to the working folder unless absolute
    QTest::addColumn<QString>("warning"); // for the window
    QTest::addColumn<QString>("unknown"); // the option the error names

    const QString many = u"Указано больше одного файла рациона, файлы не открыты"_s;
    const QString notHere = u"Файл рациона можно открыть только на этом компьютере, адрес не открыт: "_s;

    QTest::newRow("nothing") << QStringList{} << QString() << QString() << QString();
    QTest::newRow("relative") << QStringList{u"day.edk"_s} << u"day.edk"_s << QString() << QString();
    QTest::newRow("relative, through folders")
        << QStringList{u"./week/../day.edk"_s} << u"day.edk"_s << QString() << QString();
    QTest::newRow("Cyrillic, blanks") << QStringList{u"мой день.edk"_s} << u"мой день.edk"_s << QString()
                                      << QString();
    QTest::newRow("absolute") << QStringList{u"/var/days/day.edk"_s} << u"/var/days/day.edk"_s << QString()
                              << QString();
    QTest::newRow("after --, a dash") << QStringList{u"--"_s, u"-day.edk"_s} << u"-day.edk"_s << QString()
                                      << QString();
    QTest::newRow("a lone dash is a name") << QStringList{u"-"_s} << u"-"_s << QString() << QString();
    QTest::newRow("-- alone") << QStringList{u"--"_s} << QString() << QString() << QString();
    QTest::newRow("two files") << QStringList{u"a.edk"_s, u"b.edk"_s} << QString() << many << QString();
    QTest::newRow("three files") << QStringList{u"a.edk"_s, u"--"_s, u"b.edk"_s, u"c.edk"_s} << QString() << many
                                 << QString();
    QTest::newRow("unknown long option") << QStringList{u"--day"_s} << QString() << QString() << u"--day"_s;
    QTest::newRow("unknown, with a value") << QStringList{u"-day=1"_s} << QString() << QString() << u"-day"_s;
    QTest::newRow("unknown beside a file")
        << QStringList{u"day.edk"_s, u"-x"_s} << QString() << QString() << u"-x"_s;

    // Addresses, as file managers pass them.
    QTest::newRow("file address") << QStringList{u"file:///var/days/day.edk"_s} << u"/var/days/day.edk"_s
                                  << QString() << QString();
    QTest::newRow("file address, percent-encoded")
        << QStringList{u"file:///var/%D0%BC%D0%BE%D0%B9%20%D0%B4%D0%B5%D0%BD%D1%8C%2350%25.edk"_s}
        << u"/var/мой день#50%.edk"_s << QString() << QString();
    QTest::newRow("file address of localhost, in capitals")
        << QStringList{u"FILE://localhost/var/days/day.edk"_s} << u"/var/days/day.edk"_s << QString() << QString();
    QTest::newRow("a colon in a name is no address")
        << QStringList{u"day:2.edk"_s} << u"day:2.edk"_s << QString() << QString();
    QTest::newRow("file of another computer")
        << QStringList{u"file://server/days/day.edk"_s} << QString() << notHere + u"file://server/days/day.edk"_s
        << QString();
    QTest::newRow("sftp address") << QStringList{u"sftp://host/home/me/day.edk"_s} << QString()
                                  << notHere + u"sftp://host/home/me/day.edk"_s << QString();
    QTest::newRow("an address among two files")
        << QStringList{u"file:///var/a.edk"_s, u"b.edk"_s} << QString() << many << QString();
}

void TestCommandLine::namesTheFileToOpen()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, warning);
    QFETCH(QString, unknown);
    arguments.prepend(u"edoklad"_s);

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const CommandLine::Parsed parsed = CommandLine::parse(arguments);
    QDir::setCurrent(previous);

    const QString expectedFile =
        file.isEmpty() || file.startsWith(u'/') ? file : QDir(dir.path()).absoluteFilePath(file);
    QCOMPARE(parsed.request.file, expectedFile);
    QCOMPARE(parsed.request.warning, warning);
    if (unknown.isEmpty())
        QCOMPARE(parsed.error, QString());
    else
        QCOMPARE(parsed.error, u"edoklad: неизвестный параметр "_s + unknown + u"\nСправка: edoklad --help\n"_s);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
