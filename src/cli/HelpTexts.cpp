#include "HelpTexts.h"

#include "Text.h"

namespace qmv::cli {

namespace {

constexpr Texts shown{"qmv::cli"};

// The words of the usage line, told apart from the group headings that read the same in Chinese.
struct UsageWord
{
    const char* source;
    const char* disambiguation;
};
constexpr UsageWord optionsWord = QT_TRANSLATE_NOOP3("qmv::cli", "选项", "usage line");
constexpr UsageWord commandWord = QT_TRANSLATE_NOOP3("qmv::cli", "命令", "usage line");

std::string usageWord(const UsageWord& word)
{
    return translate("qmv::cli", word.source, word.disambiguation);
}

// CLI11's own names for the groups every option and command starts in.
constexpr const char* defaultOptionGroup = "Options";
constexpr const char* defaultCommandGroup = "Subcommands";

void localiseCommand(CLI::App& command)
{
    if (CLI::Option* help = command.get_help_ptr())
        help->description(shown(QT_TRANSLATE_NOOP("qmv::cli", "显示这个帮助并退出")));
    for (CLI::Option* option : command.get_options())
        if (option->get_group() == defaultOptionGroup)
            option->group(shown(QT_TRANSLATE_NOOP("qmv::cli", "选项")));
    for (CLI::App* sub : command.get_subcommands({})) {
        if (sub->get_group() == defaultCommandGroup)
            sub->group(shown(QT_TRANSLATE_NOOP("qmv::cli", "命令")));
        localiseCommand(*sub);
    }
}

} // namespace

void localiseHelp(CLI::App& app)
{
    const std::shared_ptr<CLI::FormatterBase> formatter = app.get_formatter();
    formatter->label("Usage", shown(QT_TRANSLATE_NOOP("qmv::cli", "用法")));
    formatter->label("OPTIONS", usageWord(optionsWord));
    formatter->label("SUBCOMMAND", usageWord(commandWord));
    formatter->label("SUBCOMMANDS", usageWord(commandWord));
    formatter->label("Positionals", shown(QT_TRANSLATE_NOOP("qmv::cli", "参数")));
    formatter->label("REQUIRED", shown(QT_TRANSLATE_NOOP("qmv::cli", "必填")));
    formatter->label("Excludes", shown(QT_TRANSLATE_NOOP("qmv::cli", "不能与之同用")));
    formatter->label("Needs", shown(QT_TRANSLATE_NOOP("qmv::cli", "需要")));
    localiseCommand(app);
}

} // namespace qmv::cli
