#include "ImageCommands.h"

#include "ConsoleSession.h"
#include "HexText.h"
#include "ImageReport.h"
#include "MemoryImage.h"
#include "Text.h"

#include <iostream>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

// What is wrong, in the order to mend it: the layout first (nothing else can be trusted before),
// then the tables' agreement, then space taken that nothing names.
int runCheck(bool json, bool repair)
{
    ConsoleSession session;
    if (!session.open(repair ? ConsoleSession::Access::Write : ConsoleSession::Access::Inspect))
        return 2;
    ImageSnapshot image = session.remote().snapshot;
    std::vector<int> reclaimed;
    if (repair) {
        MemoryImage memory(session.link(), image);
        memory.setJournal(session.journal());
        const std::vector<int> unnamed = unnamedSlots(image);
        if (!unnamed.empty() && memory.ReclaimUnnamedSlots() == 0) {
            std::cerr << "qmv718-cli: "
                      << shown(QT_TRANSLATE_NOOP("qmv::cli", "写入遥控器失败，未能释放无人使用的编码索引"))
                      << '\n';
            return 2;
        }
        reclaimed = unnamed;
        image = memory.snapshot();
    }
    std::vector<std::string> violations = session.remote().layoutProblems;
    for (std::string& violation : checkInvariants(image))
        violations.push_back(std::move(violation));
    const std::vector<int> unnamed = unnamedSlots(image);
    const auto slotNames = [](const std::vector<int>& slots) {
        std::vector<std::string> names;
        names.reserve(slots.size());
        for (const int s : slots)
            names.push_back(hex::byte(s));
        return names;
    };
    if (json) {
        std::cout << nlohmann::json{{"consistent", violations.empty()},
                                    {"violations", violations},
                                    {"unnamedslots", slotNames(unnamed)},
                                    {"reclaimed", slotNames(reclaimed)}}
                         .dump(2)
                  << '\n';
    } else {
        for (const std::string& slot : slotNames(reclaimed))
            std::cout << "reclaimed: slot " << slot << '\n';
        for (const std::string& violation : violations)
            std::cout << "violation: " << violation << '\n';
        for (const std::string& slot : slotNames(unnamed))
            std::cout << "unnamed: slot " << slot
                      << " is in use but no key names it (the next learn that needs room, or check --repair, "
                         "frees it)\n";
        if (violations.empty())
            std::cout << "consistent: records, slot table and bitmap agree\n";
    }
    return violations.empty() ? 0 : 1;
}

} // namespace

ImageCommands::ImageCommands(CLI::App& app, int& exitCode)
{
    auto* info = app.add_subcommand(
        "info", shown(QT_TRANSLATE_NOOP("qmv::cli", "识别遥控器，并显示每个设备中每个按键保存的内容")));
    info->add_flag("--json", m_infoJson, shown(QT_TRANSLATE_NOOP("qmv::cli", "以 JSON 输出")));
    info->callback([this, &exitCode] {
        ConsoleSession session;
        if (!session.open()) {
            exitCode = 2;
            return;
        }
        const auto report = imageReport(session.remote(), session.link());
        if (m_infoJson)
            std::cout << report.dump(2) << '\n';
        else
            printImageReport(report, std::cout);
    });

    auto* check = app.add_subcommand(
        "check", shown(QT_TRANSLATE_NOOP("qmv::cli", "检查记录、编码索引表、位图和按键状态是否一致")));
    check->add_flag("--json", m_checkJson, shown(QT_TRANSLATE_NOOP("qmv::cli", "以 JSON 输出")));
    check->add_flag("--repair", m_checkRepair,
                    shown(QT_TRANSLATE_NOOP("qmv::cli", "释放已占用但没有按键使用的编码索引")));
    check->callback([this, &exitCode] { exitCode = runCheck(m_checkJson, m_checkRepair); });
}

} // namespace qmv::cli
