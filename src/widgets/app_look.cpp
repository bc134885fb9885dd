#include "widgets/app_look.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>

#include "print/font_names.h"

// Resource initialisation must be called outside any namespace.
static void InitVelmResources()
{
    Q_INIT_RESOURCE(velmrqx);
}

namespace rqx {

void InstallJapaneseFonts()
{
    InstallJapaneseFontSubstitutions();  // the one table that serves screen and paper
}

bool LoadJapaneseTranslations(QCoreApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Owned by the application, so it lives as long as the texts are used.
    auto *translator = new QTranslator(&app);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), dir)) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}

void InitAppLookResources()
{
    static bool done = false;
    if (!done) {
        InitVelmResources();
        done = true;
    }
}

QIcon AppIcon()
{
    InitAppLookResources();
    return QIcon(QStringLiteral(":/velmrqx/icons/velmrqx.png"));
}

QIcon ToolbarIcon(const QString &key)
{
    InitAppLookResources();
    const QString path = QStringLiteral(":/velmrqx/icons/%1.png").arg(key);
    if (key.isEmpty() || !QFile::exists(path))
        return {};
    return QIcon(path);
}

QPixmap DivisionPicture(int k)
{
    InitAppLookResources();
    if (k < 0 || k > 3)
        return {};
    return QPixmap(QStringLiteral(":/velmrqx/pictures/division-%1.png").arg(k));
}

void SetUpApplicationLook(QCoreApplication &app)
{
    InstallJapaneseFonts();
    LoadJapaneseTranslations(app);
    InitAppLookResources();
    if (qobject_cast<QApplication *>(&app)) {
        QApplication::setWindowIcon(AppIcon());
        QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    }
}

}  // namespace rqx
