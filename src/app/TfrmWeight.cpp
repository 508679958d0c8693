#include "TfrmWeight.h"

#include "look/ElidedLabel.h"
#include "Numbers.h"
#include "look/Fonts.h"
#include "messages/Guarded.h"
#include "look/WindowLook.h"
#include "ration/RationModel.h"
#include "ration/ValuesLine.h"
#include "spinedit/TabcLSpinEdit.h"
#include "spinedit/TabcSubLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
// A line wraps only after a "·", never inside a value and its unit.
QString wrappedAtDots(QString line)
{
    return line.replace(u" · "_s, u"\u00A0· "_s).replace(u" г"_s, u"\u00A0г"_s).replace(u" кКалорий"_s, u"\u00A0кКалорий"_s);
}
} // namespace

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

    // Below the buttons, so that everything above stays where it always was.
    const QFont small = Fonts::msSansSerif(11);
    const int lineHeight = QFontMetrics(small).lineSpacing();
    int top = 127;
    for (QLabel **line : {&lblPer100, &lblInMass}) {
        *line = new QLabel(this);
        (*line)->setFont(small);
        (*line)->setTextFormat(Qt::PlainText);
        (*line)->setWordWrap(true);
        (*line)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        (*line)->setGeometry(8, top, 263 - 16, 2 * lineHeight);
        top += 2 * lineHeight + 6;
    }
    lblPer100->setObjectName(u"lblPer100"_s);
    lblInMass->setObjectName(u"lblInMass"_s);
    setFixedSize(263, top + 2);
    connect(edtWeight, &QLineEdit::textChanged, this, &TfrmWeight::showMassValues);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, edtWeight);

    // OK closes the dialog even when the append fails (the error is shown and nothing changed).
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TfrmWeight::BitBtn1Click));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(edtWeight, &TabcLSpinEdit::KeyUp, this, &TfrmWeight::edtWeightKeyUp);
    // A row's mass asked and answered: adding goes on from its own last mass.
    connect(this, &QDialog::finished, this, [this] {
        if (m_row < 0)
            return;
        m_row = -1;
        edtWeight->setValue(m_addingMass);
    });
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
    m_row = -1;
    showProductValues();
    return exec() == Accepted;
}

bool TfrmWeight::askRowMass(int row)
{
    if (m_row < 0)
        m_addingMass = edtWeight->Value();
    Label2->setText(m_ration->name(row));
    Label2->adjustSize();
    PendingProduct = m_ration->RationTable(row);
    m_row = row;
    int grams = 0;
    if (TryStrToInt(m_ration->grams(row), grams))
        edtWeight->setValue(grams);
    showProductValues();
    return exec() == Accepted;
}

void TfrmWeight::showProductValues()
{
    const QChar separator = QLocale::system().decimalPoint().at(0);
    lblPer100->setText(wrappedAtDots(u"в 100 г: "_s + valuesPer100g(PendingProduct, separator)));
    showMassValues();
}

void TfrmWeight::showMassValues()
{
    // The mass OK would take: the field's number brought into range.
    const int grams = edtWeight->CheckValue(edtWeight->Value());
    lblInMass->setText(wrappedAtDots(valuesInMass(PendingProduct, grams, QLocale::system().decimalPoint().at(0))));
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
    if (m_row >= 0)
        m_ration->setMass(m_row, edtWeight->Value());
    else
        m_ration->append(Label2->text(), edtWeight->Value(), PendingProduct);
}
