#include "CodeCommands.h"

#include "CaptureLoop.h"
#include "CaptureSignal.h"
#include "CodeConverter.h"
#include "ConsoleSession.h"
#include "Keypad.h"
#include "LearnFailure.h"
#include "MemoryImage.h"
#include "Player.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "StateFolder.h"
#include "StoreFailure.h"
#include "Text.h"
#include "TransferCommands.h"
#include "VirtualRemote.h"

#include <iostream>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

int failWith(const std::string& message)
{
    std::cerr << "qmv718-cli: " << message << '\n';
    return 1;
}

std::string learnFailed(const std::string& reason)
{
    return shown(QT_TRANSLATE_NOOP("qmv::cli", "学习失败！%1"), {reason});
}

// A code file is read whole and checked before anything else happens, so bad values are named
// with their line and nothing is stored.
std::optional<std::string> readCodeFile(const std::string& timings, const std::string& capture,
                                        std::string* error)
{
    const std::string& file = timings.empty() ? capture : timings;
    auto content = remote::readCodeFile(file, error);
    if (!content)
        return std::nullopt;
    if (!timings.empty() && !remote::parseTimings(*content, error))
        return std::nullopt;
    if (!capture.empty() && !remote::isCaptureText(*content)) {
        *error =
            shown(QT_TRANSLATE_NOOP("qmv::cli", "%1 不是接收器的捕获文本"), {remote::shortExcerpt(file)});
        return std::nullopt;
    }
    return content;
}

} // namespace

CodeCommands::CodeCommands(CLI::App& app, int& exitCode)
{
    const CLI::Validator areaName(
        [](const std::string& name) {
            return areaFromName(name) ? std::string()
                                      : shown(QT_TRANSLATE_NOOP("qmv::cli", "TV、CBL、DVD、AMP 或 0-3"));
        },
        "AREA");
    auto* learnCommand = app.add_subcommand(
        "learn", shown(QT_TRANSLATE_NOOP("qmv::cli", "学习一个按键：遥控器接收一个编码并保存它")));
    learnCommand->add_option("--area", m_area, shown(QT_TRANSLATE_NOOP("qmv::cli", "设备")))
        ->required()
        ->check(areaName);
    learnCommand
        ->add_option("--key", m_key,
                     shown(QT_TRANSLATE_NOOP("qmv::cli", "按键代码（如 12）或名称（如 VOL+）")))
        ->required();
    auto* timings = learnCommand->add_option(
        "--timings", m_timingsFile,
        shown(QT_TRANSLATE_NOOP("qmv::cli", "以微秒计的时长，先为发射，第一行可以是“carrier HZ”")));
    auto* capture = learnCommand->add_option("--capture", m_captureFile,
                                             shown(QT_TRANSLATE_NOOP("qmv::cli", "接收器给出的捕获文本")));
    timings->excludes(capture);
    auto* from = learnCommand->add_option(
        "--from", m_fromFile,
        shown(QT_TRANSLATE_NOOP("qmv::cli", "信号文件（.ir、Pronto Hex、时长列表）：不需要接收器")));
    from->excludes(timings)->excludes(capture);
    learnCommand
        ->add_option("--signal", m_signal, shown(QT_TRANSLATE_NOOP("qmv::cli", "要学习的文件中信号的名称")))
        ->needs(from);
    learnCommand->callback([this, &exitCode] { exitCode = learn(); });

    auto* playCommand = app.add_subcommand(
        "play", shown(QT_TRANSLATE_NOOP("qmv::cli", "显示遥控器为一个学习过的按键发送什么")));
    playCommand->add_option("--area", m_area, shown(QT_TRANSLATE_NOOP("qmv::cli", "设备")))
        ->required()
        ->check(areaName);
    playCommand->add_option("--key", m_key, shown(QT_TRANSLATE_NOOP("qmv::cli", "按键代码或名称")))
        ->required();
    playCommand->add_option("--format", m_format, shown(QT_TRANSLATE_NOOP("qmv::cli", "us（时长）或 pronto")))
        ->check(CLI::IsMember({"us", "pronto"}));
    playCommand->callback([this, &exitCode] { exitCode = play(); });
}

int CodeCommands::learn() const
{
    const auto key = findKey(m_key);
    if (!key)
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "没有这个按键：%1"), {m_key}));
    if (key->selectsArea >= 0)
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "电源键用于选择设备，不能学习")));
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
        std::cerr << shown(QT_TRANSLATE_NOOP("qmv::cli",
                                             "请在 6 秒内将原遥控器对准学习遥控器，按下要学习的按键……"))
                  << '\n';
    // The file's code is sent only once the remote listens: a receiver keeps nothing sent before.
    // A code that could not be sent will never come, so the capture stops at once.
    std::optional<bool> delivered;
    std::atomic<bool> notSent{false};
    const auto sendFile = [&codeFile, &delivered, &notSent] {
        if (codeFile) {
            delivered = remote::StateFolder(remote::StateFolder::defaultPath()).deliverToInbox(*codeFile);
            notSent = !*delivered;
        }
    };
    const CaptureResult captured = CaptureLoop(session.link()).run(notSent, sendFile);
    if (captured.code.empty()) {
        // The virtual remote keeps the file's code and its capture mode in its state folder: when
        // that cannot be written, no code could have come, and that is the reason to give.
        if (codeFile) {
            const remote::StateFolder folder(remote::StateFolder::defaultPath());
            if (notSent || (!delivered && !folder.writable()))
                return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "学习失败！无法写入遥控器的状态（%1）"),
                                      {folder.path().string()}));
        }
        return failWith(learnFailed(captureFailure(captured.end)));
    }

    CodeConverter converter(libraryFolder());
    const std::string converted = convertCapture(converter, captured.code);
    if (converted.empty())
        return failWith(learnFailed(conversionFailure()));

    MemoryImage image = session.writableImage();
    const StoreResult result =
        image.StoreLearnedKey(std::string(key->code), converted, *areaFromName(m_area));
    if (result != StoreResult::Stored)
        return failWith(learnFailed(storeFailure(result, image)));
    const std::string& entry = image.keystatelist()[static_cast<std::size_t>(
        image.entryIndex(*areaFromName(m_area), *image.rowOf(std::string(key->code))))];
    std::cout << shown(QT_TRANSLATE_NOOP("qmv::cli", "%1键学习成功！ (%2 %3: %4)"),
                       {keyLabel(*key), m_area, key->code, entry})
              << '\n';
    return 0;
}

int CodeCommands::play() const
{
    const auto key = findKey(m_key);
    if (!key)
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "没有这个按键：%1"), {m_key}));
    const remote::StateFolder folder(remote::StateFolder::defaultPath());
    if (!folder.plugged())
        return failWith(translate("qmv::RemoteLoader", noRemoteMessage));
    std::size_t row = 0;
    while (keypad[row].code != key->code)
        ++row;
    std::string problem;
    const auto image = remote::loadOrCreateImage(folder, &problem);
    if (!image)
        return failWith(problem);
    const auto playback = remote::playKey(*image, *areaFromName(m_area), static_cast<int>(row));
    if (!playback)
        return failWith(shown(QT_TRANSLATE_NOOP("qmv::cli", "该按键在 %1 里没有可发送的编码"), {m_area}));
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
