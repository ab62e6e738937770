#include "widgets/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace hw {

QString AppPaths::DataDir()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QDir(appDir).absoluteFilePath(QStringLiteral("../share/hikewise")),
        QStringLiteral(HIKEWISE_INSTALL_DATA_DIR),
        QStringLiteral(HIKEWISE_SOURCE_DATA_DIR),
    };
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + QStringLiteral("/demo")))
            return QDir(dir).canonicalPath();
    return QStringLiteral(HIKEWISE_SOURCE_DATA_DIR);
}

QString AppPaths::DataFile(const QString& relative)
{
    return DataDir() + QLatin1Char('/') + relative;
}

QString AppPaths::DemoFile(const QString& name)
{
    const QString installed = DataFile(QStringLiteral("demo/") + name);
    if (QFileInfo::exists(installed))
        return installed;
    const QString built = QStringLiteral(HIKEWISE_DEMO_BUILD_DIR "/") + name;
    return QFileInfo::exists(built) ? built : installed;
}

QString AppPaths::DocumentsDir()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath() + QStringLiteral("/Documents");
    return docs;
}

QString AppPaths::AppDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

HandheldFolders AppPaths::Folders()
{
    return {DocumentsDir().toStdString(), AppDataDir().toStdString()};
}

QString AppPaths::MapStoredPath(const std::string& stored)
{
    return QString::fromStdString(
        MapHandheldPath(stored, Folders(), QDir::homePath().toStdString()));
}

QString AppPaths::DialogStartPath(const std::string& stored)
{
    QString path = MapStoredPath(stored);
    EnsureParentDir(path);
    return path;
}

bool AppPaths::EnsureParentDir(const QString& filePath)
{
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

} // namespace hw
