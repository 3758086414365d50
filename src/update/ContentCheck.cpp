#include "ContentCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

namespace qmv {

namespace {
// The verifier's reason is a line or two; anything longer is cut.
constexpr qint64 maxAnswer = 4096;
} // namespace

ContentCheck::ContentCheck(QObject* parent)
    : ContentCheck(defaultVerifier(), defaultTimeout, parent)
{
}

ContentCheck::ContentCheck(const QString& verifier, std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent)
    , m_verifier(verifier)
    , m_timeout(timeout)
{
    qRegisterMetaType<qmv::Failure>();
    m_timer.setSingleShot(true);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::finished, this, &ContentCheck::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &ContentCheck::onError);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_stopped = {UpdateFailure::NotALibrary,
                     QCoreApplication::translate("qmv::ContentCheck", "检查超时")};
        m_process.kill();
    });
}

ContentCheck::~ContentCheck()
{
    m_process.disconnect(this);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString ContentCheck::defaultVerifier()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("qmv718-verify"));
}

void ContentCheck::start(const QString& file)
{
    cancel();
    m_stopped = {};
    m_active = true;
    m_timer.start(m_timeout);
    m_process.start(m_verifier, {file});
}

void ContentCheck::cancel()
{
    if (!m_active || m_process.state() == QProcess::NotRunning)
        return;
    m_stopped = {UpdateFailure::Cancelled, {}};
    m_process.kill();
}

Failure ContentCheck::checkNow(const QString& file)
{
    Failure result;
    QEventLoop loop;
    const QMetaObject::Connection done = connect(this, &ContentCheck::finished, &loop, [&](const Failure& f) {
        result = f;
        loop.quit();
    });
    start(file);
    if (m_active)
        loop.exec();
    disconnect(done);
    return result;
}

void ContentCheck::onFinished(int exitCode, QProcess::ExitStatus status)
{
    if (m_stopped.failed()) {
        conclude(m_stopped);
        return;
    }
    const QString answer = QString::fromUtf8(m_process.readAllStandardOutput().left(maxAnswer)).trimmed();
    if (status == QProcess::CrashExit)
        conclude(
            {UpdateFailure::NotALibrary, QCoreApplication::translate("qmv::ContentCheck", "检查时崩溃")});
    else if (exitCode != 0)
        conclude({UpdateFailure::NotALibrary, answer});
    else
        conclude({});
}

void ContentCheck::onError(QProcess::ProcessError error)
{
    // Only a verifier that never ran ends here; the end of one that ran comes through onFinished.
    // It may come from inside start(); the answer still comes from the event loop.
    if (error == QProcess::FailedToStart) {
        const Failure failure{
            UpdateFailure::NotALibrary,
            QCoreApplication::translate("qmv::ContentCheck", "无法运行检查程序 %1").arg(m_verifier)};
        QMetaObject::invokeMethod(
            this, [this, failure] { conclude(failure); }, Qt::QueuedConnection);
    }
}

void ContentCheck::conclude(const Failure& failure)
{
    if (!m_active)
        return;
    m_active = false;
    m_timer.stop();
    emit finished(failure);
}

} // namespace qmv
