// Codes in and out from the window, offscreen: the menu button, the keys' hints and context menus,
// and the import, learn-from-file, signal, backup and restore dialogs driven as a user would.
#include "WorkflowFixture.h"

#include "SignalView.h"
#include "TransferActions.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolButton>

#include <fstream>

namespace qmv::test {
namespace {

std::string transferData(const std::string& name)
{
    return testDataFolder() + "transfer/" + name;
}

class TransferWindowTest : public WorkflowTest
{
protected:
    void openWithActions()
    {
        open();
        ImageSnapshot loaded = reload();
        actions =
            new TransferActions(*window, link(), dialogs, *session, {"QMV-718", " 2.0", "remote-under-test"});
        actions->setFileChooser([this](const QString&, const QString&, bool save) {
            chosenForSave.push_back(save);
            return files.empty() ? QString() : QString::fromStdString(files.front());
        });
        actions->setDialogRunner([this](QDialog& dialog) {
            ++dialogsRun;
            return answerDialog ? answerDialog(dialog) : int(QDialog::Rejected);
        });
    }
    QAction* menuAction(const char* name) const
    {
        return actions->menuButton()->menu()->findChild<QAction*>(QString::fromUtf8(name));
    }
    std::string lastText() const { return dialogs.shown.empty() ? std::string() : dialogs.shown.back().text; }

    TransferActions* actions = nullptr;
    std::vector<std::string> files; // what the file chooser answers
    std::vector<bool> chosenForSave;
    std::function<int(QDialog&)> answerDialog;
    int dialogsRun = 0;
};

TEST_F(TransferWindowTest, OneMenuButtonBesideHelpAndUpdateLeavesTheOtherControlsInPlace)
{
    open();
    const QRect help = window->findChild<IBtn*>(QStringLiteral("helpibtn"))->geometry();
    const QRect update = window->findChild<IBtn*>(QStringLiteral("updateibtn"))->geometry();
    TransferActions actionsOnWindow(*window, link(), dialogs, *session, {"QMV-718", " 2.0", "id"});
    const QRect button = actionsOnWindow.menuButton()->geometry();
    EXPECT_FALSE(button.intersects(help));
    EXPECT_FALSE(button.intersects(update));
    EXPECT_EQ(button.top(), help.top());
    EXPECT_LT(help.left() - button.right(), 20); // right beside it
    EXPECT_EQ(window->findChild<IBtn*>(QStringLiteral("helpibtn"))->geometry(), help);
    QStringList texts;
    for (QAction* action : actionsOnWindow.menuButton()->menu()->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts, (QStringList{"导入设备…", "导出…", "备份…", "恢复…"}));
}

TEST_F(TransferWindowTest, ImportShowsTheMappingFirstAndStoresOnlyWhenAccepted)
{
    openWithActions();
    files = {transferData("lg-tv.ir")};
    const ImageSnapshot before = reload();
    int rows = 0;
    QString report;
    answerDialog = [&](QDialog& dialog) {
        rows = dialog.findChild<QTableWidget*>(QStringLiteral("mappingTable"))->rowCount();
        report = dialog.findChild<QPlainTextEdit*>(QStringLiteral("reportText"))->toPlainText();
        return int(QDialog::Rejected);
    };
    menuAction("importAction")->trigger();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(rows, 14);
    EXPECT_TRUE(report.contains(QStringLiteral("Smart"))) << report.toStdString();
    EXPECT_EQ(reload().records[19].parameters, before.records[19].parameters); // cancelled: nothing written
    EXPECT_EQ(reload().bitmap, before.bitmap);

    answerDialog = [](QDialog&) {
        return int(QDialog::Accepted);
    };
    menuAction("importAction")->trigger();
    EXPECT_EQ(remoteStateOf("30", 0), '2');
    EXPECT_EQ(pictureSetOf("30"), KeyLook::Learned);
    EXPECT_TRUE(window->deleteKeyButton()->isEnabled());
    EXPECT_NE(lastText().find("导入完成：写入 14 个按键"), std::string::npos) << lastText();

    // The key's hint tells what it now holds.
    const QString hint = actions->keyDescription("30");
    EXPECT_TRUE(hint.contains(QStringLiteral("NEC 0x04 / 0x02"))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(QStringLiteral("22 字节"))) << hint.toStdString();
}

TEST_F(TransferWindowTest, TheHintOfAKeyWhoseLearnFailedSaysWhenAndWhyInItsAreaOnly)
{
    openWithActions();
    clickBeginStudy();
    clickKey("12");
    folder().setPlugged(false);
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
    folder().setPlugged(true);
    ASSERT_THAT(texts(), ::testing::ElementsAre("学习失败！"));

    const QString hint = actions->keyDescription("12");
    const QRegularExpression failure(QStringLiteral("\n上次学习失败（\\d\\d:\\d\\d:\\d\\d）：遥控器已拔出$"));
    EXPECT_TRUE(failure.match(hint).hasMatch()) << hint.toStdString();
    EXPECT_FALSE(actions->keyDescription("13").contains(QStringLiteral("上次学习失败")));
    clickTab(1);
    EXPECT_FALSE(actions->keyDescription("12").contains(QStringLiteral("上次学习失败")));
}

TEST_F(TransferWindowTest, ImportAndRestoreWaitUntilLearningOrDeletingHasStopped)
{
    openWithActions();
    files = {transferData("lg-tv.ir")};
    clickBeginStudy();
    menuAction("importAction")->trigger();
    menuAction("restoreAction")->trigger();
    EXPECT_TRUE(chosenForSave.empty());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[0].plain);
    EXPECT_EQ(dialogs.shown[0].text, "软件正在学习状态，请先停止学习！");
}

TEST_F(TransferWindowTest, AFileThatCannotBeReadIsNamedWithItsLineAndShowsNoMapping)
{
    openWithActions();
    const std::string path = (statePath() / "bad.ir").string();
    std::ofstream(path) << "Filetype: IR signals file\nname: Power\ntype: parsed\nprotocol NEC\n";
    files = {path};
    const ImageSnapshot before = reload();
    menuAction("importAction")->trigger();
    EXPECT_EQ(dialogsRun, 0);
    EXPECT_NE(lastText().find("第 4 行"), std::string::npos) << lastText();
    EXPECT_EQ(reload().bitmap, before.bitmap);
    EXPECT_EQ(reload().records[4].state, before.records[4].state);
}

TEST_F(TransferWindowTest, LearnFromFileBelongsToLearningModeAndTakesTheChosenSignal)
{
    openWithActions();
    files = {transferData("medion-tv.ir")};
    QMenu* idleMenu = actions->keyMenu(*window->keyButton("30"));
    EXPECT_FALSE(idleMenu->findChild<QAction*>(QStringLiteral("learnFromFileAction"))->isEnabled());
    delete idleMenu;
    actions->learnFromFile("30");
    EXPECT_EQ(lastText(), "请先点击开始学习按钮！");

    clickBeginStudy();
    QMenu* menu = actions->keyMenu(*window->keyButton("30"));
    QAction* learn = menu->findChild<QAction*>(QStringLiteral("learnFromFileAction"));
    ASSERT_TRUE(learn->isEnabled());
    QStringList names;
    answerDialog = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("signalList"));
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        list->setCurrentRow(11); // "Vol_up"
        return int(QDialog::Accepted);
    };
    learn->trigger();
    delete menu;
    ASSERT_GT(names.size(), 11);
    EXPECT_TRUE(names[11].startsWith(QStringLiteral("Vol_up"))) << names[11].toStdString();
    EXPECT_EQ(remoteStateOf("30", 0), '2');
    EXPECT_EQ(window->statusText(), QStringLiteral("VOL+键学习成功！"));
    EXPECT_EQ(pictureSetOf("30"), KeyLook::Learned);

    // A learned key is learned again only when the user says so.
    dialogs.answers = {Reply::No};
    dialogsRun = 0;
    actions->learnFromFile("30");
    EXPECT_EQ(lastText(), "VOL+键编码已学习过，要重新学习吗?");
    EXPECT_EQ(dialogsRun, 0);
}

TEST_F(TransferWindowTest, TheSignalViewDrawsTheKeysTimingWithShortenedLabelledGaps)
{
    openWithActions();
    files = {transferData("medion-tv.ir")};
    answerDialog = [](QDialog&) {
        return int(QDialog::Accepted);
    };
    menuAction("importAction")->trigger();
    std::vector<SignalView::Segment> segments;
    QString description;
    answerDialog = [&](QDialog& dialog) {
        dialog.resize(800, 300);
        segments = dialog.findChild<SignalView*>()->segments();
        description = dialog.findChild<QLabel*>(QStringLiteral("descriptionLabel"))->text();
        return int(QDialog::Accepted);
    };
    actions->showSignal("40"); // "Up": two frames 86 ms apart
    ASSERT_FALSE(segments.empty());
    EXPECT_TRUE(description.contains(QStringLiteral("RC5"))) << description.toStdString();
    const auto gap = std::find_if(segments.begin(), segments.end(), [](const auto& s) { return s.gap; });
    ASSERT_NE(gap, segments.end());
    EXPECT_TRUE(gap->label.endsWith(QStringLiteral(" ms")));
    EXPECT_LT(gap->width, 60);
    for (std::size_t i = 1; i < segments.size(); ++i)
        EXPECT_NEAR(segments[i].x, segments[i - 1].x + segments[i - 1].width, 1e-6);

    // A key without a code has no signal to show.
    clickTab(3);
    dialogsRun = 0;
    actions->showSignal("71");
    EXPECT_EQ(dialogsRun, 0);
}

TEST(SignalView, DrawsMarksAndSpacesToScaleAndGapsShort)
{
    SignalView view;
    view.resize(716, 120);
    view.setSignal({9000, 4500, 560, 40000, 9000, 2250, 560}, 38000, 10981);
    const auto& s = view.segments();
    ASSERT_EQ(s.size(), 7u);
    EXPECT_TRUE(s[0].mark);
    EXPECT_FALSE(s[1].mark);
    EXPECT_TRUE(s[3].gap);
    EXPECT_EQ(s[3].label, QStringLiteral("40.0 ms"));
    EXPECT_NEAR(s[0].width / s[2].width, 9000.0 / 560.0, 1e-6);
    EXPECT_NEAR(s[0].width, s[4].width, 1e-6);
    EXPECT_NEAR(s.back().x + s.back().width, 716 - 8, 1e-6); // the plot fills the width
}

TEST_F(TransferWindowTest, BackupAndRestoreAskBeforeOverwritingAndRefuseDamagedFiles)
{
    openWithActions();
    files = {transferData("lg-tv.ir")};
    answerDialog = [](QDialog&) {
        return int(QDialog::Accepted);
    };
    menuAction("importAction")->trigger();

    const std::string backupPath = (statePath() / "window.qmvbak").string();
    files = {backupPath};
    menuAction("backupAction")->trigger();
    EXPECT_EQ(chosenForSave.back(), true);
    EXPECT_NE(lastText().find("备份完成：14"), std::string::npos) << lastText();

    // Learn another code onto VOL+, then restore: the question comes first; No keeps it.
    files = {transferData("medion-tv.ir")};
    menuAction("importAction")->trigger();
    files = {backupPath};
    dialogs.answers = {Reply::No};
    const ImageSnapshot before = reload();
    menuAction("restoreAction")->trigger();
    EXPECT_NE(lastText().find("恢复会覆盖"), std::string::npos) << lastText();
    EXPECT_EQ(reload().records[19].parameters, before.records[19].parameters); // VOL+ of the TV area

    dialogs.answers = {Reply::Yes};
    menuAction("restoreAction")->trigger();
    EXPECT_NE(lastText().find("恢复完成"), std::string::npos) << lastText();
    EXPECT_NE(actions->keyDescription("30").indexOf(QStringLiteral("NEC 0x04 / 0x02")), -1);

    // A damaged backup is refused with its reason and nothing is written.
    std::string text;
    {
        std::ifstream in(backupPath);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    text[text.find("\"key\": \"") + 9] = '7';
    std::ofstream(backupPath) << text;
    const ImageSnapshot beforeDamaged = reload();
    menuAction("restoreAction")->trigger();
    EXPECT_NE(lastText().find("校验和"), std::string::npos) << lastText();
    EXPECT_EQ(reload().bitmap, beforeDamaged.bitmap);
}

} // namespace
} // namespace qmv::test
