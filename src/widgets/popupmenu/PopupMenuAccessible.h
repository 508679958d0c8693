#pragma once

// Lets screen readers and UI tests read the popup menu window as a menu with its items.
// Installed by the first menu window created; calling it again does nothing.
void installPopupMenuAccessibility();
