#pragma once

#include "catalogue/ProductRecord.h"

#include <QDialog>

class RationModel;
class TabcLSpinEdit;
class QFrame;
class QLabel;
class QPushButton;

// The mass entry dialog: asks for the grams of the product just chosen and, on OK,
// appends it to the ration itself, while it is still shown.
class TfrmWeight : public QDialog
{
    Q_OBJECT
public:
    TfrmWeight(RationModel *ration, QWidget *parent);

    // Shows the dialog modally for the product NAME with its four VALUES; true when the user
    // confirmed, the product then appended (or the append's error shown).
    bool ask(const QString &name, const ProductRecord &values);
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
    RationModel *m_ration;
    // The values of the product being asked about; its Name stays empty (the name is Label2's
    // text). Kept until the next product is asked about.
    ProductRecord PendingProduct;
    QFrame *Panel1 = nullptr; // the white band at the top
    QFrame *Panel2 = nullptr; // the navy line under it
    QLabel *Label2 = nullptr; // the product's name
    QPushButton *BitBtn1 = nullptr; // OK
    QPushButton *BitBtn2 = nullptr; // Cancel
    TabcLSpinEdit *edtWeight = nullptr;
};
