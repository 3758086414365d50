// qmv718-cli: the learning tool's companion for scripts and terminals. It works on the same
// core as the window, so the two can never disagree about the remote.
#include "CodeCommands.h"
#include "ImageCommands.h"
#include "LearningCommands.h"
#include "RemoteCommands.h"
#include "UpdateCommands.h"

#include <CLI/CLI.hpp>

int main(int argc, char** argv)
{
    CLI::App app{"QMV-718 learning tool, command line"};
    app.require_subcommand(1);
    int exitCode = 0;

    qmv::cli::RemoteCommands remote(app, exitCode);
    qmv::cli::ImageCommands image(app, exitCode);
    qmv::cli::CodeCommands codes(app, exitCode);
    qmv::cli::LearningCommands learning(app, exitCode);
    qmv::cli::addUpdateCommands(app, exitCode);

    CLI11_PARSE(app, argc, argv);
    return exitCode;
}
