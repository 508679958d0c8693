#pragma once

#include "UserError.h"
#include "catalogue/ProductRecord.h"

#include <QByteArray>
#include <QString>

// The texts a user types for a product of their own, checked before they go into a category
// file: the line they make must read back as the same product, and its values must be numbers
// the ration can add.

// The fields in the order of a product line.
enum class ProductField { Name, Belki, Giri, Uglev, Kal };

// The field's caption, as the product dialog shows it and the messages name it.
[[nodiscard]] QString ProductFieldCaption(ProductField field);

// A text the user has to correct, and the field it is in.
class ProductProblem : public UserError
{
public:
    ProductProblem(ProductField field, const QString &message);
    [[nodiscard]] ProductField field() const { return m_field; }

private:
    ProductField m_field;
};

// The texts with blanks around each dropped, as they are written. Throws ProductProblem for the
// first field, in line order, that a product line cannot hold: an empty name, one with a line
// break or ";" or a character Windows-1251 lacks; a value that is empty, not a number, negative,
// or so large that a full ration of the product would take a total beyond single precision.
// Also when the line would be longer than a catalogue line may be, and for a name that would not
// come back whole from a ration file (some starting or ending with ":").
[[nodiscard]] ProductRecord CheckedProduct(const ProductRecord &texts);

// "name;proteins;fats;carbohydrates;kcal" in Windows-1251, without a line end.
[[nodiscard]] QByteArray ProductLineBytes(const ProductRecord &product);
