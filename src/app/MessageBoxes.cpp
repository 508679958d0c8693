#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <utility>

using namespace Qt::StringLiterals;

namespace {
MessageBoxes::Hook &hook()
{
    static MessageBoxes::Hook h;
    return h;
}

bool &nextAnswer()
{
    static bool yes = false;
    return yes;
}

void present(UserError::Kind kind, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(kind, title, text);
        return;
    }
    // No parent: the box is centred on the screen and modal to the whole program.
    QMessageBox box(kind == UserError::Kind::Error ? QMessageBox::Critical : QMessageBox::Warning, title,
                    text, QMessageBox::Ok);
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

bool MessageBoxes::ask(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(UserError::Kind::Warning, title, text);
        return std::exchange(nextAnswer(), false);
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText); // the text names a file: never markup
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxes::setNextAnswer(bool yes)
{
    nextAnswer() = yes;
}
