#include "ImageCommands.h"

#include "ConsoleSession.h"
#include "HexText.h"
#include "ImageReport.h"

#include <iostream>

namespace qmv::cli {

ImageCommands::ImageCommands(CLI::App& app, int& exitCode)
{
    auto* info = app.add_subcommand("info", "Identify the remote and show what each key of each area holds");
    info->add_flag("--json", m_infoJson, "print JSON");
    info->callback([this, &exitCode] {
        ConsoleSession session;
        if (!session.open()) {
            exitCode = 2;
            return;
        }
        const auto report = imageReport(session.remote());
        if (m_infoJson)
            std::cout << report.dump(2) << '\n';
        else
            printImageReport(report, std::cout);
    });

    auto* check = app.add_subcommand("check", "Verify that records, slot table, bitmap and key states agree");
    check->add_flag("--json", m_checkJson, "print JSON");
    check->callback([this, &exitCode] {
        ConsoleSession session;
        if (!session.open()) {
            exitCode = 2;
            return;
        }
        const auto violations = checkInvariants(session.remote().snapshot);
        if (m_checkJson) {
            std::cout << nlohmann::json{{"consistent", violations.empty()}, {"violations", violations}}.dump(2)
                      << '\n';
        } else if (violations.empty()) {
            std::cout << "consistent: records, slot table and bitmap agree\n";
        } else {
            for (const std::string& violation : violations)
                std::cout << "violation: " << violation << '\n';
        }
        if (!violations.empty())
            exitCode = 1;
    });
}

} // namespace qmv::cli
