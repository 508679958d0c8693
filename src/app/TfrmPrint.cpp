#include "TfrmPrint.h"

#include "Fonts.h"
#include "WindowLook.h"

using namespace Qt::StringLiterals;

TfrmPrint::TfrmPrint(QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow)
{
    setObjectName(u"frmPrint"_s);
    setWindowTitle(u"Печать рациона..."_s);
    setFont(Fonts::msSansSerif(11));
    setFixedSize(197, 92);
    WindowLook::fillBackground(this, Qt::white);
}
