// "Сохранить в PDF...": the menu item beside "Печать", the file it writes read back with
// pdftotext, the overwrite question, and a full disk that must leave the old file as it was.
// The full disk is a small tmpfs in a private mount namespace: needs root, else that test skips.

#include "AppFixture.h"
#include "PdfReadBack.h"
#include "files/FileDialog.h"
#include "ration/RationModel.h"

#include <QAction>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
void startWithRation(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.start();
    app.main->ration()->append(u"Творог 9%"_s, 150, {u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    app.main->ration()->append(u"Молоко 3,2%"_s, 250, {u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}});
}

// Opens the menu's availability check as opening the menu does, then runs the command if it is
// available; false when it was not.
bool savePdf(AppFixture &app, const QString &name)
{
    FileDialog::clearNextFileNames();
    FileDialog::setNextFileName(name);
    auto *menu = app.child<QMenu>("mnuFile");
    emit menu->aboutToShow();
    auto *item = app.child<QAction>("mnuFileSavePdf");
    if (!item->isEnabled())
        return false;
    item->trigger();
    return true;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString failure(const char *what)
{
    return QString::fromLatin1(what) + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

class TestPdfFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuItemFollowsPrint();
    void writesThePrintedPageOnA4();
    void longNameStaysOnThePaper();
    void replacesOnlyWhenAllowed();
    void fullDiskKeepsTheOldFile();

private:
    QString m_noMounts;
};

void TestPdfFile::initTestCase()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    // Mounts made here stay in this process: the machine's file systems are never touched.
    if (geteuid() != 0)
        m_noMounts = u"needs root to mount a small file system"_s;
    else if (unshare(CLONE_NEWNS) != 0)
        m_noMounts = failure("unshare(CLONE_NEWNS)");
    else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        m_noMounts = failure("making the mounts private");
}

void TestPdfFile::menuItemFollowsPrint()
{
    AppFixture app;
    app.writeFile(u"db.txt"_s, {});
    app.start();
    auto *menu = app.child<QMenu>("mnuFile");
    auto *print = app.child<QAction>("mnuFilePrint");
    auto *pdf = app.child<QAction>("mnuFileSavePdf");
    const QList<QAction *> items = menu->actions();
    QCOMPARE(items.indexOf(pdf), items.indexOf(print) + 1);
    QCOMPARE(pdf->text(), u"Сохранить в PDF..."_s);

    for (const bool withRows : {false, true, false}) {
        if (withRows)
            app.main->ration()->append(u"Хлеб"_s, 50, {u"8"_s, u"1"_s, u"50"_s, u"250"_s, {}});
        else
            app.main->ration()->clear();
        emit menu->aboutToShow();
        QCOMPARE(print->isEnabled(), withRows);
        QCOMPARE(pdf->isEnabled(), print->isEnabled());
    }
    // Not available, so nothing is asked and nothing written.
    QTemporaryDir out;
    QVERIFY(!savePdf(app, out.filePath(u"empty"_s)));
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestPdfFile::writesThePrintedPageOnA4()
{
    AppFixture app;
    startWithRation(app);
    QTemporaryDir out;
    // The suffix is added to a bare name, as the dialog does.
    QVERIFY(savePdf(app, out.filePath(u"day"_s)));
    QVERIFY(app.boxes.isEmpty());
    const QString path = out.filePath(u"day.pdf"_s);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"day.pdf"_s});

    const PdfReadBack::Document document = PdfReadBack::read(path);
    QCOMPARE(document.pages, 1);
    QVERIFY(qAbs(document.pageSize.width() - 210 * PdfReadBack::PointsPerMm) < 0.5);
    QVERIFY(qAbs(document.pageSize.height() - 297 * PdfReadBack::PointsPerMm) < 0.5);
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QList<PdfReadBack::Expected> expected = PdfReadBack::twoRowPage(date);
    // A4 printable to its edges: the page's corner is the origin.
    const QString difference = PdfReadBack::compare(document, expected, 0, 0);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// A name of some 90 characters would run past the right edge: it goes on a line indented under
// the name, with the grams, and every text stays on the paper.
void TestPdfFile::longNameStaysOnThePaper()
{
    AppFixture app;
    startWithRation(app);
    const QString name = u"Сырок творожный глазированный в молочном шоколаде с ванилью и кусочками лесного ореха 26%"_s;
    app.main->ration()->append(name, 10, {u"8"_s, u"25"_s, u"30"_s, u"400"_s, {}});
    QTemporaryDir out;
    const QString path = out.filePath(u"day.pdf"_s);
    QVERIFY(savePdf(app, path));
    QVERIFY(app.boxes.isEmpty());

    const PdfReadBack::Document document = PdfReadBack::read(path);
    QCOMPARE(document.pages, 1);
    for (const PdfReadBack::Line &line : document.lines) {
        QVERIFY2(line.x >= 0 && line.y >= 0 && line.right <= document.pageSize.width()
                     && line.bottom <= document.pageSize.height(),
                 qPrintable(u"%1: %2..%3 of %4 pt"_s.arg(line.text).arg(line.x).arg(line.right).arg(
                     document.pageSize.width())));
    }
    const qsizetype first = 4; // after the title, the heading and two rows
    QVERIFY(document.lines.size() > first + 1);
    const PdfReadBack::Line &start = document.lines.at(first);
    const PdfReadBack::Line &rest = document.lines.at(first + 1);
    QVERIFY2(start.text.startsWith(u"3) Сырок"_s), qPrintable(start.text));
    QVERIFY2(rest.text.endsWith(u"= 10 гр."_s), qPrintable(rest.text));
    QCOMPARE(start.text + u' ' + rest.text, u"3) "_s + name + u" = 10 гр."_s);
    // Under the name, one line further down.
    QVERIFY(rest.x > start.x);
    QVERIFY(qAbs(rest.y - start.y - 5 * PdfReadBack::PointsPerMm) < 0.5);
    QCOMPARE(document.lines.at(first + 2).text, QString(72, u'='));
}

void TestPdfFile::replacesOnlyWhenAllowed()
{
    AppFixture app;
    startWithRation(app);
    QTemporaryDir out;
    const QString path = out.filePath(u"day.pdf"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    MessageBoxes::setNextAnswer(false);
    app.expectBoxes(1);
    QVERIFY(savePdf(app, path));
    QCOMPARE(contents(path), QByteArray("old bytes"));
    QCOMPARE(app.boxes.size(), 1); // the question
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Warning);

    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(1);
    QVERIFY(savePdf(app, path));
    QVERIFY(contents(path).startsWith("%PDF-"));
    QCOMPARE(app.boxes.size(), 2);
    QCOMPARE(PdfReadBack::read(path).lines.value(2).text, u"1) Творог 9% = 150 гр."_s);
}

void TestPdfFile::fullDiskKeepsTheOldFile()
{
    if (!m_noMounts.isEmpty())
        QSKIP(qPrintable(m_noMounts));
    QTemporaryDir folder;
    const QByteArray where = QFile::encodeName(folder.path());
    if (mount("edoklad-test", where.constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        QSKIP(qPrintable(failure("mount tmpfs")));
    const auto unmount = qScopeGuard([&] { umount2(where.constData(), MNT_DETACH); });

    AppFixture app;
    startWithRation(app);
    const QString path = folder.filePath(u"day.pdf"_s);
    QVERIFY(savePdf(app, path));
    QVERIFY(app.boxes.isEmpty());
    const QByteArray old = contents(path);
    QVERIFY(old.startsWith("%PDF-"));
    {
        QFile filler(folder.filePath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    app.main->ration()->append(u"Хлеб"_s, 50, {u"8"_s, u"1"_s, u"50"_s, u"250"_s, {}});

    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(2);
    QVERIFY(savePdf(app, path));
    QCOMPARE(app.boxes.size(), 2); // the question, then the warning
    QCOMPARE(app.boxes.last().kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes.last().text, u"Ошибка записи файла "_s + path + u"\n"_s);
    QCOMPARE(contents(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u"day.pdf"_s, u"filler"_s}));
}

QTEST_MAIN(TestPdfFile)
#include "tst_pdffile.moc"
