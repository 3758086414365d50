#include "MainWindow.h"
#include "FakeLink.h"
#include "HelpWindow.h"
#include "IBtn.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "KeypadPanel.h"
#include "QtTestApplication.h"
#include "RecordingOpener.h"
#include "RemoteLink.h"
#include "ScriptedDialogs.h"
#include "TestBundles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::BundleFolder;
using ::testing::ElementsAre;
using testing::FakeLink;

QColor colourOf(const QPixmap& picture)
{
    return picture.toImage().pixelColor(0, 0);
}

const QColor notLearnedColour(255, 0, 0);
const QColor learnedColour(0, 255, 0);

void click(IBtn* button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
}

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
        : link(FakeLink::functions())
        , window(link, dialogs)
    {
        folder.withComplete();
        window.setProgramFolder(folder.path());
        window.setOpener(opener);
    }

    // Showing runs its sequence once Qt has finished showing the window, and its notices once
    // the window is drawn.
    void showAndSettle()
    {
        QSignalSpy settled(&window, &MainWindow::noticesShown);
        window.show();
        QCoreApplication::processEvents();
        if (window.isVisible() && !window.state().startFailed) {
            EXPECT_TRUE(QTest::qWaitFor([&settled] { return settled.count() > 0; }, 5000));
        }
    }

    // Shows the window, makes it the active one and puts the focus on `start`.
    void focusOn(QWidget* start)
    {
        showAndSettle();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_NE(start, nullptr);
        start->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), start);
    }

    QString focusName() const
    {
        const QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }

    template <typename Widget = QWidget> Widget* child(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The resolution message this display raises, if any (the test platform's screen is small).
    std::vector<std::string> resolutionMessages() const
    {
        const QSize size = QGuiApplication::primaryScreen()->geometry().size();
        if (size.width() >= 1024)
            return {};
        return {"你目前的显示器分辨率是" + std::to_string(size.width()) + "*" +
                std::to_string(size.height()) + "\r\n为了运行该软件，你的显示器分辨率至少要1024*768"};
    }

    BundleFolder folder;
    test::ScriptedDialogs dialogs;
    testing::RecordingOpener opener;
    RemoteLink link;
    MainWindow window;
};

// ---- The frame and its fixed controls.

TEST_F(MainWindowTest, IsABorderlessWindowWithAFixedFaceItsCaptionAndColour)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("自学习"));
    const QWidget* face = child("face");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->size(), QSize(1016, 745));
    EXPECT_EQ(face->minimumSize(), face->maximumSize());
    EXPECT_EQ(window.maximumSize(), QSize(1016, 745));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0x35, 0x7C, 0xA8));
    EXPECT_TRUE(window.autoFillBackground());
}

TEST_F(MainWindowTest, StandsWhollyOnTheAvailableScreenArea)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry())) << available.width() << "x" << available.height();
    EXPECT_EQ(window.geometry(), MainWindow::placement(QSize(1016, 745), available));
}

TEST(MainWindowPlacement, IsCentredWhereTheFaceFitsAndShrunkOntoSmallerScreens)
{
    const QSize face(1016, 745);
    // A large screen: the whole face, centred.
    const QRect large = MainWindow::placement(face, {0, 0, 1920, 1040});
    EXPECT_EQ(large.size(), face);
    EXPECT_EQ(large.center(), QRect(0, 0, 1920, 1040).center());
    // The small screen that used to put the window at -8,-23: the window takes the screen.
    EXPECT_EQ(MainWindow::placement(face, {0, 0, 1000, 700}), QRect(0, 0, 1000, 700));
    // A panel on top and a second screen on the left: the window keeps to the free area.
    const QRect panelled(-1280, 32, 1024, 736);
    const QRect placed = MainWindow::placement(face, panelled);
    EXPECT_TRUE(panelled.contains(placed));
    EXPECT_EQ(placed.size(), QSize(1016, 736));
}

struct FixedControl
{
    const char* name;
    QRect geometry;
};

TEST_F(MainWindowTest, EveryFixedControlStandsAtItsPlaceWithItsSize)
{
    const FixedControl controls[] = {
        {"Image1", {0, 0, 1016, 729}},           {"ykqbox", {14, 0, 228, 745}},
        {"TV_IBTN", {447, 219, 77, 20}},         {"DVD_IBTN", {550, 219, 79, 20}},
        {"AMP_INTN", {655, 219, 78, 20}},        {"CBL_IBTN", {758, 219, 77, 20}},
        {"runstate_lab", {432, 276, 409, 19}},   {"Lab_stb", {488, 302, 321, 20}},
        {"Imagehint", {439, 341, 409, 72}},      {"donghuaflash2", {437, 338, 413, 72}},
        {"Image4", {440, 413, 408, 165}},        {"Image5", {439, 412, 410, 167}},
        {"Image7", {439, 411, 409, 168}},        {"Image8", {438, 417, 411, 165}},
        {"beginstudyibtn", {408, 623, 161, 50}}, {"delstudykey", {593, 624, 152, 49}},
        {"delallstudykey", {779, 624, 150, 49}}, {"lab_ykqtype", {766, 66, 146, 16}},
        {"lab_softver", {766, 102, 148, 14}},    {"lab_gjbb", {766, 134, 146, 17}},
        {"helpibtn", {692, 6, 95, 28}},          {"updateibtn", {820, 5, 97, 30}},
        {"minimizeibtn", {927, 6, 38, 27}},      {"IBtn79", {969, 6, 38, 27}},
    };
    const QWidget* face = child("face");
    for (const FixedControl& control : controls) {
        const QWidget* widget = child(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), face) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
    }
}

TEST_F(MainWindowTest, ControlsThatAreButtonsArePictureButtonsThatOpenNothing)
{
    for (const char* name : {"TV_IBTN", "CBL_IBTN", "DVD_IBTN", "AMP_INTN", "beginstudyibtn", "delstudykey",
                             "delallstudykey", "helpibtn", "updateibtn", "minimizeibtn", "IBtn79"}) {
        const IBtn* button = child<IBtn>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->path().isEmpty()) << name;
        EXPECT_FALSE(button->opensPath()) << name;
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor) << name;
    }
    EXPECT_EQ(child<IBtn>("helpibtn")->toolTip(), QStringLiteral("帮助"));
    EXPECT_EQ(child<IBtn>("updateibtn")->toolTip(), QStringLiteral("升级软件"));
    EXPECT_EQ(child<IBtn>("minimizeibtn")->toolTip(), QStringLiteral("最小化"));
    EXPECT_EQ(child<IBtn>("IBtn79")->toolTip(), QStringLiteral("关闭软件"));
}

TEST_F(MainWindowTest, TheAreaTabsStandEvenlySpacedOnOneLine)
{
    std::vector<QRect> tabs;
    for (int area : {0, 2, 3, 1})
        tabs.push_back(window.areaTab(area)->geometry());
    for (std::size_t i = 1; i < tabs.size(); ++i) {
        EXPECT_EQ(tabs[i].top(), tabs[0].top());
        const int gap = tabs[i].left() - tabs[i - 1].right() - 1;
        EXPECT_GE(gap, 24) << i;
        EXPECT_LE(gap, 26) << i;
    }
}

TEST_F(MainWindowTest, TheMinimiseButtonMinimises)
{
    showAndSettle();
    click(child<IBtn>("minimizeibtn"));
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(MainWindowTest, DraggingTheTitleAreaMovesTheWindow)
{
    showAndSettle();
    QWidget* face = child("face");
    const QPoint before = window.pos();
    QTest::mousePress(face, Qt::LeftButton, {}, QPoint(300, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(340, 50), face->mapToGlobal(QPointF(340, 50)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &move);
    QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(340, 50));
    EXPECT_EQ(window.pos(), before + QPoint(40, 30));

    // Below the title area the face is not a handle.
    const QPoint after = window.pos();
    QTest::mousePress(face, Qt::LeftButton, {}, QPoint(300, 60));
    QMouseEvent below(QEvent::MouseMove, QPointF(340, 90), face->mapToGlobal(QPointF(340, 90)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &below);
    QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(340, 90));
    EXPECT_EQ(window.pos(), after);
}

TEST_F(MainWindowTest, StatusLineIsRedCentredSixteenPixelChineseText)
{
    const QLabel* status = child<QLabel>("runstate_lab");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->alignment(), Qt::AlignCenter);
    EXPECT_EQ(status->font().pixelSize(), 16);
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(status->autoFillBackground());
    const QString family = QFontInfo(status->font()).family();
    EXPECT_TRUE(family == QStringLiteral("新宋体") || family == QStringLiteral("NSimSun") ||
                family == QStringLiteral("WenQuanYi Zen Hei"))
        << family.toStdString();
}

TEST_F(MainWindowTest, KeypadHoldsTheFiftyTwoKeysWithCodesLabelsAndPlaces)
{
    const QWidget* keypadPanel = child("ykqbox");
    ASSERT_NE(keypadPanel, nullptr);
    ASSERT_EQ(window.keyButtons().size(), keypad.size());
    for (std::size_t i = 0; i < keypad.size(); ++i) {
        const KeyDefinition& key = keypad[i];
        const QString component =
            QString::fromUtf8(key.component.data(), static_cast<qsizetype>(key.component.size()));
        const IBtn* button = keypadPanel->findChild<IBtn*>(component);
        ASSERT_NE(button, nullptr) << key.component;
        EXPECT_EQ(window.keyButtons()[i], button) << key.component;
        EXPECT_EQ(button->code().toStdString(), key.code);
        EXPECT_EQ(button->path().toStdString(), key.label);
        EXPECT_FALSE(button->opensPath()) << key.component;
        const KeyRect rect = keyRect(key.code).value();
        EXPECT_EQ(button->geometry(), QRect(rect.x, rect.y, rect.width, rect.height)) << key.component;
        EXPECT_EQ(window.keyButton(key.code), button);
    }
}

TEST_F(MainWindowTest, PowerKeysAreTheAreasOwnKeys)
{
    EXPECT_EQ(window.powerKey(0)->objectName(), QStringLiteral("IBtn1"));
    EXPECT_EQ(window.powerKey(1)->objectName(), QStringLiteral("IBtn32"));
    EXPECT_EQ(window.powerKey(2)->objectName(), QStringLiteral("IBtn4"));
    EXPECT_EQ(window.powerKey(3)->objectName(), QStringLiteral("IBtn30"));
    EXPECT_EQ(window.areaTab(2)->objectName(), QStringLiteral("DVD_IBTN"));
    EXPECT_EQ(window.areaTab(3)->objectName(), QStringLiteral("AMP_INTN"));
}

TEST_F(MainWindowTest, ClicksAreReportedForTheController)
{
    showAndSettle();
    QSignalSpy areas(&window, &MainWindow::areaClicked);
    QSignalSpy keys(&window, &MainWindow::keyClicked);
    QSignalSpy begin(&window, &MainWindow::beginStudyClicked);
    QSignalSpy deleteOne(&window, &MainWindow::deleteKeyClicked);
    QSignalSpy clearAll(&window, &MainWindow::clearAllClicked);

    click(child<IBtn>("CBL_IBTN"));
    click(child<IBtn>("IBtn4"));
    click(child<IBtn>("IBtn22"));
    click(child<IBtn>("beginstudyibtn"));
    window.setDeleteButtonsAvailable(true);
    click(child<IBtn>("delstudykey"));
    click(child<IBtn>("delallstudykey"));

    ASSERT_EQ(areas.count(), 2);
    EXPECT_EQ(areas[0][0].toInt(), 1);
    EXPECT_EQ(areas[1][0].toInt(), 2);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys[0][0].value<IBtn*>(), window.keyButton("26"));
    EXPECT_EQ(begin.count(), 1);
    EXPECT_EQ(deleteOne.count(), 1);
    EXPECT_EQ(clearAll.count(), 1);
}

// ---- Showing.

TEST_F(MainWindowTest, ShowingGivesTheIdleStartLookInTheTvArea)
{
    QSignalSpy started(&window, &MainWindow::showStarted);
    QSignalSpy finished(&window, &MainWindow::showFinished);
    showAndSettle();

    ASSERT_NE(window.pictures(), nullptr);
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(dialogs.texts(), resolutionMessages());
    EXPECT_EQ(window.statusText(), QStringLiteral("您现在是在 电视/TV 里进行自学习！"));
    EXPECT_EQ(window.state().curArea, 0);
    EXPECT_FALSE(window.state().deleteState);

    for (int area = 0; area < areaCount; ++area) {
        EXPECT_EQ(window.areaTab(area)->isEnable(), area != 0) << area;
        EXPECT_EQ(window.powerKey(area)->isEnable(), area != 0) << area;
    }
    for (IBtn* key : window.keyButtons()) {
        if (key->isEnable()) {
            EXPECT_EQ(colourOf(key->picture()), notLearnedColour) << key->objectName().toStdString();
        }
    }
    // The TV power key was given its picture before it was switched off.
    EXPECT_EQ(colourOf(window.powerKey(0)->savedPic()), notLearnedColour);

    EXPECT_TRUE(window.isPanelVisible(InstructionPanel::NoKeys));
    EXPECT_FALSE(window.isPanelVisible(InstructionPanel::HasKeys));
    EXPECT_FALSE(window.isPanelVisible(InstructionPanel::Learning));
    EXPECT_FALSE(window.isPanelVisible(InstructionPanel::Deleting));
    EXPECT_FALSE(window.deleteKeyButton()->isEnabled());
    EXPECT_FALSE(window.clearAllButton()->isEnabled());
    EXPECT_FALSE(window.deleteKeyButton()->picture().isNull());
    EXPECT_EQ(child<QLabel>("lab_softver")->text(), QStringLiteral("V 2.3"));
    EXPECT_TRUE(child("Lab_stb")->isHidden());
    EXPECT_TRUE(child("donghuaflash2")->isHidden());
    EXPECT_FALSE(child("Imagehint")->isHidden());
    EXPECT_FALSE(child<QLabel>("Imagehint")->pixmap().isNull());
}

TEST_F(MainWindowTest, ShowingAgainRunsTheSequenceAgainWithoutReloadingPictures)
{
    IBtn* tv = window.areaTab(0);
    QPixmap normal(4, 4);
    normal.fill(Qt::blue);
    QPixmap current(4, 4);
    current.fill(Qt::green);
    tv->setPicture(normal);
    tv->setDisablePic(current);
    QSignalSpy started(&window, &MainWindow::showStarted);

    showAndSettle();
    const WindowPictures* first = window.pictures();
    window.hide();
    showAndSettle();

    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(window.pictures(), first);
    // The tab was already off, so it was not switched off again, which would have lost its picture.
    EXPECT_EQ(colourOf(tv->picture()), QColor(Qt::green));
    EXPECT_EQ(colourOf(tv->savedPic()), QColor(Qt::blue));
}

TEST_F(MainWindowTest, FailedStartClosesOnShowWithoutLoadingOrAsking)
{
    QSignalSpy started(&window, &MainWindow::showStarted);
    window.state().startFailed = true;
    showAndSettle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.pictures(), nullptr);
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

class MainWindowMissingPictures : public MainWindowTest
{
};

TEST_F(MainWindowMissingPictures, MissingBundleSaysSoAndCloses)
{
    folder.without(QStringLiteral("fn1803.dll"));
    QSignalSpy finished(&window, &MainWindow::showFinished);
    showAndSettle();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "调用图片出错！");
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_FALSE(dialogs.shown[0].plain);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().startFailed);
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(MainWindowMissingPictures, MissingKeyPictureSaysSoAndCloses)
{
    folder.replacedBy(QStringLiteral("short"), QStringLiteral("dn1803.dll"));
    showAndSettle();
    EXPECT_THAT(dialogs.texts(), ElementsAre("调用图片出错！"));
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindowResolution, WarnsOnlyWhenTheScreenIsNarrowerThan1024)
{
    EXPECT_EQ(MainWindow::resolutionWarning({1024, 600}), std::nullopt);
    EXPECT_EQ(MainWindow::resolutionWarning({1280, 1024}), std::nullopt);
    EXPECT_EQ(
        MainWindow::resolutionWarning({800, 600}),
        QStringLiteral("你目前的显示器分辨率是800*600\r\n为了运行该软件，你的显示器分辨率至少要1024*768"));
    EXPECT_EQ(
        MainWindow::resolutionWarning({1023, 768}),
        QStringLiteral("你目前的显示器分辨率是1023*768\r\n为了运行该软件，你的显示器分辨率至少要1024*768"));
}

// ---- What the controller changes.

TEST_F(MainWindowTest, KeysShowThePictureOfTheSetTheyAreGiven)
{
    showAndSettle();
    IBtn* key = window.keyButton("26");
    window.showKeyPicture(*key, KeyLook::Learned);
    EXPECT_EQ(colourOf(key->picture()), learnedColour);
    window.showKeyPicture(*key, KeyLook::Elsewhere);
    EXPECT_EQ(colourOf(key->picture()), QColor(255, 255, 0));
}

TEST_F(MainWindowTest, SwitchingAButtonWritesIsEnableOnlyOnAChange)
{
    showAndSettle();
    IBtn* tab = window.areaTab(1);
    const QPixmap normal = tab->picture();
    MainWindow::switchButton(*tab, false);
    MainWindow::switchButton(*tab, false);
    MainWindow::switchButton(*tab, true);
    MainWindow::switchButton(*tab, true);
    EXPECT_TRUE(tab->isEnable());
    EXPECT_EQ(tab->picture().cacheKey(), normal.cacheKey());
}

TEST_F(MainWindowTest, StatusHintAndPanelsFollowTheController)
{
    showAndSettle();
    window.setStatusText(QStringLiteral("请在左面遥控器上点击待学习的按键！"));
    EXPECT_EQ(child<QLabel>("runstate_lab")->text(), QStringLiteral("请在左面遥控器上点击待学习的按键！"));
    window.setPanelVisible(InstructionPanel::Learning, true);
    EXPECT_FALSE(child("Image5")->isHidden());
    window.setHintVisible(false);
    EXPECT_TRUE(child("Imagehint")->isHidden());
    window.setDeleteButtonsAvailable(true);
    EXPECT_TRUE(window.deleteKeyButton()->isEnabled());
    EXPECT_TRUE(window.clearAllButton()->isEnabled());
}

TEST_F(MainWindowTest, LearningAnimationPlaysInItsHiddenPlayer)
{
    showAndSettle();
    window.setLearningAnimationPlaying(true);
    EXPECT_FALSE(child("donghuaflash2")->isHidden());
    EXPECT_TRUE(window.isLearningAnimationPlaying());
    window.setLearningAnimationPlaying(false);
    EXPECT_TRUE(child("donghuaflash2")->isHidden());
    EXPECT_FALSE(window.isLearningAnimationPlaying());
}

TEST_F(MainWindowTest, KeypadCanBeTakenAwayAndGivenBack)
{
    showAndSettle();
    window.setDeleteButtonsAvailable(true);
    window.setKeypadAvailable(false);
    EXPECT_TRUE(child("ykqbox")->isHidden());
    EXPECT_FALSE(window.beginStudyButton()->isEnabled());
    EXPECT_FALSE(window.deleteKeyButton()->isEnabled());
    EXPECT_FALSE(window.clearAllButton()->isEnabled());
    window.setKeypadAvailable(true);
    EXPECT_FALSE(child("ykqbox")->isHidden());
    EXPECT_TRUE(window.beginStudyButton()->isEnabled());
}

// ---- Closing.

TEST_F(MainWindowTest, ClosingWhileLearningWithTheRemoteAttachedIsRefused)
{
    showAndSettle();
    dialogs.shown.clear();
    QSignalSpy closingStarted(&window, &MainWindow::closingStarted);
    window.state().studyState = true;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.state().closing);
    EXPECT_EQ(closingStarted.count(), 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "你正在学习，要退出系统请先停止学习！");
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_NE(window.pictures(), nullptr);
}

TEST_F(MainWindowTest, ClosingWhileLearningWithTheRemoteUnpluggedIsAllowed)
{
    showAndSettle();
    dialogs.shown.clear();
    QSignalSpy closingStarted(&window, &MainWindow::closingStarted);
    window.state().studyState = true;
    FakeLink::attached = false;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().closing);
    EXPECT_EQ(closingStarted.count(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, ClosingReleasesThePicturesAndTheAnimationFile)
{
    showAndSettle();
    window.setLearningAnimationPlaying(true);
    const QString animation = window.pictures()->animationFile();
    ASSERT_TRUE(QFileInfo::exists(animation));
    click(child<IBtn>("IBtn79"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().closing);
    EXPECT_EQ(window.pictures(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(animation));
    EXPECT_FALSE(window.isLearningAnimationPlaying());
}

TEST_F(MainWindowTest, TheReceivedBoxIsTurnedOffAndOnByItsCheckBox)
{
    QSignalSpy changed(&window, &MainWindow::receivedNoticeChanged);
    auto* box = child<QCheckBox>("receivednotice");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window.state().receivedNotice);
    box->click();
    EXPECT_FALSE(window.state().receivedNotice);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_FALSE(changed.at(0).at(0).toBool());
    window.setReceivedNotice(true);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window.state().receivedNotice);
}

// ---- The keyboard.

TEST_F(MainWindowTest, TabGoesOverTheAreasTheKeysRowByRowAndTheButtons)
{
    focusOn(window.areaTab(0));
    QStringList visited{focusName()};
    for (int step = 0; step < 70; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focusName() == visited.first())
            break;
        visited << focusName();
    }
    // Delete and clear are greyed at the start and are passed over.
    const QStringList buttons{"beginstudyibtn", "receivednotice", "helpibtn",
                              "updateibtn",     "minimizeibtn",   "IBtn79"};
    ASSERT_EQ(visited.size(), 4 + 52 + buttons.size()) << visited.join(' ').toStdString();
    EXPECT_EQ(visited.mid(0, 4), (QStringList{"TV_IBTN", "DVD_IBTN", "AMP_INTN", "CBL_IBTN"}));
    EXPECT_EQ(visited.mid(4 + 52), buttons);
    // The keys row by row: each key stands below the one before or on its row further right.
    for (int i = 5; i < 4 + 52; ++i) {
        const QRect previous = window.findChild<IBtn*>(visited[i - 1])->geometry();
        const QRect current = window.findChild<IBtn*>(visited[i])->geometry();
        EXPECT_TRUE(current.center().y() > previous.bottom() || current.left() > previous.left())
            << visited[i - 1].toStdString() << " -> " << visited[i].toStdString();
    }
    // Every key once.
    QStringList keys = visited.mid(4, 52);
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 52);
}

TEST_F(MainWindowTest, SpaceAndEnterActivateTheFocusedKeyOrButton)
{
    QSignalSpy keys(&window, &MainWindow::keyClicked);
    QSignalSpy areas(&window, &MainWindow::areaClicked);
    QSignalSpy begin(&window, &MainWindow::beginStudyClicked);
    focusOn(window.keyButton("26"));
    QTest::keyClick(window.keyButton("26"), Qt::Key_Space);
    QTest::keyClick(window.keyButton("26"), Qt::Key_Return);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys.at(0).at(0).value<IBtn*>(), window.keyButton("26"));

    window.areaTab(2)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.areaTab(2), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(areas.count(), 1);
    EXPECT_EQ(areas.at(0).at(0).toInt(), 2);

    window.beginStudyButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.beginStudyButton(), Qt::Key_Space);
    EXPECT_EQ(begin.count(), 1);
    // Other keys and Space with a modifier click nothing.
    QTest::keyClick(window.beginStudyButton(), Qt::Key_A);
    QTest::keyClick(window.beginStudyButton(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(begin.count(), 1);
}

TEST_F(MainWindowTest, TheArrowKeysMoveOverTheKeypadAsTheKeysLie)
{
    focusOn(window.keyButton("12")); // 1
    const struct
    {
        Qt::Key arrow;
        const char* lands;
    } steps[] = {{Qt::Key_Right, "13"}, {Qt::Key_Right, "14"}, {Qt::Key_Down, "17"}, {Qt::Key_Left, "16"},
                 {Qt::Key_Down, "21"},  {Qt::Key_Up, "16"},    {Qt::Key_Up, "13"}};
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.arrow);
        EXPECT_EQ(QApplication::focusWidget(), window.keyButton(step.lands)) << step.lands;
    }
}

TEST(KeypadArrows, LeadToTheNearestKeyThatWayAndNowhereAtTheEdge)
{
    const QRect from(100, 100, 20, 20);
    const std::vector<QRect> keys{
        {140, 100, 20, 20}, {180, 100, 20, 20}, {100, 140, 20, 20}, {140, 135, 20, 20}, {60, 220, 20, 20}};
    EXPECT_EQ(arrowNeighbour(from, keys, Qt::Key_Right), 0);
    EXPECT_EQ(arrowNeighbour(from, keys, Qt::Key_Down), 2);
    EXPECT_EQ(arrowNeighbour(from, keys, Qt::Key_Up), -1);
    EXPECT_EQ(arrowNeighbour(from, keys, Qt::Key_Left),
              -1); // the key below left lies far more down than left
    EXPECT_EQ(arrowNeighbour(from, keys, Qt::Key_Tab), -1);
}

TEST_F(MainWindowTest, EscapeAsksToLeaveTheModeAndCtrlQClosesUnderTheCloseRules)
{
    QSignalSpy escape(&window, &MainWindow::escapePressed);
    focusOn(window.keyButton("26"));
    QTest::keyClick(window.keyButton("26"), Qt::Key_Escape);
    EXPECT_EQ(escape.count(), 1);

    dialogs.shown.clear();
    window.state().studyState = true;
    QTest::keyClick(window.keyButton("26"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(dialogs.texts(), ElementsAre("你正在学习，要退出系统请先停止学习！"));

    window.state().studyState = false;
    QTest::keyClick(window.keyButton("26"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().closing);
}

TEST_F(MainWindowTest, TheFocusedKeyOrButtonCarriesAVisibleMark)
{
    IBtn* key = window.keyButton("26");
    focusOn(window.areaTab(0));
    const QImage plain = key->grab().toImage();
    key->setFocus(Qt::TabFocusReason);
    const QImage marked = key->grab().toImage();
    ASSERT_EQ(plain.size(), marked.size());
    EXPECT_NE(plain, marked);
    // The mark runs along the edge; the middle of the picture stays as it was.
    const QPoint middle(plain.width() / 2, plain.height() / 2);
    EXPECT_EQ(plain.pixel(middle), marked.pixel(middle));
    EXPECT_NE(plain.pixel(2, plain.height() / 2), marked.pixel(2, plain.height() / 2));
    window.beginStudyButton()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(key->grab().toImage(), plain);
}

// ---- Help and update.

TEST_F(MainWindowTest, HelpButtonAndF1OpenTheHelpInsideTheProgram)
{
    // No compiled help file and no viewer: the help opens all the same.
    showAndSettle();
    dialogs.shown.clear();
    EXPECT_EQ(window.helpWindow(), nullptr);
    click(child<IBtn>("helpibtn"));
    HelpWindow* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->hasPages());
    EXPECT_EQ(help->currentPage(), QStringLiteral("index.html"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(opener.requests.isEmpty());

    help->close();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(window.helpWindow(), help) << "one help window, shown again";
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, TheHelpWindowOffersTheCompiledHelpFileOfTheProgramFolder)
{
    folder.withFile(QStringLiteral("studyhelp.chm"));
    showAndSettle();
    click(child<IBtn>("helpibtn"));
#if defined(_WIN32) // Windows has a viewer for the compiled help: the button opens it at once
    EXPECT_EQ(window.helpWindow(), nullptr);
#else
    ASSERT_NE(window.helpWindow(), nullptr);
    auto* openFile = window.helpWindow()->findChild<QPushButton*>(QStringLiteral("openhelpfile"));
    ASSERT_NE(openFile, nullptr);
    EXPECT_FALSE(openFile->isHidden());
    openFile->click();
#endif
    EXPECT_EQ(opener.requests,
              QStringList{QStringLiteral("open ") + folder.path() + QStringLiteral("studyhelp.chm")});
}

TEST_F(MainWindowTest, UpdateIsRefusedWhileLearningOrDeleting)
{
    showAndSettle();
    dialogs.shown.clear();
    QSignalSpy requested(&window, &MainWindow::updateRequested);
    window.state().studyState = true;
    click(child<IBtn>("updateibtn"));
    window.state().studyState = false;
    window.state().deleteState = true;
    click(child<IBtn>("updateibtn"));
    EXPECT_EQ(requested.count(), 0);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "软件正在学习状态，要升级请退出学习状态！");
    EXPECT_TRUE(dialogs.shown[0].plain);
    EXPECT_EQ(dialogs.shown[1].text, "软件正在删除状态，要升级请退出删除状态！");
    EXPECT_TRUE(dialogs.shown[1].plain);

    window.state().deleteState = false;
    click(child<IBtn>("updateibtn"));
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

} // namespace
} // namespace qmv
