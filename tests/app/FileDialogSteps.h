#pragma once

// A real file dialog driven from within its modal loop. The dialogs are built when their command
// first asks for one, so the dialog is found when it opens.

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <functional>

// Runs trigger, which should open the file dialog named dialogName, then step once the dialog is
// up and active. Returns the dialog, or nullptr when none opened in the meantime. A dialog that
// step left open is cancelled, and *leftOpen says so.
inline QFileDialog *runInFileDialog(const char *dialogName, const std::function<void()> &trigger,
                                    const std::function<void(QFileDialog *)> &step, bool *leftOpen)
{
    QFileDialog *dialog = nullptr;
    *leftOpen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog || !modal || modal->objectName() != QLatin1String(dialogName) || !modal->isActiveWindow())
            return;
        dialog = modal;
        step(dialog);
        if (dialog->isVisible()) {
            *leftOpen = true;
            dialog->reject();
        }
    });
    poll.start();
    trigger();
    return dialog;
}
