#pragma once

#include <QDialog>

// The print dialog: created hidden at start-up; it will print the ration when shown.
class TfrmPrint : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPrint(QWidget *parent);
};
