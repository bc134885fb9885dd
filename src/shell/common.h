#pragma once
// Small general routines shared by the shell, the settings stores, the dialogs and the report window.
// None keeps state between calls. QtCore only.

#include <QList>
#include <QString>

#include <functional>
#include <iterator>
#include <type_traits>

namespace rqx {

// ---- Number lists ----

// Result of ParseNumberList. values[0] is the first number (the callers' list index 1).
struct NumberListResult {
    bool ok = true;  // false: the text was refused; message says why, values hold what was read
    QList<double> values;
    QString message;  // Japanese text for a message box when !ok
    int count() const { return static_cast<int>(values.size()); }
};

// At most this many characters per number (digits beyond are dropped) and values per group.
inline constexpr int kMaxNumberChars = 100;
inline constexpr int kMaxGroupValues = 100;
// Upper bound of the whole list, so a large repeat count cannot exhaust memory.
inline constexpr int kMaxNumberListValues = 100000;

// Reads numbers separated by any non-digit characters: "-" makes the next number negative,
// "E"/"e" scales the previous number by a power of ten ("2.5 1E3" → 2.5, 1000), and
// "n(a b …)" repeats the group n times ("3(1.5 2) 4" → 1.5 2 1.5 2 1.5 2 4).
// A 101st value in one group, a non-finite value or a list beyond kMaxNumberListValues gives ok = false.
NumberListResult ParseNumberList(const QString &text);

// ---- Files and paths ----

// True when path names a file that can be opened for reading.
bool FileExists(const QString &path);

// name = the part after the last "\" or "/"; noSeparator = false. When the path holds no separator,
// noSeparator = true and name is left as it was.
void FileNameOfPath(const QString &path, QString &name, bool &noSeparator);
// The part of path after the last "\" or "/"; the whole path when it holds no separator.
QString FileNameOf(const QString &path);

// The first character of text ("" for an empty text).
QString FirstChar(const QString &text);

// ---- Lists ----

// The element that no later one is better than (better(later, kept)), scanning from the first to the
// last; a value-initialised T for an empty list.
template <typename Container, typename Better>
auto BestOfList(const Container &list, Better better)
{
    using T = std::remove_cvref_t<decltype(*std::begin(list))>;
    auto it = std::begin(list);
    if (it == std::end(list))
        return T{};
    T best = *it;
    for (++it; it != std::end(list); ++it)
        if (better(*it, best))
            best = *it;
    return best;
}

// Largest / smallest element, the first of equal ones. Works for any container of numbers (QList,
// std::vector, OneBasedArray…).
template <typename Container>
auto MaxOfList(const Container &list)
{
    return BestOfList(list, std::greater<>{});
}

template <typename Container>
auto MinOfList(const Container &list)
{
    return BestOfList(list, std::less<>{});
}

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
