#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// A working directory whose files/db.txt names the given category files in order, and the
// catalogue loaded from it.
class CatalogueFolder
{
public:
    explicit CatalogueFolder(const QList<std::pair<QString, QByteArray>> &categories)
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("files"));
        QByteArray index;
        for (const auto &[name, bytes] : categories) {
            index += QFile::encodeName(name) + "\r\n";
            write(name, bytes);
        }
        write(QStringLiteral("db.txt"), index);
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.fileName()));
        file.write(bytes);
    }
    [[nodiscard]] QString path(const QString &name) const { return m_dir.filePath(QStringLiteral("files/") + name); }
    [[nodiscard]] QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
    }
    [[nodiscard]] QDir dir() const { return QDir(m_dir.path()); }
    CatalogueLoadResult load() { return LoadCatalogue(catalogue, dir()); }

    Catalogue catalogue;

private:
    QTemporaryDir m_dir;
};
