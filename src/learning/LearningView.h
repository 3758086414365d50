#pragma once

#include <string>

namespace qmv {

// The key pictures, by what the key holds in the current area; the window holds one picture set
// for each, in this order.
enum class KeyLook { NotLearned, Learned, BeingLearned, Elsewhere };
// The hint picture above the instructions, by mode.
enum class HintPicture { Idle, Learning };
// The stacked instruction panels, bottom to top: the area has learned keys, learning, deleting,
// no learned keys.
enum class InstructionPanel { HasKeys, Learning, Deleting, NoKeys };
// The delete button's picture while it is available.
enum class DeleteButtonLook { Delete, StopDelete };

// What the learning rules change on the screen, and nothing more. Keys are named by their key
// code; a code without a key on the keypad changes nothing. Every operation runs on the
// user-interface thread.
class LearningView
{
public:
    virtual ~LearningView() = default;

    virtual void showKeyPicture(const std::string& code, KeyLook look) = 0;
    // A key's IsEnable, written only when it changes (a key switched off shows its DisablePic).
    virtual void switchKey(const std::string& code, bool on) = 0;
    virtual void switchAreaTab(int area, bool on) = 0;
    // Off shows 停止学习 instead of 开始学习.
    virtual void switchBeginStudyButton(bool on) = 0;
    // The delete and clear buttons: enabled with their normal pictures, or greyed and disabled.
    virtual void setDeleteButtonsAvailable(bool available) = 0;
    virtual void setDeleteButtonLook(DeleteButtonLook look) = 0;
    virtual void setHintPicture(HintPicture picture) = 0;
    virtual void setHintVisible(bool visible) = 0;
    virtual void setPanelVisible(InstructionPanel panel, bool visible) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    // Paints the status line at once, before the user-interface thread gets busy.
    virtual void repaintStatus() = 0;
    virtual void setLearningAnimationPlaying(bool playing) = 0;
    // The hidden diagnostic memo: the encoded and converted texts of every received code.
    virtual void appendDiagnostic(const std::string& text) = 0;
};

} // namespace qmv
