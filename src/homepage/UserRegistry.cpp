#include "homepage/UserRegistry.h"

#include "platform/AppError.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace quorbel {

QString UserRegistryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/registry.ini");
}

QString ReadUserRegistryString(const QString &key, const QString &name)
{
    const QSettings store(UserRegistryPath(), QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return QString();
    const QVariant value = store.value(key + QLatin1Char('/') + name);
    // A list ("a, b") or a typed value (@Variant, @ByteArray ...) is no string.
    if (value.typeId() != QMetaType::QString)
        return QString();
    return value.toString();
}

void WriteUserRegistryString(const QString &key, const QString &name, const QString &value)
{
    QSettings store(UserRegistryPath(), QSettings::IniFormat);
    store.setValue(key + QLatin1Char('/') + name, value);
    // Only a flush tells whether the file (and its folder) could be written.
    store.sync();
    if (store.status() != QSettings::NoError)
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(name));
}

} // namespace quorbel
