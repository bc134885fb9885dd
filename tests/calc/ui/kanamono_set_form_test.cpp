// The placed-hardware dialog: lists, questions, applying on closing, clears and the undo step.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include "calc/ui/kanamono_set_form.h"
#include "document/project_document.h"
#include "model/line_names.h"
#include "shell/modal_script.h"
#include "support/house_builder.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

using test::ModalScript;

class KanamonoSetFormTest : public ::testing::Test {
protected:
    // A through column T at (1, 1) unless left out, and a column C at (3, 1) on the given storeys.
    void build(bool through, bool upperC)
    {
        rqx::test::Writable(doc) = samples::NewProject(4, 4, 2, 2, samples::LineNames::kNone);
        if (through)
            samples::PlaceColumn(rqx::test::Writable(doc), 1, 1, 1, 2);
        samples::PlaceColumn(rqx::test::Writable(doc), 1, 3, 1);
        if (upperC)
            samples::PlaceColumn(rqx::test::Writable(doc), 2, 3, 1);
        GenerateLineNames(rqx::test::Writable(doc));
    }
    // Chooses entry `text` in a drop-down list as the user does.
    static void choose(QComboBox *combo, const char *text)
    {
        combo->setCurrentIndex(combo->findText(QString::fromUtf8(text)));
        emit combo->activated(combo->currentIndex());
    }
    QStringList texts(const ModalScript &script) const
    {
        QStringList t;
        for (const test::SeenBox &b : script.boxes())
            t << b.title + QLatin1Char('|') + b.text;
        return t;
    }
    const QString &placed(int x, int level, int end)
    {
        return doc.project().nodes(x, 1, level).hardware[end];
    }

    AppState state;
    ProjectDocument doc;
};

TEST_F(KanamonoSetFormTest, WithoutUpperColumnsOnlyTheFirstStoreyIsListedAndApplied)
{
    build(false, false);
    KanamonoSetForm d(doc, state);
    ModalScript script;
    script.ignore(&d).answer(QMessageBox::Ok);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("VELM-RQX /軸組Ｎ値算定   配置金物セット"));
    ASSERT_EQ(d.columnList(2)->count(), 1);
    EXPECT_EQ(d.columnList(2)->item(0)->text(), QStringLiteral("柱が配置されていません。"));
    EXPECT_FALSE(d.columnList(2)->isEnabled() || d.topChoice(2)->isEnabled() || d.footChoice(2)->isEnabled());
    ASSERT_EQ(d.columnList(1)->count(), 1);
    EXPECT_EQ(d.columnList(1)->item(0)->text().toStdString(),
              "X1  - Y0   (い)  " + std::string(6 + 6 + 8, ' '));
    EXPECT_EQ(d.topChoice(1)->count(), 12);
    EXPECT_FALSE(d.okButton()->isEnabled());

    choose(d.topChoice(1), "(へ)");
    EXPECT_EQ(d.columnList(1)->item(0)->text().toStdString(),
              "X1  - Y0   (い)  (へ)  " + std::string(6 + 8, ' '));
    EXPECT_TRUE(placed(3, 1, 1).isEmpty());  // pending until applied
    d.okButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(texts(script), QStringList{"確認ﾒｯｾｰｼﾞ|配置金物を設定後、入力画面に戻ります"});
    EXPECT_EQ(placed(3, 1, 1), QStringLiteral("(へ)"));
    EXPECT_TRUE(doc.isDirty());
    doc.undo();  // one undoable step
    EXPECT_TRUE(placed(3, 1, 1).isEmpty());
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
}

TEST_F(KanamonoSetFormTest, ThroughColumnEndsAreAskedAndTheClosingQuestionsKeepTheDialogOpen)
{
    build(true, false);
    KanamonoSetForm d(doc, state);
    ModalScript script;
    script.ignore(&d)
        .answer(QMessageBox::Cancel)  // 1F top of T: not placed
        .answer(QMessageBox::Ok)      // 2F foot of T
        .answer(QMessageBox::Cancel)  // ｷｬﾝｾﾙ: stay
        .answer(QMessageBox::Ok)      // O K: apply
        .answer(QMessageBox::Cancel)  // through-column warning: stay, applied
        .answer(QMessageBox::Ok)
        .answer(QMessageBox::Ok);
    d.show();
    choose(d.topChoice(1), "(へ)");
    EXPECT_TRUE(d.pending(1)[0].top.isEmpty());
    EXPECT_EQ(d.topChoice(1)->currentText(), QStringLiteral("空欄"));
    EXPECT_FALSE(d.okButton()->isEnabled());
    choose(d.topChoice(1), "空欄");  // asks nothing
    choose(d.footChoice(2), "(と)");
    EXPECT_EQ(d.pending(2)[0].foot, QStringLiteral("(と)"));
    d.cancelButton()->click();
    EXPECT_TRUE(d.isVisible());
    d.okButton()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(placed(1, 2, 2), QStringLiteral("(と)"));
    d.okButton()->click();
    EXPECT_FALSE(d.isVisible());
    const QStringList expected = {
        "確認ﾒｯｾｰｼﾞ|通し柱の １階 柱頭部分に金物を配置しようとしています。",
        "確認ﾒｯｾｰｼﾞ|通し柱の ２階 柱脚部分に金物を配置しようとしています。",
        "確認ﾒｯｾｰｼﾞ|配置金物設定を中止します。",
        "確認ﾒｯｾｰｼﾞ|配置金物を設定後、入力画面に戻ります",
        "確認ﾒｯｾｰｼﾞ|通し柱の１階柱頭または２階柱脚に金物を配置しています。",
        "確認ﾒｯｾｰｼﾞ|配置金物を設定後、入力画面に戻ります",
        "確認ﾒｯｾｰｼﾞ|通し柱の１階柱頭または２階柱脚に金物を配置しています。",
    };
    EXPECT_EQ(texts(script), expected);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
}

TEST_F(KanamonoSetFormTest, ClosingUnchangedIsSilentAndAClearStaysWhenCancelled)
{
    build(false, true);
    for (int level = 1; level <= 2; ++level)
        rqx::test::Writable(doc).nodes(3, 1, level).hardware[1] = QStringLiteral("(ろ)");
    {
        KanamonoSetForm d(doc, state);
        ModalScript script;
        script.ignore(&d);
        d.show();
        EXPECT_FALSE(d.okButton()->isEnabled());
        d.cancelButton()->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(script.boxes().empty() && script.unexpected().isEmpty());
    }
    EXPECT_FALSE(doc.isDirty());

    KanamonoSetForm d(doc, state);
    ModalScript script;
    script.ignore(&d).answer(QMessageBox::Ok).answer(QMessageBox::Ok);
    d.show();
    choose(d.footChoice(2), "(は)");
    d.clearButton(1)->click();
    EXPECT_TRUE(placed(3, 1, 1).isEmpty());                   // at once
    EXPECT_EQ(d.pending(2)[0].foot, QStringLiteral("(は)"));  // the other storey's choice stays
    d.requiredWhenBlankCheck()->click();
    EXPECT_EQ(doc.project().grid.showRequiredWhenBlank, 1);
    d.cancelButton()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(texts(script), (QStringList{"確認ﾒｯｾｰｼﾞ|1 階 配置金物をクリアーします。",
                                          "確認ﾒｯｾｰｼﾞ|配置金物設定を中止します。"}));
    EXPECT_TRUE(placed(3, 1, 1).isEmpty());
    EXPECT_EQ(placed(3, 2, 1), QStringLiteral("(ろ)"));
    EXPECT_TRUE(placed(3, 2, 2).isEmpty());  // not applied
    EXPECT_TRUE(doc.isDirty());
    doc.undo();
    EXPECT_EQ(placed(3, 1, 1), QStringLiteral("(ろ)"));
}

}  // namespace
}  // namespace rqx
