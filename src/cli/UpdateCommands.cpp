#include "UpdateCommands.h"

#include "HttpClient.h"
#include "LibraryName.h"
#include "PendingList.h"
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

enum ExitCode { Success = 0, ListFailed = 1, LibraryFailed = 2 };

struct UpdateOptions
{
    std::string folder;
    std::string server;
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

const char* describe(LibraryOutcome outcome)
{
    switch (outcome) {
    case LibraryOutcome::Installed:
        return "";
    case LibraryOutcome::Refused:
        return "name refused";
    case LibraryOutcome::NotWritable:
        return "download file not writable";
    case LibraryOutcome::WrongSize:
        return "size differs from the list";
    case LibraryOutcome::WrongChecksum:
        return "SHA-256 differs from the list";
    case LibraryOutcome::InstallFailed:
        return "could not be installed";
    }
    return "";
}

class HeadlessUpdate
{
public:
    explicit HeadlessUpdate(const UpdateOptions& options)
        : m_folder(options.folder.empty() ? QCoreApplication::applicationDirPath()
                                          : QString::fromStdString(options.folder))
        , m_server(QString::fromStdString(options.server))
    {
    }

    int list()
    {
        const std::optional<PendingListResult> pending = findPending();
        if (!pending)
            return ListFailed;
        printPending(*pending);
        return Success;
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
        QObject::connect(&fetch, &UpdateListFetch::finished, &loop, &QEventLoop::quit);
        const QUrl url = UpdateSettings::load(m_folder).listUrl();
        fetch.start(url);
        loop.exec();
        if (!fetch.list()) {
            std::cerr << updatetext::fetchFailed << " (" << utf8(url.toString()) << ")\n";
            return std::nullopt;
        }
        const UpdateList& list = *fetch.list();
        if (list.servers().isEmpty()) {
            std::cerr << updatetext::noServer << '\n';
            return std::nullopt;
        }
        const QString name = m_server.isEmpty() ? list.servers().first().name : m_server;
        m_serverUrl = list.serverUrl(name);
        std::cout << "server: " << utf8(name) << " " << utf8(m_serverUrl) << '\n';
        PendingListResult pending = findPendingLibraries(list, m_folder, QLocale());
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
                      << (library.refused ? updatetext::stateFailed : updatetext::statePending) << '\n';
        }
    }

    int run(const QList<PendingLibrary>& libraries)
    {
        UpdateRun run(m_folder, m_client);
        QEventLoop loop;
        int exitCode = Success;
        bool downloaded = false;
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
        QObject::connect(&run, &UpdateRun::libraryFinished,
                         [&](int index, LibraryOutcome outcome, const QString& detail) {
                             const bool installed = outcome == LibraryOutcome::Installed;
                             std::cout << utf8(libraries[index].name) << '\t'
                                       << (installed ? updatetext::stateDone : updatetext::stateFailed);
                             if (!installed) {
                                 exitCode = LibraryFailed;
                                 std::cout << '\t' << describe(outcome);
                                 if (!detail.isEmpty())
                                     std::cout << ": " << utf8(detail);
                             }
                             std::cout << '\n';
                         });
        QObject::connect(&run, &UpdateRun::finished, [&](bool anyDownloaded) {
            downloaded = anyDownloaded;
            loop.quit();
        });
        run.start(m_serverUrl, libraries);
        loop.exec();
        if (downloaded)
            std::cout << updatetext::restartNeeded << '\n';
        return exitCode;
    }

    QString m_folder;
    QString m_server;
    QString m_serverUrl;
    HttpClient m_client;
};

void addFolderOption(CLI::App& command, UpdateOptions& options)
{
    command.add_option("--folder", options.folder,
                       "The program's folder (default: the folder of qmv718-cli)");
}

} // namespace

void addUpdateCommands(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<UpdateOptions>();
    CLI::App* update = app.add_subcommand("update", "Update the program's libraries from the update host");
    update->require_subcommand(1);

    CLI::App* list =
        update->add_subcommand("list", "List the installed libraries older than the update list's");
    addFolderOption(*list, *options);
    list->add_option("--server", options->server, "The server to take (default: the list's first)");
    list->callback([options, &exitCode] {
        const auto application = ensureApplication();
        exitCode = HeadlessUpdate(*options).list();
    });

    CLI::App* install = update->add_subcommand("install", "Download, check and install the newer libraries");
    addFolderOption(*install, *options);
    install->add_option("--server", options->server,
                        "The server to download from (default: the list's first)");
    install->callback([options, &exitCode] {
        const auto application = ensureApplication();
        exitCode = HeadlessUpdate(*options).install();
    });
}

} // namespace qmv::cli
