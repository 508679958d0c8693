// A ration file named on the command line: opened once the first activation has loaded the
// catalogue, exactly as "Открыть" opens the same file, and Save then writes to it.

#include "RationFileSteps.h"
#include "startup/StartRequest.h"

#include <QStringEncoder>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;

namespace {

// Its second category file is missing: every start shows that warning first, then the boxes the
// request is to give.
void startWithCatalogue(AppFixture &app, const StartRequest &request = {}, int requestBoxes = 0)
{
    app.expectBoxes(1 + requestBoxes);
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"nuts.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.start(request);
    FileDialog::clearNextFileNames();
}

const QString CatalogueWarning = u"Ошибка окрытия файла files/nuts.txt\n"_s;

QStringList boxes(const AppFixture &app)
{
    QStringList texts;
    for (const RecordedBox &box : app.boxes)
        texts << (box.kind == UserError::Kind::Warning ? u"warning: "_s : u"error: "_s) + box.text;
    return texts;
}

struct Outcome {
    QStringList boxes;
    QStringList state;
};

Outcome fromCommandLine(const QString &path, int openBoxes)
{
    AppFixture app;
    startWithCatalogue(app, StartRequest{path, {}}, openBoxes);
    return {boxes(app), state(app)};
}

Outcome fromMenu(const QString &path, int openBoxes)
{
    AppFixture app;
    startWithCatalogue(app);
    FileDialog::setNextFileName(path);
    app.expectBoxes(openBoxes);
    open(app);
    return {boxes(app), state(app)};
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStartRequest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileDialog::clearNextFileNames(); }

    void opensAsOpenDoes_data();
    void opensAsOpenDoes();
    void saveWritesToTheOpenedFile();
    void warningInPlaceOfAFile();
    void nothingOpenedWhenTheProgramEnds();
};

void TestStartRequest::opensAsOpenDoes_data()
{
    QTest::addColumn<QString>("kind"); // of the path: a file, a folder or nothing
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opened");

    QByteArray tooLong;
    for (int i = 0; i <= 1024; ++i)
        tooLong += "X:1:1:1:1:1:\r\n";
    QTest::newRow("a ration") << u"file"_s << fixture("three_rows.edk") << true;
    QTest::newRow("an empty ration") << u"file"_s << QByteArray() << true;
    QTest::newRow("a value that is not a number")
        << u"file"_s << QByteArray(QStringEncoder("windows-1251").encode(u"Мёд:30:abc:0:81.5:329:"_s)) << false;
    QTest::newRow("more rows than a ration holds") << u"file"_s << tooLong << false;
    QTest::newRow("missing") << u"none"_s << QByteArray() << false;
    QTest::newRow("a folder") << u"folder"_s << QByteArray() << false;
}

void TestStartRequest::opensAsOpenDoes()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opened);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"мой день.edk"_s);
    if (kind == u"file"_s)
        writeBytes(path, bytes);
    else if (kind == u"folder"_s)
        QVERIFY(QDir(dir.path()).mkdir(u"мой день.edk"_s));

    const Outcome byCommandLine = fromCommandLine(path, opened ? 0 : 1);
    const Outcome byMenu = fromMenu(path, opened ? 0 : 1);
    // The catalogue's warning first, then the same messages and the same ration as Open gives.
    QCOMPARE(byCommandLine.boxes.value(0), u"warning: "_s + CatalogueWarning);
    QCOMPARE(byCommandLine.boxes, byMenu.boxes);
    QCOMPARE(byCommandLine.state, byMenu.state);
    QCOMPARE(byCommandLine.boxes.size(), opened ? 1 : 2);
    QCOMPARE(byCommandLine.state.mid(byCommandLine.state.size() - 2),
             (QStringList{opened ? path : QString(), opened ? u"Save on"_s : u"Save off"_s}));
}

void TestStartRequest::saveWritesToTheOpenedFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    writeBytes(path, fixture("two_rows.edk"));
    AppFixture app;
    startWithCatalogue(app, StartRequest{path, {}});
    QCOMPARE(app.main->ration()->count(), 2);

    addMyod(app);
    save(app); // no dialog is answered: none may open
    QCOMPARE(bytesOf(path), fixture("three_rows.edk"));
    QCOMPARE(app.main->CurrentFileName(), path);
    QCOMPARE(boxes(app), QStringList{u"warning: "_s + CatalogueWarning});
}

void TestStartRequest::warningInPlaceOfAFile()
{
    AppFixture app;
    startWithCatalogue(app, StartRequest{{}, u"Указано больше одного файла рациона, файлы не открыты"_s}, 1);
    QCOMPARE(boxes(app), (QStringList{u"warning: "_s + CatalogueWarning,
                                      u"warning: Указано больше одного файла рациона, файлы не открыты"_s}));
    QCOMPARE(state(app), (QStringList{u""_s, u"|"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"|"_s, QString(),
                                      u"Save off"_s}));
}

void TestStartRequest::nothingOpenedWhenTheProgramEnds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    writeBytes(path, fixture("two_rows.edk"));
    AppFixture app; // no index: the program ends after saying so
    app.expectBoxes(1);
    app.start(StartRequest{path, {}});
    QCOMPARE(app.endRequests->count(), 1);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.main->ration()->count(), 0);
    QCOMPARE(app.main->CurrentFileName(), QString());
}

QTEST_MAIN(TestStartRequest)
#include "tst_start_request.moc"
