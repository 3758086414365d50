#include "Tupdate.h"

#include "ConnectingAnimation.h"
#include "ContentCheck.h"
#include "FolderAccess.h"
#include "HttpClient.h"
#include "LibraryRollback.h"
#include "ListDateTime.h"
#include "QtDialogs.h"
#include "UpdateListFetch.h"
#include "UpdateRun.h"
#include "UpdateTexts.h"
#include "testnet.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <limits>

namespace qmv {

namespace {

enum Page { DefaultPage = 0, NextPage = 1, LinkStatePage = 2 };

QString text(const char* utf8)
{
    return QString::fromStdString(updatetext::shown(utf8));
}

template <typename Widget> Widget* place(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* result = place<QPushButton>(parent, name, geometry);
    result->setText(text(caption));
    return result;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* result = place<QLabel>(parent, name, geometry);
    result->setText(text(caption));
    return result;
}

QLabel* picture(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QRect& geometry)
{
    auto* result = place<QLabel>(parent, name, geometry);
    const int side = std::min(geometry.width(), geometry.height());
    result->setPixmap(parent->style()->standardIcon(icon).pixmap(side, side));
    result->setAlignment(Qt::AlignCenter);
    return result;
}

// The grid's first row names its columns: bold on the header colour, and never selected like a
// library's row.
QTableWidgetItem* headerCell(const QString& caption)
{
    auto* cell = new QTableWidgetItem(caption);
    QFont bold = cell->font();
    bold.setBold(true);
    cell->setFont(bold);
    cell->setBackground(QApplication::palette().brush(QPalette::Button));
    cell->setFlags(Qt::ItemIsEnabled);
    return cell;
}

int clamped(qint64 value)
{
    return static_cast<int>(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

} // namespace

Tupdate::Tupdate(const QString& folder, QWidget* parent, Dialogs* dialogs)
    : QDialog(parent)
    , m_apppath(QDir(folder).absolutePath() + QLatin1Char('/'))
    , m_settings(UpdateSettings::load(folder))
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this))
    , m_dialogs(dialogs ? *dialogs : *m_ownDialogs)
    , m_client(new HttpClient(this))
    , m_check(new ContentCheck(this))
    , m_fetch(new UpdateListFetch(folder, *m_client, this))
    , m_run(new UpdateRun(folder, *m_client, *m_check, this))
{
    m_client->setLimits(m_settings.limits);
    buildWindow();
    connectTransfers();
}

Tupdate::~Tupdate() = default;

void Tupdate::buildWindow()
{
    setObjectName(QStringLiteral("update"));
    setWindowTitle(text(updatetext::windowCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(569, 337);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(185, 211, 227));
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = picture(this, "Image1", QStyle::SP_BrowserReload, QRect(24, 8, 128, 280));
    Notebook1 = place<QStackedWidget>(this, "Notebook1", QRect(176, 0, 377, 297));
    Notebook1->addWidget(buildServerPage());
    Notebook1->addWidget(buildLibraryPage());
    Notebook1->addWidget(buildConnectionPage());
}

QWidget* Tupdate::buildServerPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Default"));
    label(page, "Label1", updatetext::chooseServer, QRect(16, 8, 70, 13));
    ListBox1 = place<QListWidget>(page, "ListBox1", QRect(16, 24, 321, 169));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Button6 = button(page, "Button6", updatetext::next, QRect(96, 208, 75, 25));
    Button8 = button(page, "Button8", updatetext::quit, QRect(224, 208, 75, 25));
    connect(ListBox1, &QListWidget::itemClicked, this, &Tupdate::ListBox1Click);
    connect(Button6, &QPushButton::clicked, this, &Tupdate::Button6Click);
    connect(Button8, &QPushButton::clicked, this, &Tupdate::reject);
    return page;
}

QWidget* Tupdate::buildLibraryPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("next_page"));
    StringGrid1 = place<QTableWidget>(page, "StringGrid1", QRect(16, 24, 345, 153));
    StringGrid1->setColumnCount(2);
    StringGrid1->setRowCount(2);
    StringGrid1->setColumnWidth(0, 188);
    StringGrid1->setColumnWidth(1, 128);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    label(page, "Label3", updatetext::progress, QRect(32, 184, 56, 13));
    ProgressBar1 = place<QProgressBar>(page, "ProgressBar1", QRect(16, 208, 345, 17));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Button2 = button(page, "Button2", updatetext::update, QRect(32, 248, 75, 25));
    Button3 = button(page, "Button3", updatetext::breakOff, QRect(136, 248, 75, 25));
    Button4 = button(page, "Button4", updatetext::quit, QRect(240, 248, 75, 25));
    connect(Button2, &QPushButton::clicked, this, &Tupdate::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tupdate::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &Tupdate::reject);
    return page;
}

QWidget* Tupdate::buildConnectionPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("linkstate"));
    ShockwaveFlash1 = place<ConnectingAnimation>(page, "ShockwaveFlash1", QRect(40, 32, 305, 97));
    Image2 = picture(page, "Image2", QStyle::SP_DialogApplyButton, QRect(88, 48, 281, 89));
    Image3 = picture(page, "Image3", QStyle::SP_MessageBoxCritical, QRect(72, 40, 281, 97));
    labnetlink = label(page, "labnetlink", "", QRect(40, 136, 297, 13));
    Button5 = button(page, "Button5", updatetext::next, QRect(88, 200, 75, 25));
    Button7 = button(page, "Button7", updatetext::quit, QRect(224, 200, 75, 25));
    connect(Button5, &QPushButton::clicked, this, &Tupdate::Button5Click);
    connect(Button7, &QPushButton::clicked, this, &Tupdate::reject);
    Button9 = button(page, "Button9", updatetext::rollback, QRect(88, 240, 211, 25));
    connect(Button9, &QPushButton::clicked, this, &Tupdate::Button9Click);
    return page;
}

void Tupdate::connectTransfers()
{
    connect(m_client, &HttpClient::transferBegun, this, &Tupdate::IdHTTP1WorkBegin);
    connect(m_client, &HttpClient::transferProgress, this, &Tupdate::IdHTTP1Work);
    connect(m_client, &HttpClient::transferEnded, this, &Tupdate::IdHTTP1WorkEnd);
    connect(m_fetch, &UpdateListFetch::finished, this, &Tupdate::fetchFinished);
    connect(m_run, &UpdateRun::libraryFinished, this, &Tupdate::libraryFinished);
    connect(m_run, &UpdateRun::finished, this, &Tupdate::runFinished);
}

void Tupdate::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void Tupdate::done(int result)
{
    // Leaving breaks off whatever is under way; what is installed by then needs the restart all
    // the same.
    m_fetch->cancel();
    if (m_run->running()) {
        m_run->cancel();
        if (m_run->installed())
            hint(text(updatetext::restartNeeded));
    }
    QDialog::done(result);
}

void Tupdate::FormShow()
{
    updateRollbackButton();
    // Said before anything is fetched, not after a download has nowhere to go.
    if (const Failure access = checkFolderWritable(m_apppath); access.failed()) {
        Button5->setEnabled(false);
        Button9->setEnabled(false);
        labnetlink->setText(describe(access));
        hint(folderNotWritableMessage(access));
        QMetaObject::invokeMethod(this, &Tupdate::reject, Qt::QueuedConnection);
        return;
    }
    ShockwaveFlash1->show();
    ShockwaveFlash1->play();
    Image3->hide();
    Image2->hide();
    labnetlink->setText(text(updatetext::connecting));
    Button5->setEnabled(false);
    m_netthread = std::make_unique<testnet>(m_settings.siteRoot, m_settings.probeTimeout);
    connect(m_netthread.get(), &QThread::finished, this, &Tupdate::netthreadTerminate);
    m_netthread->start();
    Notebook1->setCurrentIndex(LinkStatePage);
}

void Tupdate::netthreadTerminate()
{
    ShockwaveFlash1->hide();
    Button5->setEnabled(true);
    if (m_netthread->netlinkok()) {
        ShockwaveFlash1->stopPlay();
        labnetlink->setText(text(updatetext::connected));
        Image2->show();
    } else {
        ShockwaveFlash1->stopPlay();
        ShockwaveFlash1->stop();
        labnetlink->setText(text(updatetext::connectFailed));
        Image3->show();
    }
}

void Tupdate::Button5Click()
{
    Button5->setEnabled(false);
    m_fetch->start(m_settings.listUrl());
}

void Tupdate::fetchFinished(const Failure& failure)
{
    if (failure.failed()) {
        Button6->setEnabled(false);
        Button5->setEnabled(true);
        if (failure.reason != UpdateFailure::Cancelled)
            m_dialogs.plainMessage((text(updatetext::fetchFailed) + u'\n' + describe(failure)).toStdString());
        return;
    }
    m_updateini = m_fetch->list();
    Button6->setEnabled(true);
    ListBox1->clear();
    for (const ServerEntry& server : m_updateini->servers())
        ListBox1->addItem(server.name);
    Notebook1->setCurrentIndex(DefaultPage);
}

void Tupdate::ListBox1Click()
{
    if (QListWidgetItem* item = ListBox1->currentItem()) {
        m_chosenServer = item->text();
        m_serverchosen = true;
    }
}

void Tupdate::Button6Click()
{
    StringGrid1->setRowCount(2);
    StringGrid1->clearContents();
    StringGrid1->setItem(0, 0, headerCell(text(updatetext::columnName)));
    StringGrid1->setItem(0, 1, headerCell(text(updatetext::columnState)));
    if (!m_serverchosen) {
        if (ListBox1->count() == 0) {
            hint(text(updatetext::noServer));
            return;
        }
        m_chosenServer = ListBox1->item(0)->text();
    }
    m_serverurl = m_updateini->serverUrl(m_chosenServer);

    const PendingListResult pending = findPendingLibraries(*m_updateini, m_apppath, listDateLocale());
    if (!pending.error.isEmpty()) {
        hint(pending.error);
        return;
    }
    m_updatelist = pending.libraries;
    for (const PendingLibrary& library : m_updatelist) {
        const int row = StringGrid1->rowCount() - 1;
        StringGrid1->setRowCount(row + 2);
        StringGrid1->setItem(row, 0, new QTableWidgetItem(library.name));
        if (library.refused)
            setState(row, text(updatetext::withDetail)
                              .arg(text(updatetext::stateFailed), reasonText(UpdateFailure::RefusedName)));
        else
            setState(row, text(updatetext::statePending));
    }
    Button2->setEnabled(pending.hasDownloads());
    Button3->setEnabled(false);
    Notebook1->setCurrentIndex(NextPage);
}

void Tupdate::Button2Click()
{
    // One run per wizard: a second press while it runs would only start the same downloads again.
    Button2->setEnabled(false);
    Button3->setEnabled(true);
    m_run->start(m_serverurl, m_updatelist);
}

void Tupdate::Button3Click()
{
    m_run->breakOff();
}

void Tupdate::Button9Click()
{
    const LibraryRollback rollback(m_apppath, *m_check);
    QStringList report;
    bool restored = false;
    for (const QString& name : rollback.available()) {
        const Failure failure = rollback.restore(name);
        restored = restored || !failure.failed();
        report << (failure.failed() ? text(updatetext::rollbackFailed).arg(name, describe(failure))
                                    : text(updatetext::rollbackDone).arg(name));
    }
    if (report.isEmpty())
        report << text(updatetext::rollbackNone);
    if (restored)
        report << text(updatetext::restartNeeded);
    hint(report.join(u'\n'));
}

void Tupdate::updateRollbackButton()
{
    Button9->setEnabled(!LibraryRollback(m_apppath, *m_check).available().isEmpty());
}

void Tupdate::libraryFinished(int index, const Failure& failure)
{
    if (!failure.failed()) {
        setState(index + 1, text(updatetext::stateDone));
        return;
    }
    // The row keeps the familiar word and adds the reason; the detail is in the tool tip.
    setState(index + 1,
             text(updatetext::withDetail).arg(text(updatetext::stateFailed), reasonText(failure.reason)),
             describe(failure));
}

void Tupdate::runFinished(bool installed)
{
    Button2->setText(text(updatetext::done));
    Button2->setEnabled(false);
    Button3->setEnabled(false);
    // Only a library that was put in place takes effect at the next start.
    if (installed)
        hint(text(updatetext::restartNeeded));
}

void Tupdate::IdHTTP1WorkBegin(qint64 expectedTotal)
{
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(expectedTotal > 0 ? clamped(expectedTotal) : 0);
}

void Tupdate::IdHTTP1Work(qint64 received)
{
    ProgressBar1->setValue(clamped(received));
}

void Tupdate::IdHTTP1WorkEnd()
{
    ProgressBar1->setValue(0);
}

void Tupdate::hint(const QString& message)
{
    m_dialogs.messageBox(message.toStdString(), hintCaption, Buttons::Ok);
}

void Tupdate::setState(int row, const QString& state, const QString& detail)
{
    auto* item = new QTableWidgetItem(state);
    item->setToolTip(detail.isEmpty() ? state : detail);
    StringGrid1->setItem(row, 1, item);
}

} // namespace qmv
