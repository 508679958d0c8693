#include "look/OkCancelRow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

OkCancelRow MakeOkCancelRow(QDialog *dialog)
{
    OkCancelRow row;
    row.layout = new QHBoxLayout;
    row.layout->addStretch();
    row.ok = new QPushButton(u"OK"_s, dialog);
    row.ok->setObjectName(u"btnOk"_s);
    row.ok->setDefault(true);
    row.cancel = new QPushButton(u"Отмена"_s, dialog);
    row.cancel->setObjectName(u"btnCancel"_s);
    row.layout->addWidget(row.ok);
    row.layout->addWidget(row.cancel);
    QObject::connect(row.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}
