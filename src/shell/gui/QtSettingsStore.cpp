#include "shell/gui/QtSettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace hw {

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("KORV"), QStringLiteral("Hikewise")))
{
    SetAside();
}

QtSettingsStore::QtSettingsStore(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    SetAside();
}

// A file that does not parse is kept beside under a new name, so nothing the
// user had is lost, and the program starts from defaults with a fresh file.
void QtSettingsStore::SetAside()
{
    if (settings_->status() != QSettings::FormatError)
        return;
    QString name = settings_->fileName();
    QString aside = name + QStringLiteral(".corrupt-") +
                    QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::rename(name, aside);
    settings_ = std::make_unique<QSettings>(name, QSettings::IniFormat);
}

QString QtSettingsStore::Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

int32_t QtSettingsStore::GetInt(const std::string& section, const std::string& name,
                                int32_t defaultValue) const
{
    QVariant v = settings_->value(Key(section, name));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX)
        return defaultValue;
    // Values written as unsigned 32-bit numbers read back as two's complement.
    return static_cast<int32_t>(static_cast<uint32_t>(n));
}

void QtSettingsStore::SetInt(const std::string& section, const std::string& name, int32_t value)
{
    settings_->setValue(Key(section, name), value);
    settings_->sync();
}

std::string QtSettingsStore::GetText(const std::string& section, const std::string& name,
                                     const std::string& defaultValue) const
{
    QVariant v = settings_->value(Key(section, name));
    if (!v.isValid())
        return defaultValue;
    return v.toString().toStdString();
}

void QtSettingsStore::SetText(const std::string& section, const std::string& name,
                              const std::string& text)
{
    settings_->setValue(Key(section, name), QString::fromStdString(text));
    settings_->sync();
}

} // namespace hw
