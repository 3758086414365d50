#include "CaptureSignal.h"

#include "AtomicFile.h"
#include "Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <sstream>

namespace qmv::remote {

std::optional<std::string> captureText(const Signal& signal)
{
    return capture::captureText(signal.durations, signal.carrierHz);
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

const char* unfitReason(capture::Unfit fault)
{
    switch (fault) {
    case capture::Unfit::MarkTooLong:
        return QT_TRANSLATE_NOOP("qmv::remote", "超过了接收器能记录的最长载波时间");
    case capture::Unfit::SpaceTooLong:
        return QT_TRANSLATE_NOOP("qmv::remote", "超过了接收器能记录的最长间隔");
    case capture::Unfit::NoDurations:
    case capture::Unfit::ZeroDuration: // zero is refused before, as no positive number
    case capture::Unfit::BufferFull:
        break;
    }
    return QT_TRANSLATE_NOOP("qmv::remote", "处信号过长，超出了接收器的记录容量");
}

} // namespace

std::optional<Signal> parseTimings(std::string_view text, std::string* error)
{
    Signal signal;
    std::istringstream lines{std::string(text)};
    std::string line;
    std::size_t lineNumber = 0;
    bool sawDuration = false;
    capture::CaptureWriter recorded;
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
            // Counted exactly as the capture will be, so the first duration that does not fit is named.
            const auto micros = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
            if (const auto fault = recorded.add(micros)) {
                if (error)
                    *error = lineMessage(lineNumber, word, unfitReason(*fault));
                return std::nullopt;
            }
            signal.durations.push_back(micros);
            sawDuration = true;
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
