#pragma once

#include "LazyWindow.h"
#include "files/FileDialog.h"

#include <QList>
#include <QObject>
#include <QString>

class RationModel;
struct RationRow;
class QWidget;

// Save, Save as and Open of the main window's menu: the ration to and from ration files, and the
// file last used. A failed command leaves the ration, the files and the file name as they were
// and says so; errors in a file's texts, and opened grams that are not whole (a file holds whole
// grams only), escape as UserError for the window to show.
class RationFileCommands : public QObject
{
    Q_OBJECT
public:
    // The dialogs belong to window and live as long as it.
    RationFileCommands(RationModel *ration, QWidget *window);

    // The path of the last completed Save as or Open; empty before the first.
    [[nodiscard]] const QString &currentFileName() const { return m_currentFileName; }

    void saveAs();
    // Writes to the current file without asking; nothing without one.
    void save();
    void open();
    // Open with the file already chosen: the file named on the command line, too.
    void openFile(const QString &path);

signals:
    // A completed Save as or Open: Save now has a file to write to.
    void fileNamed();

private:
    [[nodiscard]] QList<RationRow> rows() const;
    [[nodiscard]] bool write(const QString &path);

    RationModel *m_ration;
    LazyWindow<FileDialog> m_dlgSave;
    LazyWindow<FileDialog> m_dlgOpen;
    QString m_currentFileName;
};
