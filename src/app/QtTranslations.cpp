#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

void installQtTranslations()
{
    QCoreApplication *app = QCoreApplication::instance();
    const QString name = u"qtbaseTranslator"_s;
    if (!app || app->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return;
    auto *translator = new QTranslator(app);
    translator->setObjectName(name);
    if (translator->load(QLocale(), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
