#include "DeviceImport.h"

#include "Keypad.h"
#include "SignalRender.h"

namespace qmv::transfer {

namespace {

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

PreparedImport prepareImport(const SignalFile& file, int area)
{
    PreparedImport prepared;
    prepared.problems = file.problems;
    if (file.rejected)
        return prepared;
    prepared.mapping = mapSignals(file.entries);
    for (const KeyAssignment& assignment : prepared.mapping.assignments) {
        const IrSignal& signal = file.entries[assignment.signal];
        prepared.signalNames.push_back(signal.name);
        auto rendered = renderSignal(signal);
        if (auto* code = std::get_if<StoredCode>(&rendered))
            prepared.items.push_back({area, assignment.keyCode, std::move(*code), signal.name});
        else
            prepared.problems.push_back({signal.line, signal.name + "：" + std::get<std::string>(rendered)});
    }
    return prepared;
}

std::variant<StoreItem, std::string> prepareLearn(const SignalFile& file, int area,
                                                  const std::string& keyCode,
                                                  std::optional<std::string_view> signalName)
{
    if (file.rejected)
        return file.problems.empty() ? std::string("文件无法读取") : describeProblem(file.problems.front());
    const IrSignal* signal = nullptr;
    if (signalName) {
        signal = findSignal(file, *signalName);
        if (!signal)
            return "文件里没有名为“" + std::string(*signalName) + "”的信号";
    } else if (file.entries.size() == 1) {
        signal = &file.entries.front();
    } else {
        std::vector<std::string> names;
        for (const IrSignal& s : file.entries)
            names.push_back(s.name);
        return "文件里有 " + std::to_string(names.size()) + " 个信号，请选择一个：" + joined(names);
    }
    auto rendered = renderSignal(*signal);
    if (auto* reason = std::get_if<std::string>(&rendered))
        return describeProblem({signal->line, signal->name + "：" + *reason});
    return StoreItem{area, keyCode, std::get<StoredCode>(std::move(rendered)), signal->name};
}

std::vector<std::string> importReportLines(const PreparedImport& prepared)
{
    std::vector<std::string> lines;
    if (!prepared.mapping.unmappedSignals.empty())
        lines.push_back("没有对应按键的信号：" + joined(prepared.mapping.unmappedSignals));
    if (!prepared.mapping.duplicateSignals.empty())
        lines.push_back("按键已被前面的信号占用：" + joined(prepared.mapping.duplicateSignals));
    if (!prepared.mapping.emptyKeys.empty()) {
        std::vector<std::string> keys;
        for (const std::string& code : prepared.mapping.emptyKeys) {
            const auto key = findKey(code);
            keys.push_back(key && !key->label.empty() ? std::string(key->label) : code);
        }
        lines.push_back("没有信号的按键：" + joined(keys));
    }
    for (const FileProblem& problem : prepared.problems)
        lines.push_back(describeProblem(problem));
    return lines;
}

} // namespace qmv::transfer
