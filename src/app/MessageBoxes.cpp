#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {
MessageBoxes::Hook &hook()
{
    static MessageBoxes::Hook h;
    return h;
}

// Laying out a text takes time in its length (a megabyte: seconds); no message needs more than
// this to be understood, and a longer one is cut with an ellipsis.
constexpr qsizetype MaxShownCharacters = 4096;

QString shownText(const QString &text)
{
    if (text.size() <= MaxShownCharacters)
        return text;
    qsizetype cut = MaxShownCharacters;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

void present(UserError::Kind kind, const QString &title, const QString &fullText)
{
    const QString text = shownText(fullText);
    if (hook()) {
        hook()(kind, title, text);
        return;
    }
    // No parent: the box is centred on the screen and modal to the whole program.
    QMessageBox box(kind == UserError::Kind::Error ? QMessageBox::Critical : QMessageBox::Warning, title,
                    text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // texts carry file names and file data, never markup
    box.exec();
}
} // namespace

void MessageBoxes::show(UserError::Kind kind, const QString &text)
{
    present(kind, kind == UserError::Kind::Error ? u"Error"_s : u"Warning"_s, text);
}

void MessageBoxes::showException(const QString &text)
{
    present(UserError::Kind::Error, QCoreApplication::applicationName(), text);
}

void MessageBoxes::setHook(Hook h)
{
    hook() = std::move(h);
}
