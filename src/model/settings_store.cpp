#include "model/settings_store.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QtEndian>

#include <cerrno>

#include "common/common.h"
#ifdef Q_OS_WIN
#include "model/cp932.h"
#endif

namespace rqx {

namespace {

// The history file is in the system code page: 932 on Windows, UTF-8 on other systems.
QString DecodeText(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    return FromCp932(bytes);
#else
    return QString::fromUtf8(bytes);
#endif
}

QByteArray EncodeText(const QString &text)
{
#ifdef Q_OS_WIN
    return ToCp932(text);
#else
    return text.toUtf8();
#endif
}

QString StoreFilePath(const QString &programDir, const QString &fileName)
{
    return programDir.isEmpty() ? QString() : QDir(programDir).filePath(fileName);
}

// One value per line: a line break inside a value would shift every later value.
QString OneLine(const QString &value)
{
    QString line = value;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

SaveOutcome ReplaceFile(const QString &path, const QByteArray &bytes, FileLayer &layer)
{
    if (path.isEmpty())
        return {SaveStep::Check, ENOENT};
    return SaveFileSafely(path, bytes, layer);
}

bool CanCreateFilesIn(const QString &dir)
{
    if (dir.isEmpty() || !QDir(dir).exists())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("velmrqx_probe_XXXXXX")));
    return probe.open();
}

}  // namespace

QString ChooseProgramDir(const QString &exeDir)
{
    if (CanCreateFilesIn(exeDir))
        return QDir::cleanPath(exeDir);
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataDir);
    return dataDir;
}

// ---- History file ----

void ReadHistoryFile(AppState &state)
{
    QFile file(StoreFilePath(state.programDir, kHistoryFileName));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    // Whole lines, so a value with commas or quotes reads back as written. CR LF or LF ends a line.
    QStringList lines = DecodeText(file.readAll()).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();  // after the final line end
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    if (lines.size() > 1)
        state.dataDirectory = lines[1];
    if (lines.size() > 3)
        state.lastDataPath = lines[3];
    const int count = lines.size() > 5 ? lines[5].trimmed().toInt() : 0;
    if (count < 1)
        return;
    QList<HistoryEntry> history;
    for (int i = 0; i < std::min(count, kMaxHistory); ++i) {
        const qsizetype at = 6 + 2 * i;
        if (at >= lines.size())
            break;
        HistoryEntry entry;
        entry.path = lines[at];
        entry.fileTitle = FileNameOf(entry.path);
        entry.buildingName = at + 1 < lines.size() ? lines[at + 1] : QString();
        history.append(entry);
    }
    state.history = history;
}

SaveOutcome WriteHistoryFile(const AppState &state, FileLayer &layer)
{
    const qsizetype count = std::min<qsizetype>(state.history.size(), kMaxHistory);
    QStringList lines = {QStringLiteral("[DataDir]"),     OneLine(state.dataDirectory),
                         QStringLiteral("[DataName]"),    OneLine(state.lastDataPath),
                         QStringLiteral("[DataHistory]"), QString::number(count)};
    for (qsizetype i = 0; i < count; ++i) {
        lines.append(OneLine(state.history[i].path));
        lines.append(OneLine(state.history[i].buildingName));
    }
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += EncodeText(line) + "\r\n";
    return ReplaceFile(StoreFilePath(state.programDir, kHistoryFileName), bytes, layer);
}

void UpdateHistory(AppState &state, const QString &dataFilePath, const QString &buildingName)
{
    const QString path = dataFilePath.trimmed();
    if (path == kNewDataName)
        return;
    for (qsizetype i = 0; i < state.history.size(); ++i) {
        if (state.history[i].path.trimmed() == path) {
            state.history.removeAt(i);
            break;
        }
    }
    state.history.prepend(HistoryEntry{path, FileNameOf(path), buildingName});
    while (state.history.size() > kMaxHistory)
        state.history.removeLast();
}

void ClearHistory(AppState &state)
{
    state.history.clear();
}

// ---- Defaults file ----

void ReadDefaults(AppState &state)
{
    auto &def = state.defaultSettings;
    const QString path = StoreFilePath(state.programDir, kDefaultsFileName);
    if (!path.isEmpty()) {
        QFile file(path);
        // Read-write creates a missing file; a read-only folder still lets an existing file be read.
        if (file.open(QIODevice::ReadWrite) || file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(kDefaultsFileSize);
            // Fields beyond the end of a short file keep their values.
            const qsizetype fields = std::min<qsizetype>(bytes.size() / 4, def.size());
            for (qsizetype i = 0; i < fields; ++i)
                def[i] = qFromLittleEndian<int32_t>(bytes.constData() + 4 * i);
        }
    }
    // Line style 0 is no style: new projects name lines "X1 X2･･･" / "Y1 Y2･･･" from 1.
    if (def[0] == 0) {
        def[0] = 1;
        def[2] = 1;
    }
    if (def[1] == 0) {
        def[1] = 1;
        def[3] = 1;
    }
}

SaveOutcome WriteDefaults(const AppState &state, FileLayer &layer)
{
    static_assert(sizeof(state.defaultSettings) == kDefaultsFileSize);
    QByteArray bytes(kDefaultsFileSize, '\0');
    for (size_t i = 0; i < state.defaultSettings.size(); ++i)
        qToLittleEndian<int32_t>(state.defaultSettings[i], bytes.data() + 4 * i);
    return ReplaceFile(StoreFilePath(state.programDir, kDefaultsFileName), bytes, layer);
}

// ---- Registry ----

RegistrySettings ReadRegistrySettings()
{
    ReadUserRegString(kRegistryKey, QStringLiteral("Ver"));  // read for completeness, not used
    bool ok = false;
    const int windowState =
        ReadUserRegString(kRegistryKey, QStringLiteral("CloseWinFlag")).trimmed().toInt(&ok);
    RegistrySettings settings;
    settings.windowState = ok && windowState >= 0 && windowState <= 2 ? windowState : 0;
    return settings;
}

void WriteRegistrySettings(const RegistrySettings &settings)
{
    const QString version =
        QStringLiteral("%1%2%3").arg(VELM_VERSION_MAJOR).arg(VELM_VERSION_MINOR).arg(VELM_VERSION_REVISION);
    WriteUserRegString(kRegistryKey, QStringLiteral("Ver"), version);
    WriteUserRegString(kRegistryKey, QStringLiteral("AppExeName"), QStringLiteral("VELMRQX"));
    WriteUserRegString(kRegistryKey, QStringLiteral("CloseWinFlag"), QString::number(settings.windowState));
}

}  // namespace rqx
