#include "AppWindows.h"

AppWindows AppWindows::create(Catalogue &catalogue)
{
    AppWindows windows;
    windows.main = std::make_unique<TfrmMain>(catalogue);
    windows.weight = std::make_unique<TfrmWeight>(windows.main->ration(), windows.main.get());
    windows.print = std::make_unique<TfrmPrint>(windows.main.get());
    windows.main->setDialogs(windows.weight.get(), windows.print.get());
    return windows;
}
