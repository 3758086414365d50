#pragma once

#include <QWidget>

namespace qmv {

// The borderless picture shown while the program starts and looks for the remote.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

} // namespace qmv
