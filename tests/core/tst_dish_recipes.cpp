// Dishes on disk: the product line in its category file and the recipe beside the catalogue,
// written both or neither, found again after a restart, following renames and removals, and
// hostile or missing recipe files that cost nothing but one message.
// The faults of the disk need root (mounts in a private namespace, steps as an unprivileged
// user); without root those rows skip and say why.

#include "CatalogueFolder.h"
#include "DiskFaults.h"
#include "catalogue/ProductEdits.h"
#include "catalogue/ProductInput.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFromFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

const QByteArray Soups = cp1251(u"Супы\r\nЩи;1;2;3;40\r\n"_s);

RationRow ingredient(const QString &name, const QString &grams, const ProductRecord &values)
{
    return RationRow{name, grams, values};
}

DishRecipe borscht(const QString &potatoGrams = u"300"_s)
{
    return DishRecipe{{ingredient(u"Свёкла"_s, u"200"_s, {u"1,5"_s, u"0,1"_s, u"8,8"_s, u"40"_s, {}}),
                       ingredient(u"Картофель"_s, potatoGrams, {u"2"_s, u"0,4"_s, u"16,1"_s, u"77"_s, {}})},
                      400};
}

QStringList recipeFiles(const QString &folder)
{
    return QDir(folder + u"/files/recipes"_s).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
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

QStringList listed(const Catalogue &catalogue)
{
    QStringList names;
    for (int r = 1; r <= catalogue.productCount(1); ++r)
        names << catalogue.productName(1, r);
    return names;
}

} // namespace

class TestDishRecipes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_noMounts = DiskFaults::enterPrivateMounts(); }
    void roundTrip();
    void indexLinesOfNoListedDish();
    void unreadableIndex();
    void unreadableRecipe_data();
    void unreadableRecipe();
    void refusedBeforeWriting();
    void faults_data();
    void faults();

private:
    QString m_noMounts;
};

// Made, found after a restart, changed, renamed, removed: each step leaves exactly its files.
void TestDishRecipes::roundTrip()
{
    CatalogueFolder folder({{u"soups.txt"_s, Soups}});
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());

    int row = 0;
    QVERIFY_THROWS_NO_EXCEPTION(row = edits.addDish(1, u" Борщ "_s, borscht()));
    QCOMPARE(row, 2);
    // An ordinary product line: the values per 100 g of the 400 g that came out of the pot.
    QCOMPARE(folder.bytes(u"soups.txt"_s), Soups + cp1251(u"Борщ;2,25;0,35;16,48;77,75\r\n"_s));
    QCOMPARE(folder.bytes(u"recipes/index.txt"_s), cp1251(u"soups.txt;1.edk;400;Борщ\r\n"_s));
    QVERIFY(edits.isDish(1, 2));
    QVERIFY(!edits.isDish(1, 1));
    QCOMPARE(edits.recipe(1, 2), borscht());
    // The recipe opens as a day.
    const std::optional<ParsedRationFile> day = ReadRationFile(folder.path(u"recipes/1.edk"_s), 1024);
    QVERIFY(day);
    QCOMPARE(RationRowsFromFile(*day).size(), 2);
    QCOMPARE(RationRowsFromFile(*day).at(1).name, u"Картофель"_s);

    // A restart finds the dish again.
    Catalogue again;
    QVERIFY(LoadCatalogue(again, folder.dir()).messages.isEmpty());
    ProductEdits restarted(again, folder.dir());
    QVERIFY(restarted.isDish(1, 2));
    QCOMPARE(restarted.recipe(1, 2), borscht());

    // A new mass of an ingredient: new values, a new recipe file, the old one gone.
    QVERIFY_THROWS_NO_EXCEPTION(restarted.changeDish(1, 2, u"Борщ"_s, borscht(u"400"_s)));
    QCOMPARE(folder.bytes(u"soups.txt"_s), Soups + cp1251(u"Борщ;2,75;0,45;20,5;97\r\n"_s));
    QCOMPARE(restarted.recipe(1, 2), borscht(u"400"_s));
    QCOMPARE(recipeFiles(folder.dir().path()), (QStringList{u"2.edk"_s, u"index.txt"_s}));

    // Renamed as a product, it keeps its recipe.
    QVERIFY_THROWS_NO_EXCEPTION(
        restarted.change(1, 2, ProductRecord{u"2,75"_s, u"0,45"_s, u"20,5"_s, u"97"_s, u"Борщ с мясом"_s}));
    QVERIFY(restarted.isDish(1, 2));
    QCOMPARE(restarted.recipe(1, 2), borscht(u"400"_s));
    QCOMPARE(folder.bytes(u"recipes/index.txt"_s), cp1251(u"soups.txt;2.edk;400;Борщ с мясом\r\n"_s));

    // Removed, it takes its recipe along; a product of the old name made later is no dish.
    QVERIFY_THROWS_NO_EXCEPTION(restarted.remove(1, 2));
    QCOMPARE(folder.bytes(u"soups.txt"_s), Soups);
    QCOMPARE(recipeFiles(folder.dir().path()), QStringList{u"index.txt"_s});
    QCOMPARE(folder.bytes(u"recipes/index.txt"_s), QByteArray());
    QVERIFY_THROWS_NO_EXCEPTION(restarted.add(1, ProductRecord{u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"Борщ с мясом"_s}));
    QVERIFY(!restarted.isDish(1, 2));
    QCOMPARE(refusal([&] { (void)restarted.recipe(1, 2); }),
             u"Рецепт блюда \"Борщ с мясом\" не найден: его нет в файле files/recipes/index.txt"_s);
}

// Lines of the index that name no listed product, or nothing sound, make no dish; a product
// later made under such a name starts without the recipe, which then goes.
void TestDishRecipes::indexLinesOfNoListedDish()
{
    CatalogueFolder folder({{u"soups.txt"_s, Soups}});
    QVERIFY(QDir(folder.dir().path()).mkpath(u"files/recipes"_s));
    const QByteArray recipe = cp1251(u"Рыба:300:17:2:0:90:"_s);
    folder.write(u"recipes/1.edk"_s, recipe);
    folder.write(u"recipes/2.edk"_s, recipe);
    const QByteArray index = cp1251(u"soups.txt;1.edk;;Уха\r\n"     // not listed
                                    u"other.txt;2.edk;;Щи\r\n"      // another category's
                                    u"soups.txt;../db.txt;;Щи\r\n"  // outside the folder
                                    u"soups.txt;2.edk;0;Щи\r\n"     // a mass out of range
                                    u"soups.txt;2.edk;1 0;Щи\r\n"
                                    u"Щи\r\n"_s);
    folder.write(u"recipes/index.txt"_s, index);
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());
    QVERIFY(!edits.isDish(1, 1));
    QVERIFY(!edits.isDish(1, 2));
    QVERIFY(!edits.isDish(2, 1));

    QVERIFY_THROWS_NO_EXCEPTION(edits.add(1, ProductRecord{u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"Уха"_s}));
    QVERIFY(!edits.isDish(1, 2));
    QCOMPARE(folder.bytes(u"recipes/index.txt"_s), index.sliced(index.indexOf('\n') + 1));
    QCOMPARE(recipeFiles(folder.dir().path()), (QStringList{u"2.edk"_s, u"index.txt"_s}));
    QCOMPARE(bytesOf(folder.dir().filePath(u"files/db.txt"_s)), QByteArray("soups.txt\r\n"));
}

// An index that cannot be read (here a FIFO, which must not block) names no dish: products are
// edited as ever, and a dish is refused until the index is repaired.
void TestDishRecipes::unreadableIndex()
{
    CatalogueFolder folder({{u"soups.txt"_s, Soups + cp1251(u"Борщ;1;1;1;1\r\n"_s)}});
    QVERIFY(QDir(folder.dir().path()).mkpath(u"files/recipes"_s));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.path(u"recipes/index.txt"_s)).constData(), 0644), 0);
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());
    QVERIFY(!edits.isDish(1, 2));
    QVERIFY_THROWS_NO_EXCEPTION(edits.change(1, 2, ProductRecord{u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"Борщ с мясом"_s}));
    QVERIFY_THROWS_NO_EXCEPTION(edits.remove(1, 2));
    const QString cannotOpen = u"Ошибка окрытия файла files/recipes/index.txt\n"_s;
    QCOMPARE(refusal([&] { edits.addDish(1, u"Борщ"_s, borscht()); }), cannotOpen);
    QCOMPARE(refusal([&] { edits.changeDish(1, 1, u"Щи"_s, borscht()); }), cannotOpen);
    QCOMPARE(folder.bytes(u"soups.txt"_s), Soups);
    QCOMPARE(recipeFiles(folder.dir().path()), QStringList{u"index.txt"_s});
    QVERIFY(!QFileInfo(folder.path(u"recipes/index.txt"_s)).isFile()); // the FIFO is left alone
}

void TestDishRecipes::unreadableRecipe_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    const QString unread = u"Рецепт блюда \"Борщ\" не прочитан: "_s;
    QTest::newRow("missing") << 0 << u"Рецепт блюда \"Борщ\" не найден: нет файла files/recipes/1.edk"_s;
    QTest::newRow("FIFO") << 1 << unread + u"файл files/recipes/1.edk не открывается"_s;
    QTest::newRow("link to /dev/zero") << 2 << unread + u"файл files/recipes/1.edk не открывается"_s;
    QTest::newRow("2 GB") << 3 << unread + u"файл files/recipes/1.edk не открывается"_s;
    QTest::newRow("a folder") << 4 << unread + u"файл files/recipes/1.edk не открывается"_s;
    QTest::newRow("not a number")
        << 5 << unread + u"в файле files/recipes/1.edk: 'много' is not a valid floating point value"_s;
    QTest::newRow("empty") << 6 << unread + u"в файле files/recipes/1.edk нет продуктов"_s;
    QTest::newRow("1025 lines") << 7 << unread + u"в файле files/recipes/1.edk: Рацион не может содержать более 1024 продуктов"_s;
}

// The dish stays a product that can be added, changed and removed; only its recipe cannot be
// opened, which one message says, at once. Saving the dish again gives it a sound recipe.
void TestDishRecipes::unreadableRecipe()
{
    QFETCH(int, kind);
    QFETCH(QString, message);

    CatalogueFolder folder({{u"soups.txt"_s, Soups}});
    QVERIFY(folder.load().messages.isEmpty());
    {
        ProductEdits edits(folder.catalogue, folder.dir());
        QVERIFY_THROWS_NO_EXCEPTION(edits.addDish(1, u"Борщ"_s, borscht()));
    }
    const QString path = folder.path(u"recipes/1.edk"_s);
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(QFile::remove(path));
    switch (kind) {
    case 1:
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        break;
    case 2:
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
        break;
    case 3: {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(qint64(2) << 30));
        break;
    }
    case 4:
        QVERIFY(QDir().mkdir(path));
        break;
    case 5:
        folder.write(u"recipes/1.edk"_s, cp1251(u"Свёкла:много:1:1:1:1:"_s));
        break;
    case 6:
        folder.write(u"recipes/1.edk"_s, QByteArray());
        break;
    case 7:
        folder.write(u"recipes/1.edk"_s, QByteArray("a:1:1:1:1:1:\r\n").repeated(1025));
        break;
    }

    ProductEdits edits(folder.catalogue, folder.dir());
    QVERIFY(edits.isDish(1, 2));
    QCOMPARE(refusal([&] { (void)edits.recipe(1, 2); }), message);
    QCOMPARE(listed(folder.catalogue), (QStringList{u"Щи"_s, u"Борщ"_s}));

    QVERIFY_THROWS_NO_EXCEPTION(edits.changeDish(1, 2, u"Борщ"_s, borscht(u"400"_s)));
    QCOMPARE(edits.recipe(1, 2), borscht(u"400"_s));
    const QStringList left = recipeFiles(folder.dir().path());
    // What took the old recipe's place is removed with it, a folder excepted.
    QCOMPARE(left, kind == 4 ? (QStringList{u"1.edk"_s, u"2.edk"_s, u"index.txt"_s})
                             : (QStringList{u"2.edk"_s, u"index.txt"_s}));
    QVERIFY_THROWS_NO_EXCEPTION(edits.remove(1, 2));
    QCOMPARE(folder.bytes(u"soups.txt"_s), Soups);
}

// Every check is made before the first byte is written.
void TestDishRecipes::refusedBeforeWriting()
{
    CatalogueFolder folder({{u"soups.txt"_s, Soups}});
    QVERIFY(folder.load().messages.isEmpty());
    ProductEdits edits(folder.catalogue, folder.dir());
    DishRecipe tooMany;
    tooMany.ingredients = QList<RationRow>(DishRecipe::MaxIngredients + 1, borscht().ingredients.at(0));
    DishRecipe halfGrams = borscht(u"150,5"_s);

    const QString lostUpdate = u"Файл files/soups.txt изменён после запуска программы. Чтобы не потерять эти изменения,"
                               u" продукт не сохранён; перезапустите программу."_s;
    const struct
    {
        QString name;
        DishRecipe recipe;
        QString message;
    } cases[] = {
        {u"Щи"_s, borscht(), u"Продукт \"Щи\" уже есть в категории \"Супы\""_s},
        {u"Борщ;1"_s, borscht(), u"Название продукта не может содержать символ \";\""_s},
        {u"Борщ"_s, DishRecipe{}, u"В блюде нет продуктов"_s},
        {u"Борщ"_s, tooMany, u"Блюдо не может содержать более 1024 продуктов"_s},
        // A ration file keeps whole grams.
        {u"Борщ"_s, halfGrams, u"'150,5' is not a valid integer value"_s},
    };
    for (const auto &c : cases) {
        QCOMPARE(refusal([&] { edits.addDish(1, c.name, c.recipe); }), c.message);
        QCOMPARE(folder.bytes(u"soups.txt"_s), Soups);
        QVERIFY(!QFileInfo::exists(folder.path(u"recipes"_s)));
    }

    // A category file changed since start-up is not written over, nor is the recipe written.
    QVERIFY_THROWS_NO_EXCEPTION(edits.addDish(1, u"Борщ"_s, borscht()));
    const QByteArray elsewhere = folder.bytes(u"soups.txt"_s) + cp1251(u"Уха;1;1;1;1\r\n"_s);
    folder.write(u"soups.txt"_s, elsewhere);
    const QByteArray index = folder.bytes(u"recipes/index.txt"_s);
    QCOMPARE(refusal([&] { edits.changeDish(1, 2, u"Борщ"_s, borscht(u"400"_s)); }), lostUpdate);
    QCOMPARE(refusal([&] { edits.addDish(1, u"Суп"_s, borscht()); }), lostUpdate);
    QCOMPARE(folder.bytes(u"soups.txt"_s), elsewhere);
    QCOMPARE(folder.bytes(u"recipes/index.txt"_s), index);
    QCOMPARE(recipeFiles(folder.dir().path()), (QStringList{u"1.edk"_s, u"index.txt"_s}));
}

enum class Fault { FullDisk, ReadOnlyDisk, RecipesFolderReadOnly, IndexReadOnly, CategoryFolderReadOnly };
enum class Failing { Recipe, Index, Category };

void TestDishRecipes::faults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Failing>("failing"); // the first write refused
    QTest::newRow("full disk") << Fault::FullDisk << Failing::Recipe;
    QTest::newRow("read-only disk") << Fault::ReadOnlyDisk << Failing::Recipe;
    QTest::newRow("recipes folder read-only") << Fault::RecipesFolderReadOnly << Failing::Recipe;
    QTest::newRow("recipe written, index not") << Fault::IndexReadOnly << Failing::Index;
    QTest::newRow("recipe and index written, category file not") << Fault::CategoryFolderReadOnly << Failing::Category;
}

// Each edit of a dish fails at one of its writes, and every file is as it was: the category
// file, the index and the recipe files, byte for byte, and the catalogue too.
void TestDishRecipes::faults()
{
    QFETCH(Fault, fault);
    QFETCH(Failing, failing);
    if (!m_noMounts.isEmpty())
        QSKIP(qPrintable(m_noMounts));
    DiskFaults::Tmpfs disk(fault == Fault::FullDisk ? "size=64k,mode=0777" : "size=1m,mode=0777");
    if (!disk.ok())
        QSKIP(qPrintable(disk.error()));
    const QString root = disk.path();
    QVERIFY(QDir(root).mkpath(u"files/recipes"_s));
    {
        QFile index(root + u"/files/db.txt"_s);
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("soups.txt\r\n");
        QFile soups(root + u"/files/soups.txt"_s);
        QVERIFY(soups.open(QIODevice::WriteOnly));
        soups.write(Soups);
    }
    Catalogue catalogue;
    QVERIFY(LoadCatalogue(catalogue, QDir(root)).messages.isEmpty());
    ProductEdits edits(catalogue, QDir(root));
    QVERIFY_THROWS_NO_EXCEPTION(edits.addDish(1, u"Борщ"_s, borscht()));
    // A second dish, so that no edit empties the index: an empty file takes no block of a full disk.
    QVERIFY_THROWS_NO_EXCEPTION(edits.addDish(1, u"Уха"_s, borscht(u"50"_s)));

    const auto files = [&] {
        QStringList state = recipeFiles(root);
        for (const QString &name : {u"files/soups.txt"_s, u"files/recipes/index.txt"_s, u"files/recipes/1.edk"_s,
                                    u"files/recipes/2.edk"_s})
            state << QString::fromLatin1(bytesOf(root + u'/' + name).toHex());
        return state;
    };
    const QStringList before = files();

    const auto mode = [&](const QString &name, mode_t m) {
        QCOMPARE(::chmod(QFile::encodeName(root + u'/' + name).constData(), m), 0);
    };
    bool asNobody = false;
    switch (fault) {
    case Fault::FullDisk:
        disk.fill(u"filler"_s);
        break;
    case Fault::ReadOnlyDisk:
        QVERIFY(disk.remountReadOnly());
        break;
    case Fault::RecipesFolderReadOnly:
        mode(u"files"_s, 0777);
        mode(u"files/soups.txt"_s, 0666);
        mode(u"files/recipes"_s, 0555);
        mode(u"files/recipes/index.txt"_s, 0666);
        asNobody = true;
        break;
    case Fault::IndexReadOnly:
        mode(u"files"_s, 0777);
        mode(u"files/soups.txt"_s, 0666);
        mode(u"files/recipes"_s, 0777);
        mode(u"files/recipes/index.txt"_s, 0444);
        asNobody = true;
        break;
    case Fault::CategoryFolderReadOnly:
        mode(u"files"_s, 0555);
        mode(u"files/recipes"_s, 0777);
        mode(u"files/recipes/index.txt"_s, 0666);
        asNobody = true;
        break;
    }

    const QString category = u"Ошибка записи файла files/soups.txt\n"_s;
    const QString index = u"Ошибка записи файла files/recipes/index.txt\n"_s;
    const QString recipe = u"Ошибка записи файла files/recipes/3.edk\n"_s;
    const ProductRecord renamed{u"2,25"_s, u"0,35"_s, u"16,48"_s, u"77,75"_s, u"Борщ с мясом"_s};
    const struct
    {
        const char *edit;
        std::function<void()> run;
        bool writesRecipe;
    } dishEdits[] = {
        {"new dish", [&] { edits.addDish(1, u"Суп"_s, borscht()); }, true},
        {"changed dish", [&] { edits.changeDish(1, 2, u"Борщ"_s, borscht(u"400"_s)); }, true},
        {"renamed dish", [&] { edits.change(1, 2, renamed); }, false},
        {"removed dish", [&] { edits.remove(1, 2); }, false},
    };
    const auto tryAll = [&] {
        for (const auto &edit : dishEdits) {
            const QString expected = failing == Failing::Category ? category
                : failing == Failing::Index || !edit.writesRecipe ? index
                                                                  : recipe;
            const QString message = refusal(edit.run);
            QVERIFY2(message == expected, qPrintable(QString::fromLatin1(edit.edit) + u": "_s + message));
            QCOMPARE(files(), before);
            QCOMPARE(listed(catalogue), (QStringList{u"Щи"_s, u"Борщ"_s, u"Уха"_s}));
            QVERIFY(edits.isDish(1, 2));
            QCOMPARE(edits.recipe(1, 2), borscht());
        }
    };
    if (asNobody) {
        QVERIFY(DiskFaults::asNobody(tryAll));
        QVERIFY(!QTest::currentTestFailed());
    } else {
        tryAll();
    }
}

QTEST_GUILESS_MAIN(TestDishRecipes)
#include "tst_dish_recipes.moc"
