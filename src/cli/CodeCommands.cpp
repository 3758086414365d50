#include "CodeCommands.h"

#include "BatchStore.h"
#include "CaptureLoop.h"
#include "CaptureSignal.h"
#include "CodeConverter.h"
#include "ConsoleSession.h"
#include "Keypad.h"
#include "MemoryImage.h"
#include "Player.h"
#include "SharedLibrary.h"
#include "StateFolder.h"
#include "TransferCommands.h"
#include "VirtualRemote.h"

#include <iostream>

namespace qmv::cli {

namespace {

int failWith(const std::string& message)
{
    std::cerr << "qmv718-cli: " << message << '\n';
    return 1;
}

// A code file is read whole and checked before anything else happens, so bad values are named
// with their line and nothing is stored.
std::optional<std::string> readCodeFile(const std::string& timings, const std::string& capture,
                                        std::string* error)
{
    const std::string& file = timings.empty() ? capture : timings;
    const auto content = remote::readCodeFile(file, error);
    if (!content)
        return std::nullopt;
    if (!timings.empty() && !remote::parseTimings(*content, error))
        return std::nullopt;
    if (!capture.empty() && !remote::isCaptureText(*content)) {
        *error = remote::shortExcerpt(file) + " 不是接收器的捕获文本";
        return std::nullopt;
    }
    return content;
}

} // namespace

CodeCommands::CodeCommands(CLI::App& app, int& exitCode)
{
    const CLI::Validator areaName(
        [](const std::string& name) {
            return areaFromName(name) ? std::string() : "TV, CBL, DVD, AMP or 0-3";
        },
        "AREA");
    auto* learnCommand =
        app.add_subcommand("learn", "Learn one key: the remote receives a code and stores it");
    learnCommand->add_option("--area", m_area, "device area")->required()->check(areaName);
    learnCommand->add_option("--key", m_key, "key code (e.g. 12) or label (e.g. VOL+)")->required();
    auto* timings = learnCommand->add_option("--timings", m_timingsFile,
                                             "durations in µs, mark first, optional first line 'carrier HZ'");
    auto* capture =
        learnCommand->add_option("--capture", m_captureFile, "a capture text as the receiver gives it");
    timings->excludes(capture);
    auto* from = learnCommand->add_option("--from", m_fromFile,
                                          "a signal file (.ir, Pronto Hex, timing list): no receiver needed");
    from->excludes(timings)->excludes(capture);
    learnCommand->add_option("--signal", m_signal, "the signal of the file to learn, by name")->needs(from);
    learnCommand->callback([this, &exitCode] { exitCode = learn(); });

    auto* playCommand = app.add_subcommand("play", "Show what the remote sends for a learned key");
    playCommand->add_option("--area", m_area, "device area")->required()->check(areaName);
    playCommand->add_option("--key", m_key, "key code or label")->required();
    playCommand->add_option("--format", m_format, "us (durations) or pronto")
        ->check(CLI::IsMember({"us", "pronto"}));
    playCommand->callback([this, &exitCode] { exitCode = play(); });
}

int CodeCommands::learn() const
{
    const auto key = findKey(m_key);
    if (!key)
        return failWith("没有这个按键：" + m_key);
    if (key->selectsArea >= 0)
        return failWith("电源键用于选择设备，不能学习");
    if (!m_fromFile.empty())
        return learnFromFile(m_area, std::string(key->code), m_fromFile,
                             m_signal.empty() ? std::nullopt : std::optional<std::string>(m_signal));
    std::optional<std::string> codeFile;
    if (!m_timingsFile.empty() || !m_captureFile.empty()) {
        std::string error;
        codeFile = readCodeFile(m_timingsFile, m_captureFile, &error);
        if (!codeFile)
            return failWith(error);
    }

    ConsoleSession session;
    if (!session.open(ConsoleSession::Access::Write))
        return 2;
    if (!codeFile)
        std::cerr << "请在 6 秒内将原遥控器对准学习遥控器，按下要学习的按键……\n";
    // The file's code is sent only once the remote listens: a receiver keeps nothing sent before.
    const auto sendFile = [&codeFile] {
        if (codeFile)
            remote::StateFolder(remote::StateFolder::defaultPath()).deliverToInbox(*codeFile);
    };
    const std::atomic<bool> never{false};
    const std::string captured = CaptureLoop(session.link()).run(never, sendFile).code;
    if (captured.empty())
        return failWith("学习失败！没有接收到遥控器编码");

    CodeConverter converter(programFolder());
    const std::string converted = convertCapture(converter, captured);
    if (converted.empty())
        return failWith("学习失败！编码无法转换");

    MemoryImage image = session.writableImage();
    const StoreResult result =
        image.StoreLearnedKey(std::string(key->code), converted, *areaFromName(m_area));
    if (result != StoreResult::Stored)
        return failWith(std::string("学习失败！") + transfer::storeFailure(result));
    const std::string& entry = image.keystatelist()[static_cast<std::size_t>(
        image.entryIndex(*areaFromName(m_area), *image.rowOf(std::string(key->code))))];
    std::cout << key->label << "键学习成功！ (" << m_area << ' ' << key->code << ": " << entry << ")\n";
    return 0;
}

int CodeCommands::play() const
{
    const auto key = findKey(m_key);
    if (!key)
        return failWith("没有这个按键：" + m_key);
    const remote::StateFolder folder(remote::StateFolder::defaultPath());
    if (!folder.plugged())
        return failWith("未检测到遥控器，请检查USB连接线");
    std::size_t row = 0;
    while (keypad[row].code != key->code)
        ++row;
    std::string problem;
    const auto image = remote::loadOrCreateImage(folder, &problem);
    if (!image)
        return failWith(problem);
    const auto playback = remote::playKey(*image, *areaFromName(m_area), static_cast<int>(row));
    if (!playback)
        return failWith("该按键在 " + m_area + " 里没有可发送的编码");
    if (m_format == "pronto") {
        std::cout << toPronto(*playback) << '\n';
        return 0;
    }
    std::string line;
    for (const std::uint32_t duration : playback->durations)
        line += (line.empty() ? "" : " ") + std::to_string(duration);
    std::cout << line << '\n';
    return 0;
}

} // namespace qmv::cli
