#include "messages/MessageBoxes.h"

#include "look/WindowLook.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>

#include <utility>

using namespace Qt::StringLiterals;

namespace {
MessageBoxes::Hook &hook()
{
    static MessageBoxes::Hook h;
    return h;
}

// The window the user is working in: the open modal dialog, else the active window, else the
// program's visible main window (its first activation may run before the window manager has
// activated it).
QWidget *activeWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && qobject_cast<QMainWindow *>(window))
            return window;
    }
    return nullptr;
}

// Owned by that window, so that the window manager keeps the box above it (a parentless box may
// go under the mass dialog), yet centred on the screen, not on its owner.
class ProgramBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event); // sizes the box
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
};

bool &nextAnswer()
{
    static bool yes = false;
    return yes;
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
    // Modal to the whole program.
    ProgramBox box(kind == UserError::Kind::Error ? QMessageBox::Critical : QMessageBox::Warning, title, text,
                   QMessageBox::Ok, activeWindow(), WindowLook::FixedDialog);
    box.setWindowModality(Qt::ApplicationModal);
    WindowLook::frameFixedDialog(&box);
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

bool MessageBoxes::ask(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(UserError::Kind::Warning, title, text);
        return std::exchange(nextAnswer(), false);
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent,
                    WindowLook::FixedDialog);
    WindowLook::frameFixedDialog(&box);
    box.setTextFormat(Qt::PlainText); // the text names a file: never markup
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxes::setNextAnswer(bool yes)
{
    nextAnswer() = yes;
}
