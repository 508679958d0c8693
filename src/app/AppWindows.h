#pragma once

#include "LazyWindow.h"
#include "TfrmMain.h"
#include "printing/TfrmPrint.h"
#include "TfrmWeight.h"

#include <memory>

class Catalogue;

// The program's three windows. Start-up and the window tests both build them with create().
struct AppWindows {
    // The main window first, so it is the application's main window; the mass dialog and the print
    // dialog, both children of the main window, are built when it first needs them.
    [[nodiscard]] static AppWindows create(Catalogue &catalogue);

    // The main window owns the dialogs once they are built; TfrmMain keeps pointers to the holders,
    // which are destroyed before it.
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<LazyWindow<TfrmWeight>> weight;
    std::unique_ptr<LazyWindow<TfrmPrint>> print;
};
