#include "AppWindows.h"

AppWindows AppWindows::create(Catalogue &catalogue)
{
    AppWindows windows;
    windows.main = std::make_unique<TfrmMain>(catalogue);
    TfrmMain *main = windows.main.get();
    windows.weight = std::make_unique<LazyWindow<TfrmWeight>>([main] { return new TfrmWeight(main->ration(), main); });
    windows.print = std::make_unique<LazyWindow<TfrmPrint>>([main] { return new TfrmPrint(main); });
    windows.main->setDialogs(windows.weight.get(), windows.print.get());
    return windows;
}
