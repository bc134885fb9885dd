#pragma once
// How every window of the program looks and speaks: Japanese fonts and Qt's Japanese texts, the
// program icon, the hand cursor and the bundled pictures.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include "widgets/hand_cursor.h"

class QCoreApplication;
class QWidget;

namespace rqx {

// Maps the Windows font names the windows and pages ask for (ＭＳ 明朝, ＭＳ ゴシック, ＭＳ Ｐ明朝,
// ＭＳ Ｐゴシック and their ASCII names) to the IPA fonts. Call once after creating the application.
void InstallJapaneseFonts();

// Loads Qt's Japanese translations so standard buttons and the file and print dialogs read as on a
// Japanese desktop, and makes Japanese the default locale. False when the catalogue was not found.
bool LoadJapaneseTranslations(QCoreApplication &app);

// Registers the bundled pictures (needed once when the widgets library is linked statically).
void InitAppLookResources();

// The program icon.
QIcon AppIcon();
// Picture of a toolbar command by its key ("NewData", "Open", …); a null icon for an unknown key.
QIcon ToolbarIcon(const QString &key);
// Picture of a division pattern with k sub-grid lines (0..3) per module.
QPixmap DivisionPicture(int k);

// Everything above in one call, for the program's start: fonts, translations, resources and the
// application's font and icon.
void SetUpApplicationLook(QCoreApplication &app);

}  // namespace rqx
