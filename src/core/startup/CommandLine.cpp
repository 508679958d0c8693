#include "startup/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

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

// A file manager may pass a file as its address: file:///home/me/day.edk, percent-encoded. Other
// addresses (sftp://, smb://...) name nothing the program can open; a name with a colon that is
// no address (day:2.edk) stays a name.
void takeFile(const QString &argument, StartRequest &request)
{
    static const QRegularExpression address(u"^[A-Za-z][A-Za-z0-9+.-]*://"_s);
    const bool fileAddress = argument.startsWith(u"file:"_s, Qt::CaseInsensitive);
    if (!fileAddress && !address.match(argument).hasMatch()) {
        request.file = QFileInfo(argument).absoluteFilePath();
        return;
    }
    QUrl url(argument);
    if (url.host() == u"localhost"_s)
        url.setHost(QString()); // else taken as a share of the computer called localhost
    if (fileAddress && url.isValid() && url.host().isEmpty() && !url.path().isEmpty()) {
        request.file = QFileInfo(url.toLocalFile()).absoluteFilePath();
        return;
    }
    request.warning = u"Файл рациона можно открыть только на этом компьютере, адрес не открыт: "_s + argument;
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
        takeFile(files.first(), parsed.request);
    return parsed;
}

QString CommandLine::noDisplayError()
{
    return u"edoklad: не удалось подключиться к дисплею, программе нужен графический сеанс\n"_s;
}
