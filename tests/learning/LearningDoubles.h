#pragma once

// Stand-ins for what the learning rules talk to: a screen that remembers what it shows, a
// capture the test feeds by hand, and a user-interface queue the test drains.

#include "LearningView.h"
#include "TCollectCode.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qmv::test {

// The screen as the view was last told to show it.
class FakeView : public LearningView
{
public:
    std::map<std::string, KeyLook> keyLook;
    std::map<std::string, bool> keyOn;
    std::array<bool, 4> tabOn{false, true, true, true};
    bool beginStudyOn = true;
    std::optional<bool> deleteButtonsAvailable;
    DeleteButtonLook deleteLook = DeleteButtonLook::Delete;
    HintPicture hint = HintPicture::Idle;
    bool hintVisible = true;
    std::array<bool, 4> panelVisible{false, false, false, true}; // HasKeys, Learning, Deleting, NoKeys
    std::string status;
    int statusRepaints = 0;
    bool animationPlaying = false;
    std::vector<std::string> memo;
    int keyPictureChanges = 0;

    void showKeyPicture(const std::string& code, KeyLook look) override
    {
        keyLook[code] = look;
        ++keyPictureChanges;
    }
    void switchKey(const std::string& code, bool on) override { keyOn[code] = on; }
    void switchAreaTab(int area, bool on) override { tabOn.at(static_cast<std::size_t>(area)) = on; }
    void switchBeginStudyButton(bool on) override { beginStudyOn = on; }
    void setDeleteButtonsAvailable(bool available) override
    {
        deleteButtonsAvailable = available;
        deleteLook = DeleteButtonLook::Delete;
    }
    void setDeleteButtonLook(DeleteButtonLook look) override { deleteLook = look; }
    void setHintPicture(HintPicture picture) override { hint = picture; }
    void setHintVisible(bool visible) override { hintVisible = visible; }
    void setPanelVisible(InstructionPanel panel, bool visible) override
    {
        panelVisible.at(static_cast<std::size_t>(panel)) = visible;
    }
    void setStatusText(const std::string& text) override { status = text; }
    void repaintStatus() override { ++statusRepaints; }
    void setLearningAnimationPlaying(bool playing) override { animationPlaying = playing; }
    void appendDiagnostic(const std::string& text) override { memo.push_back(text); }

    bool panel(InstructionPanel which) const { return panelVisible.at(static_cast<std::size_t>(which)); }
    // The one instruction panel shown, when exactly one is.
    std::optional<InstructionPanel> onlyPanel() const
    {
        std::optional<InstructionPanel> shown;
        for (std::size_t i = 0; i < panelVisible.size(); ++i)
            if (panelVisible[i]) {
                if (shown)
                    return std::nullopt;
                shown = static_cast<InstructionPanel>(i);
            }
        return shown;
    }
    bool isKeyOn(const std::string& code) const
    {
        const auto found = keyOn.find(code);
        return found == keyOn.end() || found->second;
    }
};

// Calls posted from any thread, run when the test drains them on its own thread.
class UiQueue
{
public:
    void post(std::function<void()> call)
    {
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back(std::move(call));
        }
        m_posted.notify_all();
    }

    // Runs what has been posted so far; false when nothing came within the time.
    bool drain(std::chrono::milliseconds wait = std::chrono::seconds(5))
    {
        std::deque<std::function<void()>> calls;
        {
            std::unique_lock lock(m_mutex);
            if (!m_posted.wait_for(lock, wait, [this] { return !m_calls.empty(); }))
                return false;
            calls.swap(m_calls);
        }
        for (auto& call : calls)
            call();
        return true;
    }

    std::size_t pending() const
    {
        std::lock_guard lock(m_mutex);
        return m_calls.size();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

// Captures that wait until the test hands them a result, or until they are asked to stop.
class ManualCapture
{
public:
    CaptureResult run(const std::atomic<bool>& stopRequested)
    {
        std::unique_lock lock(m_mutex);
        ++m_started;
        m_changed.notify_all();
        while (!m_result) {
            if (stopRequested.load()) {
                ++m_stopped;
                return {{}, CaptureEnd::Stopped};
            }
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        CaptureResult result = *m_result;
        m_result.reset();
        return result;
    }

    // The running (or next) capture returns this code; empty means no code came, for the time
    // limit unless another end is given.
    void finish(const std::string& code, CaptureEnd end = CaptureEnd::TimeLimit)
    {
        std::lock_guard lock(m_mutex);
        m_result = CaptureResult(code, code.empty() ? end : CaptureEnd::Received);
        m_changed.notify_all();
    }

    int started() const
    {
        std::lock_guard lock(m_mutex);
        return m_started;
    }
    int stopped() const
    {
        std::lock_guard lock(m_mutex);
        return m_stopped;
    }
    // Waits until `count` captures have begun running.
    bool waitForStarts(int count)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_started >= count; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<CaptureResult> m_result;
    int m_started = 0;
    int m_stopped = 0;
};

} // namespace qmv::test
