#pragma once
// A program folder of its own for each test: history and defaults files, registry values and
// project files live in a temporary directory.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/project_document.h"
#include "model/project.h"
#include "model/project_file.h"
#include "model/settings_store.h"
#include "widgets/app_look.h"
#include "support/house_builder.h"
#include "support/writable_project.h"

namespace rqx::test {

class ShellFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool look = false;
        if (!look) {
            SetUpApplicationLook(*QCoreApplication::instance());
            look = true;
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("registry")));
        state.programDir = dir.path();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // Saves a small project named `building` with the given grid and returns its path.
    QString makeProjectFile(const QString &name, const QString &building, int spansX = 8, int spansY = 6)
    {
        Project p = samples::NewProject(spansX, spansY, 2, 2, samples::LineNames::kNumbered);
        p.info.buildingName = building;
        p.nodes(2, 2, 1).columnKind = 1;
        const QString file = path(name);
        const FileResult r = SaveProjectFile(p, file);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return file;
    }

    // Writes a history file with these paths (building names "B1", "B2", …).
    void writeHistory(const QStringList &paths)
    {
        AppState s;
        s.programDir = dir.path();
        s.dataDirectory = dir.path();
        for (int i = 0; i < paths.size(); ++i) {
            HistoryEntry e;
            e.path = paths[i];
            e.fileTitle = QFileInfo(paths[i]).fileName();
            e.buildingName = QStringLiteral("B%1").arg(i + 1);
            s.history.append(e);
        }
        ASSERT_TRUE(WriteHistoryFile(s));
    }

    QTemporaryDir dir;
    AppState state;
    ProjectDocument doc;
    Project &project = rqx::test::Writable(doc);
};

}  // namespace rqx::test
