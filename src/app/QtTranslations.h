#pragma once

// Qt's own texts (the edit fields' context menus, the file dialogs, the overwrite question) in the
// user's language: Qt's translations for the user's locale, from where Qt was installed. Loading
// twice does nothing; a language without translations keeps Qt's English texts.
void installQtTranslations();
