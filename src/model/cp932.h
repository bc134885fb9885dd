#pragma once
// Texts in code page 932 (Shift-JIS as Windows writes it), converted exactly as Windows converts
// them, so project files read and write the same bytes on every system.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace rqx {

// Windows' reading: undefined double-byte codes read as "・" (U+30FB); so does a lead byte at the very
// end or before a byte that cannot follow it (that byte is then read on its own).
QString FromCp932(QByteArrayView bytes);

// Windows' writing including its best-fit substitutes; characters without a code become "?".
// U+301C 〜, U+2212 −, U+2016 ‖ and U+2014 — (the forms typed on other systems) are written as
// the codes of ～, －, ∥ and ―.
QByteArray ToCp932(QStringView text);

// Writes the code page 932 bytes of text at out, which must have room for 2 × text.size() bytes;
// returns the end of what was written.
char *EncodeCp932(QStringView text, char *out);

// Appends the code page 932 bytes of text to out (one pass, no temporary).
void AppendCp932(QByteArray &out, QStringView text);

// Number of bytes ToCp932 writes for text.
qsizetype Cp932Length(QStringView text);

}  // namespace rqx
