#pragma once
// String values of the per-user registry (the desktop's settings store elsewhere). QtCore only.

#include <QString>

namespace rqx {

// ---- Registry strings ----
// A key is a sub-key path such as "Software\ヘルミナ\VELM-RQX" ("\" or "/" separated). On Windows it is
// the registry key under the root; elsewhere the native settings file of organisation "ヘルミナ" and
// application "VELM-RQX" (further components become groups inside it). Tests redirect the files with
// QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir).

enum class RegRoot { CurrentUser, LocalMachine };

// Writes text as the string value valueName of the key, creating the key when missing and create is set.
// True only when the value was written and stored.
bool WriteRegString(RegRoot root, const QString &subKey, const QString &valueName, const QString &text,
                    bool create);
// WriteRegString under the current user with creation allowed.
bool WriteUserRegString(const QString &subKey, const QString &valueName, const QString &text);
// The string value under the current user; empty when the key or the value is missing.
QString ReadUserRegString(const QString &subKey, const QString &valueName);

}  // namespace rqx
