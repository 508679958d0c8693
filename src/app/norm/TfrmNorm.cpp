#include "norm/TfrmNorm.h"

#include "look/Fonts.h"
#include "look/OkCancelRow.h"
#include "look/WindowLook.h"
#include "messages/Guarded.h"
#include "norm/NormShares.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const char16_t *const Captions[] = {u"Белки, г", u"Жиры, г", u"Углеводы, г", u"Энергия, кКалорий"};
const char16_t *const FieldNames[] = {u"edtNormBelki", u"edtNormGiri", u"edtNormUglev", u"edtNormKal"};

QChar decimalSeparator()
{
    return QLocale::system().decimalPoint().at(0);
}

// A field of the calculator with its label, which is also its accessible name.
void addInput(QFormLayout *form, QWidget *input, const QString &caption, const QString &name)
{
    input->setObjectName(name);
    input->setAccessibleName(caption);
    auto *label = new QLabel(caption + u':', input->parentWidget());
    label->setBuddy(input);
    form->addRow(label, input);
}
} // namespace

TfrmNorm::TfrmNorm(QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow)
{
    setObjectName(u"frmNorm"_s);
    setWindowTitle(u"Норма дня"_s);
    setFont(Fonts::msSansSerif(11));

    auto *column = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    QFontMetrics metrics(font());
    for (int i = 0; i < 4; ++i) {
        const QString caption = QString::fromUtf16(Captions[i]);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf16(FieldNames[i]));
        edit->setAccessibleName(caption);
        edit->setFixedWidth(90);
        auto *label = new QLabel(caption + u':', this);
        label->setBuddy(edit);
        auto *reason = new QLabel(this);
        reason->setObjectName(QString::fromUtf16(FieldNames[i]) + u"Reason"_s);
        reason->setTextFormat(Qt::PlainText);
        // Room for the longest reason from the start: the dialog does not jump when one appears.
        reason->setMinimumWidth(metrics.horizontalAdvance(NormFieldErrorText(NormFieldError::OutOfRange)) + 4);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(reason, i, 2);
        m_fields[size_t(i)] = edit;
        m_reasons[size_t(i)] = reason;
        // The reason goes once the field is changed.
        connect(edit, &QLineEdit::textEdited, reason, &QLabel::clear);
    }
    column->addLayout(grid);

    auto *calculator = new QGroupBox(u"Рассчитать"_s, this);
    calculator->setObjectName(u"grpCalculate"_s);
    auto *inner = new QVBoxLayout(calculator);
    auto *form = new QFormLayout;
    cmbSex = new QComboBox(calculator);
    cmbSex->addItems({u"мужской"_s, u"женский"_s});
    addInput(form, cmbSex, u"Пол"_s, u"cmbSex"_s);
    edtAge = new QSpinBox(calculator);
    edtAge->setRange(MinAge, MaxAge);
    addInput(form, edtAge, u"Возраст, лет"_s, u"edtAge"_s);
    edtHeight = new QSpinBox(calculator);
    edtHeight->setRange(MinHeight, MaxHeight);
    addInput(form, edtHeight, u"Рост, см"_s, u"edtHeight"_s);
    edtWeight = new QDoubleSpinBox(calculator);
    edtWeight->setRange(MinWeight, MaxWeight);
    edtWeight->setDecimals(1);
    addInput(form, edtWeight, u"Вес, кг"_s, u"edtWeight"_s);
    cmbActivity = new QComboBox(calculator);
    for (int i = 0; i < ActivityLevelCount; ++i)
        cmbActivity->addItem(QString::fromUtf16(ActivityLevelAt(i).text));
    addInput(form, cmbActivity, u"Активность"_s, u"cmbActivity"_s);
    inner->addLayout(form);
    auto *formula = new QLabel(CalculationFormulaText(), calculator);
    formula->setObjectName(u"lblFormula"_s);
    formula->setWordWrap(true); // one line where the screen allows
    inner->addWidget(formula);
    btnCalculate = new QPushButton(u"Рассчитать"_s, calculator);
    btnCalculate->setObjectName(u"btnCalculate"_s);
    btnCalculate->setAutoDefault(false);
    auto *calculateRow = new QHBoxLayout;
    calculateRow->addWidget(btnCalculate);
    calculateRow->addStretch();
    inner->addLayout(calculateRow);
    column->addWidget(calculator);

    btnReset = new QPushButton(u"Сбросить"_s, this); // first, for the order Tab takes
    btnReset->setObjectName(u"btnReset"_s);
    btnReset->setAutoDefault(false);
    const OkCancelRow buttons = MakeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    btnCancel->setAutoDefault(false);
    buttons.layout->insertWidget(0, btnReset);
    column->addLayout(buttons.layout);

    connect(btnOk, &QPushButton::clicked, this, guarded(this, &TfrmNorm::btnOkClick));
    connect(btnReset, &QPushButton::clicked, this, guarded(this, &TfrmNorm::btnResetClick));
    connect(btnCalculate, &QPushButton::clicked, this, guarded(this, &TfrmNorm::btnCalculateClick));

    // The formula's line sets the width, up to what the screen can show.
    formula->setMinimumWidth(std::min(metrics.horizontalAdvance(formula->text()) + 8, 560));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    WindowLook::frameFixedDialog(this);
}

bool TfrmNorm::edit(const NormSettings &current)
{
    showSettings(current);
    m_result = current;
    m_fields[0]->setFocus(Qt::OtherFocusReason);
    m_fields[0]->selectAll();
    return exec() == QDialog::Accepted;
}

void TfrmNorm::showSettings(const NormSettings &settings)
{
    for (int i = 0; i < 4; ++i) {
        const auto n = DailyNorm::Nutrient(i);
        const std::optional<double> &value = settings.norm[n];
        m_fields[size_t(i)]->setText(value ? NormValueText(n, *value, decimalSeparator()) : QString());
        m_reasons[size_t(i)]->clear();
    }
    const BodyInputs &b = settings.body;
    cmbSex->setCurrentIndex(b.sex == BodyInputs::Sex::Female ? 1 : 0);
    edtAge->setValue(b.ageYears);
    edtHeight->setValue(int(std::lround(b.heightCm)));
    edtWeight->setValue(b.weightKg);
    cmbActivity->setCurrentIndex(b.activity);
}

BodyInputs TfrmNorm::body() const
{
    BodyInputs b;
    b.sex = cmbSex->currentIndex() == 1 ? BodyInputs::Sex::Female : BodyInputs::Sex::Male;
    b.ageYears = edtAge->value();
    b.heightCm = edtHeight->value();
    b.weightKg = edtWeight->value();
    b.activity = cmbActivity->currentIndex();
    return b;
}

void TfrmNorm::btnCalculateClick()
{
    const DailyNorm norm = CalculateNorm(body());
    for (int i = 0; i < 4; ++i) {
        const auto n = DailyNorm::Nutrient(i);
        m_fields[size_t(i)]->setText(NormValueText(n, *norm[n], decimalSeparator()));
        m_reasons[size_t(i)]->clear();
    }
}

void TfrmNorm::btnOkClick()
{
    DailyNorm norm;
    QLineEdit *firstBad = nullptr;
    for (int i = 0; i < 4; ++i) {
        const NormFieldError error = ParseNormField(m_fields[size_t(i)]->text(), norm.values[size_t(i)]);
        m_reasons[size_t(i)]->setText(NormFieldErrorText(error));
        if (error != NormFieldError::None && !firstBad)
            firstBad = m_fields[size_t(i)];
    }
    if (firstBad) {
        firstBad->setFocus(Qt::OtherFocusReason);
        firstBad->selectAll();
        return;
    }
    m_result = {norm, body()};
    accept();
}

void TfrmNorm::btnResetClick()
{
    m_result = {DailyNorm{}, body()};
    accept();
}
