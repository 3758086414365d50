#include "TransferActions.h"

#include "Backup.h"
#include "BatchStore.h"
#include "DeviceImport.h"
#include "Dialogs.h"
#include "ExportFormats.h"
#include "IBtn.h"
#include "Keypad.h"
#include "MainWindow.h"
#include "MainWindowView.h"
#include "SignalFile.h"
#include "SignalRender.h"
#include "StoreFailure.h"
#include "StoredKeys.h"
#include "Text.h"
#include "TransferDialogs.h"

#include "AtomicFile.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QToolButton>
#include <QToolTip>

namespace qmv {

using namespace transfer;

namespace {

constexpr const char* learnFirst = QT_TRANSLATE_NOOP("qmv::TransferActions", "请先点击开始学习按钮！");
constexpr const char* waitForCapture =
    QT_TRANSLATE_NOOP("qmv::TransferActions", "有按键正在学习，请等它学完再从文件学习！");
constexpr const char* stopLearningFirst =
    QT_TRANSLATE_NOOP("qmv::TransferActions", "软件正在学习状态，请先停止学习！");
constexpr const char* stopDeletingFirst =
    QT_TRANSLATE_NOOP("qmv::TransferActions", "软件正在删除状态，请先停止删除！");
constexpr Texts shown{"qmv::TransferActions"};
constexpr std::size_t maxProblemsShown = 12;

constexpr const char* signalFiles =
    QT_TRANSLATE_NOOP("qmv::TransferActions", "信号文件 (*.ir *.txt *.json);;所有文件 (*)");
constexpr const char* backupFiles =
    QT_TRANSLATE_NOOP("qmv::TransferActions", "遥控器备份 (*.qmvbak);;所有文件 (*)");

QString fileFilter(const char* filter)
{
    return QString::fromStdString(shown(filter));
}

std::string problemText(const std::vector<FileProblem>& problems)
{
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < maxProblemsShown; ++i) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\n" + std::string&& at -O2.
        text += '\n';
        text += describeProblem(problems[i]);
    }
    if (problems.size() > maxProblemsShown)
        text += "\n……";
    return text;
}

std::string listText(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < maxProblemsShown; ++i)
        text += "\n" + names[i];
    if (names.size() > maxProblemsShown)
        text += "\n……";
    return text;
}

// Signals from files take the session's converter, the one its captures go through.
CaptureConversion installedConversion(LearningSession& session)
{
    return [&session](const std::string& capture) {
        return session.convert(capture);
    };
}

ExportFormat formatForFile(const QString& path)
{
    if (path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
        return ExportFormat::Json;
    if (path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        return ExportFormat::Pronto;
    return ExportFormat::Ir;
}

} // namespace

TransferActions::TransferActions(MainWindow& window, const RemoteLink& link, Dialogs& dialogs,
                                 LearningSession& session, RemoteIdentity remote)
    : QObject(&window)
    , m_window(window)
    , m_link(link)
    , m_dialogs(dialogs)
    , m_session(session)
    , m_remote(std::move(remote))
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
    , m_chooseFile([this](const QString& title, const QString& filter, bool save) {
        return save ? QFileDialog::getSaveFileName(&m_window, title, QString(), filter)
                    : QFileDialog::getOpenFileName(&m_window, title, QString(), filter);
    })
{
    setObjectName(QStringLiteral("transferActions"));
    installOnKeys();
    buildMenuButton();
}

void TransferActions::installOnKeys()
{
    for (IBtn* key : m_window.keyButtons()) {
        key->installEventFilter(this);
        key->setContextMenuPolicy(Qt::PreventContextMenu); // the filter opens the menu itself
    }
}

// Beside the help and update buttons, in their look: light text on the window's blue.
void TransferActions::buildMenuButton()
{
    m_menuButton = new QToolButton(m_window.face());
    m_menuButton->setObjectName(QStringLiteral("transferibtn"));
    m_menuButton->setGeometry(588, 6, 95, 28);
    m_menuButton->setText(tr("导入导出"));
    m_menuButton->setToolTip(tr("导入、导出、备份、恢复"));
    m_menuButton->setCursor(Qt::PointingHandCursor);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; background: transparent; border: 1px solid rgba(255,255,255,140);"
        " border-radius: 4px; font-size: 14px; } QToolButton::menu-indicator { image: none; }"));
    auto* menu = new QMenu(m_menuButton);
    menu->setObjectName(QStringLiteral("transferMenu"));
    menu->addAction(tr("导入设备…"), this, &TransferActions::importDevice)
        ->setObjectName(QStringLiteral("importAction"));
    menu->addAction(tr("导出…"), this, &TransferActions::exportArea)
        ->setObjectName(QStringLiteral("exportAction"));
    menu->addSeparator();
    menu->addAction(tr("备份…"), this, &TransferActions::backup)
        ->setObjectName(QStringLiteral("backupAction"));
    menu->addAction(tr("恢复…"), this, &TransferActions::restore)
        ->setObjectName(QStringLiteral("restoreAction"));
    m_menuButton->setMenu(menu);
    m_menuButton->show();
}

bool TransferActions::eventFilter(QObject* watched, QEvent* event)
{
    auto* key = qobject_cast<IBtn*>(watched);
    if (!key)
        return false;
    const std::string code = key->code().toStdString();
    switch (event->type()) {
    case QEvent::ToolTip:
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), keyDescription(code), key);
        return true;
    case QEvent::FocusIn:
        QToolTip::showText(key->mapToGlobal(QPoint(key->width() / 2, key->height())), keyDescription(code),
                           key);
        return false;
    case QEvent::ContextMenu: {
        QMenu* menu = keyMenu(*key);
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        menu->deleteLater();
        return true;
    }
    default:
        return false;
    }
}

QMenu* TransferActions::keyMenu(IBtn& key)
{
    const std::string code = key.code().toStdString();
    auto* menu = new QMenu(&m_window);
    menu->setObjectName(QStringLiteral("keyMenu"));
    QAction* view = menu->addAction(tr("查看信号…"), this, [this, code] { showSignal(code); });
    view->setObjectName(QStringLiteral("showSignalAction"));
    const auto row = m_session.image().rowOf(code);
    view->setEnabled(
        row && m_session.image().stateOf(m_session.image().entryIndex(currentArea(), *row)).holdsCode());
    const auto definition = findKey(code);
    if (definition && definition->selectsArea < 0) {
        QAction* learn = menu->addAction(tr("从文件学习…"), this, [this, code] { learnFromFile(code); });
        learn->setObjectName(QStringLiteral("learnFromFileAction"));
        // Learning from a file is part of learning mode, like learning from the receiver.
        learn->setEnabled(m_window.state().studyState && !m_session.controller().pendingKey());
    }
    return menu;
}

int TransferActions::currentArea() const
{
    return m_window.state().curArea;
}

std::string TransferActions::keyLabel(const std::string& keyCode) const
{
    const auto key = findKey(keyCode);
    return key && !key->label.empty() ? std::string(key->label) : keyCode;
}

QString TransferActions::keyDescription(const std::string& keyCode) const
{
    const MemoryImage& image = m_session.image();
    const auto row = image.rowOf(keyCode);
    if (!row)
        return {};
    const StoredKeys keys(m_link, image.snapshot());
    QString text = QString::fromStdString(descriptionText(describeKey(keys, currentArea(), *row)));
    // The failure message says only that learning failed; the hint keeps when and why.
    if (const std::optional<FailedLearn> failed =
            m_session.controller().lastFailure(currentArea(), keyCode)) {
        const QDateTime when = QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(failed->when.time_since_epoch()).count());
        text += u'\n' +
                tr("上次学习失败（%1）：%2")
                    .arg(when.toString(QStringLiteral("HH:mm:ss")), QString::fromStdString(failed->reason));
    }
    return text;
}

std::optional<std::string> TransferActions::chooseAndRead(const QString& title, const QString& filter)
{
    const QString path = m_chooseFile(title, filter, false);
    if (path.isEmpty())
        return std::nullopt;
    std::string error;
    auto text = readSignalFile(path.toStdString(), &error);
    if (!text)
        message(error);
    return text;
}

// A file that cannot be read as a whole is named with its problems, and nothing comes of it.
std::optional<SignalFile> TransferActions::chooseSignalFile(const QString& title)
{
    const auto text = chooseAndRead(title, fileFilter(signalFiles));
    if (!text)
        return std::nullopt;
    SignalFile file = parseSignalFile(*text);
    if (file.rejected) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "文件无法读取，没有写入任何按键：%1"),
                      {problemText(file.problems)}));
        return std::nullopt;
    }
    return file;
}

void TransferActions::message(const std::string& text)
{
    m_dialogs.messageBox(text, hintCaption, Buttons::Ok);
}

void TransferActions::showSignal(const std::string& keyCode)
{
    const MemoryImage& image = m_session.image();
    const auto row = image.rowOf(keyCode);
    if (!row)
        return;
    const StoredKeys keys(m_link, image.snapshot());
    const auto code = keys.code(currentArea(), *row);
    const auto played = code ? play(code->identifier, code->parameters, code->data) : std::nullopt;
    if (!played) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "%1键在这个设备里没有可显示的编码"),
                      {keyLabel(keyCode)}));
        return;
    }
    SignalDialog dialog(keyDescription(keyCode), played->durations, played->carrierHz, &m_window);
    m_runDialog(dialog);
}

void TransferActions::learnFromFile(const std::string& keyCode)
{
    const MainWindowState& state = m_window.state();
    if (!state.studyState) {
        message(shown(learnFirst));
        return;
    }
    if (m_session.controller().pendingKey()) {
        message(shown(waitForCapture));
        return;
    }
    MemoryImage& image = m_session.image();
    const auto row = image.rowOf(keyCode);
    if (!row)
        return;
    if (image.stateOf(image.entryIndex(currentArea(), *row)).learned() &&
        !proceeds(
            m_dialogs.messageBox(LearningController::relearnQuestion(keyCode), hintCaption, Buttons::YesNo)))
        return;
    const auto chosen = chooseSignalFile(tr("从文件学习"));
    if (!chosen)
        return;
    const SignalFile& file = *chosen;
    SignalChoiceDialog choice(file, QString::fromStdString(keyLabel(keyCode)), &m_window);
    if (m_runDialog(choice) != QDialog::Accepted || !choice.selectedSignal())
        return;
    auto prepared = prepareLearn(file, currentArea(), keyCode, file.entries[*choice.selectedSignal()].name,
                                 installedConversion(m_session));
    if (const auto* reason = std::get_if<std::string>(&prepared)) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "学习失败！%1"), {*reason}));
        return;
    }
    const StoreOutcome outcome = storeAll(image, {std::get<StoreItem>(prepared)});
    refreshWindow();
    if (outcome.refused || !outcome.failed.empty()) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "学习失败！%1"),
                      {outcome.refused ? outcome.refusal : storeFailure(StoreResult::RecordWriteFailed)}));
        return;
    }
    m_window.setStatusText(QString::fromStdString(
        shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "%1键学习成功！"), {keyLabel(keyCode)})));
}

bool TransferActions::refusedWhileBusy()
{
    const MainWindowState& state = m_window.state();
    if (state.studyState)
        m_dialogs.plainMessage(shown(stopLearningFirst));
    else if (state.deleteState)
        m_dialogs.plainMessage(shown(stopDeletingFirst));
    return state.studyState || state.deleteState;
}

void TransferActions::refreshWindow()
{
    LearningController& controller = m_session.controller();
    controller.RefreshKeyPictures();
    controller.UpdateDeleteButtons();
    const MainWindowState& state = m_window.state();
    if (!state.studyState && !state.deleteState) {
        const bool learned = controller.AreaHasLearnedKeys();
        m_window.setPanelVisible(InstructionPanel::HasKeys, learned);
        m_window.setPanelVisible(InstructionPanel::NoKeys, !learned);
    }
}

void TransferActions::report(const StoreOutcome& outcome, const std::string& done)
{
    if (outcome.refused) {
        message(outcome.refusal);
        return;
    }
    std::string text = shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "%1：写入 %2 个按键"),
                             {done, std::to_string(outcome.stored.size())});
    if (!outcome.unchanged.empty())
        text += shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "，%1 个按键已是同样的编码"),
                      {std::to_string(outcome.unchanged.size())});
    if (!outcome.failed.empty())
        text += shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "\n写入失败的按键：%1"),
                      {listText(outcome.failed)});
    message(text);
}

void TransferActions::importDevice()
{
    if (refusedWhileBusy())
        return;
    const auto chosen = chooseSignalFile(tr("导入设备"));
    if (!chosen)
        return;
    const SignalFile& file = *chosen;
    const int area = currentArea();
    const PreparedImport prepared = prepareImport(file, area, installedConversion(m_session));
    if (prepared.items.empty()) {
        message(shown(
            QT_TRANSLATE_NOOP("qmv::TransferActions", "文件里没有能对应到按键的信号，没有写入任何按键")));
        return;
    }
    MemoryImage& image = m_session.image();
    ImportDialog dialog(prepared, learnedKeysOverwritten(image, prepared.items),
                        QString::fromUtf8(areaNames[static_cast<std::size_t>(area)].data()), &m_window);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    const StoreOutcome outcome = storeAll(image, prepared.items);
    refreshWindow();
    report(outcome, shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "导入完成")));
}

void TransferActions::exportArea()
{
    const int area = currentArea();
    const StoredKeys keys(m_link, m_session.image().snapshot());
    std::vector<std::string> unreadable;
    const auto learned = learnedKeys(keys, area, &unreadable);
    if (!unreadable.empty()) {
        message(
            shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "无法从遥控器读出这些按键的编码，没有导出：%1"),
                  {listText(unreadable)}));
        return;
    }
    if (learned.empty()) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "这个设备里没有学习过的按键")));
        return;
    }
    const QString path =
        m_chooseFile(tr("导出"), tr("IR 信号文件 (*.ir);;Pronto Hex (*.txt);;JSON (*.json)"), true);
    if (path.isEmpty())
        return;
    const std::string text =
        formatExport(learned, formatForFile(path), areaNames[static_cast<std::size_t>(area)]);
    if (!platform::AtomicFile(path.toStdString()).write(text)) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "无法写入文件 %1"), {path.toStdString()}));
        return;
    }
    message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "导出完成：%1 个按键"),
                  {std::to_string(learned.size())}));
}

void TransferActions::backup()
{
    const StoredKeys keys(m_link, m_session.image().snapshot());
    std::vector<std::string> unreadable;
    const Backup saved =
        collectBackup(keys, m_remote.model, m_remote.firmware, m_remote.remoteid, &unreadable);
    if (!unreadable.empty()) {
        message(
            shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "无法从遥控器读出这些按键的编码，没有备份：%1"),
                  {listText(unreadable)}));
        return;
    }
    const QString path = m_chooseFile(tr("备份"), fileFilter(backupFiles), true);
    if (path.isEmpty())
        return;
    if (!platform::AtomicFile(path.toStdString()).write(writeBackup(saved))) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "无法写入文件 %1"), {path.toStdString()}));
        return;
    }
    message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "备份完成：%1 个学习过的按键"),
                  {std::to_string(saved.keys.size())}));
}

void TransferActions::restore()
{
    if (refusedWhileBusy())
        return;
    const auto text = chooseAndRead(tr("恢复"), fileFilter(backupFiles));
    if (!text)
        return;
    auto read = readBackup(*text, m_remote.model);
    if (const auto* reason = std::get_if<std::string>(&read)) {
        message(shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "%1，没有写入任何按键"), {*reason}));
        return;
    }
    const Backup& saved = std::get<Backup>(read);
    MemoryImage& image = m_session.image();
    const auto overwritten = learnedKeysOverwritten(image, saved.keys);
    if (!overwritten.empty() &&
        !proceeds(m_dialogs.messageBox(
            shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "恢复会覆盖这些已学习的按键，要继续吗？%1"),
                  {listText(overwritten)}),
            hintCaption, Buttons::YesNo)))
        return;
    const StoreOutcome outcome = storeAll(image, saved.keys);
    refreshWindow();
    report(outcome, shown(QT_TRANSLATE_NOOP("qmv::TransferActions", "恢复完成")));
}

} // namespace qmv
