#pragma once

#include <QList>
#include <QObject>
#include <QString>

class RationModel;

// Save, Save as and Open of the main window's menu, once the user has named the file: the ration
// to and from ration files, and the file last used. A failed command leaves the ration, the files
// and the file name as they were and says so; errors in a file's texts, and opened grams that are
// not whole (a file holds whole grams only), escape as UserError for the window to show.
class RationFileCommands : public QObject
{
    Q_OBJECT
public:
    RationFileCommands(RationModel *ration, QObject *parent);

    // The path of the last completed Save as or Open; empty before the first.
    [[nodiscard]] const QString &currentFileName() const { return m_currentFileName; }

    // Writes to path, which becomes the current file once written.
    void saveAs(const QString &path);
    // Writes to the current file without asking; nothing without one.
    void save();
    // The file chosen in the open dialog or named on the command line.
    void openFile(const QString &path);

signals:
    // A completed Save as or Open: Save now has a file to write to.
    void fileNamed();

private:
    [[nodiscard]] bool write(const QString &path);

    RationModel *m_ration;
    QString m_currentFileName;
};
