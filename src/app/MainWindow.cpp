#include "MainWindow.h"

#include "Dialogs.h"
#include "HelpPages.h"
#include "HelpWindow.h"
#include "IBtn.h"
#include "Keypad.h"
#include "KeypadPanel.h"
#include "PathOpener.h"
#include "PictureNames.h"
#include "RemoteLink.h"
#include "WindowDrag.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

#include <array>
#include <mutex>

namespace qmv {

namespace {

constexpr const char* picturesFailed = QT_TRANSLATE_NOOP("qmv::MainWindow", "调用图片出错！");
constexpr const char* stopLearningFirst =
    QT_TRANSLATE_NOOP("qmv::MainWindow", "你正在学习，要退出系统请先停止学习！");
constexpr const char* helpMissing = QT_TRANSLATE_NOOP("qmv::MainWindow", "找不到帮助文件！");
constexpr const char* updateWhileLearning =
    QT_TRANSLATE_NOOP("qmv::MainWindow", "软件正在学习状态，要升级请退出学习状态！");
constexpr const char* updateWhileDeleting =
    QT_TRANSLATE_NOOP("qmv::MainWindow", "软件正在删除状态，要升级请退出删除状态！");
constexpr const char* tvAreaText = QT_TRANSLATE_NOOP("qmv::MainWindow", "您现在是在 电视/TV 里进行自学习！");
constexpr const char* helpFileName = "studyhelp.chm";
constexpr int minimumScreenWidth = 1024;
// The strip along the top of the window by which it is dragged.
constexpr int titleAreaHeight = 42;

// A message of the window in the user's language, for the tool's message boxes.
std::string shown(const char* text)
{
    return MainWindow::tr(text).toStdString();
}

// The help pages live in a static library and are registered once, when first asked for.
void ensureHelpPages()
{
    static std::once_flag once;
    std::call_once(once, [] { initHelpPages(); });
}

QString tabPicture(const QString& name)
{
    return QString::fromUtf8(pictures::form::tabPrefix) + name;
}

struct AreaTab
{
    const char* component;
    QRect geometry;
    const char* name; // in the tab pictures' names
};

// Indexed by area: TV, CBL, DVD, AMP. On screen they stand TV, DVD, AMP, CBL, evenly spaced.
const std::array<AreaTab, areaCount> areaTabs{{
    {"TV_IBTN", {447, 219, 77, 20}, "tv"},
    {"CBL_IBTN", {758, 219, 77, 20}, "cbl"},
    {"DVD_IBTN", {550, 219, 79, 20}, "dvd"},
    {"AMP_INTN", {655, 219, 78, 20}, "amp"},
}};

QFont statusFont()
{
    QFont font;
    // 新宋体 where Windows fonts are installed, else the free CJK font every setup installs.
    font.setFamilies(
        {QStringLiteral("新宋体"), QStringLiteral("NSimSun"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(16);
    return font;
}

} // namespace

MainWindow::MainWindow(RemoteLink& link, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint)
    , m_link(link)
    , m_dialogs(dialogs)
    , m_opener(&desktopOpener())
    , m_programFolder(QCoreApplication::applicationDirPath() + u'/')
{
    ensureFormPictures();
    // Clicked keys travel in signals that may be queued or watched.
    qRegisterMetaType<IBtn*>();
    setObjectName(QStringLiteral("mainkeylearn"));
    setWindowTitle(tr("自学习"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x35, 0x7C, 0xA8));
    setPalette(colours);
    setAutoFillBackground(true);

    // The face keeps its fixed layout; on a screen smaller than the face the window shrinks to
    // the screen and the face scrolls inside it (the keyboard's focus scrolls along).
    m_face = new QWidget;
    m_face->setObjectName(QStringLiteral("face"));
    m_face->setFixedSize(windowWidth, windowHeight);
    m_scroller = new QScrollArea(this);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidget(m_face);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroller);
    setMaximumSize(windowWidth, windowHeight);

    buildControls();
    setKeyboardOrder();
    new WindowDrag(*m_face, titleAreaHeight);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &MainWindow::escapePressed);
    if (const QScreen* display = screen())
        setGeometry(placement(m_face->size(), display->availableGeometry()));
}

QRect MainWindow::placement(QSize face, const QRect& available)
{
    const QSize size = face.boundedTo(available.size());
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(available.center());
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    return placed;
}

// Tab goes over the area tabs as they stand, the keys row by row, then the buttons.
void MainWindow::setKeyboardOrder()
{
    std::vector<QWidget*> order;
    for (int area : {0, 2, 3, 1})
        order.push_back(areaTab(area));
    std::vector<IBtn*> keys = keyButtons();
    std::stable_sort(keys.begin(), keys.end(), [](const IBtn* a, const IBtn* b) {
        const QRect ra = a->geometry();
        const QRect rb = b->geometry();
        // Keys whose centres lie within half a key of each other share a row.
        if (std::abs(ra.center().y() - rb.center().y()) > std::min(ra.height(), rb.height()) / 2)
            return ra.center().y() < rb.center().y();
        return ra.center().x() < rb.center().x();
    });
    order.insert(order.end(), keys.begin(), keys.end());
    for (QWidget* control : {static_cast<QWidget*>(m_beginStudy), static_cast<QWidget*>(m_deleteKey),
                             static_cast<QWidget*>(m_clearAll), static_cast<QWidget*>(m_receivedNotice)})
        order.push_back(control);
    for (const char* name : {"helpibtn", "updateibtn", "minimizeibtn", "IBtn79"})
        order.push_back(m_face->findChild<IBtn*>(QString::fromUtf8(name)));
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

MainWindow::~MainWindow() = default;

// Creation order is stacking order: the background first, the instruction panels in the order
// Image4, Image5, Image7, Image8 (the last uppermost), the animation over the hint.
void MainWindow::buildControls()
{
    addPicture("Image1", {0, 0, 1016, 729}, pictures::form::background);

    m_keypad = new KeypadPanel(m_face);
    m_keypad->setGeometry(14, 0, 228, 745);
    connect(m_keypad, &KeypadPanel::keyClicked, this, &MainWindow::keyClicked);
    connect(m_keypad, &KeypadPanel::areaKeyClicked, this, &MainWindow::areaClicked);

    for (std::size_t area = 0; area < areaTabs.size(); ++area) {
        const AreaTab& tab = areaTabs[area];
        IBtn* button = addButton(tab.component, tab.geometry, nullptr);
        const QString name = QString::fromUtf8(tab.name);
        button->setPicture(scaledPicture(tabPicture(name)));
        button->setDisablePic(
            scaledPicture(tabPicture(name + QString::fromUtf8(pictures::form::currentSuffix))));
        connect(button, &IBtn::clicked, this, [this, area] { emit areaClicked(static_cast<int>(area)); });
        m_areaTabs.push_back(button);
    }

    m_status = addLabel("runstate_lab", {432, 276, 409, 19});
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setFont(statusFont());
    QPalette red = m_status->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_status->setPalette(red);
    m_storeLabel = addLabel("Lab_stb", {488, 302, 321, 20});
    m_storeLabel->hide();

    m_hint = addPicture("Imagehint", {439, 341, 409, 72});
    m_hint->setScaledContents(true);

    m_panels = {addPicture("Image4", {440, 413, 408, 165}, pictures::form::panelHasKeys),
                addPicture("Image5", {439, 412, 410, 167}, pictures::form::panelLearning),
                addPicture("Image7", {439, 411, 409, 168}, pictures::form::panelDeleting),
                addPicture("Image8", {438, 417, 411, 165}, pictures::form::panelNoKeys)};

    m_beginStudy = addButton("beginstudyibtn", {408, 623, 161, 50}, pictures::form::beginStudy,
                             pictures::form::stopStudy);
    m_deleteKey = addButton("delstudykey", {593, 624, 152, 49}, nullptr);
    m_clearAll = addButton("delallstudykey", {779, 624, 150, 49}, nullptr);
    connect(m_beginStudy, &IBtn::clicked, this, &MainWindow::beginStudyClicked);
    connect(m_deleteKey, &IBtn::clicked, this, &MainWindow::deleteKeyClicked);
    connect(m_clearAll, &IBtn::clicked, this, &MainWindow::clearAllClicked);

    // Between the instructions and the command buttons.
    m_receivedNotice = new QCheckBox(tr("每学会一个按键都弹出“已接收到遥控器编码！”提示"), m_face);
    m_receivedNotice->setObjectName(QStringLiteral("receivednotice"));
    m_receivedNotice->setGeometry(442, 591, 404, 17);
    m_receivedNotice->setChecked(m_state.receivedNotice);
    QPalette light = m_receivedNotice->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    m_receivedNotice->setPalette(light);
    connect(m_receivedNotice, &QCheckBox::toggled, this, [this](bool on) {
        m_state.receivedNotice = on;
        emit receivedNoticeChanged(on);
    });

    m_model = addLabel("lab_ykqtype", {766, 66, 146, 16});
    m_softwareVersion = addLabel("lab_softver", {766, 102, 148, 14});
    m_firmwareVersion = addLabel("lab_gjbb", {766, 134, 146, 17});

    IBtn* help = addButton("helpibtn", {692, 6, 95, 28}, pictures::form::help);
    help->setToolTip(tr("帮助"));
    connect(help, &IBtn::clicked, this, &MainWindow::helpibtnClick);
    IBtn* update = addButton("updateibtn", {820, 5, 97, 30}, pictures::form::update);
    update->setToolTip(tr("升级软件"));
    connect(update, &IBtn::clicked, this, &MainWindow::updateibtnClick);
    IBtn* minimize = addButton("minimizeibtn", {927, 6, 38, 27}, pictures::form::minimize);
    minimize->setToolTip(tr("最小化"));
    connect(minimize, &IBtn::clicked, this, &QWidget::showMinimized);
    IBtn* closeButton = addButton("IBtn79", {969, 6, 38, 27}, pictures::form::close);
    closeButton->setToolTip(tr("关闭软件"));
    connect(closeButton, &IBtn::clicked, this, &QWidget::close);
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, &MainWindow::helpibtnClick);

    m_animation = addPicture("donghuaflash2", {437, 338, 413, 72});
    m_animation->setScaledContents(true);
    m_movie = new QMovie(m_animation);
    // Frames drawn at twice the density show at the player's size, sharp on a dense screen.
    connect(m_movie, &QMovie::frameChanged, m_animation, [this] {
        QPixmap frame = m_movie->currentPixmap();
        if (!frame.isNull() && m_animation->width() > 0)
            frame.setDevicePixelRatio(static_cast<qreal>(frame.width()) / m_animation->width());
        m_animation->setPixmap(frame);
    });
    m_animation->hide();
}

// Every button standing on the window itself shows the hand while the mouse is over it.
IBtn* MainWindow::addButton(const char* name, QRect geometry, const char* picture,
                            const char* disabledPicture)
{
    auto* button = new IBtn(m_face);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    if (picture)
        button->setPicture(scaledPicture(QString::fromUtf8(picture)));
    if (disabledPicture)
        button->setDisablePic(scaledPicture(QString::fromUtf8(disabledPicture)));
    return button;
}

QLabel* MainWindow::addLabel(const char* name, QRect geometry)
{
    auto* label = new QLabel(m_face);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(geometry);
    return label;
}

QLabel* MainWindow::addPicture(const char* name, QRect geometry, const char* picture)
{
    QLabel* label = addLabel(name, geometry);
    if (picture)
        label->setPixmap(scaledPicture(QString::fromUtf8(picture)));
    return label;
}

QLabel* MainWindow::panel(InstructionPanel which) const
{
    return m_panels[static_cast<std::size_t>(which)];
}

std::optional<QString> MainWindow::resolutionWarning(QSize screen)
{
    if (screen.width() >= minimumScreenWidth)
        return std::nullopt;
    return tr("你目前的显示器分辨率是%1*%2\r\n为了运行该软件，你的显示器分辨率至少要1024*768")
        .arg(screen.width())
        .arg(screen.height());
}

const std::vector<IBtn*>& MainWindow::keyButtons() const
{
    return m_keypad->keys();
}

IBtn* MainWindow::keyButton(std::string_view code) const
{
    return m_keypad->key(code);
}

IBtn* MainWindow::powerKey(int area) const
{
    return m_keypad->powerKey(area);
}

IBtn* MainWindow::areaTab(int area) const
{
    if (area < 0 || area >= areaCount)
        return nullptr;
    return m_areaTabs[static_cast<std::size_t>(area)];
}

void MainWindow::showKeyPicture(IBtn& key, KeyLook set)
{
    if (!m_pictures)
        return;
    const QPixmap& picture = m_pictures->key(set, pictureIndex(key.code().toStdString()));
    if (picture.isNull())
        return;
    // A switched-off power key shows the current area's highlighted look: its state picture becomes
    // the normal picture it shows again once another area is chosen. Keys without such a look show
    // their state picture whatever their switch says.
    if (key.isEnable() || key.disablePic().isNull())
        key.setPicture(picture);
    else
        key.setSavedPic(picture);
}

void MainWindow::setButtonPicture(IBtn& button, NamedPicture picture)
{
    if (m_pictures)
        button.setPicture(m_pictures->named(picture));
}

void MainWindow::setHintPicture(NamedPicture picture)
{
    if (m_pictures)
        m_hint->setPixmap(m_pictures->named(picture));
}

void MainWindow::setHintVisible(bool visible)
{
    m_hint->setVisible(visible);
}

void MainWindow::setPanelVisible(InstructionPanel which, bool visible)
{
    panel(which)->setVisible(visible);
}

bool MainWindow::isPanelVisible(InstructionPanel which) const
{
    return !panel(which)->isHidden();
}

void MainWindow::setStatusText(const QString& text)
{
    m_status->setText(text);
}

QString MainWindow::statusText() const
{
    return m_status->text();
}

void MainWindow::repaintStatus()
{
    m_status->repaint();
}

void MainWindow::switchButton(IBtn& button, bool on)
{
    if (button.isEnable() != on)
        button.setIsEnable(on);
}

void MainWindow::setDeleteButtonsAvailable(bool available)
{
    setButtonPicture(*m_deleteKey, available ? NamedPicture::Delete : NamedPicture::DeleteGrey);
    setButtonPicture(*m_clearAll, available ? NamedPicture::Clear : NamedPicture::ClearGrey);
    m_deleteKey->setEnabled(available);
    m_clearAll->setEnabled(available);
}

void MainWindow::setLearningAnimationPlaying(bool playing)
{
    if (playing && m_pictures) {
        m_movie->setFileName(m_pictures->animationFile());
        m_animation->show();
        m_movie->start();
    } else {
        m_movie->stop();
        m_animation->hide();
    }
}

bool MainWindow::isLearningAnimationPlaying() const
{
    return m_movie->state() == QMovie::Running;
}

void MainWindow::setKeypadAvailable(bool available)
{
    m_keypad->setVisible(available);
    for (IBtn* button : {m_beginStudy, m_deleteKey, m_clearAll})
        button->setEnabled(available);
}

void MainWindow::setRemoteModelText(const QString& text)
{
    m_model->setText(text);
}

void MainWindow::setReceivedNotice(bool on)
{
    m_state.receivedNotice = on;
    m_receivedNotice->setChecked(on);
}

void MainWindow::setFirmwareVersionText(const QString& text)
{
    m_firmwareVersion->setText(text);
}

// The show sequence may open message boxes and close the window, which must not happen while
// Qt is still in the middle of showing it; it runs as soon as the show is complete.
void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &MainWindow::formShow, Qt::QueuedConnection);
}

void MainWindow::formShow()
{
    if (m_state.startFailed) {
        close();
        return;
    }
    emit showStarted();
    if (!loadPictures()) {
        m_dialogs.messageBox(shown(picturesFailed), hintCaption, Buttons::Ok);
        m_state.startFailed = true;
        close();
        return;
    }
    showStartLook();
    emit showFinished();
    showNoticesOnceDrawn();
}

// A notice over a window that is not drawn yet would stand over a half-painted window.
void MainWindow::showNoticesOnceDrawn()
{
    if (QWindow* handle = windowHandle(); handle && !handle->isExposed()) {
        if (!m_noticesPending) {
            m_noticesPending = true;
            handle->installEventFilter(this);
        }
        return;
    }
    m_noticesPending = false;
    repaint();
    checkResolution();
    emit noticesShown();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_noticesPending && watched == windowHandle() && event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &MainWindow::showNoticesOnceDrawn, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::loadPictures()
{
    if (!m_pictures)
        m_pictures = PictureLibrary::load(m_programFolder);
    return m_pictures != nullptr;
}

// Only warns: this platform leaves the display mode to the user.
void MainWindow::checkResolution()
{
    const QScreen* display = screen();
    if (!display)
        return;
    if (const std::optional<QString> warning = resolutionWarning(display->geometry().size()))
        m_dialogs.messageBox(warning->toStdString(), hintCaption, Buttons::Ok);
}

// Idle in the TV area with every key not learned; the controller refreshes the keys from the
// remote's memory when showing has finished.
void MainWindow::showStartLook()
{
    for (IBtn* key : keyButtons())
        showKeyPicture(*key, KeyLook::NotLearned);
    setHintPicture(NamedPicture::IdleHint);
    setDeleteButtonsAvailable(false);
    m_state.deleteState = false;
    setPanelVisible(InstructionPanel::NoKeys, true);
    setPanelVisible(InstructionPanel::HasKeys, false);
    setPanelVisible(InstructionPanel::Learning, false);
    setPanelVisible(InstructionPanel::Deleting, false);
    m_softwareVersion->setText(QString::fromUtf8(softwareVersion));
    m_storeLabel->hide();

    m_state.curArea = 0;
    for (int area = 0; area < areaCount; ++area) {
        switchButton(*areaTab(area), area != 0);
        switchButton(*powerKey(area), area != 0);
    }
    setStatusText(tr(tvAreaText));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!formCloseQuery()) {
        event->ignore();
        return;
    }
    formClose();
    event->accept();
}

bool MainWindow::formCloseQuery()
{
    if (m_state.studyState && m_link.linkState()) {
        m_dialogs.messageBox(shown(stopLearningFirst), hintCaption, Buttons::Ok);
        return false;
    }
    m_state.closing = true;
    emit closingStarted();
    return true;
}

void MainWindow::formClose()
{
    m_movie->stop();
    if (m_state.startFailed)
        return;
    m_movie->setFileName(QString());
    m_pictures.reset();
}

// Windows has a viewer for the compiled help file, which opens it. Elsewhere, and where it cannot,
// the help opens inside the program, in the user's language; the file can still be opened from
// the help window.
void MainWindow::helpibtnClick()
{
    const QString helpFile = QDir(m_programFolder).filePath(QString::fromUtf8(helpFileName));
#if defined(Q_OS_WIN)
    if (QFileInfo::exists(helpFile) && m_opener->open(helpFile))
        return;
#endif
    if (!m_help) {
        ensureHelpPages();
        m_help = new HelpWindow(helpFile, *m_opener, this);
    }
    if (!m_help->hasPages()) {
        m_dialogs.messageBox(shown(helpMissing), hintCaption, Buttons::Ok);
        return;
    }
    m_help->showOverParent();
}

void MainWindow::updateibtnClick()
{
    if (m_state.studyState)
        m_dialogs.plainMessage(shown(updateWhileLearning));
    else if (m_state.deleteState)
        m_dialogs.plainMessage(shown(updateWhileDeleting));
    else
        emit updateRequested();
}

} // namespace qmv
