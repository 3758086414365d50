// qmv718-cli: the learning tool's companion for scripts and terminals. It works on the same
// core as the window, so the two can never disagree about the remote.
#include "CodeCommands.h"
#include "ImageCommands.h"
#include "LearningCommands.h"
#include "RemoteCommands.h"
#include "TransferCommands.h"
#if defined(QMV718_UPDATE_COMMANDS)
#include "UpdateCommands.h"
#endif

#include <CLI/CLI.hpp>

int main(int argc, char** argv)
{
    CLI::App app{"QMV-718 learning tool, command line"};
    app.require_subcommand(1);
    // Arguments mean the same everywhere: on Windows a path such as /data/code.txt stays a path
    // instead of being taken for a "/option".
    app.allow_windows_style_options(false);
    int exitCode = 0;

    qmv::cli::RemoteCommands remote(app, exitCode);
    qmv::cli::ImageCommands image(app, exitCode);
    qmv::cli::CodeCommands codes(app, exitCode);
    qmv::cli::LearningCommands learning(app, exitCode);
    qmv::cli::TransferCommands transfer(app, exitCode);
#if defined(QMV718_UPDATE_COMMANDS)
    qmv::cli::addUpdateCommands(app, exitCode);
#endif

    CLI11_PARSE(app, argc, argv);
    return exitCode;
}
