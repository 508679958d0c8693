#include "norm/NormSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(NormSettings)

class TestNormSettings : public QObject
{
    Q_OBJECT

private slots:
    void pathFollowsXdgConfigHome();
    void roundTrips_data();
    void roundTrips();
    void readsHandEditedValues_data();
    void readsHandEditedValues();
    void unsoundFileGivesNoNorm_data();
    void unsoundFileGivesNoNorm();
    void replacesUnsoundFileWhole();
    void unwritableFolderSaysSo();

private:
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

void TestNormSettings::pathFollowsXdgConfigHome()
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    QCOMPARE(NormSettingsPath(), m_dir.path() + u"/edoklad/edoklad.conf"_s);
    qputenv("XDG_CONFIG_HOME", old);
}

void TestNormSettings::roundTrips_data()
{
    QTest::addColumn<NormSettings>("settings");

    NormSettings full;
    full.norm.values = {90.5, 70.0, 300.25, 2200.0};
    full.body = {BodyInputs::Sex::Female, 45, 162.5, 58.3, 4};
    QTest::newRow("full") << full;

    NormSettings energyOnly;
    energyOnly.norm.values[DailyNorm::Kal] = 0.0;
    QTest::newRow("energy only, 0") << energyOnly;
    QTest::newRow("no norm, the calculator's inputs") << NormSettings{{}, {BodyInputs::Sex::Male, 10, 250, 400, 0}};
}

void TestNormSettings::roundTrips()
{
    QFETCH(NormSettings, settings);
    const QString path = m_dir.filePath(u"a/b/edoklad.conf"_s); // folders made as needed
    QVERIFY(SaveNormSettings(path, settings));
    const NormSettings back = LoadNormSettings(path);
    QCOMPARE(back.norm, settings.norm);
    QVERIFY(back.body == settings.body);
}

void TestNormSettings::readsHandEditedValues_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<double>("belki");

    QTest::newRow("decimal comma") << QByteArray("[Norm]\nBelki=90,5\n") << 90.5;
    QTest::newRow("quoted, blanks") << QByteArray("[Norm]\nBelki=\" 90.5 \"\n") << 90.5;
    QTest::newRow("CR LF, other keys") << QByteArray("[Other]\nx=1\r\n[Norm]\r\nBelki=1e2\r\n") << 100.0;
}

void TestNormSettings::readsHandEditedValues()
{
    QFETCH(QByteArray, ini);
    QFETCH(double, belki);
    const QString path = m_dir.filePath(u"hand.conf"_s);
    write(path, ini);
    QCOMPARE(LoadNormSettings(path).norm[DailyNorm::Belki], belki);
}

void TestNormSettings::unsoundFileGivesNoNorm_data()
{
    QTest::addColumn<QByteArray>("ini");

    const QByteArray body = "\n[Calculator]\nSex=female\nAge=45\nHeight=162\nWeight=58\nActivity=2\n";
    QTest::newRow("text") << QByteArray("[Norm]\nBelki=90\nKal=много\n") + body;
    QTest::newRow("negative") << QByteArray("[Norm]\nBelki=-1\nKal=2200\n") + body;
    QTest::newRow("NaN") << QByteArray("[Norm]\nKal=nan\n") + body;
    QTest::newRow("infinity") << QByteArray("[Norm]\nKal=inf\n") + body;
    QTest::newRow("1e39") << QByteArray("[Norm]\nKal=1e39\n") + body;
    QTest::newRow("above the largest") << QByteArray("[Norm]\nKal=100001\n") + body;
    QTest::newRow("a typed value") << QByteArray("[Norm]\nKal=@Variant(\\0\\0\\0\\x87\\x42\\0\\0\\0)\n") + body;
    QTest::newRow("a list") << QByteArray("[Norm]\nKal=1, 2, 3\n") + body;
    QTest::newRow("binary") << QByteArray("\x00\xff\x01[Norm\n=\x80\x81", 10);
    QTest::newRow("too big to be ours") << QByteArray("[Norm]\nKal=2200\n") + QByteArray(70000, '#');
}

void TestNormSettings::unsoundFileGivesNoNorm()
{
    QFETCH(QByteArray, ini);
    const QString path = m_dir.filePath(u"unsound.conf"_s);
    write(path, ini);
    const NormSettings read = LoadNormSettings(path);
    QVERIFY(read.norm.isEmpty());
    QVERIFY(IsValid(read.body));

    // A folder or nothing at all where the file should be are no norm either.
    QVERIFY(LoadNormSettings(m_dir.path()).norm.isEmpty());
    QVERIFY(LoadNormSettings(m_dir.filePath(u"none.conf"_s)).norm.isEmpty());
}

void TestNormSettings::replacesUnsoundFileWhole()
{
    const QString path = m_dir.filePath(u"replaced.conf"_s);
    write(path, "[Norm]\nKal=nan\nStray=1\n[Calculator]\nAge=abc\n");
    NormSettings settings;
    settings.norm.values[DailyNorm::Kal] = 2000.0;
    QVERIFY(SaveNormSettings(path, settings));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(!bytes.contains("Stray") && !bytes.contains("nan") && !bytes.contains("abc"), bytes.constData());
    QCOMPARE(LoadNormSettings(path).norm, settings.norm);
}

void TestNormSettings::unwritableFolderSaysSo()
{
    // A file where the settings folder should be: no folder can be made there, even as root.
    const QString blocker = m_dir.filePath(u"blocker"_s);
    write(blocker, "not a folder");
    NormSettings settings;
    settings.norm.values[DailyNorm::Kal] = 2000.0;
    QVERIFY(!SaveNormSettings(blocker + u"/edoklad/edoklad.conf"_s, settings));

    // A folder holding the file's name is never replaced.
    const QString folder = m_dir.filePath(u"taken/edoklad.conf"_s);
    QVERIFY(QDir(m_dir.path()).mkpath(folder));
    QVERIFY(!SaveNormSettings(folder, settings));
    QVERIFY(QFileInfo(folder).isDir());
}

QTEST_GUILESS_MAIN(TestNormSettings)
#include "tst_norm_settings.moc"
