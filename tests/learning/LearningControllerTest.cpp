#include "LearningController.h"
#include "LearningDoubles.h"
#include "MemoryImage.h"
#include "RemoteFixture.h"
#include "RemoteLoader.h"
#include "ScriptedDialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stdexcept>

namespace qmv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Key codes of the factory remote: "10" (POWER) holds a code from elsewhere in TV and CBL, "30"
// (VOL+) in TV; every other key is empty.
constexpr const char* one = "12";    // "1"
constexpr const char* two = "13";    // "2"
constexpr const char* chPlus = "26"; // "CH+"
constexpr const char* volPlus = "30";
constexpr const char* power = "10";

// Converter output: a code the image places directly in the record, and one that takes a slot.
std::string directCode(const std::string& identifier = "210000")
{
    return identifier + "::0123456789ABCDEF:FEDCBA9876543210:::";
}
std::string slotCode(const std::string& identifier = "2B1F04")
{
    return identifier + "::0123456789ABCDEF:FEDCBA9876543210:::00112233445566778899AABBCCDDEEFF";
}

class LearningControllerTest : public test::RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        test::ScriptedDialogs loadDialogs;
        RemoteLoader loader(link(), loadDialogs);
        const auto loaded = loader.load();
        ASSERT_TRUE(loaded) << loader.failure();
        snapshot = loaded->snapshot;
        image = std::make_unique<MemoryImage>(link(), snapshot);
        view.keyOn["00"] = false; // the window's start look: TV's power key highlighted
    }

    void TearDown() override
    {
        controller.reset();
        if (image) {
            EXPECT_THAT(checkInvariants(image->snapshot()), IsEmpty());
        }
    }

    // Builds the controller over the image as it is now and shows the start state.
    void start()
    {
        LearningServices services;
        services.capture = [this](const std::atomic<bool>& stop) {
            return capture.run(stop);
        };
        services.convert = [this](const std::string& captured, std::string* encoded) {
            captures.push_back(captured);
            *encoded = "ENC:" + captured;
            if (converterThrows)
                throw std::runtime_error("converter failed");
            return converted;
        };
        services.postToUi = [this](std::function<void()> call) {
            ui.post(std::move(call));
        };
        controller = std::make_unique<LearningController>(state, *image, view, dialogs, std::move(services));
        controller->ShowStartState();
    }

    // Stores a learned code for the key before the window starts.
    void learnedBeforeStart(const std::string& code, int area, const std::string& converterText)
    {
        ASSERT_EQ(image->StoreLearnedKey(code, converterText, area), StoreResult::Stored);
    }

    char stateOf(const std::string& code, int area) const
    {
        return image->keyState(image->entryIndex(area, *image->rowOf(code)));
    }

    // The messages' first lines; the lines naming key, area and reason are tested on their own.
    std::vector<std::string> texts() const { return dialogs.headlines(); }

    void startLearning()
    {
        controller->beginstudyibtnClick();
        ASSERT_TRUE(state.studyState);
    }

    // Clicks the key in learning mode and lets its capture end with `code`.
    void learnKey(const std::string& key, const std::string& code = "CAPTURE")
    {
        const int before = capture.started();
        controller->KeyClick(key);
        ASSERT_TRUE(capture.waitForStarts(before + 1));
        capture.finish(code);
        ASSERT_TRUE(ui.drain());
        ASSERT_FALSE(controller->captureRunning());
    }

    MainWindowState state;
    ImageSnapshot snapshot;
    std::unique_ptr<MemoryImage> image;
    test::FakeView view;
    test::ScriptedDialogs dialogs;
    test::UiQueue ui;
    test::ManualCapture capture;
    std::string converted = directCode();
    bool converterThrows = false;
    std::vector<std::string> captures;
    std::unique_ptr<LearningController> controller;
};

// ---- The start state and the pictures of the keys.

TEST_F(LearningControllerTest, StartsIdleWithTheKeysOfTheTvAreaAndNoLearnedKeys)
{
    start();
    EXPECT_EQ(view.keyLook[power], KeyLook::Elsewhere);
    EXPECT_EQ(view.keyLook[volPlus], KeyLook::Elsewhere);
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(view.keyLook.size(), 52u) << "every key of the keypad gets its picture";
    EXPECT_EQ(view.deleteButtonsAvailable, false);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::NoKeys);
    EXPECT_FALSE(state.studyState);
    EXPECT_FALSE(state.deleteState);
    EXPECT_FALSE(controller->pendingKey());
    EXPECT_THAT(texts(), IsEmpty());
}

TEST_F(LearningControllerTest, StartsWithDeletingAvailableWhenTheTvAreaHasALearnedKey)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned);
    EXPECT_EQ(view.deleteButtonsAvailable, true);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::HasKeys);
    EXPECT_TRUE(controller->AreaHasLearnedKeys());
}

TEST_F(LearningControllerTest, KeysLearnedInAnotherAreaCountAsNotLearnedHere)
{
    learnedBeforeStart(one, 1, directCode());
    start();
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_FALSE(controller->AreaHasLearnedKeys());
    EXPECT_EQ(view.deleteButtonsAvailable, false);
}

// ---- Areas.

TEST_F(LearningControllerTest, SelectingAnAreaSwitchesTabsAndPowerKeysAndShowsItsKeys)
{
    learnedBeforeStart(two, 2, directCode());
    start();
    controller->SelectArea(2);
    EXPECT_EQ(state.curArea, 2);
    EXPECT_EQ(view.status, "您现在是在 影碟机/DVD 里进行自学习！");
    EXPECT_EQ(view.tabOn, (std::array<bool, 4>{true, true, false, true}));
    EXPECT_TRUE(view.isKeyOn("00"));
    EXPECT_TRUE(view.isKeyOn("07"));
    EXPECT_FALSE(view.isKeyOn("03")) << "IBtn4 selects DVD";
    EXPECT_TRUE(view.isKeyOn("04"));
    EXPECT_EQ(view.keyLook[two], KeyLook::Learned);
    EXPECT_EQ(view.keyLook[power], KeyLook::NotLearned);
    EXPECT_EQ(view.deleteButtonsAvailable, true);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::NoKeys) << "the instructions are left as they are";
}

TEST_F(LearningControllerTest, EachAreaHasItsOwnText)
{
    start();
    const std::vector<std::pair<int, std::string>> areas{{1, "您现在是在 机顶盒/CBL 里进行自学习！"},
                                                         {3, "您现在是在 AMP 里进行自学习！"},
                                                         {0, "您现在是在 电视/TV 里进行自学习！"}};
    for (const auto& [area, text] : areas) {
        controller->SelectArea(area);
        EXPECT_EQ(view.status, text);
        EXPECT_FALSE(view.tabOn.at(static_cast<std::size_t>(area)));
    }
}

TEST_F(LearningControllerTest, SelectingTheCurrentAreaChangesNothing)
{
    start();
    view.status = "unchanged";
    const int changes = view.keyPictureChanges;
    controller->SelectArea(0);
    EXPECT_EQ(view.status, "unchanged");
    EXPECT_EQ(view.keyPictureChanges, changes);
}

// ---- Clicks outside any mode.

TEST_F(LearningControllerTest, AKeyClickedWhileIdleOnlyAsksToStartLearning)
{
    start();
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("请先点击开始学习按钮！"));
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(capture.started(), 0);
}

// ---- Learning.

TEST_F(LearningControllerTest, StartingLearningShowsTheLearningLookWithoutCapturing)
{
    start();
    startLearning();
    EXPECT_FALSE(view.beginStudyOn);
    EXPECT_EQ(view.hint, HintPicture::Learning);
    EXPECT_EQ(view.status, "请在左面遥控器上点击待学习的按键！");
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::Learning);
    EXPECT_EQ(capture.started(), 0);

    controller->beginstudyibtnClick();
    EXPECT_FALSE(state.studyState);
    EXPECT_TRUE(view.beginStudyOn);
    EXPECT_EQ(view.hint, HintPicture::Idle);
    EXPECT_EQ(view.status, "") << "idle again, nothing to do next";
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::NoKeys);
    EXPECT_EQ(capture.started(), 0);
    EXPECT_THAT(texts(), IsEmpty());
}

TEST_F(LearningControllerTest, StoppingLearningShowsThePanelOfAnAreaWithLearnedKeys)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    startLearning();
    controller->beginstudyibtnClick();
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::HasKeys);
}

TEST_F(LearningControllerTest, AClickedKeyWaitsForItsCodeWithTheAnimationPlaying)
{
    start();
    startLearning();
    controller->KeyClick(chPlus);
    EXPECT_EQ(controller->pendingKey(), chPlus);
    EXPECT_EQ(view.keyLook[chPlus], KeyLook::BeingLearned);
    EXPECT_EQ(view.status, "准备学习CH+按键， 请发码");
    EXPECT_FALSE(view.hintVisible);
    EXPECT_TRUE(view.animationPlaying);
    EXPECT_TRUE(controller->captureRunning());
    EXPECT_TRUE(capture.waitForStarts(1));
    EXPECT_THAT(texts(), IsEmpty());
}

TEST_F(LearningControllerTest, AReceivedCodeIsConvertedStoredAndReported)
{
    converted = slotCode();
    start();
    startLearning();
    learnKey(chPlus, "CAPTURED-TEXT");

    EXPECT_THAT(captures, ElementsAre("CAPTURED-TEXT"));
    EXPECT_EQ(stateOf(chPlus, 0), '2');
    EXPECT_EQ(image->keystatelist()[static_cast<std::size_t>(*image->rowOf(chPlus))], "26|2|1|00FFFF");
    EXPECT_EQ(view.keyLook[chPlus], KeyLook::Learned);
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！"));
    EXPECT_EQ(view.status, "CH+键学习成功！");
    EXPECT_GE(view.statusRepaints, 2) << "the progress and the outcome are painted at once";
    EXPECT_FALSE(view.animationPlaying);
    EXPECT_TRUE(view.hintVisible);
    EXPECT_EQ(view.hint, HintPicture::Idle) << "the idle hint after a learned key";
    EXPECT_EQ(view.deleteButtonsAvailable, true);
    EXPECT_FALSE(controller->pendingKey());
    EXPECT_TRUE(state.studyState) << "learning stays on for the next key";
    EXPECT_THAT(view.memo, ElementsAre("ENC:CAPTURED-TEXT", slotCode(), slotCode()));
}

TEST_F(LearningControllerTest, KeyAfterKeyEachGetsItsOwnCapture)
{
    start();
    startLearning();
    learnKey(one);
    converted = directCode("200000");
    learnKey(two);
    EXPECT_EQ(capture.started(), 2);
    EXPECT_EQ(stateOf(one, 0), '2');
    EXPECT_EQ(stateOf(two, 0), '2');
    EXPECT_THAT(texts(), ElementsAre("已接收到遥控器编码！", "已接收到遥控器编码！"));
}

TEST_F(LearningControllerTest, RelearningALearnedKeyAnsweredYesStartsItsCapture)
{
    learnedBeforeStart(one, 0, directCode("1F0000"));
    start();
    startLearning();
    dialogs.answers = {Reply::Yes};
    learnKey(one);
    EXPECT_EQ(dialogs.shown.front().text, "1键编码已学习过，要重新学习吗?");
    EXPECT_EQ(dialogs.shown.front().buttons, Buttons::YesNo);
    EXPECT_EQ(image->keystatelist()[static_cast<std::size_t>(*image->rowOf(one))], "12|2|0|210000");
}

TEST_F(LearningControllerTest, RelearningAnsweredNoLeavesEverythingAsItWas)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    startLearning();
    const std::string status = view.status;
    dialogs.answers = {Reply::No};
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("1键编码已学习过，要重新学习吗?"));
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned);
    EXPECT_EQ(view.status, status);
    EXPECT_FALSE(controller->pendingKey());
    EXPECT_FALSE(controller->captureRunning());
}

TEST_F(LearningControllerTest, AnotherKeyClickedWhileOneWaitsIsTurnedAway)
{
    start();
    startLearning();
    controller->KeyClick(chPlus);
    controller->KeyClick(volPlus);
    EXPECT_THAT(texts(), ElementsAre("CH+按键正在学习，要停止CH+按键,请点击停止学习按钮"));
    EXPECT_EQ(controller->pendingKey(), chPlus);
    EXPECT_EQ(view.keyLook[volPlus], KeyLook::Elsewhere);
    EXPECT_EQ(view.status, "准备学习CH+按键， 请发码");
}

TEST_F(LearningControllerTest, ACaptureWithoutCodeFailsTheWaitingKey)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    startLearning();
    dialogs.answers = {Reply::Yes};
    learnKey(one, "");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(test::headline(dialogs.shown[1].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[1].caption, "QMV-718") << "the plain message window";
    EXPECT_EQ(view.status, "请重新选择按键进行学习！");
    EXPECT_EQ(view.hint, HintPicture::Learning);
    EXPECT_TRUE(view.hintVisible);
    EXPECT_FALSE(view.animationPlaying);
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned) << "a key learned before shows its code again";
    EXPECT_EQ(stateOf(one, 0), '2');
    EXPECT_FALSE(controller->pendingKey());
    EXPECT_TRUE(captures.empty()) << "nothing to convert";
}

TEST_F(LearningControllerTest, AnEmptyConversionSaysLearningFailedTwice)
{
    converted.clear();
    start();
    startLearning();
    learnKey(one);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(test::headline(dialogs.shown[0].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(test::headline(dialogs.shown[1].text), "学习失败！");
    EXPECT_EQ(dialogs.shown[1].caption, "QMV-718");
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(stateOf(one, 0), '0');
    EXPECT_THAT(view.memo, ElementsAre("ENC:CAPTURE"));
}

TEST_F(LearningControllerTest, AFailingConverterEndsAsAFailedCapture)
{
    converterThrows = true;
    start();
    startLearning();
    learnKey(one);
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(dialogs.shown[0].caption, "QMV-718");
    EXPECT_EQ(stateOf(one, 0), '0');
}

TEST_F(LearningControllerTest, ACodeThatCannotBeStoredEndsAsAFailedCapture)
{
    converted = "not a converted code";
    start();
    startLearning();
    learnKey(one);
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(view.status, "请重新选择按键进行学习！");
    EXPECT_EQ(stateOf(one, 0), '0');
}

TEST_F(LearningControllerTest, AFailedRecordWriteEndsAsAFailedCaptureAndKeepsTheKeyAsItWas)
{
    start();
    startLearning();
    folder().setFaultCount("fail-writes", 1);
    learnKey(one);
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(stateOf(one, 0), '0');
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(view.deleteButtonsAvailable, false);
}

TEST_F(LearningControllerTest, StoppingWhileAKeyWaitsReleasesItSilentlyAndStopsTheCapture)
{
    start();
    startLearning();
    controller->KeyClick(one);
    ASSERT_TRUE(capture.waitForStarts(1));
    controller->beginstudyibtnClick();
    EXPECT_FALSE(controller->pendingKey());
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_FALSE(view.animationPlaying);
    EXPECT_TRUE(view.beginStudyOn);

    ASSERT_TRUE(ui.drain());
    EXPECT_EQ(capture.stopped(), 1);
    EXPECT_FALSE(controller->captureRunning());
    EXPECT_THAT(texts(), IsEmpty()) << "no failure is reported for a stopped capture";
}

TEST_F(LearningControllerTest, ACodeArrivingAfterTheStopIsDiscarded)
{
    start();
    startLearning();
    controller->KeyClick(one);
    ASSERT_TRUE(capture.waitForStarts(1));
    capture.finish("LATE");
    controller->beginstudyibtnClick();
    ASSERT_TRUE(ui.drain());
    EXPECT_TRUE(captures.empty());
    EXPECT_EQ(stateOf(one, 0), '0');
    EXPECT_THAT(texts(), IsEmpty());
}

TEST_F(LearningControllerTest, AWaitingKeyLearnedSomewhereIsSwitchedOffWhenLearningStops)
{
    learnedBeforeStart(one, 3, directCode());
    start();
    startLearning();
    controller->KeyClick(one);
    controller->beginstudyibtnClick();
    EXPECT_FALSE(view.isKeyOn(one));
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    ASSERT_TRUE(ui.drain());
}

TEST_F(LearningControllerTest, AKeyClickedWhileACancelledCaptureEndsGetsItsOwnCaptureAfterwards)
{
    start();
    startLearning();
    controller->KeyClick(one);
    ASSERT_TRUE(capture.waitForStarts(1));
    controller->beginstudyibtnClick();
    controller->beginstudyibtnClick();
    capture.finish("CODE-FOR-ONE");
    controller->KeyClick(two);
    EXPECT_EQ(controller->pendingKey(), two);
    EXPECT_EQ(view.keyLook[two], KeyLook::BeingLearned);
    EXPECT_EQ(capture.started(), 1) << "one capture at a time";

    ASSERT_TRUE(ui.drain()); // the cancelled capture ends: its code is not the new key's
    EXPECT_TRUE(captures.empty());
    EXPECT_EQ(stateOf(two, 0), '0');
    ASSERT_TRUE(capture.waitForStarts(2));
    EXPECT_TRUE(controller->captureRunning());

    capture.finish("CODE-FOR-TWO");
    ASSERT_TRUE(ui.drain());
    EXPECT_THAT(captures, ElementsAre("CODE-FOR-TWO"));
    EXPECT_EQ(stateOf(two, 0), '2');
    EXPECT_EQ(stateOf(one, 0), '0');
}

TEST_F(LearningControllerTest, SwitchingAreaWhileAKeyWaitsKeepsItWaitingAndLearnsIntoTheNewArea)
{
    start();
    startLearning();
    controller->KeyClick(power);
    controller->SelectArea(1);
    EXPECT_EQ(controller->pendingKey(), power);
    EXPECT_TRUE(state.studyState);
    EXPECT_EQ(view.keyLook[power], KeyLook::Elsewhere) << "the refresh shows the key's state in CBL";
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::Learning);

    ASSERT_TRUE(capture.waitForStarts(1));
    capture.finish("CODE");
    ASSERT_TRUE(ui.drain());
    EXPECT_EQ(stateOf(power, 1), '2');
    EXPECT_EQ(stateOf(power, 0), '1');
    EXPECT_EQ(view.keyLook[power], KeyLook::Learned);
}

TEST_F(LearningControllerTest, GoingAwayWhileACaptureRunsStopsItAndDropsItsOutcome)
{
    start();
    startLearning();
    controller->KeyClick(one);
    ASSERT_TRUE(capture.waitForStarts(1));
    controller.reset();
    EXPECT_EQ(capture.stopped(), 1);
    ASSERT_TRUE(ui.drain());
    EXPECT_TRUE(captures.empty());
}

// ---- Refusals by mode.

TEST_F(LearningControllerTest, LearningRefusesDeletingAndClearing)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    startLearning();
    controller->IBtn78Click();
    controller->delallstudykeyClick();
    controller->KeyClick(two);
    controller->IBtn78Click();
    controller->delallstudykeyClick();
    EXPECT_THAT(texts(), ElementsAre("现在正在学习状态，要删除请先停止学习！",
                                     "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！",
                                     "现在正在学习状态，要删除请先停止学习！",
                                     "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！"));
    EXPECT_FALSE(state.deleteState);
    EXPECT_EQ(stateOf(one, 0), '2');
    EXPECT_EQ(controller->pendingKey(), two);
    ASSERT_TRUE(capture.waitForStarts(1));
}

TEST_F(LearningControllerTest, DeletingRefusesLearningAndClearing)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->IBtn78Click();
    controller->beginstudyibtnClick();
    controller->delallstudykeyClick();
    EXPECT_THAT(texts(), ElementsAre("现在在删除状态，要学习请先停止删除！",
                                     "现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！"));
    EXPECT_FALSE(state.studyState);
    EXPECT_TRUE(state.deleteState);
    EXPECT_EQ(stateOf(one, 0), '2');
}

// ---- Delete mode.

TEST_F(LearningControllerTest, DeleteModeSwitchesOnAndOffWithItsPictures)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->IBtn78Click();
    EXPECT_TRUE(state.deleteState);
    EXPECT_EQ(view.status, "请在左面遥控器上选择待删除的按键！");
    EXPECT_EQ(view.hint, HintPicture::Idle) << "the hint stays as it was";
    EXPECT_EQ(view.deleteLook, DeleteButtonLook::StopDelete);
    EXPECT_TRUE(view.panel(InstructionPanel::Deleting));
    EXPECT_FALSE(view.panel(InstructionPanel::HasKeys));
    EXPECT_FALSE(view.panel(InstructionPanel::Learning));

    controller->IBtn78Click();
    EXPECT_FALSE(state.deleteState);
    EXPECT_EQ(view.status, "");
    EXPECT_EQ(view.hint, HintPicture::Idle);
    EXPECT_EQ(view.deleteLook, DeleteButtonLook::Delete);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::HasKeys);
}

TEST_F(LearningControllerTest, DeletingALearnedKeyAnsweredYesReleasesItsCode)
{
    converted = slotCode();
    start();
    startLearning();
    learnKey(one);
    learnKey(two, "OTHER");
    controller->beginstudyibtnClick();
    dialogs.shown.clear();

    controller->IBtn78Click();
    dialogs.answers = {Reply::Yes};
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "删除操作成功！"));
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(stateOf(one, 0), '0');
    EXPECT_EQ(image->keystatelist()[static_cast<std::size_t>(*image->rowOf(one))], "12|0");
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(view.status, "") << "emptied before the question";
    EXPECT_TRUE(state.deleteState) << "another learned key is left";
    EXPECT_TRUE(image->slotTable()[0].inUse()) << "the other key still names the shared slot";
}

TEST_F(LearningControllerTest, DeletingAnsweredNoChangesNothing)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->IBtn78Click();
    dialogs.answers = {Reply::No};
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？"));
    EXPECT_EQ(stateOf(one, 0), '2');
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned);
    EXPECT_TRUE(state.deleteState);
}

TEST_F(LearningControllerTest, KeysWithoutALearnedCodeCannotBeDeleted)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->IBtn78Click();
    controller->KeyClick(power); // a code from elsewhere
    controller->KeyClick(two);   // no code
    EXPECT_THAT(dialogs.texts(),
                ElementsAre("该按键还没有自学习过，无法删除！", "该按键还没有自学习过，无法删除！"));
    EXPECT_EQ(view.status, "请在左面遥控器上选择待删除的按键！") << "no question was asked";
    EXPECT_EQ(stateOf(power, 0), '1');
    EXPECT_EQ(view.keyLook[power], KeyLook::Elsewhere);
    EXPECT_TRUE(state.deleteState);
}

// ---- Why a learn failed: the message says only 学习失败！, the key keeps the reason.

TEST_F(LearningControllerTest, EveryLearningFailureLeavesItsReasonWithTheKeyInItsArea)
{
    const struct
    {
        CaptureEnd end;
        const char* reason;
    } endings[] = {{CaptureEnd::TimeLimit, "6秒内没有收到原遥控器的编码"},
                   {CaptureEnd::CaptureRefused, "遥控器没有进入学习状态"},
                   {CaptureEnd::RemoteGone, "遥控器已拔出"},
                   {CaptureEnd::Failed, "与遥控器通讯出错"}};
    start();
    controller->SelectArea(2);
    startLearning();
    for (const auto& c : endings) {
        dialogs.shown.clear();
        const auto before = std::chrono::system_clock::now();
        const int started = capture.started();
        controller->KeyClick(chPlus);
        ASSERT_TRUE(capture.waitForStarts(started + 1));
        capture.finish("", c.end);
        ASSERT_TRUE(ui.drain());
        EXPECT_THAT(dialogs.texts(), ElementsAre("学习失败！"));
        const std::optional<FailedLearn> failed = controller->lastFailure(2, chPlus);
        ASSERT_TRUE(failed.has_value()) << c.reason;
        EXPECT_EQ(failed->reason, c.reason);
        EXPECT_GE(failed->when, before);
        EXPECT_LE(failed->when, std::chrono::system_clock::now());
        EXPECT_FALSE(controller->lastFailure(0, chPlus)) << "another area's key did not fail";
    }

    converterThrows = true;
    learnKey(chPlus);
    EXPECT_EQ(controller->lastFailure(2, chPlus)->reason, "收到的编码无法识别");

    converterThrows = false;
    learnKey(chPlus);
    EXPECT_FALSE(controller->lastFailure(2, chPlus)) << "learned since";
}

TEST_F(LearningControllerTest, ACodeTooLargeForTheCodeDataAreaFailsForThatReason)
{
    converted = slotCode("41FFFF").substr(0, slotCode().find(":::") + 3) +
                std::string(16 * static_cast<std::size_t>(image->layout().bitmapbits + 1), 'A');
    start();
    startLearning();
    learnKey(one);
    EXPECT_THAT(dialogs.texts(), ElementsAre("学习失败！"));
    EXPECT_EQ(controller->lastFailure(0, one)->reason, "遥控器的编码存储区空间不足");
    EXPECT_EQ(stateOf(one, 0), '0');
}

TEST_F(LearningControllerTest, AFailedWriteIsTheReasonWhenLearningAndAloneWhenDeleting)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    startLearning();
    folder().setFaultCount("fail-writes", 1);
    learnKey(two);
    EXPECT_EQ(dialogs.lastText(), "学习失败！");
    EXPECT_EQ(controller->lastFailure(0, two)->reason, "写入遥控器失败");
    controller->beginstudyibtnClick();

    controller->IBtn78Click();
    dialogs.answers = {Reply::Yes};
    folder().setFaultCount("fail-writes", 1);
    controller->KeyClick(one);
    EXPECT_EQ(dialogs.lastText(), "删除操作失败！");
}

TEST_F(LearningControllerTest, TheReceivedBoxCanBeTurnedOffTheLookAndStatusStillSayIt)
{
    state.receivedNotice = false;
    start();
    startLearning();
    learnKey(chPlus);
    EXPECT_THAT(dialogs.shown, IsEmpty());
    EXPECT_EQ(view.keyLook[chPlus], KeyLook::Learned);
    EXPECT_EQ(view.status, "CH+键学习成功！");
    // Failures are still reported.
    learnKey(one, "");
    EXPECT_THAT(texts(), ElementsAre("学习失败！"));
}

TEST_F(LearningControllerTest, EscapeLeavesLearningOrDeletingAndIsIgnoredWhenIdle)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->leaveCurrentMode();
    EXPECT_FALSE(state.studyState);
    EXPECT_FALSE(state.deleteState);
    EXPECT_THAT(dialogs.shown, IsEmpty());

    startLearning();
    controller->KeyClick(chPlus);
    ASSERT_TRUE(capture.waitForStarts(1));
    controller->leaveCurrentMode();
    EXPECT_FALSE(state.studyState);
    EXPECT_FALSE(controller->pendingKey()) << "the waiting key is released as by 停止学习";
    EXPECT_TRUE(view.beginStudyOn);
    ui.drain();

    controller->IBtn78Click();
    controller->leaveCurrentMode();
    EXPECT_FALSE(state.deleteState);
    EXPECT_EQ(view.deleteLook, DeleteButtonLook::Delete);
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(LearningControllerTest, DeletingTheAreasLastLearnedKeyLeavesDeleteMode)
{
    converted = slotCode();
    start();
    startLearning();
    learnKey(one);
    controller->beginstudyibtnClick();
    controller->IBtn78Click();
    dialogs.shown.clear();
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "删除操作成功！"));
    EXPECT_FALSE(state.deleteState);
    EXPECT_EQ(view.deleteButtonsAvailable, false);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::NoKeys);
    EXPECT_FALSE(image->slotTable()[0].inUse()) << "no key names the slot any more";
}

TEST_F(LearningControllerTest, AFailedDeleteKeepsTheKeyAndTheDeleteMode)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->IBtn78Click();
    folder().setFaultCount("fail-writes", 1);
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "删除操作失败！"));
    EXPECT_EQ(stateOf(one, 0), '2');
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned);
    EXPECT_TRUE(state.deleteState);

    dialogs.shown.clear();
    controller->KeyClick(one);
    EXPECT_THAT(texts(), ElementsAre("你确实要删除该自学习按键的编码？", "删除操作成功！"));
}

// ---- Clearing.

TEST_F(LearningControllerTest, ClearingAnAreaWithoutLearnedKeysWritesNothing)
{
    start();
    controller->delallstudykeyClick();
    EXPECT_THAT(texts(), ElementsAre("没有可清空的按键的编码！"));
    EXPECT_EQ(stateOf(power, 0), '1');
}

TEST_F(LearningControllerTest, ClearingAnsweredNoChangesNothing)
{
    learnedBeforeStart(one, 0, directCode());
    start();
    dialogs.answers = {Reply::No};
    controller->delallstudykeyClick();
    EXPECT_THAT(texts(), ElementsAre("你确实要清空所有自学习过的按键的编码吗？"));
    EXPECT_EQ(stateOf(one, 0), '2');
}

TEST_F(LearningControllerTest, ClearingClearsOnlyTheCurrentAreasLearnedKeys)
{
    learnedBeforeStart(one, 2, directCode());
    learnedBeforeStart(two, 2, slotCode());
    learnedBeforeStart(one, 0, directCode());
    start();
    controller->SelectArea(2);
    dialogs.answers = {Reply::Yes};
    controller->delallstudykeyClick();
    EXPECT_THAT(texts(), ElementsAre("你确实要清空所有自学习过的按键的编码吗？", "清空操作完成！"));
    EXPECT_EQ(view.status, "清空操作完成！");
    EXPECT_EQ(stateOf(one, 2), '0');
    EXPECT_EQ(stateOf(two, 2), '0');
    EXPECT_EQ(stateOf(one, 0), '2') << "the TV area is untouched";
    EXPECT_EQ(stateOf(power, 0), '1');
    EXPECT_EQ(view.keyLook[one], KeyLook::NotLearned);
    EXPECT_EQ(view.keyLook[two], KeyLook::NotLearned);
    EXPECT_EQ(view.deleteButtonsAvailable, false);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::NoKeys);
    EXPECT_TRUE(image->slotTable()[0].inUse()) << "cleared keys keep their slots";
}

TEST_F(LearningControllerTest, AClearWhoseWriteFailsSaysSoAndKeepsThatKeyLearned)
{
    learnedBeforeStart(one, 0, directCode());
    learnedBeforeStart(two, 0, directCode());
    start();
    folder().setFaultCount("fail-writes", 1);
    controller->delallstudykeyClick();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "清空操作未全部完成：1个按键的编码未能清空，请重新清空！\n设备：电视/TV")
        << "a message of our own names the area";
    EXPECT_EQ(view.status, test::headline(dialogs.shown[1].text));
    EXPECT_EQ(stateOf(one, 0), '2') << "the first write failed";
    EXPECT_EQ(stateOf(two, 0), '0');
    EXPECT_EQ(view.keyLook[one], KeyLook::Learned);
    EXPECT_EQ(view.keyLook[two], KeyLook::NotLearned);
    EXPECT_EQ(view.deleteButtonsAvailable, true);
    EXPECT_EQ(view.onlyPanel(), InstructionPanel::HasKeys);
}

} // namespace
} // namespace qmv
