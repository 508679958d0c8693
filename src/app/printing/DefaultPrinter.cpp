#include "printing/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
enum class Source { System, PdfFile, None };

struct Override
{
    Source source = Source::System;
    QString path;
    QString name;
};

Override &override_()
{
    static Override o;
    return o;
}
} // namespace

DefaultPrinter::Choice DefaultPrinter::current()
{
    const Override &o = override_();
    Choice choice;
    switch (o.source) {
    case Source::System: {
        // Without a default printer QPrinter would quietly write a PDF file with no name.
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return choice;
        choice.name = info.printerName();
        choice.printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        break;
    }
    case Source::PdfFile:
        choice.name = o.name;
        choice.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        choice.printer->setOutputFormat(QPrinter::PdfFormat);
        choice.printer->setOutputFileName(o.path);
        break;
    case Source::None:
        break;
    }
    return choice;
}

void DefaultPrinter::usePdfFile(const QString &path, const QString &name)
{
    override_() = {Source::PdfFile, path, name};
}

void DefaultPrinter::useNoPrinter()
{
    override_() = {Source::None, {}, {}};
}

void DefaultPrinter::useSystem()
{
    override_() = {};
}
