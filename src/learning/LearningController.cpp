#include "LearningController.h"

#include "Dialogs.h"
#include "Keypad.h"
#include "MemoryImage.h"

#include <array>
#include <exception>
#include <initializer_list>
#include <set>

namespace qmv {

namespace {

constexpr std::array<const char*, areaCount> areaTexts{
    "您现在是在 电视/TV 里进行自学习！",
    "您现在是在 机顶盒/CBL 里进行自学习！",
    "您现在是在 影碟机/DVD 里进行自学习！",
    "您现在是在 AMP 里进行自学习！",
};

// The areas as the messages name them.
constexpr std::array<const char*, areaCount> areaCaptions{"电视/TV", "机顶盒/CBL", "影碟机/DVD", "AMP"};

constexpr const char* chooseKeyToLearn = "请在左面遥控器上点击待学习的按键！";
constexpr const char* chooseKeyToDelete = "请在左面遥控器上选择待删除的按键！";
constexpr const char* startLearningFirst = "请先点击开始学习按钮！";
constexpr const char* stopDeletingToLearn = "现在在删除状态，要学习请先停止删除！";
constexpr const char* stopLearningToDelete = "现在正在学习状态，要删除请先停止学习！";
constexpr const char* stopLearningToClear =
    "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！";
constexpr const char* stopDeletingToClear =
    "现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！";
constexpr const char* nothingToClear = "没有可清空的按键的编码！";
constexpr const char* confirmClear = "你确实要清空所有自学习过的按键的编码吗？";
constexpr const char* clearDone = "清空操作完成！";
constexpr const char* noKeysToDelete = "该键还没有自学习过，无法删除！";
constexpr const char* keyNotLearned = "该按键还没有自学习过，无法删除！";
constexpr const char* keyHoldsForeignCode = "该按键的编码不是用本软件学习的，无法删除！";
constexpr const char* confirmDelete = "你确实要删除该自学习按键的编码？";
constexpr const char* deleteFailed = "删除操作失败！";
constexpr const char* deleteDone = "删除操作成功！";
constexpr const char* learningFailed = "学习失败！";
constexpr const char* chooseKeyAgain = "请重新选择按键进行学习！";
constexpr const char* codeReceived = "已接收到遥控器编码！";

// A clear whose writes did not all succeed: those keys keep their codes and say so.
std::string clearIncomplete(int failures)
{
    return "清空操作未全部完成：" + std::to_string(failures) + "个按键的编码未能清空，请重新清空！";
}

// Why a key could not be learned, as a line of its own.
std::string reasonLine(CaptureEnd end)
{
    switch (end) {
    case CaptureEnd::TimeLimit:
        return "原因：6秒内没有收到原遥控器的编码。";
    case CaptureEnd::CaptureRefused:
        return "原因：遥控器没有进入学习状态。";
    case CaptureEnd::RemoteGone:
        return "原因：遥控器已拔出。";
    case CaptureEnd::Received:
    case CaptureEnd::Stopped:
    case CaptureEnd::Failed:
        break;
    }
    return "原因：与遥控器通讯出错。";
}

constexpr const char* unreadableCode = "原因：收到的编码无法识别。";
constexpr const char* memoryFull = "原因：遥控器的编码存储空间已满。";
constexpr const char* writeFailed = "原因：写入遥控器失败。";

// A message and the lines that say what it is about; the message keeps its first line.
std::string withLines(const std::string& message, std::initializer_list<std::string> lines)
{
    std::string text = message;
    for (const std::string& line : lines)
        if (!line.empty())
            text += "\n" + line;
    return text;
}

// The key's label, as its button carries it in Path.
std::string labelOf(const std::string& code)
{
    for (const KeyDefinition& key : keypad)
        if (key.code == code)
            return std::string(key.label);
    return {};
}

std::string codeOf(const std::string& entry)
{
    return entry.substr(0, 2);
}

char stateOf(const std::string& entry)
{
    return entry.size() > 3 ? entry[3] : '0';
}

KeyLook lookOf(char state)
{
    switch (state) {
    case '2':
        return KeyLook::Learned;
    case '1':
        return KeyLook::Elsewhere;
    default:
        return KeyLook::NotLearned;
    }
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

char LearningController::stateInArea(int row) const
{
    return m_image.keyState(m_image.entryIndex(m_state.curArea, row));
}

bool LearningController::learnedInAnyArea(const std::string& code) const
{
    for (const std::string& entry : m_image.keystatelist())
        if (codeOf(entry) == code && stateOf(entry) == '2')
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
        if (stateInArea(row) == '2')
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

std::string LearningController::keyLine(const std::string& code) const
{
    return "按键：" + labelOf(code) + "（" + areaCaptions[static_cast<std::size_t>(m_state.curArea)] + "）";
}

std::string LearningController::areaLine() const
{
    return std::string("设备：") + areaCaptions[static_cast<std::size_t>(m_state.curArea)];
}

// Idle: the idle hint and the status line naming the current area.
void LearningController::showIdleLook()
{
    m_view.setHintPicture(HintPicture::Idle);
    m_view.setStatusText(areaTexts[static_cast<std::size_t>(m_state.curArea)]);
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
    m_view.setStatusText(areaTexts[static_cast<std::size_t>(area)]);
    RefreshKeyPictures();
    UpdateDeleteButtons();
}

// ---- Keys.

void LearningController::KeyClick(const std::string& code)
{
    if (m_state.deleteState) {
        deleteClickedKey(code);
    } else if (m_pendingKey) {
        const std::string waiting = labelOf(*m_pendingKey) + "按键";
        m_dialogs.messageBox(waiting + "正在学习，要停止" + waiting + ",请点击停止学习按钮", hintCaption,
                             Buttons::Ok);
    } else if (m_state.studyState) {
        learnClickedKey(code);
    } else {
        m_dialogs.messageBox(startLearningFirst, hintCaption, Buttons::Ok);
    }
}

void LearningController::deleteClickedKey(const std::string& code)
{
    m_pendingKey.reset();
    const std::string key = keyLine(code);
    if (m_image.keystatelist().empty()) {
        m_dialogs.messageBox(withLines(noKeysToDelete, {key}), hintCaption, Buttons::Ok);
        return;
    }
    const std::optional<int> row = rowInArea(code);
    const char state = row ? stateInArea(*row) : '0';
    if (state != '2') {
        // A code from elsewhere is there, it just cannot be deleted here.
        m_dialogs.messageBox(withLines(state == '1' ? keyHoldsForeignCode : keyNotLearned, {key}),
                             hintCaption, Buttons::Ok);
        return;
    }
    if (m_dialogs.messageBox(withLines(confirmDelete, {key}), hintCaption, Buttons::YesNo) != Reply::Yes)
        return;
    m_view.switchKey(code, true);
    if (!m_image.ReleaseKeyRecord(m_image.entryIndex(m_state.curArea, *row), code)) {
        // The key keeps its code, its picture and the delete mode: the user can try again.
        m_dialogs.messageBox(withLines(deleteFailed, {key, writeFailed}), hintCaption, Buttons::Ok);
        return;
    }
    m_view.showKeyPicture(code, KeyLook::NotLearned);
    m_dialogs.messageBox(withLines(deleteDone, {key}), hintCaption, Buttons::Ok);
    MarkKeyUnlearned(code);
    if (!AreaHasLearnedKeys()) {
        m_view.setDeleteButtonsAvailable(false);
        m_state.deleteState = false;
        showOnlyPanel(InstructionPanel::NoKeys);
        showIdleLook();
    }
}

void LearningController::learnClickedKey(const std::string& code)
{
    if (const std::optional<int> row = rowInArea(code); row && stateInArea(*row) == '2') {
        if (m_dialogs.messageBox(withLines(labelOf(code) + "键编码已学习过，要重新学习吗？", {areaLine()}),
                                 hintCaption, Buttons::YesNo) != Reply::Yes)
            return;
        m_view.switchKey(code, true);
    }
    m_view.showKeyPicture(code, KeyLook::BeingLearned);
    m_view.setStatusText("准备学习" + labelOf(code) + "按键， 请发码");
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
        m_dialogs.messageBox(stopDeletingToLearn, hintCaption, Buttons::Ok);
        return;
    }
    m_state.studyState = !m_state.studyState;
    if (m_state.studyState) {
        m_view.switchBeginStudyButton(false);
        m_view.setHintPicture(HintPicture::Learning);
        m_view.setStatusText(chooseKeyToLearn);
        showOnlyPanel(InstructionPanel::Learning);
        return;
    }

    m_view.setLearningAnimationPlaying(false);
    m_view.setHintVisible(true);
    showIdleLook();
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
        CollectFailed(reasonLine(collected.end));
        return;
    }
    if (!m_pendingKey)
        return;
    finishLearnedKey(*m_pendingKey, collected.code);
}

void LearningController::finishLearnedKey(const std::string& code, const std::string& collectedCode)
{
    const std::string label = labelOf(code);
    m_view.setStatusText(label + "键正在学习！");
    m_view.repaintStatus();

    std::string converted;
    try {
        std::string encoded;
        converted = m_services.convert(collectedCode, &encoded);
        m_view.appendDiagnostic(encoded);
        if (!converted.empty())
            m_view.appendDiagnostic(converted);
    } catch (const std::exception&) {
        CollectFailed(unreadableCode);
        return;
    }
    if (converted.empty()) {
        m_dialogs.messageBox(learningFailed, hintCaption, Buttons::Ok);
        CollectFailed(unreadableCode);
        return;
    }
    m_view.appendDiagnostic(converted);

    if (const StoreResult stored = m_image.StoreLearnedKey(code, converted, m_state.curArea);
        stored != StoreResult::Stored) {
        CollectFailed(stored == StoreResult::NoFreeSlot ? memoryFull : writeFailed);
        return;
    }
    m_view.showKeyPicture(code, KeyLook::Learned);
    // The key's look and the status line say it too; whoever learns a whole remote can turn it off.
    if (m_state.receivedNotice)
        m_dialogs.messageBox(withLines(codeReceived, {keyLine(code)}), hintCaption, Buttons::Ok);
    m_view.setLearningAnimationPlaying(false);
    m_view.setHintVisible(true);
    // Learning goes on: the hint keeps telling how.
    m_view.setHintPicture(HintPicture::Learning);
    m_view.setStatusText(label + "键学习成功！");
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
    m_view.setStatusText(chooseKeyAgain);
    m_dialogs.plainMessage(withLines(learningFailed, {keyLine(*m_pendingKey), reason}));
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
        m_dialogs.messageBox(stopLearningToDelete, hintCaption, Buttons::Ok);
        return;
    }
    m_state.deleteState = !m_state.deleteState;
    if (!m_state.deleteState) {
        showIdleLook();
        m_view.setDeleteButtonLook(DeleteButtonLook::Delete);
        showIdlePanels();
        return;
    }
    m_view.setHintPicture(HintPicture::Deleting);
    // The panel of the empty area stays as it was: the delete panel lies under it.
    m_view.setPanelVisible(InstructionPanel::Deleting, true);
    m_view.setPanelVisible(InstructionPanel::HasKeys, false);
    m_view.setPanelVisible(InstructionPanel::Learning, false);
    m_view.setStatusText(chooseKeyToDelete);
    m_view.setDeleteButtonLook(DeleteButtonLook::StopDelete);
}

void LearningController::delallstudykeyClick()
{
    if (m_state.studyState) {
        m_dialogs.messageBox(stopLearningToClear, hintCaption, Buttons::Ok);
        return;
    }
    if (m_state.deleteState) {
        m_dialogs.messageBox(stopDeletingToClear, hintCaption, Buttons::Ok);
        return;
    }
    if (!AreaHasLearnedKeys()) {
        m_dialogs.messageBox(withLines(nothingToClear, {areaLine()}), hintCaption, Buttons::Ok);
        return;
    }
    if (m_dialogs.messageBox(withLines(confirmClear, {areaLine()}), hintCaption, Buttons::YesNo) !=
        Reply::Yes)
        return;

    std::set<std::string> learnedKeys;
    for (const std::string& entry : m_image.keystatelist())
        if (stateOf(entry) == '2')
            learnedKeys.insert(codeOf(entry));
    const int failures = m_image.ClearArea(m_state.curArea);
    for (const std::string& code : learnedKeys) {
        m_view.switchKey(code, true);
        m_view.showKeyPicture(code, KeyLook::NotLearned);
    }
    // Every key shows what it now holds in this area: keys whose clearing write failed keep their
    // codes, and a key learned elsewhere but holding a code from another remote here keeps that look.
    RefreshKeyPictures();

    const std::string outcome = failures == 0 ? std::string(clearDone) : clearIncomplete(failures);
    m_view.setStatusText(outcome);
    m_dialogs.messageBox(withLines(outcome, {areaLine()}), hintCaption, Buttons::Ok);
    m_view.repaintStatus();
    UpdateDeleteButtons();
    showIdlePanels();
}

} // namespace qmv
