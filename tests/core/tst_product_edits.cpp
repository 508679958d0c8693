// The user's own products written into a category file on disk: the file gets exactly the one
// line changed, the catalogue follows, and every refusal leaves both as they were.

#include "CatalogueFolder.h"
#include "catalogue/ProductEdits.h"
#include "catalogue/ProductInput.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

// A working directory with files/db.txt naming dairy.txt, and the catalogue loaded from it.
class Folder : public CatalogueFolder
{
public:
    explicit Folder(const QByteArray &dairy) : CatalogueFolder({{u"dairy.txt"_s, dairy}}) {}
    [[nodiscard]] QByteArray bytes(const QString &name = u"dairy.txt"_s) const { return CatalogueFolder::bytes(name); }
};

const QByteArray Dairy = cp1251(u"Молочные продукты\r\nМолоко 3,2%;2,9;3,2;4,7;59\r\nТворог 9%;16,7;9;2;159\r\n"_s);

ProductRecord texts(const QString &name, const QString &belki = u"1"_s, const QString &giri = u"2"_s,
                    const QString &uglev = u"3"_s, const QString &kal = u"40"_s)
{
    return {belki, giri, uglev, kal, name};
}

QStringList listed(const Catalogue &catalogue)
{
    QStringList names;
    for (int r = 1; r <= catalogue.productCount(1); ++r)
        names << catalogue.productName(1, r);
    return names;
}

// A category file of count product lines "Продукт i;1;1;1;1", CR LF.
QByteArray products(int count)
{
    QByteArray bytes = cp1251(u"Много\r\n"_s);
    for (int i = 1; i <= count; ++i)
        bytes += cp1251(u"Продукт %1;1;1;1;1\r\n"_s.arg(i));
    return bytes;
}

template<typename Edit>
QString refusal(Edit &&edit)
{
    try {
        edit();
    } catch (const UserError &error) {
        return error.message();
    }
    return u"<not refused>"_s;
}

QString lostUpdateMessage()
{
    return u"Файл files/dairy.txt изменён после запуска программы. Чтобы не потерять эти изменения, продукт не"
           u" сохранён; перезапустите программу."_s;
}

} // namespace

class TestProductEdits : public QObject
{
    Q_OBJECT
private slots:
    void addChangeRemove();
    void refusedTexts_data();
    void refusedTexts();
    void refusedTextsOnChange();
    void ownNameMayStay();
    void lostUpdate_data();
    void lostUpdate();
    void capacity();
    void droppedLinesKept();
    void fileSizeLimit();
    void categoryNotLoaded();
    void symlinkAndMode();
};

// Three edits in a row: each writes only its line and the next one finds the file as it left it.
void TestProductEdits::addChangeRemove()
{
    Folder folder(Dairy);
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());

    // Blanks around the texts go; a value is written as typed, comma or point.
    int row = 0;
    QVERIFY_THROWS_NO_EXCEPTION(row = edits.add(1, texts(u"  Кефир 1% "_s, u"3"_s, u" 1.0"_s, u"4,1"_s, u"40 "_s)));
    QCOMPARE(row, 3);
    const QByteArray added = Dairy + cp1251(u"Кефир 1%;3;1.0;4,1;40\r\n"_s);
    QCOMPARE(folder.bytes(), added);
    QCOMPARE(listed(folder.catalogue), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s, u"Кефир 1%"_s}));
    QCOMPARE(folder.catalogue.Product(1, 3), (ProductRecord{u"3"_s, u"1.0"_s, u"4,1"_s, u"40"_s, u"Кефир 1%"_s}));

    QVERIFY_THROWS_NO_EXCEPTION(edits.change(1, 1, texts(u"Молоко 2,5%"_s, u"2,8"_s, u"2,5"_s, u"4,7"_s, u"52"_s)));
    const QByteArray changed = cp1251(u"Молочные продукты\r\nМолоко 2,5%;2,8;2,5;4,7;52\r\nТворог 9%;16,7;9;2;159\r\n"
                                      u"Кефир 1%;3;1.0;4,1;40\r\n"_s);
    QCOMPARE(folder.bytes(), changed);
    QCOMPARE(folder.catalogue.productName(1, 1), u"Молоко 2,5%"_s);

    QVERIFY_THROWS_NO_EXCEPTION(edits.remove(1, 2));
    QCOMPARE(folder.bytes(),
             cp1251(u"Молочные продукты\r\nМолоко 2,5%;2,8;2,5;4,7;52\r\nКефир 1%;3;1.0;4,1;40\r\n"_s));
    QCOMPARE(listed(folder.catalogue), (QStringList{u"Молоко 2,5%"_s, u"Кефир 1%"_s}));

    // A fresh start reads the same catalogue.
    Catalogue again;
    QVERIFY(LoadCatalogue(again, folder.dir()).messages.isEmpty());
    QCOMPARE(listed(again), listed(folder.catalogue));
}

void TestProductEdits::refusedTexts_data()
{
    QTest::addColumn<ProductRecord>("input");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("message");

    const int name = int(ProductField::Name);
    QTest::newRow("empty name") << texts(QString()) << name << u"Введите название продукта"_s;
    QTest::newRow("blank name") << texts(u"   "_s) << name << u"Введите название продукта"_s;
    QTest::newRow("line break") << texts(u"Кефир\n1%"_s) << name
                                << u"Название продукта не может содержать перевод строки"_s;
    QTest::newRow("carriage return") << texts(u"Кефир\r1%"_s) << name
                                     << u"Название продукта не может содержать перевод строки"_s;
    QTest::newRow("separator") << texts(u"Кефир;1%"_s) << name
                               << u"Название продукта не может содержать символ \";\""_s;
    QTest::newRow("not Windows-1251")
        << texts(u"Ryż ½ 🍚 ż"_s) << name
        << u"В названии продукта есть символы, которых нет в кодировке Windows-1251: ż½🍚"_s;
    QTest::newRow("same name") << texts(u"Творог 9%"_s) << name
                               << u"Продукт \"Творог 9%\" уже есть в категории \"Молочные продукты\""_s;
    QTest::newRow("same name, other case and blanks")
        << texts(u" молоко 3,2% "_s) << name
        << u"Продукт \"молоко 3,2%\" уже есть в категории \"Молочные продукты\""_s;
    QTest::newRow("line too long") << texts(QString(1020, u'я')) << name
                                   << u"Строка продукта не может быть длиннее 1024 символов: сократите название"_s;

    QTest::newRow("empty value") << texts(u"Кефир"_s, u"1"_s, u" "_s) << int(ProductField::Giri)
                                 << u"Введите значение в поле \"Жиры, г\""_s;
    QTest::newRow("not a number") << texts(u"Кефир"_s, u"три"_s) << int(ProductField::Belki)
                                  << u"Значение в поле \"Белки, г\" не является числом: три"_s;
    QTest::newRow("grouping is no number") << texts(u"Кефир"_s, u"1"_s, u"1"_s, u"1"_s, u"1 000"_s)
                                           << int(ProductField::Kal)
                                           << u"Значение в поле \"Энергия, кКал\" не является числом: 1 000"_s;
    QTest::newRow("two separators") << texts(u"Кефир"_s, u"1"_s, u"1"_s, u"1,2.3"_s) << int(ProductField::Uglev)
                                    << u"Значение в поле \"Углеводы, г\" не является числом: 1,2.3"_s;
    QTest::newRow("inf") << texts(u"Кефир"_s, u"inf"_s) << int(ProductField::Belki)
                         << u"Значение в поле \"Белки, г\" не является числом: inf"_s;
    QTest::newRow("negative") << texts(u"Кефир"_s, u"1"_s, u"-0,5"_s) << int(ProductField::Giri)
                              << u"Значение в поле \"Жиры, г\" не может быть отрицательным: -0,5"_s;
    // 1024 rows of 20000 g must keep every total within single precision: up to some 1.66e33.
    QTest::newRow("beyond what a ration carries") << texts(u"Кефир"_s, u"1"_s, u"1"_s, u"1"_s, u"1,7e33"_s)
                                                  << int(ProductField::Kal)
                                                  << u"Значение вне допустимого диапазона: 1,7e33"_s;
    QTest::newRow("first problem in line order") << texts(u"Кефир"_s, u"x"_s, u"-1"_s) << int(ProductField::Belki)
                                                 << u"Значение в поле \"Белки, г\" не является числом: x"_s;
}

void TestProductEdits::refusedTexts()
{
    QFETCH(ProductRecord, input);
    QFETCH(int, field);
    QFETCH(QString, message);

    Folder folder(Dairy);
    folder.load();
    ProductEdits edits(folder.catalogue, folder.dir());
    try {
        edits.add(1, input);
        QFAIL("not refused");
    } catch (const ProductProblem &problem) {
        QCOMPARE(problem.message(), message);
        QCOMPARE(int(problem.field()), field);
        QCOMPARE(problem.kind(), UserError::Kind::Warning);
    }
    QCOMPARE(folder.bytes(), Dairy);
    QCOMPARE(listed(folder.catalogue), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s}));
}

// A change is checked as an addition is: the other product's name is taken.
void TestProductEdits::refusedTextsOnChange()
{
    Folder folder(Dairy);
    folder.load();
    ProductEdits edits(folder.catalogue, folder.dir());
    QCOMPARE(refusal([&] { edits.change(1, 1, texts(u"ТВОРОГ 9%"_s)); }),
             u"Продукт \"ТВОРОГ 9%\" уже есть в категории \"Молочные продукты\""_s);
    QCOMPARE(refusal([&] { edits.change(1, 2, texts(u"Творог"_s, u"1e40"_s)); }),
             u"Значение вне допустимого диапазона: 1e40"_s);
    QCOMPARE(folder.bytes(), Dairy);
}

void TestProductEdits::ownNameMayStay()
{
    Folder folder(Dairy);
    folder.load();
    ProductEdits edits(folder.catalogue, folder.dir());
    QVERIFY_THROWS_NO_EXCEPTION(edits.change(1, 2, texts(u"творог 9%"_s, u"1.6e33"_s, u"0"_s, u"0"_s, u"0"_s)));
    QCOMPARE(folder.bytes(), cp1251(u"Молочные продукты\r\nМолоко 3,2%;2,9;3,2;4,7;59\r\nтворог 9%;1.6e33;0;0;0\r\n"_s));
}

// The file was edited elsewhere after loading: the program writes nothing over it.
void TestProductEdits::lostUpdate_data()
{
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QString>("message");
    QTest::newRow("a line added") << Dairy + cp1251(u"Ряженка;3;4;4;67\r\n"_s) << lostUpdateMessage();
    QTest::newRow("a byte changed") << QByteArray(Dairy).replace("59", "60") << lostUpdateMessage();
    QTest::newRow("line ends changed") << QByteArray(Dairy).replace("\r\n", "\n") << lostUpdateMessage();
    QTest::newRow("emptied") << QByteArray() << lostUpdateMessage();
    QTest::newRow("removed") << QByteArray("<removed>") << u"Ошибка окрытия файла files/dairy.txt\n"_s;
}

void TestProductEdits::lostUpdate()
{
    QFETCH(QByteArray, onDisk);
    QFETCH(QString, message);

    for (const char *edit : {"add", "change", "remove"}) {
        Folder folder(Dairy);
        folder.load();
        ProductEdits edits(folder.catalogue, folder.dir());
        if (onDisk == "<removed>")
            QVERIFY(QFile::remove(folder.path(u"dairy.txt"_s)));
        else
            folder.write(u"dairy.txt"_s, onDisk);
        const QString shown = refusal([&] {
            if (qstrcmp(edit, "add") == 0)
                edits.add(1, texts(u"Кефир"_s));
            else if (qstrcmp(edit, "change") == 0)
                edits.change(1, 1, texts(u"Кефир"_s));
            else
                edits.remove(1, 1);
        });
        QVERIFY2(shown == message, edit);
        QCOMPARE(folder.bytes(), onDisk == "<removed>" ? QByteArray("<cannot be read>") : onDisk);
        QCOMPARE(listed(folder.catalogue), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s}));
    }
}

// 1023 product lines is a full category, empty and unreadable lines counted: a line more would be
// dropped by the loader.
void TestProductEdits::capacity()
{
    const QString full = u"Категория не может содержать более 1023 продуктов (файл files/dairy.txt)"_s;
    {
        Folder folder(products(1023));
        QVERIFY(folder.load().messages.isEmpty());
        ProductEdits edits(folder.catalogue, folder.dir());
        QCOMPARE(refusal([&] { edits.checkRoom(1); }), full);
        QCOMPARE(refusal([&] { edits.add(1, texts(u"Кефир"_s)); }), full);
        QCOMPARE(folder.bytes(), products(1023));
        // Changing and removing still work.
        QVERIFY_THROWS_NO_EXCEPTION(edits.remove(1, 1023));
        QCOMPARE(folder.bytes(), products(1022));
    }
    {
        Folder folder(products(1010) + "\r\n" + products(12).mid(7)); // 1010 shown, an empty line, 12 unseen
        folder.load();
        ProductEdits edits(folder.catalogue, folder.dir());
        QCOMPARE(folder.catalogue.productCount(1), 1010);
        QCOMPARE(refusal([&] { edits.add(1, texts(u"Кефир"_s)); }), full);
    }
    {
        Folder folder(products(1022));
        folder.load();
        ProductEdits edits(folder.catalogue, folder.dir());
        QVERIFY_THROWS_NO_EXCEPTION(edits.checkRoom(1));
        int row = 0;
        QVERIFY_THROWS_NO_EXCEPTION(row = edits.add(1, texts(u"Кефир"_s)));
        QCOMPARE(row, 1023);
        QCOMPARE(folder.bytes(), products(1022) + cp1251(u"Кефир;1;2;3;40\r\n"_s));
        Catalogue again;
        QVERIFY(LoadCatalogue(again, folder.dir()).messages.isEmpty());
        QCOMPARE(again.productName(1, 1023), u"Кефир"_s);
    }
}

// The loader kept only 1023 of the file's product lines; an edit still keeps the others, and
// still notices a change among them.
void TestProductEdits::droppedLinesKept()
{
    const QByteArray file = products(1030);
    {
        Folder folder(file);
        QCOMPARE(folder.load().messages.size(), 1); // too many lines
        ProductEdits edits(folder.catalogue, folder.dir());
        QVERIFY_THROWS_NO_EXCEPTION(edits.change(1, 2, texts(u"Второй"_s)));
        QCOMPARE(folder.bytes(), QByteArray(file).replace(cp1251(u"Продукт 2;1;1;1;1"_s), cp1251(u"Второй;1;2;3;40"_s)));
        QVERIFY_THROWS_NO_EXCEPTION(edits.remove(1, 1));
        QVERIFY(folder.bytes().endsWith(cp1251(u"Продукт 1030;1;1;1;1\r\n"_s)));
        QCOMPARE(folder.catalogue.productName(1, 1023), u"Продукт 1024"_s);
    }
    {
        Folder folder(file);
        folder.load();
        ProductEdits edits(folder.catalogue, folder.dir());
        const QByteArray edited = QByteArray(file).replace(cp1251(u"Продукт 1029;"_s), cp1251(u"Продукт 1028;"_s));
        folder.write(u"dairy.txt"_s, edited);
        QCOMPARE(refusal([&] { edits.remove(1, 1); }), lostUpdateMessage());
        QCOMPARE(folder.bytes(), edited);
    }
}

// A file may not grow beyond what the loader reads.
void TestProductEdits::fileSizeLimit()
{
    // 12 bytes short of the limit.
    QByteArray file = "Big\r\n";
    for (int i = 0; 131072 - 12 - file.size() > 1000; ++i)
        file += "P" + QByteArray::number(i) + ";" + QByteArray(500, '1') + "\r\n";
    file += "Pad;" + QByteArray(131072 - 12 - file.size() - 6, '1') + "\r\n";
    QCOMPARE(file.size(), 131072 - 12);
    Folder folder(file);
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());

    const QString tooBig = u"Файл files/dairy.txt не может быть больше 131072 байт: продукт не сохранён"_s;
    QCOMPARE(refusal([&] { edits.add(1, texts(u"Кефир"_s)); }), tooBig); // 16 bytes with its line end
    // Line 1 grows by some 500 bytes.
    QCOMPARE(refusal([&] { edits.change(1, 1, texts(QString(1015, u'я'))); }), tooBig);
    QCOMPARE(folder.bytes(), file);
    QVERIFY_THROWS_NO_EXCEPTION(edits.add(1, texts(u"К"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s))); // 11 bytes fit
    QCOMPARE(folder.bytes().size(), 131072 - 1);
}

void TestProductEdits::categoryNotLoaded()
{
    Folder folder(Dairy);
    folder.write(u"db.txt"_s, "dairy.txt\r\nmissing.txt\r\n");
    folder.load();
    ProductEdits edits(folder.catalogue, folder.dir());
    QVERIFY(edits.canEdit(1));
    QVERIFY(!edits.canEdit(2));
    QVERIFY(!edits.canEdit(3));
    QCOMPARE(refusal([&] { edits.add(2, texts(u"Кефир"_s)); }), u"Ошибка окрытия файла files/missing.txt\n"_s);
    QVERIFY(!QFile::exists(folder.path(u"missing.txt"_s)));
}

// A category file that is a symbolic link stays one, and its target gets the change; the
// file's mode stays.
void TestProductEdits::symlinkAndMode()
{
    Folder folder(Dairy);
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(u"dairy-real.txt"_s);
    QVERIFY(QFile::rename(folder.path(u"dairy.txt"_s), target));
    QVERIFY(QFile::link(target, folder.path(u"dairy.txt"_s)));
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    folder.load();
    ProductEdits edits(folder.catalogue, folder.dir());

    QVERIFY_THROWS_NO_EXCEPTION(edits.add(1, texts(u"Кефир"_s)));
    QCOMPARE(QFileInfo(folder.path(u"dairy.txt"_s)).symLinkTarget(), target);
    QCOMPARE(folder.bytes(), Dairy + cp1251(u"Кефир;1;2;3;40\r\n"_s));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"dairy-real.txt"_s});
}

QTEST_GUILESS_MAIN(TestProductEdits)
#include "tst_product_edits.moc"
