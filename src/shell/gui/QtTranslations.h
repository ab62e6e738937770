#pragma once

class QCoreApplication;
class QTranslator;

namespace hw {

// Puts Qt's own texts (the standard buttons "确定" and "取消", the file
// dialogs, the edit fields' menus) into Chinese like the program's own.
// Returns the installed translator, owned by `app`, or nullptr when the
// system has no Chinese Qt translation: the English texts then remain.
QTranslator* InstallQtTranslations(QCoreApplication* app);

} // namespace hw
