#pragma once

#include "shell/InterfaceLanguage.h"

class QCoreApplication;
class QTranslator;

namespace hw {

// Puts the windows into `language`: in English the program's translation
// (for the gui's tr() and the core's Translate), in Chinese Qt's own texts
// (the standard buttons, the file dialogs, the edit fields' menus) follow the
// program's Chinese. Qt's own texts are English without a translation.
void InstallTranslations(QCoreApplication* app, InterfaceLanguage language);

// Puts Qt's own texts into Chinese. Returns the installed translator, owned
// by `app`, or nullptr when the system has no Chinese Qt translation.
QTranslator* InstallQtTranslations(QCoreApplication* app);

// The program's English texts. Returns the installed translator, owned by
// `app`, or nullptr when the translation cannot be loaded.
QTranslator* InstallEnglishTranslation(QCoreApplication* app);

} // namespace hw
