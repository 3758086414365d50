#include "CaptureSignal.h"

#include "AtomicFile.h"
#include "Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace qmv::remote {

namespace {

class GroupWriter
{
public:
    bool put(std::uint32_t value)
    {
        if (m_groups == capture::signalGroups + capture::endMarkerGroups + 2)
            return false;
        char text[5];
        std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value & 0xFFFF));
        m_text.append(text, 4);
        ++m_groups;
        return true;
    }
    std::size_t groups() const { return m_groups; }
    std::string finish()
    {
        m_text.resize(capture::bufferChars, '\0');
        return std::move(m_text);
    }

private:
    std::string m_text;
    std::size_t m_groups = 0;
};

// Carrier period in the receiver's measure: three bytes whose sum is nine times the period in
// microseconds. The sum is rounded so that 1000 / period, truncated, gives back the kHz.
void putCarrier(GroupWriter& out, std::uint32_t carrierHz)
{
    std::uint32_t sum = 0;
    if (carrierHz >= 1000)
        sum = std::min<std::uint32_t>(9'000'000 / carrierHz, 3 * 255);
    const std::uint32_t a = sum / 3;
    const std::uint32_t b = sum / 3;
    const std::uint32_t c = sum - a - b;
    out.put((a << 8) | b);
    out.put(c << 8);
}

bool putMark(GroupWriter& out, std::uint32_t micros)
{
    const std::uint32_t thirds = (micros + capture::receiverSkewMicros) * 3;
    if (thirds < capture::runValue)
        return out.put(0x8000 | thirds);
    return out.put(capture::runValue) && out.put(0x8000 | (thirds - capture::runValue));
}

bool putSpace(GroupWriter& out, std::uint32_t micros)
{
    const std::uint32_t skewed =
        micros > capture::receiverSkewMicros ? micros - capture::receiverSkewMicros : 0;
    std::uint32_t thirds = skewed * 3;
    while (thirds >= capture::runValue) {
        if (!out.put(capture::runValue))
            return false;
        thirds -= capture::runValue;
    }
    return out.put(thirds);
}

} // namespace

std::optional<std::string> captureText(const Signal& signal)
{
    if (signal.durations.empty())
        return std::nullopt;
    // A trailing space is silence after the code: the receiver never records it.
    std::size_t count = signal.durations.size();
    if (count % 2 == 0)
        --count;

    GroupWriter out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t micros = signal.durations[i];
        const bool mark = i % 2 == 0;
        if (micros == 0 || (mark && micros > capture::longestMarkMicros) ||
            (!mark && micros > capture::longestSpaceMicros))
            return std::nullopt;
        if (!(mark ? putMark(out, micros) : putSpace(out, micros)))
            return std::nullopt;
        if (out.groups() > capture::signalGroups)
            return std::nullopt;
    }
    for (std::size_t i = 0; i < capture::endMarkerGroups; ++i)
        out.put(capture::runValue);
    putCarrier(out, signal.carrierHz);
    return out.finish();
}

namespace {

constexpr Texts inUserLanguage{"qmv::remote"};

std::string lineMessage(std::size_t line, std::string_view value, const char* reason)
{
    return inUserLanguage(QT_TRANSLATE_NOOP("qmv::remote", "第 %1 行的数值 \"%2\" %3"),
                          {std::to_string(line), shortExcerpt(value), inUserLanguage(reason)});
}

bool parseNumber(std::string_view token, std::uint64_t* value)
{
    if (token.empty() || token.size() > 12)
        return false;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), *value);
    return ec == std::errc() && end == token.data() + token.size();
}

} // namespace

std::optional<Signal> parseTimings(std::string_view text, std::string* error)
{
    Signal signal;
    std::istringstream lines{std::string(text)};
    std::string line;
    std::size_t lineNumber = 0;
    bool sawDuration = false;
    GroupWriter budget; // counts groups exactly as the capture will
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string word;
        bool firstWord = true;
        while (words >> word) {
            if (firstWord && !sawDuration && signal.durations.empty() && word == "carrier") {
                std::string hz;
                std::uint64_t value = 0;
                if (!(words >> hz) || !parseNumber(hz, &value) || value < 10'000 || value > 500'000) {
                    if (error)
                        *error = lineMessage(
                            lineNumber, hz,
                            QT_TRANSLATE_NOOP("qmv::remote", "不是有效的载波频率（10000 至 500000 Hz）"));
                    return std::nullopt;
                }
                signal.carrierHz = static_cast<std::uint32_t>(value);
                break;
            }
            firstWord = false;
            std::uint64_t value = 0;
            if (!parseNumber(word, &value) || value == 0) {
                if (error)
                    *error = lineMessage(lineNumber, word, QT_TRANSLATE_NOOP("qmv::remote", "不是正整数"));
                return std::nullopt;
            }
            const bool mark = signal.durations.size() % 2 == 0;
            const std::uint32_t limit = mark ? capture::longestMarkMicros : capture::longestSpaceMicros;
            if (value > limit) {
                if (error)
                    *error = lineMessage(
                        lineNumber, word,
                        mark ? QT_TRANSLATE_NOOP("qmv::remote", "超过了接收器能记录的最长载波时间")
                             : QT_TRANSLATE_NOOP("qmv::remote", "超过了接收器能记录的最长间隔"));
                return std::nullopt;
            }
            signal.durations.push_back(static_cast<std::uint32_t>(value));
            sawDuration = true;
            const std::uint32_t micros = static_cast<std::uint32_t>(value);
            if (!(mark ? putMark(budget, micros) : putSpace(budget, micros)) ||
                budget.groups() > capture::signalGroups) {
                if (error)
                    *error =
                        lineMessage(lineNumber, word,
                                    QT_TRANSLATE_NOOP("qmv::remote", "处信号过长，超出了接收器的记录容量"));
                return std::nullopt;
            }
        }
    }
    if (signal.durations.empty()) {
        if (error)
            *error = inUserLanguage(QT_TRANSLATE_NOOP("qmv::remote", "文件中没有任何时长数据"));
        return std::nullopt;
    }
    return signal;
}

std::optional<std::string> readCodeFile(const std::string& path, std::string* error)
{
    auto read = platform::readRegularFile(path, codeFileLimit);
    if (!read.content && error)
        *error = inUserLanguage(QT_TRANSLATE_NOOP("qmv::remote", "无法读取文件 %1（%2）"),
                                {shortExcerpt(path), read.error});
    return std::move(read.content);
}

std::string shortExcerpt(std::string_view text)
{
    constexpr std::size_t shown = 40;
    std::string excerpt;
    for (std::size_t i = 0; i < text.size() && i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        excerpt += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    if (text.size() > shown)
        excerpt += "...";
    return excerpt;
}

bool isCaptureText(std::string_view text)
{
    // Hex groups only, and among them the end marker every capture carries. A list of durations
    // may be all digits too (one duration a line), but a decimal number never holds a 7FFF group.
    std::string groups;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            groups += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if (c != '\0' && c != '\n' && c != '\r')
            return false;
    }
    std::string endMarker;
    for (std::size_t i = 0; i < capture::endMarkerGroups; ++i)
        endMarker += "7FFF";
    return groups.find(endMarker) != std::string::npos;
}

} // namespace qmv::remote
