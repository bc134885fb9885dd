#include "common/registry_strings.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace rqx {

// ---- Registry strings ----

namespace {

// The settings object of a key plus the group inside it that holds the values.
struct RegKey {
    std::unique_ptr<QSettings> settings;
    QString group;
};

RegKey OpenRegKey(RegRoot root, const QString &subKey)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QStringList parts = subKey.split(separators, Qt::SkipEmptyParts);
    RegKey key;
    if (parts.isEmpty())
        return key;
#ifdef Q_OS_WIN
    const QString rootName = root == RegRoot::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                                          : QStringLiteral("HKEY_LOCAL_MACHINE");
    key.settings = std::make_unique<QSettings>(rootName + QLatin1Char('\\') + parts.join(QLatin1Char('\\')),
                                               QSettings::NativeFormat);
#else
    if (parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return key;
    const QString organization = parts.takeFirst();
    const QString application = parts.isEmpty() ? QString() : parts.takeFirst();
    key.settings = std::make_unique<QSettings>(
        QSettings::NativeFormat, root == RegRoot::CurrentUser ? QSettings::UserScope : QSettings::SystemScope,
        organization, application);
    key.group = parts.join(QLatin1Char('/'));
#endif
    return key;
}

bool KeyExists(RegKey &key)
{
#ifdef Q_OS_WIN
    // Opening a registry path never creates it; a key exists when it holds values or sub-keys.
    return !key.settings->allKeys().isEmpty() || !key.settings->childGroups().isEmpty();
#else
    if (!QFileInfo::exists(key.settings->fileName()))
        return false;
    if (key.group.isEmpty())
        return true;
    key.settings->beginGroup(key.group);
    const bool exists = !key.settings->allKeys().isEmpty();
    key.settings->endGroup();
    return exists;
#endif
}

}  // namespace

bool WriteRegString(RegRoot root, const QString &subKey, const QString &valueName, const QString &text,
                    bool create)
{
    RegKey key = OpenRegKey(root, subKey);
    if (!key.settings || valueName.isEmpty() || !key.settings->isWritable())
        return false;
    if (!create && !KeyExists(key))
        return false;
    if (!key.group.isEmpty())
        key.settings->beginGroup(key.group);
    key.settings->setValue(valueName, text);
    if (!key.group.isEmpty())
        key.settings->endGroup();
    key.settings->sync();
    return key.settings->status() == QSettings::NoError;
}

bool WriteUserRegString(const QString &subKey, const QString &valueName, const QString &text)
{
    return WriteRegString(RegRoot::CurrentUser, subKey, valueName, text, true);
}

QString ReadUserRegString(const QString &subKey, const QString &valueName)
{
    RegKey key = OpenRegKey(RegRoot::CurrentUser, subKey);
    if (!key.settings || valueName.isEmpty())
        return QString();
    if (!key.group.isEmpty())
        key.settings->beginGroup(key.group);
    return key.settings->value(valueName).toString();
}

}  // namespace rqx
