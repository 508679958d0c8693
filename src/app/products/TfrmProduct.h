#pragma once

#include "catalogue/ProductInput.h"
#include "catalogue/ProductRecord.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The product dialog: a product's name and its four values per 100 g, in the order of a
// catalogue line. OK hands the texts to the change being made; when that refuses them, the
// reason is shown and the dialog stays open on the field to correct.
class TfrmProduct : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmProduct(QWidget *parent);

    using Apply = std::function<void(const ProductRecord &texts)>;
    // Shows the dialog modally with the texts; true once apply has taken them.
    bool edit(const QString &title, const QString &category, const ProductRecord &texts, Apply apply);

    [[nodiscard]] ProductRecord texts() const;
    [[nodiscard]] QLineEdit *field(ProductField field) const { return m_fields[size_t(field)]; }

public slots:
    void btnOkClick();

private:
    QLabel *lblCategory = nullptr;
    std::array<QLineEdit *, 5> m_fields{};
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    Apply m_apply;
};
