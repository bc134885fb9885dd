#pragma once
// Registry values of a test, kept away from the user's own. Elsewhere QSettings::setPath sends them to
// files of a temporary folder; on Windows they live in the registry itself, so the key is emptied for
// the test and what the user had there is put back afterwards.

#include <QSettings>
#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

namespace rqx::test {

class ScratchRegistryKey {
public:
    explicit ScratchRegistryKey(const QString &subKey)
    {
#ifdef Q_OS_WIN
        key_ = QStringLiteral("HKEY_CURRENT_USER\\") + subKey;
        QSettings settings(key_, QSettings::NativeFormat);
        for (const QString &name : settings.allKeys())
            kept_.emplace_back(name, settings.value(name));
        settings.remove(QString());
#else
        (void)subKey;
#endif
    }
    ~ScratchRegistryKey()
    {
#ifdef Q_OS_WIN
        QSettings settings(key_, QSettings::NativeFormat);
        settings.remove(QString());
        for (const auto &[name, value] : kept_)
            settings.setValue(name, value);
#endif
    }
    ScratchRegistryKey(const ScratchRegistryKey &) = delete;
    ScratchRegistryKey &operator=(const ScratchRegistryKey &) = delete;

private:
    QString key_;
    std::vector<std::pair<QString, QVariant>> kept_;
};

}  // namespace rqx::test
