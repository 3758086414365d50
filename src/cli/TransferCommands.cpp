#include "TransferCommands.h"

#include "AtomicFile.h"
#include "Backup.h"
#include "CodeConverter.h"
#include "ConsoleSession.h"
#include "DeviceImport.h"
#include "ExportFormats.h"
#include "Keypad.h"
#include "SharedLibrary.h"
#include "StoreFailure.h"
#include "StoredKeys.h"
#include "Text.h"

#include <fstream>
#include <iostream>
#include <memory>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

using namespace transfer;

int failWith(const std::string& message)
{
    std::cerr << "qmv718-cli: " << message << '\n';
    return 1;
}

// The converter installed in the program's folder, the one a captured code goes through.
CaptureConversion installedConversion()
{
    auto converter = std::make_shared<CodeConverter>(programFolder());
    return [converter](const std::string& capture) {
        return convertCapture(*converter, capture);
    };
}

void printList(const std::string& heading, const std::vector<std::string>& names)
{
    if (names.empty())
        return;
    std::cerr << heading;
    for (const std::string& name : names)
        std::cerr << "\n  " << name;
    std::cerr << '\n';
}

// The link calls of one command, counted from the remote's start-up reads on.
class CallReport
{
public:
    explicit CallReport(const ConsoleSession& session)
        : m_session(session)
    {
    }
    ~CallReport() { std::cerr << "link calls: " << m_session.link().callCount() << '\n'; }
    CallReport(const CallReport&) = delete;
    CallReport& operator=(const CallReport&) = delete;

private:
    const ConsoleSession& m_session;
};

std::optional<SignalFile> readFile(const std::string& path)
{
    std::string error;
    const auto text = readSignalFile(path, &error);
    if (!text) {
        failWith(error);
        return std::nullopt;
    }
    SignalFile file = parseSignalFile(*text);
    if (file.rejected) {
        for (const FileProblem& problem : file.problems)
            std::cerr << path << ": " << describeProblem(problem) << '\n';
        failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "文件无法导入，没有写入任何按键")));
        return std::nullopt;
    }
    return file;
}

// Stores the batch after asking about learned keys that would change; --yes is the answer.
int storeConfirmed(MemoryImage& image, const std::vector<StoreItem>& items, bool confirmed)
{
    const auto overwritten = learnedKeysOverwritten(image, items);
    if (!overwritten.empty() && !confirmed) {
        printList(shown(QT_TRANSLATE_NOOP("qmv::cli", "这些按键已学习过，会被覆盖：")), overwritten);
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "没有写入任何按键：确认覆盖请加 --yes")));
    }
    const StoreOutcome outcome = storeAll(image, items);
    if (outcome.refused)
        return failWith(outcome.refusal);
    std::cout << "stored: " << outcome.stored.size() << " keys, unchanged: " << outcome.unchanged.size()
              << '\n';
    printList(shown(QT_TRANSLATE_NOOP("qmv::cli", "写入失败的按键：")), outcome.failed);
    if (!outcome.failed.empty() && !outcome.refusal.empty())
        std::cerr << outcome.refusal << '\n';
    return outcome.failed.empty() ? 0 : 1;
}

bool writeOutput(const std::string& path, const std::string& text)
{
    if (path.empty()) {
        std::cout << text;
        return true;
    }
    if (!platform::AtomicFile(path).write(text)) {
        failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "无法写入文件 %1"), {path}));
        return false;
    }
    return true;
}

} // namespace

TransferCommands::TransferCommands(CLI::App& app, int& exitCode)
{
    const CLI::Validator areaName(
        [](const std::string& name) {
            return areaFromName(name) ? std::string() : "TV, CBL, DVD, AMP or 0-3";
        },
        "AREA");

    auto* import = app.add_subcommand(
        "import", shown(QT_TRANSLATE_NOOP("qmv::cli", "从信号文件学习整个设备：按信号名称对应到按键（Power、V"
                                                      "OL+、Vol_up、Ch_next、0-9、menu、ok 等）")));
    import->add_option("--area", m_area, shown(QT_TRANSLATE_NOOP("qmv::cli", "设备")))
        ->required()
        ->check(areaName);
    import
        ->add_option("--from", m_file,
                     shown(QT_TRANSLATE_NOOP("qmv::cli", ".ir、Pronto Hex、时长列表或导出的 JSON")))
        ->required();
    import->add_flag("--yes", m_confirmed, shown(QT_TRANSLATE_NOOP("qmv::cli", "覆盖已学习过的按键")));
    import->callback([this, &exitCode] { exitCode = importDevice();
});

auto* exportCommand =
    app.add_subcommand("export", shown(QT_TRANSLATE_NOOP("qmv::cli", "写出一个设备中学习过的按键")));
exportCommand->add_option("--area", m_area, shown(QT_TRANSLATE_NOOP("qmv::cli", "设备")))
    ->required()
    ->check(areaName);
exportCommand->add_option("--format", m_format, shown(QT_TRANSLATE_NOOP("qmv::cli", "ir、pronto 或 json")))
    ->check(CLI::IsMember({"ir", "pronto", "json"}));
exportCommand->add_option("--to", m_to, shown(QT_TRANSLATE_NOOP("qmv::cli", "文件（不给出时写到标准输出）")));
exportCommand->callback([this, &exitCode] { exitCode = exportArea(); });

auto* backupCommand = app.add_subcommand(
    "backup", shown(QT_TRANSLATE_NOOP("qmv::cli", "保存遥控器学习过的全部内容，包括所有设备")));
backupCommand->add_option("FILE", m_file, shown(QT_TRANSLATE_NOOP("qmv::cli", "备份文件")))->required();
backupCommand->callback([this, &exitCode] { exitCode = backup(); });

auto* restoreCommand = app.add_subcommand(
    "restore", shown(QT_TRANSLATE_NOOP("qmv::cli", "把备份恢复到这个或另一个 QMV-718 上")));
restoreCommand->add_option("FILE", m_file, shown(QT_TRANSLATE_NOOP("qmv::cli", "备份文件")))->required();
restoreCommand->add_flag("--yes", m_confirmed, shown(QT_TRANSLATE_NOOP("qmv::cli", "覆盖已学习过的按键")));
restoreCommand->callback([this, &exitCode] { exitCode = restore(); });
} // namespace qmv::cli

int TransferCommands::importDevice() const
{
    const auto file = readFile(m_file);
    if (!file)
        return 1;
    const PreparedImport prepared = prepareImport(*file, *areaFromName(m_area), installedConversion());
    for (const std::string& line : importReportLines(prepared))
        std::cerr << line << '\n';
    if (prepared.items.empty())
        return failWith(
            shown(QT_TRANSLATE_NOOP("qmv::cli", "文件里没有能对应到按键的信号，没有写入任何按键")));

    ConsoleSession session;
    if (!session.open(ConsoleSession::Access::Write))
        return 2;
    CallReport calls(session);
    MemoryImage image = session.writableImage();
    return storeConfirmed(image, prepared.items, m_confirmed);
}

int TransferCommands::exportArea() const
{
    const int area = *areaFromName(m_area);
    ConsoleSession session;
    if (!session.open())
        return 2;
    CallReport calls(session);
    const StoredKeys keys(session.link(), session.remote().snapshot);
    std::vector<std::string> unreadable;
    const auto learned = learnedKeys(keys, area, &unreadable);
    if (!unreadable.empty()) {
        printList(shown(QT_TRANSLATE_NOOP("qmv::cli", "无法从遥控器读出这些按键的编码：")), unreadable);
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "没有导出")));
    }
    const std::string text =
        formatExport(learned, *exportFormatFromName(m_format), areaNames[static_cast<std::size_t>(area)]);
    if (!writeOutput(m_to, text))
        return 1;
    std::cerr << "exported: " << learned.size() << " keys\n";
    return 0;
}

int TransferCommands::backup() const
{
    ConsoleSession session;
    if (!session.open())
        return 2;
    CallReport calls(session);
    const LoadedRemote& loaded = session.remote();
    const StoredKeys keys(session.link(), loaded.snapshot);
    std::vector<std::string> unreadable;
    const Backup saved =
        collectBackup(keys, loaded.lab_ykqtype, loaded.lab_gjbb, loaded.remoteid, &unreadable);
    if (!unreadable.empty()) {
        printList(shown(QT_TRANSLATE_NOOP("qmv::cli", "无法从遥控器读出这些按键的编码：")), unreadable);
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "备份不完整，没有写入备份文件")));
    }
    if (!writeOutput(m_file, writeBackup(saved)))
        return 1;
    std::cout << "backup: " << saved.keys.size() << " learned keys saved to " << m_file << '\n';
    return 0;
}

int TransferCommands::restore() const
{
    std::string error;
    const auto text = readSignalFile(m_file, &error);
    if (!text)
        return failWith(error);
    ConsoleSession session;
    if (!session.open(ConsoleSession::Access::Write))
        return 2;
    CallReport calls(session);
    auto read = readBackup(*text, session.remote().lab_ykqtype);
    if (auto* reason = std::get_if<std::string>(&read))
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "%1，没有写入任何按键"), {*reason}));
    const Backup& saved = std::get<Backup>(read);
    MemoryImage image = session.writableImage();
    return storeConfirmed(image, saved.keys, m_confirmed);
}

int learnFromFile(const std::string& areaName, const std::string& keyCode, const std::string& path,
                  const std::optional<std::string>& signalName)
{
    const auto file = readFile(path);
    if (!file)
        return 1;
    const int area = *areaFromName(areaName);
    auto prepared = prepareLearn(*file, area, keyCode, signalName, installedConversion());
    if (auto* reason = std::get_if<std::string>(&prepared))
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "学习失败！%1"), {*reason}));
    const StoreItem& item = std::get<StoreItem>(prepared);

    ConsoleSession session;
    if (!session.open(ConsoleSession::Access::Write))
        return 2;
    CallReport calls(session);
    MemoryImage image = session.writableImage();
    const StoreOutcome outcome = storeAll(image, {item});
    if (outcome.refused || !outcome.failed.empty())
        return failWith(
            shown(QT_TRANSLATE_NOOP("qmv::cli", "学习失败！%1"),
                  {outcome.refused ? outcome.refusal : storeFailure(StoreResult::RecordWriteFailed)}));
    std::cout << shown(QT_TRANSLATE_NOOP("qmv::cli", "%1键学习成功！（来自 %2）"),
                       {keyName(area, keyCode), item.name})
              << '\n';
    return 0;
}

} // namespace qmv::cli
