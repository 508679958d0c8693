#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

// The row that ends a dialog of fields: "OK" and "Отмена" at its right. OK is the default
// button, so Enter in a field is OK; "Отмена" rejects the dialog. Whatever the dialog adds goes
// before them (insertWidget at 0 puts it at the left).
struct OkCancelRow
{
    QHBoxLayout *layout = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

// The buttons are the dialog's children, named btnOk and btnCancel; the caller connects OK.
[[nodiscard]] OkCancelRow MakeOkCancelRow(QDialog *dialog);
