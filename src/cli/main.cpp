// qmv718-cli: the learning tool's companion for scripts and terminals. It works on the same
// core as the window, so the two can never disagree about the remote.
#include "CodeCommands.h"
#include "HelpTexts.h"
#include "ImageCommands.h"
#include "LearningCommands.h"
#include "RemoteCommands.h"
#include "Text.h"
#include "TransferCommands.h"
#if defined(QMV718_UPDATE_COMMANDS)
#include "UpdateCommands.h"
#endif
#if defined(QMV718_TRANSLATIONS)
#include "CommandLanguage.h"
#endif

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <memory>
#include <string>

namespace {

int runCommandLine(int argc, char** argv)
{
#if defined(QMV718_TRANSLATIONS)
    // The help and the messages are made in the chosen language, so it is chosen first.
    const std::shared_ptr<void> translation = qmv::cli::useCommandLanguage(argc, argv);
#endif
    const qmv::Texts shown{"qmv::cli"};

    CLI::App app{shown(QT_TRANSLATE_NOOP("qmv::cli", "QMV-718 自学习软件，命令行"))};
    app.require_subcommand(1);
    // Arguments mean the same everywhere: on Windows a path such as /data/code.txt stays a path
    // instead of being taken for a "/option".
    app.allow_windows_style_options(false);
    int exitCode = 0;

#if defined(QMV718_TRANSLATIONS)
    std::string language;
    app.add_option(qmv::cli::commandLanguageOption, language,
                   shown(QT_TRANSLATE_NOOP("qmv::cli", "提示和帮助的语言：zh 或 en（默认随系统的语言；也可用 "
                                                       "QMV718_LANG 设定）")));
#endif

    qmv::cli::RemoteCommands remote(app, exitCode);
    qmv::cli::ImageCommands image(app, exitCode);
    qmv::cli::CodeCommands codes(app, exitCode);
    qmv::cli::LearningCommands learning(app, exitCode);
    qmv::cli::TransferCommands transfer(app, exitCode);
#if defined(QMV718_UPDATE_COMMANDS)
    qmv::cli::addUpdateCommands(app, exitCode);
#endif
    qmv::cli::localiseHelp(app);

    CLI11_PARSE(app, argc, argv);
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    // Whatever a command did not foresee (no memory left, a folder that vanished mid-way) still
    // ends with its reason on the terminal and a failure status, never with an abort.
    try {
        return runCommandLine(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "qmv718-cli: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "qmv718-cli: unexpected error\n";
    }
    return 1;
}
