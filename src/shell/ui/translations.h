#pragma once
// Qt's own texts (file dialog labels, standard buttons, its messages) in Japanese, as every
// other text of the program is, whatever the locale of the machine.

// Loads Qt's Japanese translations from Qt's translations folder into the application. Called
// once at start, after the application object exists. Gives the installed translator (owned by
// the application), or null when the translations are not there (Qt's English texts remain).
class QTranslator;
QTranslator* InstallQtTranslations();
