#pragma once
// The one table of font names: the Windows Japanese font names the program's pages and screens ask for,
// and the installed fonts (IPA fonts) that stand in for them. Screen and paper use the same table.

#include <QString>

#include <span>

namespace rqx {

struct FontNameEntry {
    const char *windowsName;  // full-width name as the program writes it, e.g. "ＭＳ 明朝"
    const char *asciiName;    // the same font's ASCII name, e.g. "MS Mincho"
    const char *installed;    // the installed family that draws it, e.g. "IPAMincho"
};

// The names pages and screens ask for.
inline const QString kFontNameMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kFontNamePMincho = QStringLiteral("ＭＳ Ｐ明朝");
inline const QString kFontNameGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kFontNamePGothic = QStringLiteral("ＭＳ Ｐゴシック");

// ＭＳ 明朝 → IPAMincho, ＭＳ Ｐ明朝 → IPAPMincho, ＭＳ ゴシック → IPAGothic, ＭＳ Ｐゴシック → IPAPGothic.
std::span<const FontNameEntry> FontNameTable();

// Registers both names of every entry as QFont substitutions of the installed family. Idempotent;
// needs a QGuiApplication (fonts are a GUI facility even offscreen).
void InstallJapaneseFontSubstitutions();

// The installed family that draws `name`: the table's family for a full-width or ASCII name of the
// table (either spelling, any case for ASCII), otherwise `name` itself.
QString ResolveFontFamily(const QString &name);

}  // namespace rqx
