#include "products/TfrmProduct.h"

#include "look/ElidedLabel.h"
#include "look/Fonts.h"
#include "look/OkCancelRow.h"
#include "look/WindowLook.h"
#include "messages/Guarded.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<ProductField, 5> Fields = {ProductField::Name, ProductField::Belki, ProductField::Giri,
                                                ProductField::Uglev, ProductField::Kal};
const char16_t *const FieldNames[] = {u"edtProductName", u"edtProductBelki", u"edtProductGiri",
                                      u"edtProductUglev", u"edtProductKal"};

QString &textOf(ProductRecord &record, ProductField field)
{
    switch (field) {
    case ProductField::Name:
        return record.Name;
    case ProductField::Belki:
        return record.Belki;
    case ProductField::Giri:
        return record.Giri;
    case ProductField::Uglev:
        return record.Uglev;
    case ProductField::Kal:
        break;
    }
    return record.Kal;
}

} // namespace

TfrmProduct::TfrmProduct(QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow)
{
    setObjectName(u"frmProduct"_s);
    setFont(Fonts::msSansSerif(11));

    auto *column = new QVBoxLayout(this);
    lblCategory = new ElidedLabel(QString(), this); // a name from a file, of any length
    lblCategory->setObjectName(u"lblCategory"_s);
    column->addWidget(lblCategory);

    auto *form = new QFormLayout;
    for (const ProductField f : Fields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf16(FieldNames[size_t(f)]));
        edit->setMinimumWidth(f == ProductField::Name ? 260 : 80);
        const QString caption = ProductFieldCaption(f);
        edit->setAccessibleName(caption);
        auto *label = new QLabel(caption + u':', this);
        label->setBuddy(edit);
        if (f == ProductField::Belki) {
            auto *per100 = new QLabel(u"На 100 г продукта:"_s, this);
            per100->setObjectName(u"lblPer100"_s);
            form->addRow(per100);
        }
        form->addRow(label, edit);
        m_fields[size_t(f)] = edit;
    }
    column->addLayout(form);
    // The category is cut to the fields' width: no name widens the dialog, whatever the screen.
    lblCategory->setMaximumWidth(form->sizeHint().width());

    const OkCancelRow buttons = MakeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    column->addLayout(buttons.layout);

    connect(btnOk, &QPushButton::clicked, this, guarded(this, &TfrmProduct::btnOkClick));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    WindowLook::frameFixedDialog(this);
}

bool TfrmProduct::edit(const QString &title, const QString &category, const ProductRecord &texts, Apply apply)
{
    setWindowTitle(title);
    lblCategory->setText(u"Категория: "_s + category);
    ProductRecord shown = texts;
    for (const ProductField f : Fields)
        m_fields[size_t(f)]->setText(textOf(shown, f));
    m_apply = std::move(apply);
    m_fields[0]->setFocus(Qt::OtherFocusReason);
    m_fields[0]->selectAll();
    const bool applied = exec() == QDialog::Accepted;
    m_apply = nullptr;
    return applied;
}

ProductRecord TfrmProduct::texts() const
{
    ProductRecord record;
    for (const ProductField f : Fields)
        textOf(record, f) = m_fields[size_t(f)]->text();
    return record;
}

void TfrmProduct::btnOkClick()
{
    try {
        if (m_apply)
            m_apply(texts());
    } catch (const ProductProblem &problem) {
        QLineEdit *edit = field(problem.field());
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        throw;
    }
    accept();
}
