#include "LearningController.h"

#include "Dialogs.h"
#include "Keypad.h"
#include "MemoryImage.h"
#include "StoreFailure.h"
#include "Text.h"

#include <array>
#include <exception>
#include <set>

namespace qmv {

namespace {

constexpr std::array<const char*, areaCount> areaTexts{
    QT_TRANSLATE_NOOP("qmv::LearningController", "您现在是在 电视/TV 里进行自学习！"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "您现在是在 机顶盒/CBL 里进行自学习！"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "您现在是在 影碟机/DVD 里进行自学习！"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "您现在是在 AMP 里进行自学习！"),
};

// The areas as a message of our own names them.
constexpr std::array<const char*, areaCount> areaCaptions{
    QT_TRANSLATE_NOOP("qmv::LearningController", "电视/TV"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "机顶盒/CBL"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "影碟机/DVD"),
    QT_TRANSLATE_NOOP("qmv::LearningController", "AMP")};

constexpr const char* chooseKeyToLearn =
    QT_TRANSLATE_NOOP("qmv::LearningController", "请在左面遥控器上点击待学习的按键！");
constexpr const char* chooseKeyToDelete =
    QT_TRANSLATE_NOOP("qmv::LearningController", "请在左面遥控器上选择待删除的按键！");
constexpr const char* startLearningFirst =
    QT_TRANSLATE_NOOP("qmv::LearningController", "请先点击开始学习按钮！");
constexpr const char* stopDeletingToLearn =
    QT_TRANSLATE_NOOP("qmv::LearningController", "现在在删除状态，要学习请先停止删除！");
constexpr const char* stopLearningToDelete =
    QT_TRANSLATE_NOOP("qmv::LearningController", "现在正在学习状态，要删除请先停止学习！");
constexpr const char* stopLearningToClear = QT_TRANSLATE_NOOP(
    "qmv::LearningController", "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！");
constexpr const char* stopDeletingToClear = QT_TRANSLATE_NOOP(
    "qmv::LearningController", "现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！");
constexpr const char* nothingToClear =
    QT_TRANSLATE_NOOP("qmv::LearningController", "没有可清空的按键的编码！");
constexpr const char* confirmClear =
    QT_TRANSLATE_NOOP("qmv::LearningController", "你确实要清空所有自学习过的按键的编码吗？");
constexpr const char* clearDone = QT_TRANSLATE_NOOP("qmv::LearningController", "清空操作完成！");
constexpr const char* noKeysToDelete =
    QT_TRANSLATE_NOOP("qmv::LearningController", "该键还没有自学习过，无法删除！");
constexpr const char* keyNotLearned =
    QT_TRANSLATE_NOOP("qmv::LearningController", "该按键还没有自学习过，无法删除！");
constexpr const char* confirmDelete =
    QT_TRANSLATE_NOOP("qmv::LearningController", "你确实要删除该自学习按键的编码？");
constexpr const char* deleteFailed = QT_TRANSLATE_NOOP("qmv::LearningController", "删除操作失败！");
constexpr const char* deleteDone = QT_TRANSLATE_NOOP("qmv::LearningController", "删除操作成功！");
constexpr const char* learningFailed = QT_TRANSLATE_NOOP("qmv::LearningController", "学习失败！");
constexpr const char* chooseKeyAgain =
    QT_TRANSLATE_NOOP("qmv::LearningController", "请重新选择按键进行学习！");
constexpr const char* codeReceived = QT_TRANSLATE_NOOP("qmv::LearningController", "已接收到遥控器编码！");

constexpr Texts shown{"qmv::LearningController"};

// A clear whose writes did not all succeed: those keys keep their codes and say so.
std::string clearIncomplete(int failures)
{
    return shown(QT_TRANSLATE_NOOP("qmv::LearningController",
                                   "清空操作未全部完成：%1个按键的编码未能清空，请重新清空！"),
                 {std::to_string(failures)});
}

// The key's label, as its button carries it in Path.
std::string labelOf(const std::string& code)
{
    for (const KeyDefinition& key : keypad)
        if (key.code == code)
            return keyLabel(key);
    return {};
}

std::string codeOf(const std::string& entry)
{
    return KeyStateEntry::parse(entry).keyCode;
}

KeyState stateOf(const std::string& entry)
{
    return KeyStateEntry::parse(entry).state;
}

KeyLook lookOf(KeyState state)
{
    return state.learned() ? KeyLook::Learned : state.foreign() ? KeyLook::Elsewhere : KeyLook::NotLearned;
}

std::string powerKeyCode(int area)
{
    for (const KeyDefinition& key : keypad)
        if (key.selectsArea == area)
            return std::string(key.code);
    return {};
}

} // namespace

LearningController::LearningController(MainWindowState& state, MemoryImage& image, LearningView& view,
                                       Dialogs& dialogs, LearningServices services)
    : m_state(state)
    , m_image(image)
    , m_view(view)
    , m_dialogs(dialogs)
    , m_services(std::move(services))
{
}

LearningController::~LearningController()
{
    m_alive.reset();
    m_capture.reset();
}

// ---- What the keys and buttons show.

std::optional<int> LearningController::rowInArea(const std::string& code) const
{
    const auto& list = m_image.keystatelist();
    const int keycount = m_image.layout().keycount;
    for (int row = 0; row < keycount; ++row) {
        const auto index = static_cast<std::size_t>(m_image.entryIndex(m_state.curArea, row));
        if (index < list.size() && codeOf(list[index]) == code)
            return row;
    }
    return std::nullopt;
}

KeyState LearningController::stateInArea(int row) const
{
    return m_image.stateOf(m_image.entryIndex(m_state.curArea, row));
}

std::string LearningController::relearnQuestion(const std::string& code)
{
    return shown(QT_TRANSLATE_NOOP("qmv::LearningController", "%1键编码已学习过，要重新学习吗?"),
                 {labelOf(code)});
}

std::optional<FailedLearn> LearningController::lastFailure(int area, const std::string& code) const
{
    const auto found = m_failures.find({area, code});
    if (found == m_failures.end())
        return std::nullopt;
    return found->second;
}

bool LearningController::learnedInAnyArea(const std::string& code) const
{
    for (const std::string& entry : m_image.keystatelist())
        if (codeOf(entry) == code && stateOf(entry).learned())
            return true;
    return false;
}

void LearningController::RefreshKeyPictures()
{
    const auto& list = m_image.keystatelist();
    const int keycount = m_image.layout().keycount;
    for (int row = 0; row < keycount; ++row) {
        const auto index = static_cast<std::size_t>(m_image.entryIndex(m_state.curArea, row));
        if (index < list.size())
            m_view.showKeyPicture(codeOf(list[index]), lookOf(stateOf(list[index])));
    }
}

bool LearningController::AreaHasLearnedKeys() const
{
    const int keycount = m_image.layout().keycount;
    for (int row = 0; row < keycount; ++row)
        if (stateInArea(row).learned())
            return true;
    return false;
}

void LearningController::UpdateDeleteButtons()
{
    m_view.setDeleteButtonsAvailable(AreaHasLearnedKeys());
}

void LearningController::MarkKeyUnlearned(const std::string& code)
{
    m_image.MarkKeyUnlearned(m_state.curArea, code);
}

void LearningController::showOnlyPanel(InstructionPanel panel)
{
    for (InstructionPanel each : {InstructionPanel::HasKeys, InstructionPanel::Learning,
                                  InstructionPanel::Deleting, InstructionPanel::NoKeys})
        m_view.setPanelVisible(each, each == panel);
}

std::string LearningController::areaLine() const
{
    return shown(QT_TRANSLATE_NOOP("qmv::LearningController", "设备：%1"),
                 {shown(areaCaptions[static_cast<std::size_t>(m_state.curArea)])});
}

void LearningController::showIdlePanels()
{
    showOnlyPanel(AreaHasLearnedKeys() ? InstructionPanel::HasKeys : InstructionPanel::NoKeys);
}

void LearningController::ShowStartState()
{
    RefreshKeyPictures();
    UpdateDeleteButtons();
    if (!AreaHasLearnedKeys())
        m_state.deleteState = false;
    showIdlePanels();
}

// ---- Areas.

void LearningController::SelectArea(int area)
{
    if (area == m_state.curArea || area < 0 || area >= areaCount)
        return;
    m_state.curArea = area;
    for (int each = 0; each < areaCount; ++each) {
        m_view.switchAreaTab(each, each != area);
        m_view.switchKey(powerKeyCode(each), each != area);
    }
    m_view.setStatusText(shown(areaTexts[static_cast<std::size_t>(area)]));
    RefreshKeyPictures();
    UpdateDeleteButtons();
}

// ---- Keys.

void LearningController::KeyClick(const std::string& code)
{
    if (m_state.deleteState) {
        deleteClickedKey(code);
    } else if (m_pendingKey) {
        m_dialogs.messageBox(shown(QT_TRANSLATE_NOOP("qmv::LearningController",
                                                     "%1按键正在学习，要停止%1按键,请点击停止学习按钮"),
                                   {labelOf(*m_pendingKey)}),
                             hintCaption, Buttons::Ok);
    } else if (m_state.studyState) {
        learnClickedKey(code);
    } else {
        m_dialogs.messageBox(shown(startLearningFirst), hintCaption, Buttons::Ok);
    }
}

void LearningController::deleteClickedKey(const std::string& code)
{
    m_pendingKey.reset();
    if (m_image.keystatelist().empty()) {
        m_dialogs.messageBox(shown(noKeysToDelete), hintCaption, Buttons::Ok);
        return;
    }
    const std::optional<int> row = rowInArea(code);
    if (!row || !stateInArea(*row).learned()) {
        m_dialogs.messageBox(shown(keyNotLearned), hintCaption, Buttons::Ok);
        return;
    }
    m_view.setStatusText({});
    if (m_dialogs.messageBox(shown(confirmDelete), hintCaption, Buttons::YesNo) != Reply::Yes)
        return;
    m_view.switchKey(code, true);
    if (!m_image.ReleaseKeyRecord(m_image.entryIndex(m_state.curArea, *row), code)) {
        // The key keeps its code, its picture and the delete mode: the user can try again.
        // A refusal of the tables (damage, another remote) is the tool's own box and says why.
        m_dialogs.messageBox(m_image.refusal().empty() ? shown(deleteFailed) : m_image.refusal(), hintCaption,
                             Buttons::Ok);
        return;
    }
    m_view.showKeyPicture(code, KeyLook::NotLearned);
    m_dialogs.messageBox(shown(deleteDone), hintCaption, Buttons::Ok);
    MarkKeyUnlearned(code);
    if (!AreaHasLearnedKeys()) {
        m_view.setDeleteButtonsAvailable(false);
        m_state.deleteState = false;
        showOnlyPanel(InstructionPanel::NoKeys);
    }
}

void LearningController::learnClickedKey(const std::string& code)
{
    if (const std::optional<int> row = rowInArea(code); row && stateInArea(*row).learned()) {
        if (m_dialogs.messageBox(relearnQuestion(code), hintCaption, Buttons::YesNo) != Reply::Yes)
            return;
        m_view.switchKey(code, true);
    }
    m_view.showKeyPicture(code, KeyLook::BeingLearned);
    m_view.setStatusText(
        shown(QT_TRANSLATE_NOOP("qmv::LearningController", "准备学习%1按键， 请发码"), {labelOf(code)}));
    m_view.setHintVisible(false);
    m_view.setLearningAnimationPlaying(true);
    m_pendingKey = code;
    // A capture cancelled by a stop may still be ending; the key gets its own once it has.
    if (!m_capture)
        startCapture();
}

// ---- Learning mode and the capture.

void LearningController::beginstudyibtnClick()
{
    if (m_state.deleteState) {
        m_dialogs.messageBox(shown(stopDeletingToLearn), hintCaption, Buttons::Ok);
        return;
    }
    m_state.studyState = !m_state.studyState;
    if (m_state.studyState) {
        m_view.switchBeginStudyButton(false);
        m_view.setHintPicture(HintPicture::Learning);
        m_view.setStatusText(shown(chooseKeyToLearn));
        showOnlyPanel(InstructionPanel::Learning);
        return;
    }

    m_view.setLearningAnimationPlaying(false);
    m_view.setHintVisible(true);
    m_view.setHintPicture(HintPicture::Idle);
    m_view.setStatusText({});
    showIdlePanels();
    if (m_pendingKey) {
        m_view.showKeyPicture(*m_pendingKey, KeyLook::NotLearned);
        // A learned key left waiting is marked off; the refresh below repaints it.
        if (learnedInAnyArea(*m_pendingKey))
            m_view.switchKey(*m_pendingKey, false);
        m_pendingKey.reset();
    }
    RefreshKeyPictures();
    m_view.switchBeginStudyButton(true);
    if (m_capture)
        m_capture->requestStop();
}

void LearningController::startCapture()
{
    const std::uint64_t serial = ++m_captureSerial;
    const std::weak_ptr<int> alive = m_alive;
    m_capture = std::make_unique<TCollectCode>(
        m_services.capture, [this, alive, serial, post = m_services.postToUi](CaptureResult collected) {
            post([this, alive, serial, collected = std::move(collected)] {
                if (alive.lock())
                    CollectFinished(serial, collected);
            });
        });
}

void LearningController::CollectFinished(std::uint64_t serial, const CaptureResult& collected)
{
    if (!m_capture || serial != m_captureSerial)
        return;
    m_capture->waitUntilEnded();
    const bool cancelled = m_capture->stopRequested();
    m_capture.reset();

    if (cancelled) {
        // The stop released the key this capture was for; a key clicked since waits for its own.
        if (m_pendingKey && m_state.studyState)
            startCapture();
        return;
    }
    if (collected.code.empty()) {
        CollectFailed(captureFailure(collected.end));
        return;
    }
    if (!m_pendingKey)
        return;
    finishLearnedKey(*m_pendingKey, collected.code);
}

void LearningController::finishLearnedKey(const std::string& code, const std::string& collectedCode)
{
    const std::string label = labelOf(code);
    m_view.setStatusText(shown(QT_TRANSLATE_NOOP("qmv::LearningController", "%1键正在学习！"), {label}));
    m_view.repaintStatus();

    std::string converted;
    try {
        std::string encoded;
        converted = m_services.convert(collectedCode, &encoded);
        m_view.appendDiagnostic(encoded);
        if (!converted.empty())
            m_view.appendDiagnostic(converted);
    } catch (const std::exception&) {
        CollectFailed(conversionFailure());
        return;
    }
    if (converted.empty()) {
        m_dialogs.messageBox(shown(learningFailed), hintCaption, Buttons::Ok);
        CollectFailed(conversionFailure());
        return;
    }
    m_view.appendDiagnostic(converted);

    if (const StoreResult stored = m_image.StoreLearnedKey(code, converted, m_state.curArea);
        stored != StoreResult::Stored) {
        CollectFailed(storeFailure(stored, m_image));
        return;
    }
    m_failures.erase({m_state.curArea, code});
    m_view.showKeyPicture(code, KeyLook::Learned);
    // The key's look and the status line say it too; whoever learns a whole remote can turn it off.
    if (m_state.receivedNotice)
        m_dialogs.messageBox(shown(codeReceived), hintCaption, Buttons::Ok);
    m_view.setLearningAnimationPlaying(false);
    m_view.setHintVisible(true);
    m_view.setHintPicture(HintPicture::Idle);
    m_view.setStatusText(shown(QT_TRANSLATE_NOOP("qmv::LearningController", "%1键学习成功！"), {label}));
    m_view.repaintStatus();
    m_pendingKey.reset();
    m_view.setDeleteButtonsAvailable(true);
}

void LearningController::CollectFailed(const std::string& reason)
{
    if (!m_pendingKey)
        return;
    m_view.setLearningAnimationPlaying(false);
    m_view.setHintVisible(true);
    m_view.setHintPicture(HintPicture::Learning);
    m_view.setStatusText(shown(chooseKeyAgain));
    m_failures[{m_state.curArea, *m_pendingKey}] = {std::chrono::system_clock::now(), reason};
    m_dialogs.plainMessage(shown(learningFailed));
    m_view.repaintStatus();
    m_view.showKeyPicture(*m_pendingKey, KeyLook::NotLearned);
    m_pendingKey.reset();
    RefreshKeyPictures();
}

void LearningController::leaveCurrentMode()
{
    if (m_state.studyState)
        beginstudyibtnClick();
    else if (m_state.deleteState)
        IBtn78Click();
}

// ---- Deleting and clearing.

void LearningController::IBtn78Click()
{
    if (m_state.studyState) {
        m_dialogs.messageBox(shown(stopLearningToDelete), hintCaption, Buttons::Ok);
        return;
    }
    m_state.deleteState = !m_state.deleteState;
    if (!m_state.deleteState) {
        m_view.setStatusText({});
        m_view.setDeleteButtonLook(DeleteButtonLook::Delete);
        showIdlePanels();
        return;
    }
    // The panel of the empty area stays as it was: the delete panel lies under it.
    m_view.setPanelVisible(InstructionPanel::Deleting, true);
    m_view.setPanelVisible(InstructionPanel::HasKeys, false);
    m_view.setPanelVisible(InstructionPanel::Learning, false);
    m_view.setStatusText(shown(chooseKeyToDelete));
    m_view.setDeleteButtonLook(DeleteButtonLook::StopDelete);
}

void LearningController::delallstudykeyClick()
{
    if (m_state.studyState) {
        m_dialogs.messageBox(shown(stopLearningToClear), hintCaption, Buttons::Ok);
        return;
    }
    if (m_state.deleteState) {
        m_dialogs.messageBox(shown(stopDeletingToClear), hintCaption, Buttons::Ok);
        return;
    }
    if (!AreaHasLearnedKeys()) {
        m_dialogs.messageBox(shown(nothingToClear), hintCaption, Buttons::Ok);
        return;
    }
    if (m_dialogs.messageBox(shown(confirmClear), hintCaption, Buttons::YesNo) != Reply::Yes)
        return;

    std::set<std::string> learnedKeys;
    for (const std::string& entry : m_image.keystatelist())
        if (stateOf(entry).learned())
            learnedKeys.insert(codeOf(entry));
    const std::optional<int> failures = m_image.ClearArea(m_state.curArea);
    if (!failures) {
        m_dialogs.messageBox(m_image.refusal() + "\n" + areaLine(), hintCaption, Buttons::Ok);
        return;
    }
    for (const std::string& code : learnedKeys) {
        m_view.switchKey(code, true);
        m_view.showKeyPicture(code, KeyLook::NotLearned);
    }
    // Every key shows what it now holds in this area: keys whose clearing write failed keep their
    // codes, and a key learned elsewhere but holding a code from another remote here keeps that look.
    RefreshKeyPictures();

    const std::string outcome = *failures == 0 ? shown(clearDone) : clearIncomplete(*failures);
    m_view.setStatusText(outcome);
    // A clear that did not complete also names the area the user has to clear again.
    m_dialogs.messageBox(*failures == 0 ? outcome : outcome + "\n" + areaLine(), hintCaption, Buttons::Ok);
    m_view.repaintStatus();
    UpdateDeleteButtons();
    showIdlePanels();
}

} // namespace qmv
