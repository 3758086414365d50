#include "MainWindowView.h"

#include "CaptureLoop.h"
#include "IBtn.h"
#include "MainWindow.h"

#include <QMetaObject>

namespace qmv {

Q_LOGGING_CATEGORY(learningMemo, "qmv718.learning.memo", QtWarningMsg)

MainWindowView::MainWindowView(MainWindow& window)
    : m_window(window)
{
}

void MainWindowView::showKeyPicture(const std::string& code, KeyLook look)
{
    if (IBtn* key = m_window.keyButton(code))
        m_window.showKeyPicture(*key, look);
}

void MainWindowView::switchKey(const std::string& code, bool on)
{
    if (IBtn* key = m_window.keyButton(code))
        MainWindow::switchButton(*key, on);
}

void MainWindowView::switchAreaTab(int area, bool on)
{
    if (IBtn* tab = m_window.areaTab(area))
        MainWindow::switchButton(*tab, on);
}

void MainWindowView::switchBeginStudyButton(bool on)
{
    MainWindow::switchButton(*m_window.beginStudyButton(), on);
}

void MainWindowView::setDeleteButtonsAvailable(bool available)
{
    m_window.setDeleteButtonsAvailable(available);
}

void MainWindowView::setDeleteButtonLook(DeleteButtonLook look)
{
    m_window.setButtonPicture(*m_window.deleteKeyButton(), look == DeleteButtonLook::StopDelete
                                                               ? NamedPicture::StopDelete
                                                               : NamedPicture::Delete);
}

void MainWindowView::setHintPicture(HintPicture picture)
{
    switch (picture) {
    case HintPicture::Learning:
        m_window.setHintPicture(NamedPicture::LearningHint);
        return;
    case HintPicture::Idle:
        break;
    }
    m_window.setHintPicture(NamedPicture::IdleHint);
}

void MainWindowView::setHintVisible(bool visible)
{
    m_window.setHintVisible(visible);
}

void MainWindowView::setPanelVisible(InstructionPanel panel, bool visible)
{
    m_window.setPanelVisible(panel, visible);
}

void MainWindowView::setStatusText(const std::string& text)
{
    m_window.setStatusText(QString::fromStdString(text));
}

void MainWindowView::repaintStatus()
{
    m_window.repaintStatus();
}

void MainWindowView::setLearningAnimationPlaying(bool playing)
{
    m_window.setLearningAnimationPlaying(playing);
}

void MainWindowView::appendDiagnostic(const std::string& text)
{
    qCDebug(learningMemo).noquote() << QString::fromStdString(text);
}

LearningSession::LearningSession(MainWindow& window, const RemoteLink& link, Dialogs& dialogs,
                                 const ImageSnapshot& snapshot, const std::string& converterFolder)
    : m_image(link, snapshot)
    , m_converter(converterFolder)
    , m_view(window)
{
    LearningServices services;
    services.capture = [&link](const std::atomic<bool>& stopRequested) {
        return CaptureLoop(link).run(stopRequested);
    };
    services.convert = [this](const std::string& capture, std::string* encoded) {
        return convert(capture, encoded);
    };
    // The window's event queue carries a capture's end over to the user-interface thread.
    services.postToUi = [receiver = &m_receiver](std::function<void()> call) {
        QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
    };
    m_controller =
        std::make_unique<LearningController>(window.state(), m_image, m_view, dialogs, std::move(services));

    LearningController& rules = *m_controller;
    QObject::connect(&window, &MainWindow::showFinished, &m_receiver, [&rules] { rules.ShowStartState(); });
    QObject::connect(&window, &MainWindow::areaClicked, &m_receiver,
                     [&rules](int area) { rules.SelectArea(area); });
    QObject::connect(&window, &MainWindow::keyClicked, &m_receiver,
                     [&rules](IBtn* key) { rules.KeyClick(key->code().toStdString()); });
    QObject::connect(&window, &MainWindow::beginStudyClicked, &m_receiver,
                     [&rules] { rules.beginstudyibtnClick(); });
    QObject::connect(&window, &MainWindow::deleteKeyClicked, &m_receiver, [&rules] { rules.IBtn78Click(); });
    QObject::connect(&window, &MainWindow::clearAllClicked, &m_receiver,
                     [&rules] { rules.delallstudykeyClick(); });
    QObject::connect(&window, &MainWindow::escapePressed, &m_receiver,
                     [&rules] { rules.leaveCurrentMode(); });
}

std::string LearningSession::convert(const std::string& capture, std::string* encoded)
{
    return convertCapture(m_converter, capture, encoded);
}

// The controller goes first, waiting for a running capture; the receiver then takes the
// connections and any capture end still queued with it.
LearningSession::~LearningSession()
{
    m_controller.reset();
}

} // namespace qmv
