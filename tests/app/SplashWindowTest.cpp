#include "SplashWindow.h"
#include "QtTestApplication.h"

#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

namespace qmv {
namespace {

TEST(SplashWindow, IsABorderlessPictureCentredOnTheScreen)
{
    SplashWindow splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("启动界面"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.size(), QSize(462, 258));
    ASSERT_NE(splash.screen(), nullptr);
    EXPECT_EQ(splash.geometry().center(), splash.screen()->availableGeometry().center());
    const auto* picture = splash.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), splash.rect());
    EXPECT_TRUE(picture->hasScaledContents());
}

} // namespace
} // namespace qmv
