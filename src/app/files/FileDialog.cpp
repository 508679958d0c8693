#include "files/FileDialog.h"

#include "messages/MessageBoxes.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
QStringList &nextFileNames()
{
    static QStringList names;
    return names;
}
} // namespace

// Opens first in the working folder, where the program keeps its files, and not in the folder
// some other program last used in a dialog like this one (which is remembered user-wide).
FileDialog::FileDialog(QWidget *parent, const QString &title, AcceptMode mode)
    : FileDialog(parent, title, mode, {u"Едоклад  (*.edk)"_s, u"Все файлы (*)"_s}, u"edk"_s)
{
}

FileDialog::FileDialog(QWidget *parent, const QString &title, AcceptMode mode, const QStringList &filters,
                       const QString &suffix)
    : QFileDialog(parent, title, QDir::currentPath()), m_suffix(suffix)
{
    setNameFilters(filters);
    selectNameFilter(filters.first());
    // Qt's dialog would add the suffix to any typed name without one, so a file that exists under
    // the name as typed could not be opened: Open adds it itself (withDefaultSuffix).
    if (mode == AcceptSave)
        setDefaultSuffix(suffix);
    setAcceptMode(mode);
    // The file chosen for Open need not exist: a missing one is reported by the command.
    setFileMode(AnyFile);
    // The replace question is ours (accept()), so it is the same in every dialog and in tests;
    // a native dialog would not ask it.
    setOptions(DontConfirmOverwrite | DontUseNativeDialog);
    setSizeGripEnabled(true);
}

FileDialog *FileDialog::pdfSaver(QWidget *parent)
{
    auto *dialog = new FileDialog(parent, u"Сохранить в PDF..."_s, AcceptSave, {u"PDF (*.pdf)"_s}, u"pdf"_s);
    dialog->setObjectName(u"dlgSavePdf"_s);
    return dialog;
}

FileDialog *FileDialog::csvSaver(QWidget *parent)
{
    auto *dialog =
        new FileDialog(parent, u"Сохранить в CSV..."_s, AcceptSave, {u"CSV (*.csv)"_s, u"Все файлы (*)"_s}, u"csv"_s);
    dialog->setObjectName(u"dlgSaveCsv"_s);
    return dialog;
}

QString FileDialog::choose()
{
    QStringList &names = nextFileNames();
    if (!names.isEmpty()) {
        while (!names.isEmpty()) {
            const QString name = names.takeFirst();
            if (name.isEmpty())
                return {};
            const QString path = withDefaultSuffix(name);
            if (acceptMode() == AcceptSave && !mayReplace(path))
                continue;
            m_lastChoice = path;
            return path;
        }
        return {}; // no answer left: the user gave up
    }

    // Opens showing the file chosen last time in this dialog.
    if (!m_lastChoice.isEmpty())
        selectFile(m_lastChoice);
    if (exec() != Accepted || selectedFiles().isEmpty())
        return {};
    m_lastChoice = withDefaultSuffix(selectedFiles().constFirst());
    return m_lastChoice;
}

void FileDialog::allowSeveralFiles()
{
    setFileMode(ExistingFiles);
}

namespace {
// The names in a typed name field: each in double quotes, or the whole text as one name.
QStringList typedNames(const QString &text)
{
    if (!text.contains(u'"'))
        return text.isEmpty() ? QStringList() : QStringList{text};
    QStringList names;
    const QStringList parts = text.split(u'"');
    for (qsizetype i = 1; i < parts.size(); i += 2)
        if (!parts.at(i).isEmpty())
            names << parts.at(i);
    return names;
}
} // namespace

QStringList FileDialog::chooseSeveral()
{
    QStringList &names = nextFileNames();
    QStringList chosen;
    if (!names.isEmpty()) {
        for (const QString &name : typedNames(names.takeFirst()))
            chosen << withDefaultSuffix(name);
    } else {
        if (!m_lastChoice.isEmpty())
            selectFile(m_lastChoice);
        if (exec() != Accepted)
            return {};
        chosen = selectedFiles();
    }
    if (!chosen.isEmpty())
        m_lastChoice = chosen.constFirst();
    return chosen;
}

void FileDialog::accept()
{
    if (acceptMode() == AcceptSave) {
        const QStringList files = selectedFiles(); // the default suffix already added
        if (!files.isEmpty() && !mayReplace(files.constFirst()))
            return; // stays open for another choice
    }
    QFileDialog::accept();
}

void FileDialog::done(int result)
{
    QFileDialog::done(result);
    // The name completer's list, opened by fast typing, would stay on screen over the window.
    for (const QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (edit->completer())
            edit->completer()->popup()->hide();
    }
    // Closed straight after the replace question, the window manager hands the focus back to
    // this dialog as it goes and then to no window at all: the keyboard would reach nothing
    // until a click. The window the dialog belongs to takes the focus back.
    if (QWidget *owner = parentWidget())
        owner->window()->activateWindow();
}

QString FileDialog::withDefaultSuffix(const QString &path) const
{
    const QFileInfo info(path);
    if (info.isDir() || info.fileName().contains(u'.'))
        return path;
    // Open takes the file as typed where one exists; only a name of nothing gets the suffix.
    if (acceptMode() == AcceptOpen && info.exists())
        return path;
    return path + u'.' + m_suffix;
}

bool FileDialog::mayReplace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return true;
    // The platform's own question, in the user's language where Qt has a translation.
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    return MessageBoxes::ask(this, windowTitle(), question.arg(info.fileName()));
}

void FileDialog::setNextFileName(const QString &name)
{
    nextFileNames().append(name);
}

void FileDialog::clearNextFileNames()
{
    nextFileNames().clear();
}

qsizetype FileDialog::nextFileNameCount()
{
    return nextFileNames().size();
}
