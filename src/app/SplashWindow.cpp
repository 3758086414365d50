#include "SplashWindow.h"

#include "PictureLibrary.h"
#include "PictureNames.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScreen>

namespace qmv {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    ensureFormPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QCoreApplication::translate("qmv::SplashWindow", "启动界面"));
    setFixedSize(462, 258);
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(rect());
    picture->setScaledContents(true);
    picture->setPixmap(scaledPicture(QString::fromUtf8(pictures::form::splash)));
}

} // namespace qmv
