#pragma once

#include <QFileDialog>
#include <QString>

// A ration file dialog: the open or the save dialog of the main window. The save dialog asks
// before it replaces a file, through MessageBoxes, so the question can be answered in tests.
// Tests answer the dialogs themselves in advance with setNextFileName.
class FileDialog : public QFileDialog
{
    Q_OBJECT
public:
    FileDialog(QWidget *parent, const QString &title, AcceptMode mode);
    // A dialog for other files: FILTERS, the first one selected, and the suffix added to a bare name.
    FileDialog(QWidget *parent, const QString &title, AcceptMode mode, const QStringList &filters,
               const QString &suffix);

    // The save dialogs of the PDF and CSV files, the same in every window that writes them.
    [[nodiscard]] static FileDialog *pdfSaver(QWidget *parent);
    [[nodiscard]] static FileDialog *csvSaver(QWidget *parent);

    // Shows the dialog modally and returns the path chosen, or an empty text when cancelled.
    [[nodiscard]] QString choose();

    // An open dialog that takes one or more files that exist, typed in its name field as
    // "a.edk" "b.edk" or picked together in its list.
    void allowSeveralFiles();
    // Shows the dialog modally and returns the paths chosen, none when cancelled. A name given
    // by setNextFileName is read as that name field would read it.
    [[nodiscard]] QStringList chooseSeveral();

    // Tests: the next dialogs take these names in turn instead of showing; an empty name
    // cancels. A name whose replacement is turned down is passed over for the next one, as the
    // dialog then stays open for another choice. The default suffix is added as the dialog does:
    // to a name without one, and in the open dialog only where no file has the name as typed.
    static void setNextFileName(const QString &name);
    static void clearNextFileNames();
    [[nodiscard]] static qsizetype nextFileNameCount();

protected:
    void accept() override;
    void done(int result) override;

private:
    [[nodiscard]] QString withDefaultSuffix(const QString &path) const;
    // Before the save dialog takes a file that exists: the platform's question.
    [[nodiscard]] bool mayReplace(const QString &path);

    QString m_suffix;
    QString m_lastChoice;
};
