#include "print/font_names.h"

#include <QFont>
#include <QStringList>

namespace rqx {

namespace {
constexpr FontNameEntry kTable[] = {
    {"ＭＳ 明朝", "MS Mincho", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "MS PMincho", "IPAPMincho"},
    {"ＭＳ ゴシック", "MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"},
};
}  // namespace

std::span<const FontNameEntry> FontNameTable()
{
    return kTable;
}

void InstallJapaneseFontSubstitutions()
{
    for (const FontNameEntry &e : kTable) {
        const QString installed = QString::fromUtf8(e.installed);
        for (const char *name : {e.windowsName, e.asciiName}) {
            const QString from = QString::fromUtf8(name);
            if (!QFont::substitutes(from).contains(installed, Qt::CaseInsensitive))
                QFont::insertSubstitution(from, installed);
        }
    }
}

QString ResolveFontFamily(const QString &name)
{
    const QString trimmed = name.trimmed();
    for (const FontNameEntry &e : kTable) {
        if (trimmed == QString::fromUtf8(e.windowsName) ||
            trimmed.compare(QLatin1String(e.asciiName), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(e.installed);
    }
    return name;
}

}  // namespace rqx
