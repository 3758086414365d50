#pragma once

#include "KeyState.h"
#include "LearnFailure.h"
#include "LearningView.h"
#include "TCollectCode.h"
#include "WindowState.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace qmv {

class Dialogs;
class MemoryImage;

// What learning needs from outside its rules: the capture itself (run on the capture thread),
// the conversion of a captured code into the text the memory image stores, and the way back
// onto the user-interface thread (callable from any thread).
struct LearningServices
{
    using Convert = std::function<std::string(const std::string& capture, std::string* encoded)>;
    using PostToUi = std::function<void(std::function<void()>)>;

    TCollectCode::Body capture;
    Convert convert;
    PostToUi postToUi;
};

// The rules of the learning window: device areas, what each key shows, learning key after key,
// deleting single keys and clearing an area. It knows no widgets: it changes the screen through
// its view and asks its questions through Dialogs. The mode flags live in the window's state,
// the stored codes in the memory image; the waiting key and the running capture live here.
// Everything but the capture itself runs on the user-interface thread.
class LearningController
{
public:
    LearningController(MainWindowState& state, MemoryImage& image, LearningView& view, Dialogs& dialogs,
                       LearningServices services);
    // A capture still running is asked to stop and waited for; its outcome is dropped.
    ~LearningController();
    LearningController(const LearningController&) = delete;
    LearningController& operator=(const LearningController&) = delete;

    // The window has been shown in its idle look of the TV area: the keys, the delete buttons and
    // the instructions now follow what the remote holds.
    void ShowStartState();

    // The eight area handlers (the tabs and the power keys) all come here.
    void SelectArea(int area);
    // A click on one of the plain keys.
    void KeyClick(const std::string& code);
    // 开始学习 / 停止学习: enters or leaves learning mode.
    void beginstudyibtnClick();
    // The delete-key button: enters or leaves delete mode.
    void IBtn78Click();
    // The clear-area button: deletes every learned key of the current area.
    void delallstudykeyClick();
    // Escape: learning stops as by 停止学习, deleting as by 停止删除; idle, nothing happens.
    void leaveCurrentMode();

    // The question asked before the learned key with this code is learned again, from the remote
    // or from a file.
    static std::string relearnQuestion(const std::string& code);

    void RefreshKeyPictures();
    bool AreaHasLearnedKeys() const;
    void UpdateDeleteButtons();
    void MarkKeyUnlearned(const std::string& code);

    // The key waiting for its code, if any.
    const std::optional<std::string>& pendingKey() const { return m_pendingKey; }
    // When and why the key's last learn in the area failed; nothing once it has been learned
    // there since, or when no learn of it failed.
    std::optional<FailedLearn> lastFailure(int area, const std::string& code) const;
    // A capture has been started and its end has not been handled yet.
    bool captureRunning() const { return m_capture != nullptr; }
    const MainWindowState& state() const { return m_state; }

private:
    void deleteClickedKey(const std::string& code);
    void learnClickedKey(const std::string& code);
    void startCapture();
    void CollectFinished(std::uint64_t serial, const CaptureResult& collected);
    void finishLearnedKey(const std::string& code, const std::string& collectedCode);
    // `reason` says why, for the key's hint.
    void CollectFailed(const std::string& reason);
    void showIdlePanels();
    // The line naming the current area, for a message of our own.
    std::string areaLine() const;
    void showOnlyPanel(InstructionPanel panel);

    // The row of the key in the current area block, exact comparison.
    std::optional<int> rowInArea(const std::string& code) const;
    KeyState stateInArea(int row) const;
    bool learnedInAnyArea(const std::string& code) const;

    MainWindowState& m_state;
    MemoryImage& m_image;
    LearningView& m_view;
    Dialogs& m_dialogs;
    LearningServices m_services;
    std::optional<std::string> m_pendingKey;                       // `pendingkeys`: empty or one key
    std::map<std::pair<int, std::string>, FailedLearn> m_failures; // by area and key code
    // `collectthread`; once asked to stop, its outcome belongs to a key already released.
    std::unique_ptr<TCollectCode> m_capture;
    std::uint64_t m_captureSerial = 0;                       // names the capture an outcome comes from
    std::shared_ptr<int> m_alive = std::make_shared<int>(0); // outcomes posted late find it gone
};

} // namespace qmv
