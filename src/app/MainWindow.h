#pragma once

#include "LearningView.h"
#include "PictureLibrary.h"
#include "WindowState.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QCheckBox;
class QLabel;
class QMovie;
class QScrollArea;

namespace qmv {

class Dialogs;
class HelpWindow;
class IBtn;
class KeypadPanel;
class PathOpener;
class RemoteLink;

// The program's one working window (`Tmainkeylearn`): the remote's keypad, the area tabs, the
// command buttons and the status line. It is a view: it shows what it is told through small
// public operations and reports clicks as signals; the rules of learning and deleting live in
// the controller that connects to it. It decides itself only what belongs to the frame: showing
// (pictures, resolution check, the start-up look), closing, help and the update refusals.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int windowWidth = 1016;
    static constexpr int windowHeight = 745;
    static constexpr const char* softwareVersion = "V 2.3";

    MainWindow(RemoteLink& link, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowState& state() { return m_state; }
    const MainWindowState& state() const { return m_state; }

    // Where the picture bundles and the help file lie; the program's own folder by default.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    // What opens the compiled help file for those who have a viewer; the desktop by default.
    void setOpener(PathOpener& opener) { m_opener = &opener; }

    // The help window, once the help has been asked for (the help button or F1).
    HelpWindow* helpWindow() const { return m_help; }

    // The screen message for a display of this size, when it is too narrow for the window.
    static std::optional<QString> resolutionWarning(QSize screen);
    // Where a window showing `face` goes on a screen's available area: wholly on it, centred,
    // and no larger than it (the face then scrolls inside the window).
    static QRect placement(QSize face, const QRect& available);

    // What every control stands on, at its fixed place (it scrolls on a screen too small for it).
    QWidget* face() const { return m_face; }

    // --- The window's parts, for the controller.
    const std::vector<IBtn*>& keyButtons() const;
    IBtn* keyButton(std::string_view code) const;
    IBtn* powerKey(int area) const;
    IBtn* areaTab(int area) const;
    IBtn* beginStudyButton() const { return m_beginStudy; }
    IBtn* deleteKeyButton() const { return m_deleteKey; }
    IBtn* clearAllButton() const { return m_clearAll; }
    // Null until the pictures have been loaded on show, and again after close.
    const WindowPictures* pictures() const { return m_pictures.get(); }

    // --- What the controller changes.
    // The key shows its picture of the set; a key without a picture in the set keeps its own.
    void showKeyPicture(IBtn& key, KeyLook set);
    void setButtonPicture(IBtn& button, NamedPicture picture);
    void setHintPicture(NamedPicture picture);
    void setHintVisible(bool visible);
    void setPanelVisible(InstructionPanel panel, bool visible);
    bool isPanelVisible(InstructionPanel panel) const;
    void setStatusText(const QString& text);
    QString statusText() const;
    // Paints the status line at once, for texts shown just before the window gets busy.
    void repaintStatus();
    // Writes IsEnable only when it changes, the only way the button means to be written.
    static void switchButton(IBtn& button, bool on);
    // The delete and clear buttons: available (normal pictures, enabled) or greyed and disabled.
    void setDeleteButtonsAvailable(bool available);
    // Shows and plays the learning animation in place of the hint, or stops and hides it.
    void setLearningAnimationPlaying(bool playing);
    bool isLearningAnimationPlaying() const;
    // Takes the keypad and the three command buttons away while the remote is missing.
    void setKeypadAvailable(bool available);
    void setRemoteModelText(const QString& text);
    // Whether each learned key is confirmed by the "已接收到遥控器编码！" box; the window's check
    // box shows it and the user changes it there.
    void setReceivedNotice(bool on);
    void setFirmwareVersionText(const QString& text);

signals:
    // Showing has passed the start-up check: the link watcher starts here.
    void showStarted();
    // Showing is done and the window is in its idle start-up look.
    void showFinished();
    // The window has been drawn in that look and its notices (the screen size) have been shown.
    void noticesShown();
    void keyClicked(qmv::IBtn* key);
    void areaClicked(int area);
    void beginStudyClicked();
    void deleteKeyClicked();
    void clearAllClicked();
    void updateRequested();
    // A close has been agreed: a running link watcher is asked to end.
    void closingStarted();
    // Escape on the window itself (a box takes its own): leave learning or deleting.
    void escapePressed();
    // The user turned the received box on or off.
    void receivedNoticeChanged(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setKeyboardOrder();
    void showNoticesOnceDrawn();
    IBtn* addButton(const char* name, QRect geometry, const char* picture,
                    const char* disabledPicture = nullptr);
    QLabel* addLabel(const char* name, QRect geometry);
    QLabel* addPicture(const char* name, QRect geometry, const char* picture = nullptr);
    QLabel* panel(InstructionPanel which) const;

    void formShow();
    bool formCloseQuery();
    void formClose();
    bool loadPictures();
    void checkResolution();
    void showStartLook();
    void helpibtnClick();
    void updateibtnClick();

    RemoteLink& m_link;
    Dialogs& m_dialogs;
    PathOpener* m_opener;
    QString m_programFolder;
    MainWindowState m_state;
    std::unique_ptr<WindowPictures> m_pictures;
    bool m_noticesPending = false;

    QScrollArea* m_scroller = nullptr;
    QWidget* m_face = nullptr; // every control stands on it, at its fixed place
    KeypadPanel* m_keypad = nullptr;
    std::vector<IBtn*> m_areaTabs;
    IBtn* m_beginStudy = nullptr;
    IBtn* m_deleteKey = nullptr;
    IBtn* m_clearAll = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_storeLabel = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_animation = nullptr;
    QMovie* m_movie = nullptr;
    std::vector<QLabel*> m_panels;
    QCheckBox* m_receivedNotice = nullptr;
    QLabel* m_model = nullptr;
    QLabel* m_softwareVersion = nullptr;
    QLabel* m_firmwareVersion = nullptr;
    HelpWindow* m_help = nullptr;
};

} // namespace qmv
