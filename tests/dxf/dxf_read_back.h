#pragma once
// Runs the independent reader (tests/dxf/read_dxf.py under Debian's own python3, which owns the packaged
// ezdxf) on a DXF file and hands back what it read.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// Debian's python3 is no Windows program: a Windows build's tests leave the read-back out.
#ifdef Q_OS_WIN
#define VELM_NEEDS_DXF_READER() \
    GTEST_SKIP() << "the independent DXF reader is Debian's python3 with ezdxf, not a Windows program"
#else
#define VELM_NEEDS_DXF_READER() (void)0
#endif

namespace rqx::test {

inline QJsonObject ReadDxfBack(const QString &path, const QString &png = QString())
{
    QStringList args{QStringLiteral(VELM_DXF_READER), path};
    if (!png.isEmpty())
        args << QStringLiteral("--png") << png;
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), args);
    EXPECT_TRUE(reader.waitForFinished(120000));
    const QByteArray out = reader.readAllStandardOutput();
    EXPECT_EQ(reader.exitCode(), 0) << "the reader failed (scripts/deps.sh --test installs python3-ezdxf): "
                                    << reader.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(out).object();
}

}  // namespace rqx::test
