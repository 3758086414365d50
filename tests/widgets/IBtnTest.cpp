#include "IBtn.h"
#include "QtTestApplication.h"
#include "RecordingOpener.h"

#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <vector>

#include <gtest/gtest.h>

namespace qmv {
namespace {

QPixmap filled(QColor colour, QSize size = {10, 10})
{
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

QColor colourAt(const QPixmap& picture, int x, int y)
{
    return picture.toImage().pixelColor(x, y);
}

TEST(IBtnConstruction, StartsWithTheDocumentedDefaults)
{
    IBtn button;
    EXPECT_EQ(button.size(), QSize(80, 25));
    EXPECT_EQ(button.moveDown(), 1);
    EXPECT_EQ(button.moveRight(), 1);
    EXPECT_TRUE(button.isEnable());
    EXPECT_TRUE(button.path().isEmpty());
    EXPECT_TRUE(button.code().isEmpty());
    EXPECT_TRUE(button.picture().isNull());
    EXPECT_TRUE(button.disablePic().isNull());
    EXPECT_TRUE(button.savedPic().isNull());
    EXPECT_FALSE(button.opensPath());
}

// A button at 31, 84 on a parent, with a recording opener so that no press reaches the desktop.
class IBtnMouse : public ::testing::Test
{
protected:
    IBtnMouse()
    {
        parent.resize(600, 600);
        button = new IBtn(&parent);
        button->move(31, 84);
        button->setPathOpener(opener);
    }

    // Presses at `local` and releases at the same screen point: the mouse does not move, the
    // button does.
    void clickWithoutMoving(Qt::MouseButton mouseButton, QPoint local)
    {
        const QPoint global = button->mapToGlobal(local);
        QTest::mousePress(button, mouseButton, {}, local);
        QTest::mouseRelease(button, mouseButton, {}, button->mapFromGlobal(global));
    }

    QWidget parent;
    IBtn* button;
    testing::RecordingOpener opener;
};

TEST_F(IBtnMouse, PressMovesByMoveRightAndMoveDownAndReleaseMovesBack)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(32, 85));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

TEST_F(IBtnMouse, ZeroMoveDownMovesOnlySideways)
{
    button->setMoveDown(0);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(32, 84));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

TEST_F(IBtnMouse, MoveDownIsUnsigned)
{
    button->setMoveDown(200);
    EXPECT_EQ(button->moveDown(), 200);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(32, 284));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

// Through the window system, as a real double click arrives. A click is reported while the
// button is still pressed, so each click sees the pressed position.
TEST_F(IBtnMouse, DoubleClickMovesOncePerPressAndEndsAtRest)
{
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    std::vector<QPoint> positionsAtClick;
    QObject::connect(button, &IBtn::clicked, [&] { positionsAtClick.push_back(button->pos()); });

    QTest::mouseDClick(parent.windowHandle(), Qt::LeftButton, {}, button->mapTo(&parent, QPoint(40, 12)));

    EXPECT_EQ(positionsAtClick, (std::vector<QPoint>{QPoint(32, 85), QPoint(32, 85)}));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

TEST_F(IBtnMouse, LeftReleaseOverTheMovedButtonClicksOnce)
{
    QSignalSpy clicks(button, &IBtn::clicked);
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 12));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

TEST_F(IBtnMouse, ReleaseOutsideTheButtonDoesNotClick)
{
    QSignalSpy clicks(button, &IBtn::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

TEST_F(IBtnMouse, PressOnTopRowOrLeftColumnDoesNotClick)
{
    QSignalSpy clicks(button, &IBtn::clicked);
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 0));
    clickWithoutMoving(Qt::LeftButton, QPoint(0, 12));
    EXPECT_EQ(clicks.count(), 0);
    // The second row and column lie inside the moved button and do click.
    clickWithoutMoving(Qt::LeftButton, QPoint(1, 1));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(IBtnMouse, ClickHandlerMayDeleteTheButton)
{
    QObject::connect(button, &IBtn::clicked, button, [this] { delete button; });
    const QPoint global = button->mapToGlobal(QPoint(40, 12));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->mapFromGlobal(global));
    EXPECT_TRUE(parent.findChildren<IBtn*>().isEmpty());
}

TEST_F(IBtnMouse, RightButtonMovesButDoesNotClick)
{
    QSignalSpy clicks(button, &IBtn::clicked);
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(32, 85));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(39, 11));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(IBtnMouse, KeyButtonNeverHandsItsLabelToTheDesktop)
{
    button->setPath(QStringLiteral("1"));
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 12));
    clickWithoutMoving(Qt::RightButton, QPoint(40, 12));
    EXPECT_TRUE(opener.requests.isEmpty());
}

TEST_F(IBtnMouse, MarkedButtonOpensItsPathOnEveryPress)
{
    button->setOpensPath(true);
    button->setPath(QStringLiteral("POWER/TV"));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(opener.requests, QStringList{QStringLiteral("open POWER/TV")});
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(39, 11));
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(40, 12));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(39, 11));
    EXPECT_EQ(opener.requests.size(), 2);
}

TEST_F(IBtnMouse, MarkedButtonWithEmptyPathOpensNothing)
{
    button->setOpensPath(true);
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 12));
    EXPECT_TRUE(opener.requests.isEmpty());
}

TEST_F(IBtnMouse, LowerCaseExeMakesItsFolderCurrentBeforeOpening)
{
    button->setOpensPath(true);
    button->setPath(QStringLiteral("C:\\tools\\run.exe"));
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 12));
    EXPECT_EQ(opener.requests,
              (QStringList{QStringLiteral("cd C:\\tools\\"), QStringLiteral("open C:\\tools\\run.exe")}));
}

TEST_F(IBtnMouse, UpperCaseExeChangesNoFolder)
{
    button->setOpensPath(true);
    button->setPath(QStringLiteral("C:\\tools\\RUN.EXE"));
    clickWithoutMoving(Qt::LeftButton, QPoint(40, 12));
    EXPECT_EQ(opener.requests, QStringList{QStringLiteral("open C:\\tools\\RUN.EXE")});
}

TEST_F(IBtnMouse, FailedFolderChangeSkipsTheOpenButNotTheMovement)
{
    button->setOpensPath(true);
    button->setPath(QStringLiteral("/missing/run.exe"));
    opener.directoryChangeSucceeds = false;
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(32, 85));
    EXPECT_EQ(opener.requests, QStringList{QStringLiteral("cd /missing/")});
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(39, 11));
    EXPECT_EQ(button->pos(), QPoint(31, 84));
}

class IBtnPictures : public ::testing::Test
{
protected:
    IBtnPictures()
    {
        button.setPicture(normal);
        button.setDisablePic(disabled);
    }

    QPixmap normal = filled(Qt::red);
    QPixmap disabled = filled(Qt::blue);
    IBtn button;
};

TEST_F(IBtnPictures, SwitchingOffShowsDisablePicAndKeepsTheNormalPicture)
{
    button.setIsEnable(false);
    EXPECT_FALSE(button.isEnable());
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::blue));
    EXPECT_EQ(colourAt(button.savedPic(), 0, 0), QColor(Qt::red));
    button.setIsEnable(true);
    EXPECT_TRUE(button.isEnable());
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::red));
}

TEST_F(IBtnPictures, AlternationAlwaysBringsBackTheNormalPicture)
{
    for (int round = 0; round < 3; ++round) {
        button.setIsEnable(false);
        button.setIsEnable(true);
    }
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::red));
}

TEST_F(IBtnPictures, SwitchingOnAButtonThatWasNeverOffShowsTheEmptySavedPicture)
{
    button.setIsEnable(true);
    EXPECT_TRUE(button.picture().isNull());
}

TEST_F(IBtnPictures, SwitchingOffTwiceLosesTheNormalPicture)
{
    button.setIsEnable(false);
    button.setIsEnable(false);
    button.setIsEnable(true);
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::blue));
}

TEST_F(IBtnPictures, EmptyDisablePicShowsNothingUntilSwitchedOnAgain)
{
    button.setDisablePic(QPixmap());
    button.setIsEnable(false);
    EXPECT_TRUE(button.picture().isNull());
    button.setIsEnable(true);
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::red));
}

TEST_F(IBtnPictures, DisablePicIsACopyOfTheCallersPicture)
{
    disabled.fill(Qt::green);
    EXPECT_EQ(colourAt(button.disablePic(), 0, 0), QColor(Qt::blue));
    button.setIsEnable(false);
    EXPECT_EQ(colourAt(button.picture(), 0, 0), QColor(Qt::blue));
}

TEST(IBtnPainting, DrawsThePictureUnscaledAtItsTopLeftAndNothingWhenEmpty)
{
    QWidget parent;
    parent.resize(200, 100);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::white);
    parent.setPalette(palette);
    IBtn button(&parent);
    button.move(20, 30);
    button.setPicture(filled(Qt::red));

    QPixmap shot = parent.grab();
    EXPECT_EQ(colourAt(shot, 25, 35), QColor(Qt::red));
    EXPECT_EQ(colourAt(shot, 40, 35), QColor(Qt::white)); // inside the button, past the picture

    button.setIsEnable(false); // empty DisablePic
    shot = parent.grab();
    EXPECT_EQ(colourAt(shot, 25, 35), QColor(Qt::white));
}

} // namespace
} // namespace qmv
