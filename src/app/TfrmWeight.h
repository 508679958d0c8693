#pragma once

#include "catalogue/ProductRecord.h"

#include <QDialog>

class RationModel;
class TabcLSpinEdit;
class QFrame;
class QLabel;
class QPushButton;

// The mass entry dialog: asks for the grams of the product just chosen and, on OK,
// appends it to the ration itself; or asks a new mass for a row of the ration and sets it.
// Below its buttons it shows what 100 g of the product and the typed mass bring.
class TfrmWeight : public QDialog
{
    Q_OBJECT
public:
    TfrmWeight(RationModel *ration, QWidget *parent);

    // Shows the dialog modally for the product NAME with its four VALUES; true when the user
    // confirmed, the product then appended (or the append's error shown).
    bool ask(const QString &name, const ProductRecord &values);
    // Shows it for row ROW of the ration instead: its name, its values and its mass in the
    // field; true when the user confirmed, the row's mass then set. Adding goes on afterwards
    // from the mass last used for adding.
    bool askRowMass(int row);
    [[nodiscard]] QString productName() const;
    [[nodiscard]] TabcLSpinEdit *weightField() const { return edtWeight; }

public slots:
    void FormShow();
    void edtWeightKeyUp(int key, Qt::KeyboardModifiers shift);
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showProductValues();
    void showMassValues();

    RationModel *m_ration;
    // The values of the product being asked about; its Name stays empty (the name is Label2's
    // text). Kept until the next product is asked about.
    ProductRecord PendingProduct;
    int m_row = -1; // the ration row whose mass is asked; -1 while adding
    int m_addingMass = 0; // the field's mass for adding, kept while a row's mass is asked
    QFrame *Panel1 = nullptr; // the white band at the top
    QFrame *Panel2 = nullptr; // the navy line under it
    QLabel *Label2 = nullptr; // the product's name
    QPushButton *BitBtn1 = nullptr; // OK
    QPushButton *BitBtn2 = nullptr; // Cancel
    TabcLSpinEdit *edtWeight = nullptr;
    QLabel *lblPer100 = nullptr; // values per 100 g
    QLabel *lblInMass = nullptr; // what the typed mass brings
};
