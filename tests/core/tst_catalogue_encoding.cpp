#include "Cp1251.h"

#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCatalogueEncoding : public QObject
{
    Q_OBJECT

private slots:
    void decodeAgreesWithQt();
    void everyByteRoundTrips();
    void encode_data();
    void encode();
};

// The table is ours; Qt's ICU codec is the reference where it is built in.
void TestCatalogueEncoding::decodeAgreesWithQt()
{
    QStringDecoder reference("windows-1251");
    if (!reference.isValid())
        QSKIP("Qt has no windows-1251 codec here");
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(Cp1251::decode(byte), reference.decode(byte));
    }
}

void TestCatalogueEncoding::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1251::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x98), QChar(0x0098));
    QCOMPARE(Cp1251::encode(text), all);
}

void TestCatalogueEncoding::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("Cyrillic") << u"Ёж Яя ёЇї"_s << QByteArray("\xA8\xE6 \xDF\xFF \xB8\xAF\xBF");
    QTest::newRow("punctuation") << u"«№ 5» — €"_s << QByteArray("\xAB\xB9 5\xBB \x97 \x88");
    QTest::newRow("not in the code page") << u"a✓中\u0080é"_s << QByteArray("a????");
}

void TestCatalogueEncoding::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp1251::encode(text), bytes);
}

QTEST_GUILESS_MAIN(TestCatalogueEncoding)
#include "tst_catalogue_encoding.moc"
