// qmv718-verify FILE: exits with 0 when FILE is what its name says it is; otherwise writes why on
// its standard output and exits with 1. The update runs it on every download before installing it.
#include "LibraryVerifier.h"
#include "Translation.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    // Image plugins (GIF, JPEG) are found through the application.
    QCoreApplication application(argc, argv);
    // The reason is shown to the user by the update, in the language it passes on (QMV718_LANG).
    const std::unique_ptr<qmv::Translation> translation =
        qmv::useProcessLanguage(argc, argv, QCoreApplication::applicationDirPath());
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: qmv718-verify FILE\n", stderr);
        return 2;
    }
    const QString failure = qmv::verifyLibrary(arguments[1]);
    if (failure.isEmpty())
        return 0;
    std::fputs(failure.toUtf8().constData(), stdout);
    return 1;
}
