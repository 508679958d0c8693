#pragma once

#include <QString>

#include <memory>

class QPrinter;

// The printer a print job goes to: the system's default printer with its own defaults for paper,
// orientation and copies, at its full resolution. Tests put a PDF file or "no printer" in its place,
// so windows print without a spooler.
class DefaultPrinter
{
public:
    // The printer and the name to show for it; an empty printer when none is installed.
    struct Choice
    {
        QString name;
        std::unique_ptr<QPrinter> printer;
    };

    [[nodiscard]] static Choice current();

    // Tests: print into a PDF file shown as the printer NAME, print nowhere, or use the system again.
    static void usePdfFile(const QString &path, const QString &name);
    static void useNoPrinter();
    static void useSystem();
};
