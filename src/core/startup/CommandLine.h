#pragma once

#include "startup/StartRequest.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program's command line: at most one ration file, --help and --version. The arguments are
// read twice: as the process got them, before the application object (which needs a display)
// exists, for the two answers; then what is left once Qt has taken its own options (-platform,
// -style...), for the file.
namespace CommandLine {

// The text for standard output when --help or --version is asked for; nothing otherwise.
[[nodiscard]] std::optional<QString> answer(const QStringList &arguments);

struct Parsed {
    StartRequest request;
    QString error; // for standard error, the program not started: an option it does not know
};
// A relative path is taken from the working folder; a local file:// address is its path, another
// address a warning.
[[nodiscard]] Parsed parse(const QStringList &arguments);

// For standard error, the program not started: there is no display to show its windows on.
[[nodiscard]] QString noDisplayError();

} // namespace CommandLine
