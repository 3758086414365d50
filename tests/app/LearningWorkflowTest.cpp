#include "WorkflowFixture.h"

#include "HexText.h"

#include <QTemporaryDir>

namespace qmv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Demo signals by what the converter makes of them: a code kept in a slot with its data, and
// codes stored directly in the key record.
constexpr std::size_t slotSignal = 7;
constexpr std::size_t otherSlotSignal = 3;
constexpr std::size_t directSignal = 2;

constexpr const char* one = "12";
constexpr const char* two = "13";
constexpr const char* chPlus = "26";
constexpr const char* volPlus = "30";
constexpr const char* power = "10"; // holds a code from elsewhere in TV and CBL

std::vector<std::string> slotTexts(const ImageSnapshot& image)
{
    std::vector<std::string> texts;
    for (const Slot& slot : image.slotTable)
        texts.push_back(slot.text());
    return texts;
}

// ---- Start and areas.

TEST_F(WorkflowTest, StartsIdleInTheTvAreaShowingWhatTheRemoteHolds)
{
    open();
    EXPECT_FALSE(window->areaTab(0)->isEnable());
    EXPECT_TRUE(window->areaTab(1)->isEnable());
    EXPECT_FALSE(window->powerKey(0)->isEnable());
    EXPECT_EQ(window->statusText(), QStringLiteral("您现在是在 电视/TV 里进行自学习！"));
    EXPECT_EQ(pictureSetOf(power), KeyLook::Elsewhere);
    EXPECT_EQ(pictureSetOf(volPlus), KeyLook::Elsewhere);
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_FALSE(window->deleteKeyButton()->isEnabled());
    EXPECT_FALSE(window->clearAllButton()->isEnabled());
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::NoKeys));
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::HasKeys));
}

TEST_F(WorkflowTest, ThePowerKeyLabelledAmpSelectsTheDvdArea)
{
    open();
    click(window->powerKey(2));
    EXPECT_EQ(state().curArea, 2);
    EXPECT_EQ(window->statusText(), QStringLiteral("您现在是在 影碟机/DVD 里进行自学习！"));
    EXPECT_FALSE(window->areaTab(2)->isEnable());
    EXPECT_TRUE(window->areaTab(0)->isEnable());
    EXPECT_EQ(pictureSetOf(power), KeyLook::NotLearned);

    clickTab(1);
    EXPECT_EQ(window->statusText(), QStringLiteral("您现在是在 机顶盒/CBL 里进行自学习！"));
    EXPECT_EQ(pictureSetOf(power), KeyLook::Elsewhere);
    EXPECT_EQ(pictureSetOf(volPlus), KeyLook::NotLearned);
}

TEST_F(WorkflowTest, TheCurrentAreasPowerKeyKeepsItsHighlightedLook)
{
    open();
    const auto showsHighlight = [](const IBtn* key) {
        return !key->disablePic().isNull() && key->picture().toImage() == key->disablePic().toImage();
    };
    ASSERT_FALSE(window->powerKey(0)->disablePic().isNull());
    EXPECT_TRUE(showsHighlight(window->powerKey(0))) << "the refresh after showing must not paint over it";

    clickTab(1);
    EXPECT_TRUE(showsHighlight(window->powerKey(1)));
    EXPECT_FALSE(showsHighlight(window->powerKey(0)));
    EXPECT_EQ(pictureSetOf("00"), KeyLook::NotLearned) << "TV's power key shows its state again";
}

// ---- Learning.

TEST_F(WorkflowTest, LearnsKeyAfterKeyFromTheDevicesRemote)
{
    open();
    clickBeginStudy();
    EXPECT_TRUE(state().studyState);
    EXPECT_FALSE(window->beginStudyButton()->isEnable()) << "it reads 停止学习";
    EXPECT_EQ(window->statusText(), QStringLiteral("请在左面遥控器上点击待学习的按键！"));
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::Learning));
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::NoKeys));

    folder().deliverToInbox(timingsOf(slotSignal));
    clickKey(one);
    EXPECT_EQ(window->statusText(), QStringLiteral("准备学习1按键， 请发码"));
    EXPECT_EQ(pictureSetOf(one), KeyLook::BeingLearned);
    EXPECT_TRUE(window->isLearningAnimationPlaying());
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));

    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！"));
    EXPECT_EQ(window->statusText(), QStringLiteral("1键学习成功！"));
    EXPECT_EQ(pictureSetOf(one), KeyLook::Learned);
    EXPECT_FALSE(window->isLearningAnimationPlaying());
    EXPECT_TRUE(window->deleteKeyButton()->isEnabled());
    EXPECT_TRUE(window->clearAllButton()->isEnabled());
    EXPECT_EQ(remoteStateOf(one, 0), '2');
    EXPECT_TRUE(state().studyState);

    learnKey(two, directSignal);
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！", "已接收到遥控器编码！"));
    EXPECT_EQ(remoteStateOf(two, 0), '2');
    EXPECT_EQ(pictureSetOf(two), KeyLook::Learned);

    clickBeginStudy();
    EXPECT_FALSE(state().studyState);
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::HasKeys));
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::Learning));
}

TEST_F(WorkflowTest, RelearningAnsweredYesStoresTheNewCode)
{
    open();
    clickBeginStudy();
    learnKey(one, slotSignal);
    const ImageSnapshot before = reload();
    dialogs.shown.clear();
    dialogs.answers = {Reply::Yes};
    learnKey(one, otherSlotSignal);
    EXPECT_THAT(texts(), ElementsAre("1键编码已学习过，要重新学习吗?", "已接收到遥控器编码！"));
    EXPECT_NE(reload().slotTable[1].text(), before.slotTable[1].text()) << "the new code took a slot";
    EXPECT_EQ(remoteStateOf(one, 0), '2');
}

TEST_F(WorkflowTest, RelearningAnsweredNoLeavesTheKeyAsItWas)
{
    open();
    clickBeginStudy();
    learnKey(one, slotSignal);
    dialogs.shown.clear();
    dialogs.answers = {Reply::No};
    folder().deliverToInbox(timingsOf(otherSlotSignal));
    clickKey(one);
    EXPECT_THAT(texts(), ElementsAre("1键编码已学习过，要重新学习吗?"));
    EXPECT_FALSE(controller().captureRunning());
    EXPECT_FALSE(controller().pendingKey());
    EXPECT_EQ(pictureSetOf(one), KeyLook::Learned);
    EXPECT_EQ(folder().inboxCount(), 1u) << "no capture took the code";
}

TEST_F(WorkflowTest, AnotherKeyWhileOneWaitsIsTurnedAway)
{
    open();
    clickBeginStudy();
    clickKey(chPlus);
    clickKey(volPlus);
    EXPECT_THAT(texts(), ElementsAre("CH+按键正在学习，要停止CH+按键,请点击停止学习按钮"));
    EXPECT_EQ(controller().pendingKey(), chPlus);
    EXPECT_EQ(pictureSetOf(volPlus), KeyLook::Elsewhere);
    clickBeginStudy();
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
}

TEST_F(WorkflowTest, StoppingWhileACaptureRunsEndsItWithoutAMessage)
{
    open();
    clickBeginStudy();
    clickKey(one);
    ASSERT_TRUE(controller().captureRunning());
    clickBeginStudy();
    EXPECT_FALSE(controller().pendingKey());
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_FALSE(window->isLearningAnimationPlaying());
    EXPECT_TRUE(window->beginStudyButton()->isEnable());
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }, std::chrono::seconds(2)))
        << "the capture notices the stop before its next poll";
    folder().deliverToInbox(timingsOf(directSignal));
    QCoreApplication::processEvents();
    EXPECT_THAT(texts(), IsEmpty());
    EXPECT_EQ(remoteStateOf(one, 0), '0');
}

TEST_F(WorkflowTest, SwitchingAreaWhileAKeyWaitsLearnsItIntoTheNewArea)
{
    open();
    clickBeginStudy();
    clickKey(power);
    EXPECT_EQ(pictureSetOf(power), KeyLook::BeingLearned);
    clickTab(1);
    EXPECT_EQ(window->statusText(), QStringLiteral("您现在是在 机顶盒/CBL 里进行自学习！"));
    EXPECT_EQ(controller().pendingKey(), power);
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::Learning));
    EXPECT_EQ(pictureSetOf(power), KeyLook::Elsewhere) << "its code has an entry in the CBL block";

    folder().deliverToInbox(timingsOf(directSignal));
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！"));
    EXPECT_EQ(remoteStateOf(power, 1), '2');
    EXPECT_EQ(remoteStateOf(power, 0), '1');
}

// ---- Captures that end without a stored code.

TEST_F(WorkflowTest, NoCodeWithinTheTimeLimitFailsTheKey)
{
    open();
    clickBeginStudy();
    clickKey(one);
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }, std::chrono::seconds(12)));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(test::headline(dialogs.shown[0].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[0].caption, "QMV-718");
    EXPECT_EQ(window->statusText(), QStringLiteral("请重新选择按键进行学习！"));
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_FALSE(window->isLearningAnimationPlaying());
    EXPECT_TRUE(state().studyState);
}

TEST_F(WorkflowTest, UnpluggingTheRemoteDuringACaptureFailsTheKey)
{
    open();
    clickBeginStudy();
    clickKey(one);
    folder().setPlugged(false);
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }, std::chrono::seconds(3)));
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    folder().setPlugged(true);
    EXPECT_EQ(remoteStateOf(one, 0), '0');
}

TEST_F(WorkflowTest, WithoutTheConverterEveryReceivedCodeFailsWithTwoMessages)
{
    QTemporaryDir noConverter;
    open(noConverter.path().toStdString() + "/");
    clickBeginStudy();
    learnKey(one, slotSignal);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(test::headline(dialogs.shown[0].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(test::headline(dialogs.shown[1].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[1].caption, "QMV-718");
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_EQ(folder().inboxCount(), 0u) << "the code was received";
}

namespace {

// Fills every free slot with a one-unit code of its own, bitmap included; each slot is named by a
// key of the DVD or AMP area when `named`, else by no key at all. The bitmap written.
std::string fillFreeSlots(RemoteLink& link, ImageSnapshot full, bool named)
{
    std::string map = bitmapToMap(full.bitmap);
    int unit = 0;
    int record = 2 * full.layout.keycount;
    for (std::size_t s = 0; s < full.slotTable.size(); ++s) {
        if (full.slotTable[s].inUse())
            continue;
        while (map[static_cast<std::size_t>(unit)] == '1')
            ++unit;
        full.slotTable[s] = Slot::make("EE00" + hex::byte(static_cast<int>(s)), unit, 1);
        map[static_cast<std::size_t>(unit)] = '1';
        if (named) {
            EXPECT_TRUE(
                link.writeData(full.layout.bankcode, full.layout.recordAddress(record++),
                               "C00080" + hex::byte(static_cast<int>(s)) + "FFFF" + std::string(32, '0')));
        }
    }
    std::string block = mapToBitmap(map);
    for (const Slot& slot : full.slotTable)
        block += slot.text();
    EXPECT_TRUE(link.writeData(full.layout.bankcode, full.layout.indexaddr, block));
    return mapToBitmap(map);
}

} // namespace

TEST_F(WorkflowTest, WithEverySlotInUseACodeNeedingOneFails)
{
    // As earlier learns would have left the remote.
    const std::string bitmap = fillFreeSlots(link(), reload(), true);
    open();
    clickBeginStudy();
    learnKey(one, slotSignal);
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_EQ(reload().bitmap, bitmap);

    dialogs.shown.clear();
    learnKey(two, directSignal);
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！")) << "a code kept in its record needs no slot";
}

TEST_F(WorkflowTest, SlotsNoKeyNamesAreTakenBackWhenALearnNeedsOne)
{
    // Space that failed or killed learns of another program left taken.
    const std::string bitmap = fillFreeSlots(link(), reload(), false);
    open();
    EXPECT_EQ(reload().bitmap, bitmap) << "start-up only reads";
    clickBeginStudy();
    learnKey(one, slotSignal);
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！"));
    EXPECT_EQ(remoteStateOf(one, 0), '2');
    EXPECT_TRUE(unnamedSlots(reload()).empty());
    EXPECT_TRUE(checkInvariants(reload()).empty());
}

TEST_F(WorkflowTest, AFailedRecordWriteFailsTheKeyAndLeavesTheRemoteAsItWas)
{
    open();
    clickBeginStudy();
    folder().setFaultCount("fail-writes", 1);
    learnKey(one, directSignal);
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(window->statusText(), QStringLiteral("请重新选择按键进行学习！"));
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_FALSE(window->deleteKeyButton()->isEnabled());
}

// ---- Requests refused by mode.

TEST_F(WorkflowTest, LearningAndWaitingRefuseDeletingClearingUpdatingAndClosing)
{
    open();
    clickBeginStudy();
    learnKey(one, directSignal); // the delete buttons can be pressed now
    for (bool waiting : {false, true}) {
        if (waiting)
            clickKey(two);
        dialogs.shown.clear();
        clickDeleteKey();
        clickClearAll();
        click(window->findChild<IBtn*>(QStringLiteral("updateibtn")));
        EXPECT_FALSE(window->close());
        EXPECT_THAT(texts(), ElementsAre("现在正在学习状态，要删除请先停止学习！",
                                         "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！",
                                         "软件正在学习状态，要升级请退出学习状态！",
                                         "你正在学习，要退出系统请先停止学习！"))
            << (waiting ? "waiting" : "learning");
        EXPECT_FALSE(state().deleteState);
        EXPECT_EQ(remoteStateOf(one, 0), '2');
    }
    EXPECT_EQ(controller().pendingKey(), two);
    clickBeginStudy();
    ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
}

TEST_F(WorkflowTest, DeletingRefusesLearningClearingAndUpdating)
{
    open();
    clickBeginStudy();
    learnKey(one, directSignal);
    clickBeginStudy();
    clickDeleteKey();
    ASSERT_TRUE(state().deleteState);
    dialogs.shown.clear();
    clickBeginStudy();
    clickClearAll();
    click(window->findChild<IBtn*>(QStringLiteral("updateibtn")));
    EXPECT_THAT(texts(), ElementsAre("现在在删除状态，要学习请先停止删除！",
                                     "现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！",
                                     "软件正在删除状态，要升级请退出删除状态！"));
    EXPECT_FALSE(state().studyState);
    EXPECT_TRUE(state().deleteState);
    EXPECT_EQ(remoteStateOf(one, 0), '2');
}

TEST_F(WorkflowTest, IdleAsksToStartLearningFirst)
{
    open();
    clickKey(one);
    EXPECT_THAT(texts(), ElementsAre("请先点击开始学习按钮！"));
    EXPECT_FALSE(controller().captureRunning());
}

// ---- Deleting and clearing.

class WorkflowWithLearnedKeys : public WorkflowTest
{
protected:
    // "1" and "2" learned in TV (sharing no slot), "1" also in DVD; learning stopped.
    void SetUp() override
    {
        WorkflowTest::SetUp();
        open();
        clickBeginStudy();
        learnKey(one, slotSignal);
        learnKey(two, otherSlotSignal);
        clickTab(2);
        learnKey(one, directSignal);
        clickTab(0);
        clickBeginStudy();
        ASSERT_THAT(texts(),
                    ElementsAre("已接收到遥控器编码！", "已接收到遥控器编码！", "已接收到遥控器编码！"));
        dialogs.shown.clear();
    }
};

TEST_F(WorkflowWithLearnedKeys, DeleteModeShowsItsPicturesAndLeavesThemOnASecondClick)
{
    clickDeleteKey();
    EXPECT_TRUE(state().deleteState);
    EXPECT_EQ(window->statusText(), QStringLiteral("请在左面遥控器上选择待删除的按键！"));
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::Deleting));
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::HasKeys));
    clickDeleteKey();
    EXPECT_FALSE(state().deleteState);
    EXPECT_EQ(window->statusText(), QString());
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::Deleting));
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::HasKeys));
}

TEST_F(WorkflowWithLearnedKeys, DeletesALearnedKeyAndFreesItsSlot)
{
    const ImageSnapshot before = reload();
    ASSERT_TRUE(before.slotTable[0].inUse());
    clickDeleteKey();
    clickKey(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "删除操作成功！"));
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_EQ(remoteStateOf(one, 2), '2') << "only the current area";
    EXPECT_FALSE(reload().slotTable[0].inUse());
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_TRUE(state().deleteState) << "a learned key is left";
}

TEST_F(WorkflowWithLearnedKeys, AKeyHoldingACodeFromElsewhereCannotBeDeleted)
{
    clickDeleteKey();
    clickKey(power);
    EXPECT_THAT(texts(), ElementsAre("该按键还没有自学习过，无法删除！"));
    EXPECT_EQ(remoteStateOf(power, 0), '1');
    EXPECT_EQ(pictureSetOf(power), KeyLook::Elsewhere);
}

TEST_F(WorkflowWithLearnedKeys, DeletingTheAreasLastLearnedKeyLeavesDeleteMode)
{
    clickTab(2);
    clickDeleteKey();
    dialogs.answers = {Reply::No};
    clickKey(one);
    EXPECT_EQ(remoteStateOf(one, 2), '2') << "answered No";
    clickKey(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "你确实要删除该自学习按键的编码？",
                                     "删除操作成功！"));
    EXPECT_EQ(remoteStateOf(one, 2), '0');
    EXPECT_FALSE(state().deleteState);
    EXPECT_FALSE(window->deleteKeyButton()->isEnabled());
    EXPECT_FALSE(window->clearAllButton()->isEnabled());
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::NoKeys));
    EXPECT_FALSE(window->isPanelVisible(InstructionPanel::Deleting));
}

TEST_F(WorkflowWithLearnedKeys, ClearingAnsweredNoChangesNothing)
{
    dialogs.answers = {Reply::No};
    clickClearAll();
    EXPECT_THAT(texts(), ElementsAre("你确实要清空所有自学习过的按键的编码吗？"));
    EXPECT_EQ(remoteStateOf(one, 0), '2');
    EXPECT_EQ(remoteStateOf(two, 0), '2');
}

TEST_F(WorkflowWithLearnedKeys, ClearingAnsweredYesClearsTheAreaAndKeepsItsSlots)
{
    const ImageSnapshot before = reload();
    clickClearAll();
    EXPECT_THAT(texts(), ElementsAre("你确实要清空所有自学习过的按键的编码吗？", "清空操作完成！"));
    EXPECT_EQ(window->statusText(), QStringLiteral("清空操作完成！"));
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_EQ(remoteStateOf(two, 0), '0');
    EXPECT_EQ(remoteStateOf(power, 0), '1');
    EXPECT_EQ(remoteStateOf(one, 2), '2');
    const ImageSnapshot after = reload();
    EXPECT_EQ(after.slotTable[0].text(), before.slotTable[0].text());
    EXPECT_EQ(after.bitmap, before.bitmap);
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
    EXPECT_FALSE(window->deleteKeyButton()->isEnabled());
    EXPECT_TRUE(window->isPanelVisible(InstructionPanel::NoKeys));

    dialogs.shown.clear();
    clickClearAll(); // disabled now: nothing happens
    EXPECT_THAT(texts(), IsEmpty());
}

TEST_F(WorkflowWithLearnedKeys, ALaterLearnOfAClearedCodeReusesItsSlot)
{
    clickClearAll();
    const ImageSnapshot cleared = reload();
    clickBeginStudy();
    learnKey(chPlus, slotSignal);
    const ImageSnapshot after = reload();
    EXPECT_EQ(slotTexts(after), slotTexts(cleared));
    EXPECT_EQ(after.bitmap, cleared.bitmap);
    EXPECT_EQ(remoteStateOf(chPlus, 0), '2');
}

TEST_F(WorkflowTest, ClearingLeavesAKeyHoldingACodeFromElsewhereLookingSo)
{
    // POWER holds a code from elsewhere in TV and is learned in DVD: clearing TV must not paint it
    // as not learned just because it is learned in another area.
    open();
    clickTab(2);
    clickBeginStudy();
    learnKey(power, directSignal);
    clickTab(0);
    learnKey(one, slotSignal);
    clickBeginStudy();
    ASSERT_EQ(remoteStateOf(power, 2), '2');
    clickClearAll();
    EXPECT_EQ(remoteStateOf(one, 0), '0');
    EXPECT_EQ(pictureSetOf(power), KeyLook::Elsewhere);
    EXPECT_EQ(pictureSetOf(one), KeyLook::NotLearned);
}

} // namespace
} // namespace qmv::test
