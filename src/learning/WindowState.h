#pragma once

namespace qmv {

// The main window's mode flags and progress, in one place for the window and the controller
// that drives it. Plain data, so the rules of the modes can be built and run without widgets.
struct MainWindowState
{
    bool startFailed = false;   // start-up could not identify the remote: close on show
    bool closing = false;       // a close has been agreed; the link watcher must not ask again
    bool studyState = false;    // learning mode
    bool deleteState = false;   // single-key delete mode
    int curArea = 0;            // 0 TV, 1 CBL, 2 DVD, 3 AMP
    bool receivedNotice = true; // the "已接收到遥控器编码！" box after each learned key
};

} // namespace qmv
