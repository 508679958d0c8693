#include "startup/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The descriptions are in the help text below, in the program's language; the parser needs the names.
struct Options {
    QCommandLineOption help{QStringList{u"h"_s, u"help"_s, u"?"_s}};
    QCommandLineOption version{QStringList{u"v"_s, u"version"_s}};
};

void setUp(QCommandLineParser &parser, const Options &options)
{
    // Qt's own options are words after one dash: -reverse is not -r -e -v...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(options.help);
    parser.addOption(options.version);
}

QString helpText()
{
    return u"Использование: edoklad [ФАЙЛ]\n"
           u"Программа расчета калорийности питания.\n"
           u"\n"
           u"  ФАЙЛ           файл рациона (.edk), открываемый после запуска, как командой \"Открыть\"\n"
           u"  -h, --help     показать эту справку\n"
           u"  -v, --version  показать версию программы\n"_s;
}

// The option as it was typed, for the message: the parser keeps only its name.
QString typedOption(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == u"--"_s)
            break;
        const QString typed = argument.section(u'=', 0, 0);
        qsizetype dashes = 0;
        while (dashes < typed.size() && typed.at(dashes) == u'-')
            ++dashes;
        if (dashes > 0 && typed.mid(dashes) == name)
            return typed;
    }
    return name;
}

} // namespace

std::optional<QString> CommandLine::answer(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    setUp(parser, options);
    // Options the parser does not know (Qt's among them) are reported later, by parse().
    static_cast<void>(parser.parse(arguments));
    if (parser.isSet(options.help))
        return helpText();
    if (parser.isSet(options.version))
        return u"edoklad " EDOKLAD_VERSION "\n"_s;
    return std::nullopt;
}

CommandLine::Parsed CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    setUp(parser, options);
    Parsed parsed;
    if (!parser.parse(arguments)) {
        parsed.error = u"edoklad: неизвестный параметр "_s
                       + typedOption(arguments, parser.unknownOptionNames().value(0))
                       + u"\nСправка: edoklad --help\n"_s;
        return parsed;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        parsed.request.warning = u"Указано больше одного файла рациона, файлы не открыты"_s;
    else if (files.size() == 1)
        parsed.request.file = QFileInfo(files.first()).absoluteFilePath();
    return parsed;
}
