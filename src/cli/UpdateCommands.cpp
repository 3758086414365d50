#include "UpdateCommands.h"

#include "ContentCheck.h"
#include "FolderAccess.h"
#include "HttpClient.h"
#include "LibraryName.h"
#include "LibraryRollback.h"
#include "ListDateTime.h"
#include "PendingList.h"
#include "Text.h"
#include "UpdateListFetch.h"
#include "UpdateRun.h"
#include "UpdateSettings.h"
#include "UpdateTexts.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QEventLoop>

#include <iostream>
#include <memory>
#include <optional>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

enum ExitCode { Success = 0, ListFailed = 1, LibraryFailed = 2, FolderNotWritable = 3 };

struct UpdateOptions
{
    std::string folder;
    std::string server;
    std::string library;
};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// The commands may be the first thing in the process that needs Qt's event loop.
std::unique_ptr<QCoreApplication> ensureApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    static int argc = 1;
    static char name[] = "qmv718-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

// "<tag>: <reason and detail>", the tag fixed English for scripts.
std::string failureText(const Failure& failure)
{
    return std::string(reasonKey(failure.reason)) + ": " + utf8(describe(failure));
}

class HeadlessUpdate
{
public:
    explicit HeadlessUpdate(const UpdateOptions& options)
        : m_folder(options.folder.empty() ? QCoreApplication::applicationDirPath()
                                          : QString::fromStdString(options.folder))
        , m_server(QString::fromStdString(options.server))
        , m_library(QString::fromStdString(options.library))
        , m_settings(UpdateSettings::load(m_folder))
    {
        m_client.setLimits(m_settings.limits);
    }

    // A folder the update cannot write is said at once, with what to do instead.
    bool folderWritable() const
    {
        const Failure access = checkFolderWritable(m_folder);
        if (access.failed())
            std::cerr << utf8(folderNotWritableMessage(access)) << '\n';
        return !access.failed();
    }

    int list()
    {
        const std::optional<PendingListResult> pending = findPending();
        if (!pending)
            return ListFailed;
        printPending(*pending);
        return Success;
    }

    int rollback()
    {
        ContentCheck check;
        const LibraryRollback rollback(m_folder, check);
        const QStringList names = m_library.isEmpty() ? rollback.available() : QStringList{m_library};
        if (names.isEmpty()) {
            std::cout << updatetext::shown(updatetext::rollbackNone) << '\n';
            return Success;
        }
        int exitCode = Success;
        for (const QString& name : names) {
            const Failure failure = rollback.restore(name);
            if (failure.failed()) {
                exitCode = LibraryFailed;
                std::cout << utf8(name) << '\t' << updatetext::shown(updatetext::stateFailed) << '\t'
                          << failureText(failure) << '\n';
            } else {
                std::cout
                    << utf8(QString::fromStdString(updatetext::shown(updatetext::rollbackDone)).arg(name))
                    << '\n';
            }
        }
        if (exitCode == Success)
            std::cout << updatetext::shown(updatetext::restartNeeded) << '\n';
        return exitCode;
    }

    int install()
    {
        const std::optional<PendingListResult> pending = findPending();
        if (!pending)
            return ListFailed;
        printPending(*pending);
        if (!pending->hasDownloads())
            return pending->libraries.isEmpty() ? Success : LibraryFailed;
        return run(pending->libraries);
    }

private:
    std::optional<PendingListResult> findPending()
    {
        UpdateListFetch fetch(m_folder, m_client);
        QEventLoop loop;
        Failure fetchFailure;
        QObject::connect(&fetch, &UpdateListFetch::finished, &loop, [&](const Failure& failure) {
            fetchFailure = failure;
            loop.quit();
        });
        const QUrl url = m_settings.listUrl();
        fetch.start(url);
        loop.exec();
        if (fetchFailure.failed()) {
            std::cerr << updatetext::shown(updatetext::fetchFailed) << " (" << utf8(url.toString()) << ")\n"
                      << failureText(fetchFailure) << '\n';
            return std::nullopt;
        }
        const UpdateList& list = *fetch.list();
        if (list.servers().isEmpty()) {
            std::cerr << updatetext::shown(updatetext::noServer) << '\n';
            return std::nullopt;
        }
        const QString name = m_server.isEmpty() ? list.servers().first().name : m_server;
        m_serverUrl = list.serverUrl(name);
        std::cout << "server: " << utf8(name) << " " << utf8(m_serverUrl) << '\n';
        PendingListResult pending = findPendingLibraries(list, m_folder, listDateLocale());
        if (!pending.error.isEmpty()) {
            std::cerr << utf8(pending.error) << '\n';
            return std::nullopt;
        }
        return pending;
    }

    static void printPending(const PendingListResult& pending)
    {
        for (const PendingLibrary& library : pending.libraries) {
            std::cout << utf8(library.name) << '\t'
                      << (library.refused ? updatetext::shown(updatetext::stateFailed)
                                          : updatetext::shown(updatetext::statePending))
                      << '\n';
        }
    }

    int run(const QList<PendingLibrary>& libraries)
    {
        ContentCheck check;
        UpdateRun run(m_folder, m_client, check);
        QEventLoop loop;
        int exitCode = Success;
        bool installed = false;
        QString current;
        qint64 total = -1;
        QObject::connect(&run, &UpdateRun::libraryStarted, [&](int index) {
            current = libraryFileName(libraries[index].name);
            total = -1;
        });
        QObject::connect(&m_client, &HttpClient::transferBegun, [&](qint64 expected) { total = expected; });
        QObject::connect(&m_client, &HttpClient::transferProgress, [&](qint64 received) {
            std::cerr << '\r' << utf8(current) << ": " << received;
            if (total > 0)
                std::cerr << " / " << total;
            std::cerr << std::flush;
        });
        QObject::connect(&m_client, &HttpClient::transferEnded, [] { std::cerr << '\n'; });
        QObject::connect(&run, &UpdateRun::libraryFinished, [&](int index, const Failure& failure) {
            std::cout << utf8(libraries[index].name) << '\t'
                      << (failure.failed() ? updatetext::shown(updatetext::stateFailed)
                                           : updatetext::shown(updatetext::stateDone));
            if (failure.failed()) {
                exitCode = LibraryFailed;
                std::cout << '\t' << failureText(failure);
            }
            std::cout << '\n';
        });
        QObject::connect(&run, &UpdateRun::finished, [&](bool anyInstalled) {
            installed = anyInstalled;
            loop.quit();
        });
        run.start(m_serverUrl, libraries);
        loop.exec();
        if (installed)
            std::cout << updatetext::shown(updatetext::restartNeeded) << '\n';
        return exitCode;
    }

    QString m_folder;
    QString m_server;
    QString m_library;
    UpdateSettings m_settings;
    QString m_serverUrl;
    HttpClient m_client;
};

void addFolderOption(CLI::App& command, UpdateOptions& options)
{
    command.add_option(
        "--folder", options.folder,
        shown(QT_TRANSLATE_NOOP("qmv::cli", "程序所在的文件夹（默认为 qmv718-cli 所在的文件夹）")));
}

int runUpdate(const UpdateOptions& options, int (HeadlessUpdate::*command)())
{
    const auto application = ensureApplication();
    HeadlessUpdate update(options);
    if (!update.folderWritable())
        return FolderNotWritable;
    return (update.*command)();
}

} // namespace

void addUpdateCommands(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<UpdateOptions>();
    CLI::App* update =
        app.add_subcommand("update", shown(QT_TRANSLATE_NOOP("qmv::cli", "从升级服务器升级程序的库")));
    update->require_subcommand(1);

    CLI::App* list = update->add_subcommand(
        "list", shown(QT_TRANSLATE_NOOP("qmv::cli", "列出比升级列表中旧的已安装的库")));
    addFolderOption(*list, *options);
    list->add_option("--server", options->server,
                     shown(QT_TRANSLATE_NOOP("qmv::cli", "使用的服务器（默认为列表中的第一个）")));
    list->callback([options, &exitCode] { exitCode = runUpdate(*options, &HeadlessUpdate::list); });

    CLI::App* install =
        update->add_subcommand("install", shown(QT_TRANSLATE_NOOP("qmv::cli", "下载、检查并安装较新的库")));
    addFolderOption(*install, *options);
    install->add_option("--server", options->server,
                        shown(QT_TRANSLATE_NOOP("qmv::cli", "下载用的服务器（默认为列表中的第一个）")));
    install->callback([options, &exitCode] { exitCode = runUpdate(*options, &HeadlessUpdate::install); });

    CLI::App* rollback = update->add_subcommand(
        "rollback", shown(QT_TRANSLATE_NOOP("qmv::cli", "恢复一个库（或每个有备份的库）的上一个完好版本")));
    addFolderOption(*rollback, *options);
    rollback->add_option("NAME", options->library,
                         shown(QT_TRANSLATE_NOOP("qmv::cli", "库的名称，例如 velquon（默认为全部）")));
    rollback->callback([options, &exitCode] { exitCode = runUpdate(*options, &HeadlessUpdate::rollback); });
}

} // namespace qmv::cli
