// Every message box the main window, its learning rules and the link watcher can show, each
// raised as a user would raise it: the boxes shown must be exactly those of the row, each text
// alone with its caption and buttons.
#include "WorkflowFixture.h"

#include "LinkStateThread.h"

#include <QTemporaryDir>

#include <ostream>

namespace qmv::test {
namespace {

constexpr const char* one = "12";
constexpr const char* two = "13";
constexpr const char* chPlus = "26";
constexpr const char* volPlus = "30";
constexpr const char* power = "10"; // holds a code from elsewhere in TV
constexpr std::size_t directSignal = 2;
constexpr std::chrono::milliseconds watchPeriod{20};

struct Box
{
    std::string caption;
    Buttons buttons;
    std::string text;
    bool plain;
};

Box box(const char* text, Buttons buttons = Buttons::Ok)
{
    return {"提示", buttons, text, false};
}

Box plain(const char* text)
{
    return {"QMV-718", Buttons::Ok, text, true};
}

class QuotedBoxesTest;
using Step = std::function<void(QuotedBoxesTest&)>;

struct BoxCase
{
    const char* situation;
    Step arrange; // not recorded
    Step act;     // records exactly `boxes`
    std::vector<Box> boxes;
};

void PrintTo(const BoxCase& c, std::ostream* out)
{
    *out << c.situation;
}

class QuotedBoxesTest : public WorkflowTest, public ::testing::WithParamInterface<BoxCase>
{
public:
    using WorkflowTest::bundles;
    using WorkflowTest::clickBeginStudy;
    using WorkflowTest::clickClearAll;
    using WorkflowTest::clickDeleteKey;
    using WorkflowTest::clickKey;
    using WorkflowTest::controller;
    using WorkflowTest::dialogs;
    using WorkflowTest::folder;
    using WorkflowTest::learnKey;
    using WorkflowTest::open;
    using WorkflowTest::waitUntil;
    using WorkflowTest::window;

    // Shows the window as main() does, without taking back what showing asked; watched by a link
    // watcher when `watched`.
    void show(bool watched = false, const std::string& converterFolder = binFolder())
    {
        window = std::make_unique<MainWindow>(link(), dialogs);
        window->setProgramFolder(bundles.path());
        session = std::make_unique<LearningSession>(*window, link(), dialogs, reload(), converterFolder);
        if (watched) {
            RemoteLoader loader(link(), dialogs);
            const std::optional<LoadedRemote> remote = loader.load();
            ASSERT_TRUE(remote) << loader.failure();
            watcher = new LinkStateHost(*window, link(), dialogs, remote->remoteid, watchPeriod);
        }
        QSignalSpy settled(window.get(), &MainWindow::noticesShown);
        window->show();
        ASSERT_TRUE(waitUntil([&] { return settled.count() == 1 || !window->isVisible(); }));
    }

    void openWithoutConverter()
    {
        show(false, noConverter.path().toStdString() + "/");
        dialogs.shown.clear();
    }

    void clickUpdate() { click(window->findChild<IBtn*>(QStringLiteral("updateibtn"))); }

    // Learning on, "1" learned in TV.
    void learnOne()
    {
        open();
        clickBeginStudy();
        learnKey(one, directSignal);
    }
    // "1" learned in TV, delete mode on.
    void deletingWithOneLearned()
    {
        learnOne();
        clickBeginStudy();
        clickDeleteKey();
    }

    // The capture under way ends, however long the time limit.
    void waitForCaptureEnd()
    {
        ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
    }

    LinkStateHost* watcher = nullptr;
    QTemporaryDir noConverter;
};

const std::string resolutionText =
    "你目前的显示器分辨率是800*800\r\n为了运行该软件，你的显示器分辨率至少要1024*768";

const BoxCase boxCases[] = {
    // The window.
    {"showing the window without its pictures",
     [](QuotedBoxesTest& t) { t.bundles.without(QStringLiteral("fn1803.dll")); },
     [](QuotedBoxesTest& t) { t.show(); },
     {box("调用图片出错！")}},
    {"showing the window on the test platform's 800*800 screen",
     [](QuotedBoxesTest&) {
         ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 800));
     },
     [](QuotedBoxesTest& t) { t.show(); },
     {box(resolutionText.c_str())}},
    {"closing while learning",
     [](QuotedBoxesTest& t) {
         t.open();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) { t.window->close(); },
     {box("你正在学习，要退出系统请先停止学习！")}},
    {"升级 while learning",
     [](QuotedBoxesTest& t) {
         t.open();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) { t.clickUpdate(); },
     {plain("软件正在学习状态，要升级请退出学习状态！")}},
    {"升级 while deleting",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickUpdate(); },
     {plain("软件正在删除状态，要升级请退出删除状态！")}},

    // The link watcher.
    {"the remote unplugged, then Cancel and OK",
     [](QuotedBoxesTest& t) {
         t.show(true);
         t.dialogs.answers = {Reply::Cancel, Reply::Ok};
     },
     [](QuotedBoxesTest& t) {
         t.folder().setPlugged(false);
         ASSERT_TRUE(QuotedBoxesTest::waitUntil([&t] { return !t.watcher->isWatching(); }));
         t.folder().setPlugged(true);
     },
     {box("未检测到遥控器，请重新连接遥控器！", Buttons::RetryCancel),
      box("您需要关闭自学习软件吗！", Buttons::OkCancel)}},

    // Learning.
    {"a key clicked while idle",
     [](QuotedBoxesTest& t) { t.open(); },
     [](QuotedBoxesTest& t) { t.clickKey(one); },
     {box("请先点击开始学习按钮！")}},
    {"开始学习 while deleting",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickBeginStudy(); },
     {box("现在在删除状态，要学习请先停止删除！")}},
    {"a code received and stored",
     [](QuotedBoxesTest& t) {
         t.open();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) { t.learnKey(one, directSignal); },
     {box("已接收到遥控器编码！")}},
    {"a learned key clicked again, answered No",
     [](QuotedBoxesTest& t) { t.learnOne(); },
     [](QuotedBoxesTest& t) {
         t.dialogs.answers = {Reply::No};
         t.clickKey(one);
     },
     {box("1键编码已学习过，要重新学习吗?", Buttons::YesNo)}},
    {"another key clicked while CH+ waits",
     [](QuotedBoxesTest& t) {
         t.open();
         t.clickBeginStudy();
         t.clickKey(chPlus);
     },
     [](QuotedBoxesTest& t) { t.clickKey(volPlus); },
     {box("CH+按键正在学习，要停止CH+按键,请点击停止学习按钮")}},
    {"the remote unplugged during a capture",
     [](QuotedBoxesTest& t) {
         t.open();
         t.clickBeginStudy();
         t.clickKey(one);
     },
     [](QuotedBoxesTest& t) {
         t.folder().setPlugged(false);
         t.waitForCaptureEnd();
         t.folder().setPlugged(true);
     },
     {plain("学习失败！")}},
    {"a received code the converter makes nothing of",
     [](QuotedBoxesTest& t) {
         t.openWithoutConverter();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) { t.learnKey(one, directSignal); },
     {box("学习失败！"), plain("学习失败！")}},

    // Deleting and clearing.
    {"删除 while learning",
     [](QuotedBoxesTest& t) { t.learnOne(); },
     [](QuotedBoxesTest& t) { t.clickDeleteKey(); },
     {box("现在正在学习状态，要删除请先停止学习！")}},
    {"清空 while learning",
     [](QuotedBoxesTest& t) { t.learnOne(); },
     [](QuotedBoxesTest& t) { t.clickClearAll(); },
     {box("现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！")}},
    {"清空 while deleting",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickClearAll(); },
     {box("现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！")}},
    {"clearing an area without learned keys (the greyed button's rule)",
     [](QuotedBoxesTest& t) { t.open(); },
     [](QuotedBoxesTest& t) { t.controller().delallstudykeyClick(); },
     {box("没有可清空的按键的编码！")}},
    {"清空 answered No",
     [](QuotedBoxesTest& t) {
         t.learnOne();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) {
         t.dialogs.answers = {Reply::No};
         t.clickClearAll();
     },
     {box("你确实要清空所有自学习过的按键的编码吗？", Buttons::YesNo)}},
    {"清空 answered Yes",
     [](QuotedBoxesTest& t) {
         t.learnOne();
         t.clickBeginStudy();
     },
     [](QuotedBoxesTest& t) { t.clickClearAll(); },
     {box("你确实要清空所有自学习过的按键的编码吗？", Buttons::YesNo), box("清空操作完成！")}},
    {"a key without a code clicked in delete mode",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickKey(two); },
     {box("该按键还没有自学习过，无法删除！")}},
    {"a key holding a code from elsewhere clicked in delete mode",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickKey(power); },
     {box("该按键还没有自学习过，无法删除！")}},
    {"deleting answered No",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) {
         t.dialogs.answers = {Reply::No};
         t.clickKey(one);
     },
     {box("你确实要删除该自学习按键的编码？", Buttons::YesNo)}},
    {"deleting answered Yes",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) { t.clickKey(one); },
     {box("你确实要删除该自学习按键的编码？", Buttons::YesNo), box("删除操作成功！")}},
    {"deleting whose write fails",
     [](QuotedBoxesTest& t) { t.deletingWithOneLearned(); },
     [](QuotedBoxesTest& t) {
         t.folder().setFaultCount("fail-writes", 1);
         t.clickKey(one);
     },
     {box("你确实要删除该自学习按键的编码？", Buttons::YesNo), box("删除操作失败！")}},
};

TEST_P(QuotedBoxesTest, ShowsEachQuotedTextAloneWithItsCaptionAndButtons)
{
    const BoxCase& c = GetParam();
    c.arrange(*this);
    ASSERT_FALSE(HasFatalFailure());
    dialogs.shown.clear();
    c.act(*this);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(dialogs.shown.size(), c.boxes.size()) << ::testing::PrintToString(dialogs.texts());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
        const ScriptedDialogs::Shown& shown = dialogs.shown[i];
        EXPECT_EQ(shown.text, c.boxes[i].text) << "box " << i;
        EXPECT_EQ(shown.caption, c.boxes[i].caption) << "box " << i;
        EXPECT_EQ(shown.buttons, c.boxes[i].buttons) << "box " << i;
        EXPECT_EQ(shown.plain, c.boxes[i].plain) << "box " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Window, QuotedBoxesTest, ::testing::ValuesIn(boxCases));

} // namespace
} // namespace qmv::test
