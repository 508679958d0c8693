#include "TfrmWeight.h"

#include "look/ElidedLabel.h"
#include "look/Fonts.h"
#include "messages/Guarded.h"
#include "look/WindowLook.h"
#include "ration/RationModel.h"
#include "spinedit/TabcLSpinEdit.h"
#include "spinedit/TabcSubLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfrmWeight::TfrmWeight(RationModel *ration, QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow | Qt::WindowStaysOnTopHint),
      m_ration(ration)
{
    setObjectName(u"frmWeight"_s);
    setWindowTitle(u"Ввод массы"_s);
    setFont(Fonts::msSansSerif(11));
    setFixedSize(263, 127);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setGeometry(0, 0, 263, 49);
    WindowLook::fillBackground(Panel1, Qt::white);

    Label2 = new ElidedLabel(u"Label2"_s, Panel1);
    Label2->setMaximumWidth(263 - 24); // up to the panel's edge; a longer name is cut, whole in its tool tip
    Label2->setObjectName(u"Label2"_s);
    Label2->setFont(Fonts::tahoma(11, true));
    Label2->setTextFormat(Qt::PlainText);
    Label2->move(24, 16);
    Label2->adjustSize();

    Panel2 = new QFrame(this);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setGeometry(0, 49, 263, 3);
    WindowLook::fillBackground(Panel2, QColor(0, 0, 128)); // navy

    BitBtn1 = new QPushButton(u"OK"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(40, 96, 75, 25);

    BitBtn2 = new QPushButton(u"Отмена"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setGeometry(136, 96, 75, 25);

    edtWeight = new TabcLSpinEdit(this);
    edtWeight->setObjectName(u"edtWeight"_s);
    edtWeight->setAutoSize(false);
    edtWeight->setGeometry(136, 64, 65, 22);
    edtWeight->setMinValue(1);
    edtWeight->setMaxValue(20000);
    edtWeight->setValue(100);
    edtWeight->SubLabel()->setText(u"Масса"_s);
    edtWeight->SubLabel()->setFont(Fonts::msSansSerif(11, true));
    edtWeight->SubLabel()->move(84, 66);
    edtWeight->SubLabel()->adjustSize();

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, edtWeight);

    // OK closes the dialog even when the append fails (the error is shown and nothing changed).
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TfrmWeight::BitBtn1Click));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(edtWeight, &TabcLSpinEdit::KeyUp, this, &TfrmWeight::edtWeightKeyUp);
    WindowLook::frameFixedDialog(this);
}

bool TfrmWeight::ask(const QString &name, const ProductRecord &values)
{
    Label2->setText(name);
    Label2->adjustSize();
    // Name stays empty: the name travels as Label2's text.
    PendingProduct.Belki = values.Belki;
    PendingProduct.Giri = values.Giri;
    PendingProduct.Uglev = values.Uglev;
    PendingProduct.Kal = values.Kal;
    return exec() == Accepted;
}

QString TfrmWeight::productName() const
{
    return Label2->text();
}

void TfrmWeight::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QWidget *owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    FormShow();
}

void TfrmWeight::FormShow()
{
    edtWeight->setFocus(Qt::OtherFocusReason);
}

void TfrmWeight::keyPressEvent(QKeyEvent *event)
{
    // No cancel button is set: Esc acts only through the mass field's key-up handler.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmWeight::edtWeightKeyUp(int key, Qt::KeyboardModifiers /*shift*/)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        BitBtn1->click();
    } else if (key == Qt::Key_Escape) {
        BitBtn2->click();
    }
}

void TfrmWeight::BitBtn1Click()
{
    // The field may still have the focus (Enter, a screen reader's press, a mnemonic): the mass is
    // brought into range here as leaving the field would, whichever way OK was pressed.
    edtWeight->ClampValue();
    m_ration->append(Label2->text(), edtWeight->Value(), PendingProduct);
}
