#pragma once
// Qt's own texts (file dialog labels, standard buttons, its messages, the kinds, sizes and dates
// of the files a file dialog lists) in Japanese, as every other text of the program is, whatever
// the locale of the machine.
class QTranslator;

// The dates and sizes in Qt's file dialogs follow the time and message locales of the
// environment, which Qt reads once when the application object is made: called before that,
// this asks for the Japanese ones (unless LC_ALL fixes every category, which is left as the
// user set it).
void PreferJapaneseLocale();

// Loads Qt's Japanese translations (qtbase) from Qt's translations folder into the application,
// with the few texts they lack, and makes Japanese the default locale (the kinds of files are
// named in it). Called once at start, after the application object exists. Gives the installed
// translator of Qt's texts (owned by the application), or null when the translations are not
// there (Qt's English texts remain).
QTranslator* InstallQtTranslations();
