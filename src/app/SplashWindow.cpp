#include "SplashWindow.h"

#include "PictureLibrary.h"
#include "PictureNames.h"

#include <QCoreApplication>
#include <QLabel>

namespace qmv {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    ensureFormPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QCoreApplication::translate("qmv::SplashWindow", "启动界面"));
    setGeometry(294, 210, 462, 258);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(rect());
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QString::fromUtf8(pictures::form::splash)));
}

} // namespace qmv
