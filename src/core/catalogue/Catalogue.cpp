#include "Catalogue.h"

#include <utility>

const Catalogue::Category *Catalogue::category(int k) const
{
    if (k < 1 || k > m_categories.size())
        return nullptr;
    return &m_categories[k - 1];
}

QString Catalogue::CategoryFile(int k) const
{
    const Category *c = category(k);
    return c ? c->file : QString();
}

QString Catalogue::CategoryName(int k) const
{
    const Category *c = category(k);
    return c ? c->text.name() : QString();
}

ProductRecord Catalogue::Product(int k, int r) const
{
    const Category *c = category(k);
    return c ? c->text.product(r) : ProductRecord();
}

QString Catalogue::productName(int k, int r) const
{
    const Category *c = category(k);
    return c ? c->text.productName(r) : QString();
}

QByteArrayView Catalogue::productNameBytes(int k, int r) const
{
    const Category *c = category(k);
    return c ? c->text.productNameBytes(r) : QByteArrayView();
}

int Catalogue::productCount(int k) const
{
    const Category *c = category(k);
    return c ? c->text.listedCount() : 0;
}

int Catalogue::productLineCount(int k) const
{
    const Category *c = category(k);
    return c ? c->text.productLineCount() : 0;
}

bool Catalogue::isLoaded(int k) const
{
    const Category *c = category(k);
    return c && c->loaded;
}

bool Catalogue::isTextOf(int k, QByteArrayView file) const
{
    const Category *c = category(k);
    return c && c->loaded && c->text.isTextOf(file);
}

void Catalogue::addCategoryFile(const QString &path)
{
    if (m_categories.size() < MaxCategories)
        m_categories.append({path, {}, false});
}

void Catalogue::setCategoryText(int k, CategoryText text)
{
    if (k >= 1 && k <= m_categories.size()) {
        m_categories[k - 1].text = std::move(text);
        m_categories[k - 1].loaded = true;
    }
}

void Catalogue::clear()
{
    m_categories = {};
}
