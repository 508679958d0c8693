#pragma once

#include <QString>

// One product: its four values per 100 g as the catalogue wrote them, and its name.
// Values stay texts; they become numbers only where the ration computes with them.
struct ProductRecord
{
    QString Belki; // proteins, g per 100 g
    QString Giri;  // fats, g per 100 g
    QString Uglev; // carbohydrates, g per 100 g
    QString Kal;   // energy, kcal per 100 g
    QString Name;

    friend bool operator==(const ProductRecord &a, const ProductRecord &b)
    {
        return a.Belki == b.Belki && a.Giri == b.Giri && a.Uglev == b.Uglev && a.Kal == b.Kal
            && a.Name == b.Name;
    }
    friend bool operator!=(const ProductRecord &a, const ProductRecord &b) { return !(a == b); }
};
