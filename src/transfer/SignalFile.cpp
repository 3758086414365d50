#include "SignalFile.h"

#include "AtomicFile.h"
#include "JsonText.h"
#include "Text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace qmv::transfer {

namespace {

constexpr Texts shown{"qmv::transfer"};

constexpr std::string_view kExportFormat = "qmv718-export";
// Pronto's frequency word counts periods of this many microseconds.
constexpr double kProntoClockUs = 0.241246;

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool isSeparator(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) || c == ',';
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !isSeparator(text[pos]))
            ++pos;
        if (pos > start)
            result.push_back(text.substr(start, pos - start));
    }
    return result;
}

// The values of a list separated by blanks or commas, or nothing when a field between commas is
// empty: a comma first, or two commas with only blanks between them. A comma at the end is no
// empty field, as lists copied from source code end every line with one.
std::optional<std::vector<std::string_view>> fields(std::string_view text)
{
    bool afterComma = true; // the start counts as one: a comma first leaves an empty field
    for (const char c : text) {
        if (c == ',') {
            if (afterComma)
                return std::nullopt;
            afterComma = true;
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            afterComma = false;
        }
    }
    return words(text);
}

std::string emptyField()
{
    return shown(QT_TRANSLATE_NOOP("qmv::transfer", "有空的字段（逗号之间没有值）"));
}

template <typename T> std::optional<T> number(std::string_view word, int base = 10)
{
    T value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

bool isHexWord(std::string_view word)
{
    return word.size() == 4 && std::all_of(word.begin(), word.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

// Collects the problems of one file; a signal with a problem is left out.
class Reader
{
public:
    SignalFile file;

    void problem(int line, std::string reason) { file.problems.push_back({line, std::move(reason)}); }
    void reject(int line, std::string reason)
    {
        problem(line, std::move(reason));
        file.rejected = true;
        file.entries.clear();
    }
    bool add(IrSignal signal)
    {
        if (file.entries.size() >= kMaxSignals) {
            reject(signal.line, shown(QT_TRANSLATE_NOOP("qmv::transfer", "信号太多（最多 %1 个）"),
                                      {std::to_string(kMaxSignals)}));
            return false;
        }
        file.entries.push_back(std::move(signal));
        return true;
    }
    SignalFile finish()
    {
        if (!file.rejected && file.entries.empty())
            reject(0, file.problems.empty()
                          ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件里没有信号"))
                          : shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件里没有可用的信号")));
        return std::move(file);
    }
};

// Checks durations against what the remote can play; the reason when they do not fit.
std::optional<std::string> durationProblem(const std::vector<std::uint32_t>& durations)
{
    if (durations.empty())
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有时长"));
    if (durations.size() > kMaxDurations)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "信号太长，遥控器存不下（%1 个时长，最多 %2 个）"),
                     {std::to_string(durations.size()), std::to_string(kMaxDurations)});
    for (std::size_t i = 0; i < durations.size(); ++i) {
        const std::uint32_t d = durations[i];
        const bool mark = i % 2 == 0;
        if (d == 0)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "时长不能为 0"));
        if (mark && d > kMaxMarkUs)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "载波时长 %1 µs 超出范围（最长 %2 µs）"),
                         {std::to_string(d), std::to_string(kMaxMarkUs)});
        if (!mark && i + 1 < durations.size() && d > kMaxSpaceUs)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "间隔 %1 µs 超出范围（最长 %2 µs）"),
                         {std::to_string(d), std::to_string(kMaxSpaceUs)});
    }
    return std::nullopt;
}

std::optional<std::string> carrierProblem(std::uint32_t hz)
{
    if (hz < kMinCarrierHz || hz > kMaxCarrierHz)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "载波频率 %1 Hz 超出范围（%2 至 %3 Hz）"),
                     {std::to_string(hz), std::to_string(kMinCarrierHz), std::to_string(kMaxCarrierHz)});
    return std::nullopt;
}

// Durations in microseconds; a sign in front is allowed and ignored, as some lists mark spaces so.
std::optional<std::vector<std::uint32_t>> durationList(std::string_view text, std::string* bad)
{
    const auto values = fields(text);
    if (!values) {
        *bad = emptyField();
        return std::nullopt;
    }
    std::vector<std::uint32_t> durations;
    for (std::string_view word : *values) {
        std::string_view digits = word;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            digits.remove_prefix(1);
        const auto value = number<std::uint64_t>(digits);
        if (!value) {
            *bad = shown(QT_TRANSLATE_NOOP("qmv::transfer", "“%1”不是以微秒计的时长"), {word});
            return std::nullopt;
        }
        durations.push_back(static_cast<std::uint32_t>(std::min<std::uint64_t>(*value, 0xFFFFFFFFu)));
        if (durations.size() > kMaxDurations)
            break; // durationProblem names it; no need to read the rest
    }
    return durations;
}

// ---- key/value signal files ----------------------------------------------------------------

struct Block
{
    int line = 0;
    std::map<std::string, std::pair<int, std::string>> fields; // key -> (line, value)
    bool hasEmptyField = false;                                // reported where it stands
};

void readBlock(Reader& reader, const Block& block)
{
    if (block.hasEmptyField)
        return;
    const auto field = [&](const char* key) -> const std::pair<int, std::string>* {
        const auto it = block.fields.find(key);
        return it == block.fields.end() ? nullptr : &it->second;
    };
    IrSignal signal;
    signal.line = block.line;
    signal.name = field("name")->second;
    // This tool's own export carries the stored code beside the timing; it is what plays exactly.
    if (const auto* stored = field(std::string(kStoredCodeField).c_str())) {
        const auto code = parseConverterOutput(stored->second);
        if (!code)
            return reader.problem(stored->first, shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：编码“%2”无效"),
                                                       {signal.name, stored->second.substr(0, 20)}));
        signal.stored = *code;
        reader.add(std::move(signal));
        return;
    }
    const auto* type = field("type");
    const auto missing = [&](const char* key) {
        reader.problem(block.line,
                       shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：缺少“%2:”"), {signal.name, key}));
    };
    if (!type)
        return missing("type");
    const std::string kind = lower(type->second);
    if (kind == "parsed") {
        const auto* protocol = field("protocol");
        const auto* address = field("address");
        const auto* command = field("command");
        if (!protocol)
            return missing("protocol");
        if (!address)
            return missing("address");
        if (!command)
            return missing("command");
        const auto a = lowFirstBytes(address->second);
        if (!a)
            return reader.problem(address->first,
                                  shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：地址“%2”不是十六进制字节"),
                                        {signal.name, address->second}));
        const auto c = lowFirstBytes(command->second);
        if (!c)
            return reader.problem(command->first,
                                  shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：命令“%2”不是十六进制字节"),
                                        {signal.name, command->second}));
        signal.protocol = ProtocolSignal{protocol->second, *a, *c};
    } else if (kind == "raw") {
        const auto* frequency = field("frequency");
        const auto* data = field("data");
        if (!frequency)
            return missing("frequency");
        if (!data)
            return missing("data");
        const auto hz = number<std::uint32_t>(frequency->second);
        if (!hz)
            return reader.problem(frequency->first,
                                  shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：频率“%2”不是数字"),
                                        {signal.name, frequency->second}));
        if (const auto bad = carrierProblem(*hz))
            return reader.problem(frequency->first,
                                  shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"), {signal.name, *bad}));
        std::string bad;
        auto durations = durationList(data->second, &bad);
        if (!durations)
            return reader.problem(data->first,
                                  shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"), {signal.name, bad}));
        if (const auto problem = durationProblem(*durations))
            return reader.problem(
                data->first, shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"), {signal.name, *problem}));
        signal.durations = std::move(*durations);
        signal.carrierHz = *hz;
    } else {
        return reader.problem(type->first, shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：未知的信号类型“%2”"),
                                                 {signal.name, type->second}));
    }
    reader.add(std::move(signal));
}

SignalFile parseKeyValueFile(const std::vector<std::string_view>& lines)
{
    Reader reader;
    Block block; // line 0 until the first "name:" opens one
    const auto flush = [&] {
        if (block.line != 0)
            readBlock(reader, block);
        block = Block{};
    };
    for (std::size_t i = 0; i < lines.size() && !reader.file.rejected; ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = trim(lines[i]);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || trim(line.substr(0, colon)).empty()) {
            reader.reject(lineNumber, shown(QT_TRANSLATE_NOOP("qmv::transfer", "不是“键: 值”的行：%1"),
                                            {line.substr(0, 40)}));
            break;
        }
        const std::string key = lower(trim(line.substr(0, colon)));
        std::string value(trim(line.substr(colon + 1)));
        if (key == "name") {
            flush();
            block.line = lineNumber;
        } else if (block.line == 0) {
            continue; // the file's own header: "Filetype:", "Version:"
        }
        if (value.empty()) {
            reader.problem(lineNumber, shown(QT_TRANSLATE_NOOP("qmv::transfer", "“%1:”后面是空的"), {key}));
            block.hasEmptyField = true;
            continue;
        }
        if (block.fields.count(key) != 0) {
            reader.problem(lineNumber, shown(QT_TRANSLATE_NOOP("qmv::transfer", "“%1:”重复出现"), {key}));
            continue;
        }
        block.fields[key] = {lineNumber, std::move(value)};
    }
    if (!reader.file.rejected)
        flush();
    return reader.finish();
}

// ---- Pronto Hex ------------------------------------------------------------------------------

std::optional<std::string> prontoDurations(const std::vector<std::string_view>& codeWords, IrSignal& signal)
{
    std::vector<std::uint32_t> values;
    for (std::string_view word : codeWords) {
        if (!isHexWord(word))
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "“%1”不是四位十六进制数"), {word});
        values.push_back(*number<std::uint32_t>(word, 16));
    }
    if (values.size() < 4)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "Pronto 代码至少要有 4 个字，这里只有 %1 个"),
                     {std::to_string(values.size())});
    if (values[0] != 0x0000)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "不支持的 Pronto 格式 %1（只支持学习码 0000）"),
                     {codeWords[0]});
    const std::size_t expected = 4 + 2 * (static_cast<std::size_t>(values[2]) + values[3]);
    if (values.size() != expected)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "Pronto 字数不对：头部说 %1 个字，实际 %2 个"),
                     {std::to_string(expected), std::to_string(values.size())});
    if (values[1] == 0)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "Pronto 频率字不能为 0"));
    const double periodUs = values[1] * kProntoClockUs;
    const auto hz = static_cast<std::uint32_t>(std::lround(1e6 / periodUs));
    if (auto bad = carrierProblem(hz))
        return bad;
    // The once sequence followed by one round of the repeat sequence: what one press sends.
    for (std::size_t i = 4; i < values.size(); ++i)
        signal.durations.push_back(static_cast<std::uint32_t>(std::lround(values[i] * periodUs)));
    signal.carrierHz = hz;
    return durationProblem(signal.durations);
}

SignalFile parseProntoFile(const std::vector<std::string_view>& lines)
{
    Reader reader;
    for (std::size_t i = 0; i < lines.size() && !reader.file.rejected; ++i) {
        std::string_view line = trim(lines[i]);
        if (line.empty() || line.front() == '#')
            continue;
        IrSignal signal;
        signal.line = static_cast<int>(i) + 1;
        if (const std::size_t colon = line.find(':'); colon != std::string_view::npos) {
            signal.name = std::string(trim(line.substr(0, colon)));
            line = line.substr(colon + 1);
            if (signal.name.empty()) {
                reader.problem(signal.line, shown(QT_TRANSLATE_NOOP("qmv::transfer", "信号名称是空的")));
                continue;
            }
        } else {
            signal.name =
                shown(QT_TRANSLATE_NOOP("qmv::transfer", "信号%1"),
                      {std::to_string(reader.file.entries.size() + reader.file.problems.size() + 1)});
        }
        const auto codeWords = fields(line);
        if (const auto bad = codeWords ? prontoDurations(*codeWords, signal) : emptyField())
            reader.problem(signal.line,
                           shown(QT_TRANSLATE_NOOP("qmv::transfer", "%1：%2"), {signal.name, *bad}));
        else
            reader.add(std::move(signal));
    }
    return reader.finish();
}

// ---- plain timing lists ----------------------------------------------------------------------

SignalFile parseTimingList(const std::vector<std::string_view>& lines)
{
    Reader reader;
    IrSignal signal;
    signal.name = "timings";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = trim(lines[i]);
        if (line.empty() || line.front() == '#')
            continue;
        if (signal.line == 0)
            signal.line = lineNumber;
        const auto lineWords = fields(line);
        if (!lineWords || lineWords->empty()) {
            reader.reject(lineNumber, emptyField());
            return reader.finish();
        }
        if (signal.durations.empty() && lower(lineWords->front()) == "carrier") {
            const auto hz = lineWords->size() == 2 ? number<std::uint32_t>((*lineWords)[1]) : std::nullopt;
            if (!hz) {
                reader.reject(lineNumber,
                              shown(QT_TRANSLATE_NOOP("qmv::transfer", "“carrier”后面要跟以 Hz 计的频率")));
                return reader.finish();
            }
            if (const auto bad = carrierProblem(*hz)) {
                reader.reject(lineNumber, *bad);
                return reader.finish();
            }
            signal.carrierHz = *hz;
            continue;
        }
        std::string bad;
        const auto durations = durationList(line, &bad);
        if (!durations) {
            reader.reject(lineNumber, bad);
            return reader.finish();
        }
        signal.durations.insert(signal.durations.end(), durations->begin(), durations->end());
        if (const auto problem = durationProblem(signal.durations);
            problem && signal.durations.size() > kMaxDurations) {
            reader.reject(lineNumber, *problem);
            return reader.finish();
        }
    }
    if (const auto problem = durationProblem(signal.durations)) {
        reader.reject(signal.line, *problem);
        return reader.finish();
    }
    reader.add(std::move(signal));
    return reader.finish();
}

// ---- this tool's JSON export -----------------------------------------------------------------

SignalFile parseExportJson(std::string_view text)
{
    Reader reader;
    if (auto tooDeep = jsonDepthProblem(text)) {
        reader.reject(0, std::move(*tooDeep));
        return reader.finish();
    }
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        reader.reject(0, shown(QT_TRANSLATE_NOOP("qmv::transfer", "不是有效的 JSON 文件")));
        return reader.finish();
    }
    if (jsonText(document, "format") != kExportFormat || !document.contains("keys") ||
        !document["keys"].is_array()) {
        reader.reject(0, shown(QT_TRANSLATE_NOOP("qmv::transfer", "不是本工具导出的 JSON 文件")));
        return reader.finish();
    }
    int position = 0;
    for (const auto& key : document["keys"]) {
        ++position;
        const auto read = [&key](const char* field) {
            return jsonText(key, field);
        };
        IrSignal signal;
        signal.name = read("name");
        signal.line = 0;
        const auto code = parseConverterOutput(
            converterOutput(StoredCode{read("identifier"), read("parameters"), read("data")}));
        if (signal.name.empty() || !code) {
            reader.problem(
                0, shown(QT_TRANSLATE_NOOP("qmv::transfer", "第 %1 个按键的编码不完整或不是有效的编码"),
                         {std::to_string(position)}));
            continue;
        }
        signal.stored = *code;
        if (!reader.add(std::move(signal)))
            break;
    }
    return reader.finish();
}

bool looksLikeKeyValueFile(const std::vector<std::string_view>& lines)
{
    for (std::string_view line : lines) {
        line = trim(line);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string key = lower(trim(line.substr(0, colon)));
        if (key == "filetype" || key == "type")
            return true;
    }
    return false;
}

bool looksLikePronto(const std::vector<std::string_view>& lines)
{
    for (std::string_view line : lines) {
        line = trim(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (const std::size_t colon = line.find(':'); colon != std::string_view::npos)
            line = line.substr(colon + 1);
        // Timing lists never start with a leading zero; every Pronto code does ("0000", "0100").
        const auto lineWords = words(line);
        return lineWords.size() >= 4 && lineWords[0].front() == '0' &&
               std::all_of(lineWords.begin(), lineWords.begin() + 4, isHexWord);
    }
    return false;
}

} // namespace

SignalFile parseSignalFile(std::string_view text)
{
    if (text.size() > kMaxFileBytes) {
        SignalFile file;
        file.rejected = true;
        file.problems.push_back({0, shown(QT_TRANSLATE_NOOP("qmv::transfer", "文件太大（最多 %1 KB）"),
                                          {std::to_string(kMaxFileBytes / 1024)})});
        return file;
    }
    if (const std::string_view body = trim(text); !body.empty() && body.front() == '{')
        return parseExportJson(body);
    const auto lines = splitLines(text);
    if (looksLikeKeyValueFile(lines))
        return parseKeyValueFile(lines);
    if (looksLikePronto(lines))
        return parseProntoFile(lines);
    return parseTimingList(lines);
}

std::optional<std::string> readSignalFile(const std::filesystem::path& path, std::string* error,
                                          std::size_t limit)
{
    platform::ReadResult read = platform::readRegularFile(path, limit);
    if (!read.content && error)
        *error =
            shown(QT_TRANSLATE_NOOP("qmv::transfer", "无法读取文件 %1（%2）"), {path.string(), read.error});
    return std::move(read.content);
}

std::optional<std::uint32_t> lowFirstBytes(std::string_view text)
{
    const auto bytes = fields(text);
    if (!bytes || bytes->empty() || bytes->size() > 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const std::string_view byteText = (*bytes)[i];
        const auto byte = byteText.size() <= 2 ? number<std::uint32_t>(byteText, 16) : std::nullopt;
        if (!byte)
            return std::nullopt;
        value |= *byte << (8 * i);
    }
    return value;
}

std::string describeProblem(const FileProblem& problem)
{
    return problem.line > 0 ? shown(QT_TRANSLATE_NOOP("qmv::transfer", "第 %1 行：%2"),
                                    {std::to_string(problem.line), problem.reason})
                            : problem.reason;
}

const IrSignal* findSignal(const SignalFile& file, std::string_view name)
{
    const std::string wanted = lower(name);
    for (const IrSignal& signal : file.entries)
        if (lower(signal.name) == wanted)
            return &signal;
    return nullptr;
}

} // namespace qmv::transfer
