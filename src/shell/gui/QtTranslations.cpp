#include "shell/gui/QtTranslations.h"

#include "base/Translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace hw {
namespace {

// The core's texts go through the same translators as the gui's.
std::string TranslateWithQt(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

QTranslator* Install(QCoreApplication* app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(app);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace

bool InstallTranslations(QCoreApplication* app, InterfaceLanguage language)
{
    SetTranslator(&TranslateWithQt);
    if (language == InterfaceLanguage::English) {
        if (InstallEnglishTranslation(app) == nullptr)
            return false;
        // The pages with a version per language follow the windows.
        SetLanguageCode("en");
        return true;
    }
    InstallQtTranslations(app); // without it only Qt's own texts stay English
    return true;
}

QTranslator* InstallQtTranslations(QCoreApplication* app)
{
    return Install(app, QStringLiteral("qtbase_zh_CN"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QTranslator* InstallEnglishTranslation(QCoreApplication* app)
{
    // Built from translations/hikewise_en.ts into the program's resources.
    return Install(app, QStringLiteral("hikewise_en"), QStringLiteral(":/translations"));
}

} // namespace hw
