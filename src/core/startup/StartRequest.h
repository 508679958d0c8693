#pragma once

#include <QString>

// What the command line asks of a program that starts: a ration file to open once the catalogue
// is loaded, or, in its place, a warning for the window. Both empty: the program starts as usual.
struct StartRequest {
    QString file;
    QString warning;
};
