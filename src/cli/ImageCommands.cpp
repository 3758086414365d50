#include "ImageCommands.h"

#include "BatchStore.h"
#include "ConsoleSession.h"
#include "HexText.h"
#include "ImageReport.h"
#include "MemoryImage.h"
#include "SlotJournal.h"
#include "Text.h"
#include "WriterHold.h"

#include <algorithm>
#include <iostream>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

std::vector<std::string> slotNames(const std::vector<int>& slots)
{
    std::vector<std::string> names;
    names.reserve(slots.size());
    for (const int s : slots)
        names.push_back(hex::byte(s));
    return names;
}

std::vector<std::string> recordNames(const ImageSnapshot& image, const std::vector<int>& records)
{
    std::vector<std::string> names;
    for (const int i : records) {
        const int keys = std::max(1, image.layout.keycount);
        names.push_back(transfer::keyName(i / keys, image.keyCodes.at(static_cast<std::size_t>(i % keys))));
    }
    return names;
}

// Mends what a repair can; the image as it is afterwards, or nothing when the repair stopped.
std::optional<ImageSnapshot> repairTables(const ConsoleSession& session, TableRepair& done)
{
    MemoryImage memory = session.writableImage();
    auto repair = memory.Repair();
    if (!repair) {
        std::cerr << "qmv718-cli: "
                  << (!memory.refusal().empty()
                          ? memory.refusal()
                          : shown(QT_TRANSLATE_NOOP("qmv::cli",
                                                    "写入遥控器失败，修复没有完成；再运行一次 check "
                                                    "--repair 即可从中断处继续")))
                  << '\n';
        return std::nullopt;
    }
    done = std::move(*repair);
    return memory.snapshot();
}

// What is wrong, in the order to mend it: the layout first (nothing else can be trusted before),
// then the tables' agreement, then space taken that nothing names.
int runCheck(bool json, bool repair)
{
    ConsoleSession session;
    if (!session.open(repair ? ConsoleSession::Access::Repair : ConsoleSession::Access::Inspect))
        return 2;
    ImageSnapshot image = session.remote().snapshot;
    std::vector<std::string> violations = session.remote().layoutProblems;
    TableRepair done;
    if (repair) {
        const auto repaired = repairTables(session, done);
        if (!repaired)
            return 2;
        image = *repaired;
        violations = layoutProblems(image);
    }
    for (std::string& violation : checkInvariants(image))
        violations.push_back(std::move(violation));
    const std::vector<int> unnamed = unnamedSlots(image);
    // Slots a killed or failed change noted: the next change gives them back.
    std::vector<int> interrupted;
    for (const int slot : SlotJournal(WriterHold::journalPathFor(session.remote().remoteid)).interrupted())
        if (std::find(unnamed.begin(), unnamed.end(), slot) != unnamed.end())
            interrupted.push_back(slot);
    const std::vector<std::string> cleared = recordNames(image, done.clearedRecords);
    if (json) {
        std::cout << nlohmann::json{{"consistent", violations.empty()},
                                    {"violations", violations},
                                    {"unnamedslots", slotNames(unnamed)},
                                    {"interruptedslots", slotNames(interrupted)},
                                    {"restored", slotNames(done.restoredSlots)},
                                    {"cleared", cleared},
                                    {"reclaimed", slotNames(done.freedSlots)},
                                    {"bitmapunits", done.bitmapUnits}}
                         .dump(2)
                  << '\n';
    } else {
        for (const std::string& slot : slotNames(done.restoredSlots))
            std::cout << "restored: slot " << slot << " (a key names it and its data is untouched)\n";
        for (const std::string& key : cleared)
            std::cout << "cleared: " << key << " (its slot's data cannot be trusted; learn the key again)\n";
        for (const std::string& slot : slotNames(done.freedSlots))
            std::cout << "reclaimed: slot " << slot << '\n';
        if (done.bitmapUnits > 0)
            std::cout << "bitmap: " << done.bitmapUnits << " units corrected\n";
        for (const std::string& violation : violations)
            std::cout << (repair ? "not mended: " : "violation: ") << violation << '\n';
        for (const int slot : unnamed)
            std::cout << "unnamed: slot " << hex::byte(slot) << " is in use but no key names it "
                      << (std::find(interrupted.begin(), interrupted.end(), slot) != interrupted.end()
                              ? "(an interrupted change left it; the next change gives it back)\n"
                              : "(the next learn that needs room, or check --repair, frees it)\n");
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
                    shown(QT_TRANSLATE_NOOP("qmv::cli", "修复互相矛盾的表：释放没有按键使用的编码索引，"
                                                        "恢复或清除指向未占用编码索引的按键，重建位图")));
    check->callback([this, &exitCode] { exitCode = runCheck(m_checkJson, m_checkRepair); });
}

} // namespace qmv::cli
