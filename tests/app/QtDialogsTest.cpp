#include "QtDialogs.h"
#include "QtTestApplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace qmv {
namespace {

struct SeenBox
{
    QString text;
    QString caption;
    QStringList buttons;
    QString defaultButton;
};

// Waits for the modal box to appear, notes what it shows and presses the button labelled
// `press` (or closes it with Escape when `press` is empty).
SeenBox answerNextBox(const QString& press, const std::function<void()>& showBox)
{
    SeenBox seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        seen.text = box->text();
        seen.caption = box->windowTitle();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == press)
                button->click();
        }
        if (press.isEmpty())
            box->reject();
    });
    poll.start();
    showBox();
    return seen;
}

TEST(QtDialogs, MessageBoxShowsTextCaptionAndChineseButtons)
{
    QtDialogs dialogs;
    Reply reply = Reply::Cancel;
    const SeenBox seen = answerNextBox(
        QStringLiteral("确定"), [&] { reply = dialogs.messageBox("调用图片出错！", "提示", Buttons::Ok); });
    EXPECT_EQ(seen.text, QStringLiteral("调用图片出错！"));
    EXPECT_EQ(seen.caption, QStringLiteral("提示"));
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("确定")});
    EXPECT_EQ(reply, Reply::Ok);
}

TEST(QtDialogs, EachButtonSetAnswersWithThePressedButton)
{
    QtDialogs dialogs;
    struct Case
    {
        Buttons buttons;
        const char* press;
        Reply expected;
    };
    const Case cases[] = {
        {Buttons::YesNo, "是", Reply::Yes},           {Buttons::YesNo, "否", Reply::No},
        {Buttons::RetryCancel, "重试", Reply::Retry}, {Buttons::RetryCancel, "取消", Reply::Cancel},
        {Buttons::OkCancel, "确定", Reply::Ok},       {Buttons::OkCancel, "取消", Reply::Cancel},
    };
    for (const Case& c : cases) {
        Reply reply = Reply::Ok;
        const SeenBox seen = answerNextBox(QString::fromUtf8(c.press),
                                           [&] { reply = dialogs.messageBox("问题", "提示", c.buttons); });
        EXPECT_EQ(seen.buttons.size(), 2) << c.press;
        EXPECT_EQ(reply, c.expected) << c.press;
    }
}

TEST(QtDialogs, QuestionsThatChangeSomethingDefaultToTheSafeAnswer)
{
    QtDialogs dialogs;
    const struct
    {
        Buttons buttons;
        const char* expectedDefault;
    } cases[] = {{Buttons::YesNo, "否"},
                 {Buttons::OkCancel, "取消"},
                 {Buttons::RetryCancel, "重试"},
                 {Buttons::Ok, "确定"}};
    for (const auto& c : cases) {
        const SeenBox seen = answerNextBox(
            QString(), [&] { dialogs.messageBox("你确实要删除该自学习按键的编码？", "提示", c.buttons); });
        EXPECT_EQ(seen.defaultButton, QString::fromUtf8(c.expectedDefault));
    }
}

TEST(QtDialogs, EnterOnADeleteQuestionDoesNotDelete)
{
    QtDialogs dialogs;
    Reply reply = Reply::Yes;
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    reply = dialogs.messageBox("你确实要删除该自学习按键的编码？", "提示", Buttons::YesNo);
    EXPECT_EQ(reply, Reply::No);
}

// A failure reported while the reconnect question is up must stand on it, not under it.
TEST(QtDialogs, ABoxOpenedWhileAnotherIsUpStandsOnIt)
{
    QWidget window;
    QtDialogs dialogs(&window);
    QWidget* outerBox = nullptr;
    QWidget* outerParent = nullptr;
    QWidget* innerParent = nullptr;
    QTimer::singleShot(20, [&] {
        outerBox = QApplication::activeModalWidget();
        outerParent = outerBox ? outerBox->parentWidget() : nullptr;
        QTimer::singleShot(20, [&] {
            QWidget* inner = QApplication::activeModalWidget();
            innerParent = inner ? inner->parentWidget() : nullptr;
            if (inner)
                QTest::keyClick(inner, Qt::Key_Escape);
            QTimer::singleShot(20, [&] {
                if (QWidget* outer = QApplication::activeModalWidget())
                    QTest::keyClick(outer, Qt::Key_Escape);
            });
        });
        dialogs.messageBox("学习失败！", "提示", Buttons::Ok);
    });
    dialogs.messageBox("未检测到遥控器，请重新连接遥控器！", "提示", Buttons::RetryCancel);
    ASSERT_NE(outerBox, nullptr);
    EXPECT_EQ(outerParent, &window);
    EXPECT_EQ(innerParent, outerBox);
}

TEST(QtDialogs, TheHookRunsBeforeEveryBox)
{
    QtDialogs dialogs;
    int calls = 0;
    bool boxUpDuringHook = true;
    dialogs.setBeforeBox([&] {
        ++calls;
        boxUpDuringHook = QApplication::activeModalWidget() != nullptr;
    });
    answerNextBox(QString(), [&] { dialogs.plainMessage("学习失败！"); });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(boxUpDuringHook);
}

TEST(QtDialogs, EscapeRefuses)
{
    QtDialogs dialogs;
    Reply reply = Reply::Yes;
    answerNextBox(QString(), [&] { reply = dialogs.messageBox("问题", "提示", Buttons::YesNo); });
    EXPECT_EQ(reply, Reply::No);
}

TEST(QtDialogs, PlainMessageIsCaptionedWithTheApplicationTitle)
{
    QtDialogs dialogs;
    const SeenBox seen = answerNextBox(
        QStringLiteral("确定"), [&] { dialogs.plainMessage("软件正在学习状态，要升级请退出学习状态！"); });
    EXPECT_EQ(seen.caption, QStringLiteral("QMV-718"));
    EXPECT_EQ(seen.text, QStringLiteral("软件正在学习状态，要升级请退出学习状态！"));
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("确定")});
}

} // namespace
} // namespace qmv
