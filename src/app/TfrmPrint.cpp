#include "TfrmPrint.h"

#include "Fonts.h"

using namespace Qt::StringLiterals;

TfrmPrint::TfrmPrint(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"frmPrint"_s);
    setWindowTitle(u"Печать рациона..."_s);
    setFont(Fonts::msSansSerif(11));
    setFixedSize(197, 92);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}
