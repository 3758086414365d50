#pragma once

#include "CodeConverter.h"
#include "LearningController.h"
#include "LearningView.h"
#include "MemoryImage.h"

#include <QLoggingCategory>
#include <QObject>

#include <memory>
#include <string>

namespace qmv {

class Dialogs;
class MainWindow;
class RemoteLink;
struct ImageSnapshot;

Q_DECLARE_LOGGING_CATEGORY(learningMemo)

// The learning controller's view: the main window's keys, buttons, pictures and status line.
// The diagnostic memo is the log category "qmv718.learning.memo", off unless enabled
// (QT_LOGGING_RULES="qmv718.learning.memo.debug=true").
class MainWindowView : public LearningView
{
public:
    explicit MainWindowView(MainWindow& window);

    void showKeyPicture(const std::string& code, KeyLook look) override;
    void switchKey(const std::string& code, bool on) override;
    void switchAreaTab(int area, bool on) override;
    void switchBeginStudyButton(bool on) override;
    void setDeleteButtonsAvailable(bool available) override;
    void setDeleteButtonLook(DeleteButtonLook look) override;
    void setHintPicture(HintPicture picture) override;
    void setHintVisible(bool visible) override;
    void setPanelVisible(InstructionPanel panel, bool visible) override;
    void setStatusText(const std::string& text) override;
    void repaintStatus() override;
    void setLearningAnimationPlaying(bool playing) override;
    void appendDiagnostic(const std::string& text) override;

private:
    MainWindow& m_window;
};

// The learning workflow put into a window once the remote has been loaded: the memory image of
// the remote, the code converter from `converterFolder`, the controller with its view, and the
// window's clicks connected to it. Captures run on their own thread against `link` and come back
// through the window's event queue.
class LearningSession
{
public:
    LearningSession(MainWindow& window, const RemoteLink& link, Dialogs& dialogs,
                    const ImageSnapshot& snapshot, const std::string& converterFolder);
    ~LearningSession();
    LearningSession(const LearningSession&) = delete;
    LearningSession& operator=(const LearningSession&) = delete;

    LearningController& controller() { return *m_controller; }
    const MemoryImage& image() const { return m_image; }
    // For storing codes from outside the capture (files, backups); the controller is refreshed after.
    MemoryImage& image() { return m_image; }
    // The converted code of a capture text through the installed converter: the one road to a
    // stored code for captured codes and signals from files alike. `encoded` receives the
    // encoded text, when given.
    std::string convert(const std::string& capture, std::string* encoded = nullptr);

private:
    MemoryImage m_image;
    CodeConverter m_converter;
    MainWindowView m_view;
    QObject m_receiver; // the window's clicks and the captures' ends reach the controller through it
    std::unique_ptr<LearningController> m_controller;
};

} // namespace qmv
