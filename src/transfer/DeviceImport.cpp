#include "DeviceImport.h"

#include "Keypad.h"
#include "Text.h"

namespace qmv::transfer {

namespace {

constexpr Texts shown{"qmv::transfer"};

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

PreparedImport prepareImport(const SignalFile& file, int area, const CaptureConversion& convert)
{
    PreparedImport prepared;
    prepared.problems = file.problems;
    if (file.rejected)
        return prepared;
    prepared.mapping = mapSignals(file.entries);
    for (const KeyAssignment& assignment : prepared.mapping.assignments) {
        const IrSignal& signal = file.entries[assignment.signal];
        prepared.signalNames.push_back(signal.name);
        auto rendered = renderSignal(signal, convert);
        if (auto* code = std::get_if<StoredCode>(&rendered))
            prepared.items.push_back({area, assignment.keyCode, std::move(*code), signal.name});
        else
            prepared.problems.push_back({signal.line, shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"),
                                                            {signal.name, std::get<std::string>(rendered)})});
    }
    return prepared;
}

std::variant<StoreItem, std::string> prepareLearn(const SignalFile& file, int area,
                                                  const std::string& keyCode,
                                                  std::optional<std::string_view> signalName,
                                                  const CaptureConversion& convert)
{
    if (file.rejected)
        return file.problems.empty() ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件无法读取"))
                                     : describeProblem(file.problems.front());
    const IrSignal* signal = nullptr;
    if (signalName) {
        signal = findSignal(file, *signalName);
        if (!signal)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件里没有名为“%1”的信号"), {*signalName});
    } else if (file.entries.size() == 1) {
        signal = &file.entries.front();
    } else {
        std::vector<std::string> names;
        for (const IrSignal& s : file.entries)
            names.push_back(s.name);
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件里有 %1 个信号，请选择一个：%2"),
                     {std::to_string(names.size()), joined(names)});
    }
    auto rendered = renderSignal(*signal, convert);
    if (auto* reason = std::get_if<std::string>(&rendered))
        return describeProblem(
            {signal->line, shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"), {signal->name, *reason})});
    return StoreItem{area, keyCode, std::get<StoredCode>(std::move(rendered)), signal->name};
}

std::vector<std::string> importReportLines(const PreparedImport& prepared)
{
    std::vector<std::string> lines;
    if (!prepared.mapping.unmappedSignals.empty())
        lines.push_back(shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有对应按键的信号：%1"),
                              {joined(prepared.mapping.unmappedSignals)}));
    if (!prepared.mapping.duplicateSignals.empty())
        lines.push_back(shown(QT_TRANSLATE_NOOP("qmv::transfer", "按键已被前面的信号占用：%1"),
                              {joined(prepared.mapping.duplicateSignals)}));
    if (!prepared.mapping.emptyKeys.empty()) {
        std::vector<std::string> keys;
        for (const std::string& code : prepared.mapping.emptyKeys) {
            const auto key = findKey(code);
            keys.push_back(key && !key->label.empty() ? std::string(key->label) : code);
        }
        lines.push_back(shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有信号的按键：%1"), {joined(keys)}));
    }
    for (const FileProblem& problem : prepared.problems)
        lines.push_back(describeProblem(problem));
    return lines;
}

} // namespace qmv::transfer
