#pragma once

#include <QString>

namespace quorbel {

// The current user's settings store, standing in for the registry: the INI
// file "registry.ini" in the program's folder of the user's configuration
// directory (<XDG_CONFIG_HOME or ~/.config>/Quorbel/registry.ini once the
// application name is "Quorbel"). A registry key path becomes a group whose
// parts are joined by "/", the root key's name first.
QString UserRegistryPath();

// The string value `name` under `key`. Empty when the store, the key or the
// value is missing, the store cannot be read, or the value is not a string.
// Never throws.
QString ReadUserRegistryString(const QString &key, const QString &name);

// Writes `value` as the string value `name` under `key`, creating the store,
// its folder and the key as needed. Throws AppError "Failed to set data for
// '<name>'" when the store cannot be written.
void WriteUserRegistryString(const QString &key, const QString &name, const QString &value);

} // namespace quorbel
