#pragma once

#include "UserError.h"

#include <QDir>
#include <QList>
#include <QString>

class Catalogue;

struct CatalogueMessage
{
    UserError::Kind kind;
    QString text;
};

struct CatalogueLoadResult
{
    bool indexOpened = false;
    QList<CatalogueMessage> messages; // in the order they occurred
};

// Reads files/db.txt under workingDirectory and the category files it names into catalogue
// (cleared first). Shows nothing: the caller shows the messages and ends the program when the
// index could not be opened.
CatalogueLoadResult LoadCatalogue(Catalogue &catalogue, const QDir &workingDirectory);
