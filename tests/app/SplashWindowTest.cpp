#include "SplashWindow.h"
#include "QtTestApplication.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace qmv {
namespace {

TEST(SplashWindow, IsABorderlessPictureAtItsFixedPlace)
{
    SplashWindow splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("启动界面"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.geometry(), QRect(294, 210, 462, 258));
    const auto* picture = splash.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), splash.rect());
    EXPECT_TRUE(picture->hasScaledContents());
}

} // namespace
} // namespace qmv
