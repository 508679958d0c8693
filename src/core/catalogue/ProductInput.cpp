#include "catalogue/ProductInput.h"

#include "Cp1251.h"
#include "Numbers.h"
#include "catalogue/ReadCatalogueFile.h"
#include "ration/RationModel.h"
#include "rationfile/RationFileFormat.h"

#include <array>
#include <cfloat>

using namespace Qt::StringLiterals;

namespace {

// The most the mass dialog adds at once; a ration holds RationModel::Capacity rows.
constexpr long double MaxGrams = 20000;

// Characters of text that Windows-1251 cannot hold, each once, surrogate pairs kept whole.
QString unwritable(const QString &text)
{
    QString found;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, length);
        if (Cp1251::decode(Cp1251::encode(character)) != character && !found.contains(character))
            found += character;
        i += length;
    }
    return found;
}

void checkName(const QString &name)
{
    if (name.isEmpty())
        throw ProductProblem(ProductField::Name, u"Введите название продукта"_s);
    if (name.contains(u'\n') || name.contains(u'\r'))
        throw ProductProblem(ProductField::Name, u"Название продукта не может содержать перевод строки"_s);
    if (name.contains(u';'))
        throw ProductProblem(ProductField::Name, u"Название продукта не может содержать символ \";\""_s);
    const QString missing = unwritable(name);
    if (!missing.isEmpty())
        throw ProductProblem(ProductField::Name,
                             u"В названии продукта есть символы, которых нет в кодировке Windows-1251: "_s + missing);
}

void checkValue(ProductField field, const QString &text)
{
    const QString caption = u"\""_s + ProductFieldCaption(field) + u"\""_s;
    if (text.isEmpty())
        throw ProductProblem(field, u"Введите значение в поле "_s + caption);
    long double value = 0;
    if (!TryStrToFloat(text, value))
        throw ProductProblem(field, u"Значение в поле "_s + caption + u" не является числом: "_s + text);
    if (value < 0)
        throw ProductProblem(field, u"Значение в поле "_s + caption + u" не может быть отрицательным: "_s + text);
    // Any ration the program can make of this product keeps its totals finite.
    constexpr long double Limit =
        static_cast<long double>(FLT_MAX) / (MaxGrams * 0.01L * RationModel::Capacity);
    if (value > Limit)
        throw ProductProblem(field, RationModel::outOfRangeError(text).message());
}

// A ration row of the product is saved with this name: it must read back as it was written.
bool nameComesBackFromRationFile(const ProductRecord &product)
{
    const QByteArray line = RationFileBytes({RationRow{product.Name, u"1"_s, product}});
    return ReadRationFileLine(line).Name == product.Name;
}

} // namespace

QString ProductFieldCaption(ProductField field)
{
    switch (field) {
    case ProductField::Name:
        return u"Название"_s;
    case ProductField::Belki:
        return u"Белки, г"_s;
    case ProductField::Giri:
        return u"Жиры, г"_s;
    case ProductField::Uglev:
        return u"Углеводы, г"_s;
    case ProductField::Kal:
        return u"Энергия, кКал"_s;
    }
    return {};
}

ProductProblem::ProductProblem(ProductField field, const QString &message)
    : UserError(message, Kind::Warning), m_field(field)
{
}

ProductRecord CheckedProduct(const ProductRecord &texts)
{
    const ProductRecord product{texts.Belki.trimmed(), texts.Giri.trimmed(), texts.Uglev.trimmed(),
                                texts.Kal.trimmed(), texts.Name.trimmed()};
    checkName(product.Name);
    checkValue(ProductField::Belki, product.Belki);
    checkValue(ProductField::Giri, product.Giri);
    checkValue(ProductField::Uglev, product.Uglev);
    checkValue(ProductField::Kal, product.Kal);
    if (ProductLineBytes(product).size() > CatalogueLimits::MaxLineBytes)
        throw ProductProblem(ProductField::Name,
                             u"Строка продукта не может быть длиннее %1 символов: сократите название"_s.arg(
                                 CatalogueLimits::MaxLineBytes));
    if (!nameComesBackFromRationFile(product))
        throw ProductProblem(
            ProductField::Name,
            u"Название продукта не сохранится в файле рациона: уберите символ \":\" в начале или в конце"_s);
    return product;
}

QByteArray ProductLineBytes(const ProductRecord &product)
{
    return Cp1251::encode(product.Name + u';' + product.Belki + u';' + product.Giri + u';' + product.Uglev + u';'
                          + product.Kal);
}
