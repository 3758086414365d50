#include "LearningCommands.h"

#include "ConsoleSession.h"
#include "Keypad.h"
#include "LearningController.h"
#include "MemoryImage.h"
#include "Text.h"

#include <cctype>
#include <iostream>
#include <optional>

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

// A terminal shows nothing of the window: only the messages reach the user.
class NoScreen : public LearningView
{
public:
    void showKeyPicture(const std::string&, KeyLook) override {}
    void switchKey(const std::string&, bool) override {}
    void switchAreaTab(int, bool) override {}
    void switchBeginStudyButton(bool) override {}
    void setDeleteButtonsAvailable(bool) override {}
    void setDeleteButtonLook(DeleteButtonLook) override {}
    void setHintPicture(HintPicture) override {}
    void setHintVisible(bool) override {}
    void setPanelVisible(InstructionPanel, bool) override {}
    void setStatusText(const std::string&) override {}
    void repaintStatus() override {}
    void setLearningAnimationPlaying(bool) override {}
    void appendDiagnostic(const std::string&) override {}
};

// Prints every message as the console does; a question is answered Yes only when the command
// line has already said so.
class CommandLineAnswers : public Dialogs
{
public:
    CommandLineAnswers(Dialogs& console, bool confirmed)
        : m_console(console)
        , m_confirmed(confirmed)
    {
    }
    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override
    {
        const Reply reply = m_console.messageBox(text, caption, buttons);
        return buttons == Buttons::YesNo && m_confirmed ? Reply::Yes : reply;
    }
    void plainMessage(const std::string& text) override { m_console.plainMessage(text); }

private:
    Dialogs& m_console;
    bool m_confirmed;
};

// The window's rules over the remote the session loaded, with nobody watching a screen. Captures
// never start here: learning mode is never switched on.
class ConsoleWorkflow
{
public:
    ConsoleWorkflow(ConsoleSession& session, bool confirmed)
        : m_image(session.writableImage())
        , m_answers(session.dialogs(), confirmed)
        , m_controller(m_state, m_image, m_screen, m_answers, noCaptures())
    {
        m_controller.ShowStartState();
    }

    LearningController& controller() { return m_controller; }
    const MemoryImage& image() const { return m_image; }

private:
    static LearningServices noCaptures()
    {
        LearningServices services;
        services.capture = [](const std::atomic<bool>&) {
            return std::string();
        };
        services.convert = [](const std::string&, std::string*) {
            return std::string();
        };
        services.postToUi = [](const std::function<void()>&) {
        };
        return services;
    }

    MemoryImage m_image;
    MainWindowState m_state;
    NoScreen m_screen;
    CommandLineAnswers m_answers;
    LearningController m_controller;
};

// Runs `action` on the remote held for writing, with the area selected as a click on its tab
// does; its exit code, or 2 when the remote cannot be opened or is held by another program.
template <typename Action> int onSelectedArea(int area, bool confirmed, Action&& action)
{
    ConsoleSession session;
    if (!session.open(ConsoleSession::Access::Write))
        return 2;
    ConsoleWorkflow workflow(session, confirmed);
    workflow.controller().SelectArea(area);
    return action(workflow);
}

} // namespace

LearningCommands::LearningCommands(CLI::App& app, int& exitCode)
{
    auto* remove = app.add_subcommand(
        "delete", shown(QT_TRANSLATE_NOOP("qmv::cli", "删除一个设备中一个按键学习过的编码")));
    remove
        ->add_option("--area", m_deleteArea, shown(QT_TRANSLATE_NOOP("qmv::cli", "TV、CBL、DVD、AMP 或 0-3")))
        ->required();
    remove
        ->add_option("--key", m_deleteKey,
                     shown(QT_TRANSLATE_NOOP("qmv::cli", "按键的代码（“26”）或名称（“CH+”）")))
        ->required();
    remove->callback([this, &exitCode] {
        const std::optional<int> area = areaFromName(m_deleteArea);
        const std::optional<KeyDefinition> key = findKey(m_deleteKey);
        if (!area || !key || key->selectsArea >= 0) {
            std::cerr << (area ? shown(QT_TRANSLATE_NOOP("qmv::cli", "不是键盘上的普通按键：%1"),
                                       {m_deleteKey})
                               : shown(QT_TRANSLATE_NOOP("qmv::cli", "没有这个设备：%1"), {m_deleteArea}))
                      << '\n';
            exitCode = 2;
            return;
        }
        const std::string code(key->code);
        exitCode = onSelectedArea(*area, true, [&code, area](ConsoleWorkflow& workflow) {
            const auto learned = [&workflow, &code, area] {
                const MemoryImage& image = workflow.image();
                const std::optional<int> row = image.rowOf(code);
                return row && image.stateOf(image.entryIndex(*area, *row)).learned();
            };
            const bool wasLearned = learned();
            workflow.controller().IBtn78Click();
            workflow.controller().KeyClick(code);
            const bool deleted = wasLearned && !learned();
            if (deleted)
                std::cout << shown(QT_TRANSLATE_NOOP("qmv::cli", "已删除：%2 中的 %1"),
                                   {code, areaNames[static_cast<std::size_t>(*area)]})
                          << '\n';
            return deleted ? 0 : 1;
        });
    });

    auto* clear =
        app.add_subcommand("clear", shown(QT_TRANSLATE_NOOP("qmv::cli", "清空一个设备中所有学习过的按键")));
    clear->add_option("--area", m_clearArea, shown(QT_TRANSLATE_NOOP("qmv::cli", "TV、CBL、DVD、AMP 或 0-3")))
        ->required();
    clear->add_flag("--yes", m_clearConfirmed, shown(QT_TRANSLATE_NOOP("qmv::cli", "对确认的问题回答“是”")));
    clear->callback([this, &exitCode] {
        const std::optional<int> area = areaFromName(m_clearArea);
        if (!area) {
            std::cerr << shown(QT_TRANSLATE_NOOP("qmv::cli", "没有这个设备：%1"), {m_clearArea}) << '\n';
            exitCode = 2;
            return;
        }
        exitCode = onSelectedArea(*area, m_clearConfirmed, [this, area](ConsoleWorkflow& workflow) {
            workflow.controller().delallstudykeyClick();
            if (workflow.controller().AreaHasLearnedKeys()) {
                if (!m_clearConfirmed)
                    std::cerr << shown(QT_TRANSLATE_NOOP("qmv::cli", "没有清空：请用 --yes 确认")) << '\n';
                return 1;
            }
            std::cout << shown(QT_TRANSLATE_NOOP("qmv::cli", "已清空：%1 中没有学习过的按键了"),
                               {areaNames[static_cast<std::size_t>(*area)]})
                      << '\n';
            return 0;
        });
    });
}

} // namespace qmv::cli
