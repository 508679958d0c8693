#pragma once

#include "norm/NormSettings.h"

#include <QDialog>

#include <array>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The dialog "Норма дня": the four norm values, typed or calculated from the body, each field
// editable. OK keeps what the fields hold (a field that is not a sound number keeps the dialog
// open with the reason beside it), "Сбросить" removes the norm, "Отмена" changes nothing.
class TfrmNorm : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmNorm(QWidget *parent);

    // Shows the dialog modally over the current settings; true when the user changed them, which
    // settings() then holds (the calculator's inputs are kept with the norm).
    bool edit(const NormSettings &current);
    [[nodiscard]] NormSettings settings() const { return m_result; }

    [[nodiscard]] QLineEdit *field(DailyNorm::Nutrient n) const { return m_fields[size_t(n)]; }
    [[nodiscard]] QLabel *reason(DailyNorm::Nutrient n) const { return m_reasons[size_t(n)]; }

public slots:
    void btnOkClick();
    void btnResetClick();
    void btnCalculateClick();

private:
    void showSettings(const NormSettings &settings);
    [[nodiscard]] BodyInputs body() const;

    std::array<QLineEdit *, 4> m_fields{};
    std::array<QLabel *, 4> m_reasons{};
    QComboBox *cmbSex = nullptr;
    QSpinBox *edtAge = nullptr;
    QSpinBox *edtHeight = nullptr;
    QDoubleSpinBox *edtWeight = nullptr;
    QComboBox *cmbActivity = nullptr;
    QPushButton *btnCalculate = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnReset = nullptr;
    NormSettings m_result;
};
