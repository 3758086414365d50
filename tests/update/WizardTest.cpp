#include "Dialogs.h"
#include "ProgramFolder.h"
#include "TestHttpServer.h"
#include "TestLibraries.h"
#include "Tupdate.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::converterLibrary;
using testing::libraryBytes;
using testing::linkLibrary;
using testing::listedTime;
using testing::ProgramFolder;
using testing::TestHttpServer;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Prompt
{
    QString kind;
    QString text;
};

// Notes every message: "plain" for the plain message window, "hint" for a box captioned 提示.
class RecordingDialogs : public Dialogs
{
public:
    explicit RecordingDialogs(std::shared_ptr<QList<Prompt>> log)
        : m_log(std::move(log))
    {
    }
    Reply messageBox(const std::string& text, const std::string& caption, Buttons) override
    {
        m_log->append({caption == hintCaption ? "hint" : QString::fromStdString(caption),
                       QString::fromStdString(text)});
        return Reply::Ok;
    }
    void plainMessage(const std::string& text) override
    {
        m_log->append({"plain", QString::fromStdString(text)});
    }

private:
    std::shared_ptr<QList<Prompt>> m_log;
};

class WizardTest : public ::testing::Test
{
protected:
    WizardTest() { pointTo(server.base().toString(), {}); }

    void pointTo(const QString& url, const QString& site) const
    {
        QString settings = QStringLiteral("[update]\nurl=%1\nstall_timeout_ms=500\n").arg(url);
        if (!site.isEmpty())
            settings += QStringLiteral("site=%1\n").arg(site);
        folder.put(UpdateSettings::fileName, settings.toUtf8());
    }

    void serveList(const QString& libraryLines)
    {
        const QString list = u("[server]\n主服务器=") + server.url("/a/") + u("\n备用服务器=") +
                             server.url("/b/") + u("\n[pt36]\n") + libraryLines;
        server.serve(UpdateSettings::listPath, list.toUtf8());
    }

    void open()
    {
        wizard = std::make_unique<Tupdate>(folder.path(), nullptr, &dialogs);
        wizard->show();
    }

    template <typename T> T* control(const char* name) const
    {
        T* found = wizard->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString page() const { return control<QStackedWidget>("Notebook1")->currentWidget()->objectName(); }
    QString connectionText() const { return control<QLabel>("labnetlink")->text(); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = control<QTableWidget>("StringGrid1")->item(row, column);
        return item ? item->text() : QString();
    }

    bool probed()
    {
        return QTest::qWaitFor([this] { return control<QPushButton>("Button5")->isEnabled(); }, 30000);
    }

    void click(const char* name) const { control<QPushButton>(name)->click(); }

    // Opens the wizard, waits for the connection check, fetches the list and shows the server page.
    void openOnServerPage()
    {
        open();
        ASSERT_TRUE(probed());
        click("Button5");
        ASSERT_TRUE(QTest::qWaitFor([this] { return page() == "Default"; }, 30000));
    }

    // Opens the wizard and starts fetching a list that never comes.
    void fetchHangingList()
    {
        server.serve(UpdateSettings::listPath, TestHttpServer::hanging());
        open();
        ASSERT_TRUE(probed());
        click("Button5");
    }

    void openOnLibraryPage()
    {
        openOnServerPage();
        click("Button6");
        ASSERT_EQ(page(), "next_page");
    }

    bool runDone()
    {
        return QTest::qWaitFor([this] { return control<QPushButton>("Button2")->text() == u("完成"); },
                               60000);
    }

    // Installs version 1 of both libraries, older than the list, and lists version 2 of each.
    void offerNewerLibraries()
    {
        folder.put("velquon.dll", converterLibrary(1), listedTime().addDays(-1));
        folder.put("tavrio.dll", linkLibrary(1), listedTime().addDays(-1));
        serveList(QStringLiteral("1=velquon|2026/12/8|%1\n2=tavrio|2026/12/8|%2\n")
                      .arg(converterLibrary(2).size())
                      .arg(linkLibrary(2).size()));
    }

    // Offers both libraries, the converter served slowly, and starts the run: true once the
    // converter's transfer is under way, so it can be broken off half-done.
    bool startSlowConverterTransfer()
    {
        offerNewerLibraries();
        server.serve("/a/velquon.dll", TestHttpServer::Resource{converterLibrary(2), 200, 1000, 20});
        server.serve("/a/tavrio.dll", linkLibrary(2));
        openOnLibraryPage();
        click("Button2");
        return QTest::qWaitFor([this] { return control<QProgressBar>("ProgressBar1")->value() > 0; }, 30000);
    }

    TestHttpServer server;
    ProgramFolder folder;
    std::shared_ptr<QList<Prompt>> prompts = std::make_shared<QList<Prompt>>();
    RecordingDialogs dialogs{prompts};
    std::unique_ptr<Tupdate> wizard; // last: it reports through `dialogs` until it is gone
};

TEST_F(WizardTest, IsBuiltAsTheUpdateWindow)
{
    open();
    EXPECT_EQ(wizard->windowTitle(), u("升级"));
    EXPECT_EQ(wizard->size(), QSize(569, 337));
    EXPECT_EQ(wizard->apppath(), QDir(folder.path()).absolutePath() + '/');
    EXPECT_EQ(control<QPushButton>("Button6")->text(), u("下一步"));
    EXPECT_EQ(control<QPushButton>("Button3")->text(), u("中断"));
    EXPECT_EQ(control<QLabel>("Label1")->text(), u("选择服务器"));
    EXPECT_EQ(control<QLabel>("Label3")->text(), u("升级进度"));
    EXPECT_EQ(control<QTableWidget>("StringGrid1")->rowCount(), 2);
    EXPECT_EQ(control<QTableWidget>("StringGrid1")->columnWidth(0), 188);
}

TEST_F(WizardTest, AReachableSiteKeepsTheConnectingStateForTheHoldThenReportsSuccess)
{
    QSignalSpy asked(&server, &TestHttpServer::requestReceived);
    open();
    EXPECT_EQ(page(), "linkstate");
    EXPECT_EQ(connectionText(), u("正在连接服务器！"));
    EXPECT_FALSE(control<QPushButton>("Button5")->isEnabled());
    EXPECT_TRUE(control<QWidget>("ShockwaveFlash1")->isVisible());
    EXPECT_FALSE(control<QLabel>("Image2")->isVisible());
    EXPECT_FALSE(control<QLabel>("Image3")->isVisible());

    ASSERT_TRUE(asked.wait(30000));
    QTest::qWait(1000);
    EXPECT_EQ(connectionText(), u("正在连接服务器！")) << "the server has answered, the hold is not over";

    ASSERT_TRUE(probed());
    EXPECT_EQ(connectionText(), u("连接服务器成功！"));
    EXPECT_TRUE(control<QLabel>("Image2")->isVisible());
    EXPECT_FALSE(control<QLabel>("Image3")->isVisible());
    EXPECT_FALSE(control<QWidget>("ShockwaveFlash1")->isVisible());
}

TEST_F(WizardTest, AnUnreachableSiteIsReportedButTheListCanStillBeFetched)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString site = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    pointTo(server.base().toString(), site);
    serveList({});
    open();
    ASSERT_TRUE(probed());
    EXPECT_EQ(connectionText(), u("连接服务器失败！"));
    EXPECT_TRUE(control<QLabel>("Image3")->isVisible());
    EXPECT_FALSE(control<QLabel>("Image2")->isVisible());

    click("Button5");
    EXPECT_TRUE(QTest::qWaitFor([this] { return page() == "Default"; }, 30000));
}

TEST_F(WizardTest, AFailedFetchStaysOnTheConnectionPageAndTheNextFetchShowsTheServers)
{
    open();
    ASSERT_TRUE(probed());
    click("Button5");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts->isEmpty(); }, 30000));
    EXPECT_EQ(prompts->first().kind, "plain");
    EXPECT_TRUE(prompts->first().text.startsWith(u("获得升级配置文件出错！\n服务器上没有此文件")))
        << prompts->first().text.toStdString();
    EXPECT_EQ(page(), "linkstate");
    EXPECT_FALSE(control<QPushButton>("Button6")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Button5")->isEnabled());

    serveList({});
    click("Button5");
    ASSERT_TRUE(QTest::qWaitFor([this] { return page() == "Default"; }, 30000));
    EXPECT_TRUE(control<QPushButton>("Button6")->isEnabled());
    const QListWidget* servers = control<QListWidget>("ListBox1");
    ASSERT_EQ(servers->count(), 2);
    EXPECT_EQ(servers->item(0)->text(), u("主服务器"));
    EXPECT_EQ(servers->item(1)->text(), u("备用服务器"));
}

TEST_F(WizardTest, WithoutAChoiceTheFirstServerIsTaken)
{
    serveList({});
    openOnServerPage();
    click("Button6");
    EXPECT_EQ(wizard->serverurl(), server.url("/a/"));
}

TEST_F(WizardTest, AClickedServerIsTaken)
{
    serveList({});
    openOnServerPage();
    QListWidget* servers = control<QListWidget>("ListBox1");
    QTest::mouseClick(servers->viewport(), Qt::LeftButton, {},
                      servers->visualItemRect(servers->item(1)).center());
    click("Button6");
    EXPECT_EQ(wizard->serverurl(), server.url("/b/"));
}

TEST_F(WizardTest, ListsTheOlderInstalledLibrariesBelowTheHeader)
{
    folder.put("sample.dll", "x", listedTime().addSecs(-60));
    folder.put("current.dll", "x", listedTime());
    folder.put("second.dll", "x", listedTime().addDays(-3));
    serveList("1=sample|2026/12/8 10:00:00|40960\n2=current|2026/12/8 10:00:00|1\n"
              "3=absent|not a date|1\n4=second|2026/12/8|77\n");
    openOnLibraryPage();
    EXPECT_EQ(cell(0, 0), u("软件名称"));
    EXPECT_EQ(cell(0, 1), u("状态"));
    // The header row does not look or act like a library's row.
    const QTableWidget* grid = control<QTableWidget>("StringGrid1");
    EXPECT_TRUE(grid->item(0, 0)->font().bold());
    EXPECT_FALSE(grid->item(1, 0)->font().bold());
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsSelectable);
    EXPECT_NE(grid->item(0, 0)->background(), grid->item(1, 0)->background());
    EXPECT_EQ(cell(1, 0), "sample");
    EXPECT_EQ(cell(1, 1), u("未升级"));
    EXPECT_EQ(cell(2, 0), "second");
    EXPECT_EQ(control<QTableWidget>("StringGrid1")->rowCount(), 4);
    ASSERT_EQ(wizard->updatelist().size(), 2);
    EXPECT_EQ(wizard->updatelist()[0].name + '|' + wizard->updatelist()[0].sizeText, "sample|40960");
    EXPECT_TRUE(control<QPushButton>("Button2")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Button3")->isEnabled());
}

TEST_F(WizardTest, NothingOlderLeavesOnlyTheHeaderAndNoUpdateButton)
{
    folder.put("sample.dll", "x", listedTime().addMSecs(500));
    serveList("1=sample|2026/12/8 10:00:00|40960\n");
    openOnLibraryPage();
    EXPECT_EQ(control<QTableWidget>("StringGrid1")->rowCount(), 2);
    EXPECT_TRUE(cell(1, 0).isEmpty());
    EXPECT_FALSE(control<QPushButton>("Button2")->isEnabled());
}

TEST_F(WizardTest, UpdatesWithProgressWritesTheOutcomesAndAsksForARestart)
{
    offerNewerLibraries();
    const QByteArray converter = converterLibrary(2);
    server.serve("/a/velquon.dll", TestHttpServer::Resource{converter, 200, 16384, 5});
    server.serve("/a/tavrio.dll", linkLibrary(2).chopped(1));
    openOnLibraryPage();

    int highestProgress = 0;
    QProgressBar* bar = control<QProgressBar>("ProgressBar1");
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&](int value) { highestProgress = std::max(highestProgress, value); });
    click("Button2");
    EXPECT_TRUE(control<QPushButton>("Button3")->isEnabled());
    ASSERT_TRUE(runDone());

    EXPECT_EQ(cell(1, 1), u("升级成功"));
    EXPECT_EQ(cell(2, 1), u("升级失败：文件大小不符"));
    EXPECT_TRUE(control<QTableWidget>("StringGrid1")->item(2, 1)->toolTip().contains("tavrio.dll.rejected"));
    EXPECT_EQ(folder.read("velquon.dll"), converter);
    EXPECT_EQ(folder.read("update/backup/velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
    EXPECT_GE(highestProgress, 16384);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(control<QPushButton>("Button2")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Button3")->isEnabled());
    ASSERT_EQ(prompts->size(), 1);
    EXPECT_EQ(prompts->first().kind, "hint");
    EXPECT_EQ(prompts->first().text, u("需要重新启动程序，升级才能完成！"));
}

TEST_F(WizardTest, EveryFailedRowNamesItsReason)
{
    offerNewerLibraries();
    // velquon is missing on the server; tavrio comes as random bytes of the right size.
    server.serve("/a/tavrio.dll", libraryBytes(static_cast<int>(linkLibrary(2).size()), 7));
    openOnLibraryPage();
    click("Button2");
    ASSERT_TRUE(runDone());
    EXPECT_EQ(cell(1, 1), u("升级失败：服务器上没有此文件"));
    EXPECT_EQ(cell(2, 1), u("升级失败：文件内容不对"));
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
    EXPECT_FALSE(folder.exists("update/backup/tavrio.dll"));
    EXPECT_TRUE(prompts->isEmpty()) << "nothing was installed, so no restart is asked for";
}

TEST_F(WizardTest, BreakingOffTheFirstOfTwoTransfersFailsOnlyIt)
{
    ASSERT_TRUE(startSlowConverterTransfer());
    click("Button3");
    ASSERT_TRUE(runDone());
    EXPECT_EQ(cell(1, 1), u("升级失败：已中断"));
    EXPECT_EQ(cell(2, 1), u("升级成功"));
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(2));
}

TEST_F(WizardTest, ALibraryOfUnknownSizeLeavesTheBarWithoutMaximum)
{
    folder.put("velquon.dll", converterLibrary(1), listedTime().addDays(-1));
    const QByteArray converter = converterLibrary(2);
    TestHttpServer::Resource unsized{converter, 200, 16384, 10};
    unsized.announceLength = false;
    server.serve("/a/velquon.dll", unsized);
    serveList(QStringLiteral("1=velquon|2026/12/8|%1\n").arg(converter.size()));
    openOnLibraryPage();
    QProgressBar* bar = control<QProgressBar>("ProgressBar1");
    QList<int> maxima;
    QObject::connect(bar, &QProgressBar::valueChanged, [&] { maxima << bar->maximum(); });
    click("Button2");
    ASSERT_TRUE(runDone());
    EXPECT_EQ(cell(1, 1), u("升级成功"));
    ASSERT_FALSE(maxima.isEmpty());
    EXPECT_TRUE(std::all_of(maxima.begin(), maxima.end(), [](int maximum) { return maximum == 0; }));
}

TEST_F(WizardTest, QuittingDuringARunBreaksItOffAndAsksForNoRestartWhenNothingWasInstalled)
{
    ASSERT_TRUE(startSlowConverterTransfer());
    click("Button4");
    EXPECT_FALSE(wizard->isVisible());
    QTest::qWait(200);
    EXPECT_EQ(server.requestCount("/a/tavrio.dll"), 0) << "no library is fetched after the wizard closed";
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_TRUE(prompts->isEmpty());
}

TEST_F(WizardTest, QuittingWhileTheListHangsEndsTheFetchWithoutAMessage)
{
    fetchHangingList();
    click("Button7");
    EXPECT_FALSE(wizard->isVisible());
    QTest::qWait(800); // past the stall time-out, which must not fire on a closed wizard
    EXPECT_TRUE(prompts->isEmpty());
}

TEST_F(WizardTest, AStalledListIsReportedWithItsReason)
{
    fetchHangingList();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts->isEmpty(); }, 30000));
    EXPECT_TRUE(prompts->first().text.startsWith(u("获得升级配置文件出错！\n超时")))
        << prompts->first().text.toStdString();
    EXPECT_TRUE(control<QPushButton>("Button5")->isEnabled());
}

TEST_F(WizardTest, AFolderItCannotWriteIsReportedAtOnceAndTheWizardCloses)
{
    folder.put("update", "a file where the update folder should be");
    open();
    ASSERT_EQ(prompts->size(), 1);
    EXPECT_EQ(prompts->first().kind, "hint");
    EXPECT_TRUE(prompts->first().text.contains(folder.file("update"))) << prompts->first().text.toStdString();
    EXPECT_TRUE(prompts->first().text.contains(u("软件包管理器")));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !wizard->isVisible(); }, 5000));
    EXPECT_TRUE(server.requests().isEmpty()) << "nothing is asked of the network";
}

TEST_F(WizardTest, TheRollbackButtonPutsBackTheLastGoodCopies)
{
    serveList({});
    open();
    EXPECT_FALSE(control<QPushButton>("Button9")->isEnabled()) << "nothing to put back yet";
    wizard.reset();

    folder.put("velquon.dll", "");
    folder.put("update/backup/velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(2));
    folder.put("update/backup/tavrio.dll", "");
    open();
    EXPECT_EQ(control<QPushButton>("Button9")->text(), u("恢复上一版本"));
    ASSERT_TRUE(control<QPushButton>("Button9")->isEnabled());
    click("Button9");
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(2)) << "a bad backup is not put back";
    ASSERT_EQ(prompts->size(), 1);
    EXPECT_EQ(prompts->first().kind, "hint");
    EXPECT_TRUE(prompts->first().text.contains(u("velquon 已恢复为上一版本。")));
    EXPECT_TRUE(prompts->first().text.contains(u("tavrio 恢复失败：文件内容不对")));
    EXPECT_TRUE(prompts->first().text.contains(u("需要重新启动程序，升级才能完成！")));
}

TEST_F(WizardTest, RefusedNamesReadFailedAndNothingIsWrittenOutsideTheFolder)
{
    folder.put("velquon.dll", converterLibrary(1), listedTime().addDays(-1));
    const QByteArray converter = converterLibrary(2);
    server.serve("/a/velquon.dll", converter);
    serveList(QStringLiteral("1=../escape|2026/12/8|3\n2=velquon|2026/12/8|%1\n3=|2026/12/8|3\n")
                  .arg(converter.size()));
    openOnLibraryPage();
    EXPECT_EQ(cell(1, 1), u("升级失败：文件名不允许"));
    EXPECT_EQ(cell(2, 1), u("未升级"));
    EXPECT_EQ(cell(3, 1), u("升级失败：文件名不允许"));
    click("Button2");
    ASSERT_TRUE(runDone());
    EXPECT_EQ(cell(1, 1), u("升级失败：文件名不允许"));
    EXPECT_EQ(cell(2, 1), u("升级成功"));
    EXPECT_TRUE(folder.outside().isEmpty()) << folder.outside().join(' ').toStdString();
    EXPECT_EQ(server.requestCount("/escape.dll"), 0);
}

TEST_F(WizardTest, AFaultyListIsReportedAndTheServerPageStaysUsable)
{
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    serveList("1=sample|yesterday|3\n");
    openOnServerPage();
    click("Button6");
    ASSERT_EQ(prompts->size(), 1);
    EXPECT_EQ(prompts->first().kind, "hint");
    EXPECT_TRUE(prompts->first().text.contains("yesterday"));
    EXPECT_EQ(page(), "Default");
    EXPECT_TRUE(control<QPushButton>("Button6")->isEnabled());
    EXPECT_TRUE(wizard->updatelist().isEmpty());
    EXPECT_EQ(server.requestCount("/a/sample.dll"), 0);

    click("Button8");
    EXPECT_FALSE(wizard->isVisible());
}

TEST_F(WizardTest, AnEmptyServerSectionIsReportedInsteadOfTakingAServer)
{
    server.serve(UpdateSettings::listPath, "[server]\n[pt36]\n1=sample|2026/12/8|3\n");
    openOnServerPage();
    EXPECT_EQ(control<QListWidget>("ListBox1")->count(), 0);
    click("Button6");
    ASSERT_EQ(prompts->size(), 1);
    EXPECT_EQ(prompts->first().text, u("升级配置文件中没有服务器！"));
    EXPECT_EQ(page(), "Default");
}

TEST_F(WizardTest, EveryQuitButtonClosesTheWizard)
{
    for (const char* quit : {"Button7", "Button8", "Button4"}) {
        open();
        EXPECT_EQ(control<QPushButton>(quit)->text(), u("退出"));
        click(quit);
        EXPECT_FALSE(wizard->isVisible()) << quit;
        EXPECT_EQ(wizard->result(), QDialog::Rejected);
    }
}

// The wizard's own boxes are the tool's: Chinese buttons, never an English "OK".
TEST(WizardMessageBoxes, TheFetchErrorIsAPlainMessageTitledWithTheApplication)
{
    TestHttpServer server;
    ProgramFolder folder;
    folder.put(UpdateSettings::fileName,
               QStringLiteral("[update]\nurl=%1\n").arg(server.base().toString()).toUtf8());
    Tupdate wizard(folder.path(), nullptr);
    wizard.show();
    QPushButton* fetch = wizard.findChild<QPushButton*>("Button5");
    ASSERT_TRUE(QTest::qWaitFor([fetch] { return fetch->isEnabled(); }, 30000));

    QString title;
    QString text;
    QStringList buttons;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            box->buttons().first()->click();
        }
    });
    answer.start(20);
    fetch->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !text.isEmpty(); }, 30000));
    EXPECT_EQ(title, "QMV-718");
    EXPECT_TRUE(text.startsWith(u("获得升级配置文件出错！"))) << text.toStdString();
    EXPECT_EQ(buttons, QStringList{u("确定")});
}

} // namespace
} // namespace qmv
