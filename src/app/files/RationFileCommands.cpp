#include "files/RationFileCommands.h"

#include "messages/MessageBoxes.h"
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFromFile.h"

using namespace Qt::StringLiterals;

RationFileCommands::RationFileCommands(RationModel *ration, QObject *parent)
    : QObject(parent)
    , m_ration(ration)
{
}

void RationFileCommands::saveAs(const QString &path)
{
    // The name is taken only once the file holds the ration: a failed write must not leave Save
    // pointing at a file that was never written.
    if (!write(path))
        return;
    m_currentFileName = path;
    emit fileNamed();
}

void RationFileCommands::save()
{
    if (m_currentFileName.isEmpty())
        return;
    static_cast<void>(write(m_currentFileName));
}

void RationFileCommands::openFile(const QString &path)
{
    const std::optional<ParsedRationFile> file = ReadRationFile(path, RationModel::Capacity);
    if (!file) {
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка окрытия файла "_s + path + u"\n"_s);
        return;
    }
    // Both throw before anything has changed; the name follows only a ration that was opened,
    // so a later Save cannot overwrite a file that was meant to be read.
    m_ration->replace(RationRowsFromFile(*file));
    m_currentFileName = path;
    emit fileNamed();
}

bool RationFileCommands::write(const QString &path)
{
    // An empty ration gives an empty file, which opens as the empty ration.
    if (WriteRationFile(path, m_ration->rows()))
        return true;
    MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
    return false;
}
