#pragma once

#include <QColor>
#include <Qt>

class QLineEdit;
class QMenuBar;
class QWidget;

// Looks the windows share.
namespace WindowLook {
// A tool-window frame: small caption with a close box only.
constexpr Qt::WindowFlags ToolWindow =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
// A message box's frame: a caption with a close box only, as the box cannot change its size.
constexpr Qt::WindowFlags FixedDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Paints the widget's background in a colour of its own, with black text on a light ground and
// white on a dark one, so that a dark colour scheme does not put its light text there.
void fillBackground(QWidget *widget, const QColor &color);
// A menu bar lying on such a ground draws its titles in the ground's text colour.
void matchGround(QMenuBar *bar);

// The field's hint (a search's "Слова из названия продукта", a dish's raw mass) is read, not
// decoration: drawn between the text's colour and the ground's, nearer the text, where some dark
// schemes put it barely apart from the ground.
void readableHint(QLineEdit *field);

// What the frame of a dialog of fixed size needs, called once the dialog's own widgets are in
// place. The dialog is kept out of the minimised, maximised and full-screen states that a window
// manager or compositor may still put it in: a hidden modal dialog would leave the program
// unanswering, and a compositor ends a client whose window does not take the size asked.
// Minimised under Wayland, where it cannot be brought back, the dialog is closed. Where the
// program draws its title bars (Wayland) the dialog gets one with its title and a close box only.
void frameFixedDialog(QWidget *dialog);
} // namespace WindowLook
