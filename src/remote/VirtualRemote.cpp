#include "VirtualRemote.h"

#include "CaptureSignal.h"
#include "DemoSignals.h"
#include "FactoryImage.h"
#include "HexText.h"
#include "Receiver.h"

#include "AtomicFile.h"

#include <cctype>
#include <cstring>
#include <iostream>
#include <thread>

namespace qmv::remote {

namespace {

// Answers go into the caller's zero-filled buffer, whose whole length is the text: no terminator
// is ours to write.
void fillBuffer(char* buffer, const char* text, std::size_t length)
{
    std::memcpy(buffer, text, length); // NOLINT(bugprone-not-null-terminated-result)
}

constexpr const char* failWritesFault = "fail-writes";
constexpr const char* dropLinkFault = "drop-link";

std::optional<std::uint8_t> parseHexByte(const char* text)
{
    if (!text || std::strlen(text) != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
        !std::isxdigit(static_cast<unsigned char>(text[1])))
        return std::nullopt;
    return static_cast<std::uint8_t>(std::stoi(std::string(text, 2), nullptr, 16));
}

std::optional<std::size_t> parseAddress(const char* high, const char* low)
{
    const auto h = parseHexByte(high);
    const auto l = parseHexByte(low);
    if (!h || !l)
        return std::nullopt;
    return (static_cast<std::size_t>(*h) << 8) | *l;
}

std::optional<std::vector<std::uint8_t>> parseHexData(const char* data)
{
    if (!data)
        return std::nullopt;
    const std::size_t length = std::strlen(data);
    if (length == 0 || length % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length / 2);
    for (std::size_t i = 0; i < length; i += 2) {
        const char pair[3] = {data[i], data[i + 1], '\0'};
        const auto byte = parseHexByte(pair);
        if (!byte)
            return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

bool isWholeImage(const std::optional<std::string>& content)
{
    return content && content->size() == layout::memorySize;
}

std::vector<std::uint8_t> createImage(const StateFolder& folder)
{
    auto image = buildFactoryImage(randomIdentity(), defaultFactoryContent());
    writeFileAtomically(folder.imagePath(), std::string(image.begin(), image.end()));
    return image;
}

} // namespace

std::optional<std::vector<std::uint8_t>> loadOrCreateImage(const StateFolder& folder, std::string* problem)
{
    FolderLock lock(folder.path());
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(folder.imagePath(), ec)))
        return createImage(folder);
    const auto content = readWholeFile(folder.imagePath());
    if (isWholeImage(content))
        return std::vector<std::uint8_t>(content->begin(), content->end());
    // A broken image is the user's remote all the same: it is reported, never replaced.
    if (problem) {
        *problem =
            "the memory image " + folder.imagePath().string() +
            (content ? " holds " + std::to_string(content->size()) + " bytes instead of " +
                           std::to_string(layout::memorySize)
                     : std::string(" is not a readable regular file")) +
            "; it is left as it is. `qmv718-cli remote reset` replaces it with a new remote, keeping a "
            "copy of it";
    }
    return std::nullopt;
}

bool resetImage(const StateFolder& folder, std::filesystem::path* keptCopy)
{
    FolderLock lock(folder.path());
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(folder.imagePath(), ec))) {
        const auto stamp = std::chrono::system_clock::now().time_since_epoch() / std::chrono::milliseconds(1);
        const auto copy = folder.path() / ("image.bin.before-reset-" + std::to_string(stamp));
        std::filesystem::rename(folder.imagePath(), copy, ec);
        if (ec)
            return false;
        if (keptCopy)
            *keptCopy = copy;
    }
    const auto image = buildFactoryImage(randomIdentity(), defaultFactoryContent());
    return writeFileAtomically(folder.imagePath(), std::string(image.begin(), image.end()));
}

VirtualRemote::VirtualRemote(std::filesystem::path folder)
    : m_folder(std::move(folder))
{
}

bool VirtualRemote::answers() const
{
    if (const int latency = m_folder.latencyMillis(); latency > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(latency));
    if (!m_folder.plugged())
        return false;
    return !m_folder.takeFault(dropLinkFault);
}

std::optional<std::vector<std::uint8_t>> VirtualRemote::memory() const
{
    std::string problem;
    auto image = loadOrCreateImage(m_folder, &problem);
    if (!image && !m_reportedBroken.exchange(true))
        std::cerr << "qmv718 virtual remote: " << problem << '\n';
    return image;
}

namespace {

std::string identityOf(const std::vector<std::uint8_t>& image)
{
    return {image.begin() + layout::basicInfo,
            image.begin() + static_cast<std::ptrdiff_t>(layout::basicInfo + layout::identitySize)};
}

} // namespace

void VirtualRemote::noteIdentity(const std::vector<std::uint8_t>& image)
{
    std::lock_guard guard(m_identityMutex);
    m_identity = identityOf(image);
}

bool VirtualRemote::identifiedAs(const std::vector<std::uint8_t>& image)
{
    std::lock_guard guard(m_identityMutex);
    return !m_identity || *m_identity == identityOf(image);
}

bool VirtualRemote::linkState()
{
    return answers();
}

bool VirtualRemote::readVersion(char* buffer)
{
    if (!answers())
        return false;
    fillBuffer(buffer, versionText, std::strlen(versionText));
    return true;
}

bool VirtualRemote::basicInfo(char* buffer)
{
    if (!answers())
        return false;
    const auto image = memory();
    if (!image)
        return false;
    const std::string text = hex::encode(image->data() + layout::basicInfo, layout::basicInfoSize);
    fillBuffer(buffer, text.data(), text.size());
    noteIdentity(*image);
    return true;
}

bool VirtualRemote::readData(char* buffer, int count, const char* addressHigh, const char* addressLow,
                             const char* selector)
{
    if (!answers())
        return false;
    const auto address = parseAddress(addressHigh, addressLow);
    if (!address || count <= 0 || !selector || std::strcmp(selector, "08") != 0)
        return false;
    const std::size_t bytes = static_cast<std::size_t>(count) * 8;
    if (*address + bytes > layout::memorySize)
        return false;
    const auto image = memory();
    if (!image)
        return false;
    const std::string text = hex::encode(image->data() + *address, bytes);
    fillBuffer(buffer, text.data(), text.size());
    if (*address <= layout::basicInfo && *address + bytes >= layout::basicInfo + layout::identitySize)
        noteIdentity(*image);
    return true;
}

bool VirtualRemote::writeData(const char* deviceTag, const char* addressHigh, const char* addressLow,
                              const char* data)
{
    if (!answers())
        return false;
    const auto address = parseAddress(addressHigh, addressLow);
    const auto bytes = parseHexData(data);
    const auto tag = parseHexByte(deviceTag);
    if (!address || !bytes || !tag || *address + bytes->size() > layout::memorySize)
        return false;

    FolderLock lock(m_folder.path());
    const platform::AtomicFile file(m_folder.imagePath());
    file.removeLeftovers(); // every writer holds the folder lock: these are of killed writers
    auto image = memory();
    if (!image || *tag != (*image)[layout::infoBlock + 8] || !identifiedAs(*image))
        return false;
    if (m_folder.takeFault(failWritesFault))
        return false;
    std::copy(bytes->begin(), bytes->end(), image->begin() + static_cast<std::ptrdiff_t>(*address));
    return file.write(std::string(image->begin(), image->end()));
}

bool VirtualRemote::setCodeCarrierWave()
{
    if (!answers())
        return false;
    std::lock_guard guard(m_captureMutex);
    auto capture = Receiver(m_folder).beginCapture();
    if (!capture)
        return false; // the receiver's state cannot be written: no code could ever reach it
    m_capture = std::move(*capture);
    m_capturing = true;
    m_captureStart = std::chrono::steady_clock::now();
    return true;
}

std::optional<std::string> VirtualRemote::nextReceivedCode(const std::string& captureId)
{
    const Receiver receiver(m_folder);
    if (auto text = receiver.take(captureId)) {
        if (isCaptureText(*text)) {
            std::string received = text->substr(0, capture::bufferChars);
            received.resize(capture::bufferChars, '\0');
            receiver.finish(captureId);
            return received;
        }
        std::string error;
        if (const auto signal = parseTimings(*text, &error)) {
            receiver.finish(captureId);
            return captureText(*signal);
        }
        return std::nullopt; // an unreadable code is noise the receiver ignores
    }
    std::lock_guard guard(m_captureMutex);
    if (m_folder.demoEnabled() && std::chrono::steady_clock::now() - m_captureStart >= demoDelay) {
        const auto& signals = demoSignals();
        receiver.finish(captureId);
        return captureText(signals[m_folder.takeDemoIndex(signals.size())]);
    }
    return std::nullopt;
}

bool VirtualRemote::collectCodeInfo(char* buffer)
{
    std::this_thread::sleep_for(pollInterval);
    if (!answers())
        return false;
    std::string captureId;
    {
        std::lock_guard guard(m_captureMutex);
        if (!m_capturing)
            return false;
        captureId = m_capture;
    }
    // Another program's capture has taken the receiver over, or capture mode ran out.
    if (!Receiver(m_folder).isCapturing(captureId)) {
        std::lock_guard guard(m_captureMutex);
        m_capturing = false;
        return false;
    }
    const auto code = nextReceivedCode(captureId);
    if (!code)
        return false;
    std::lock_guard guard(m_captureMutex);
    m_capturing = false;
    fillBuffer(buffer, code->data(), std::min(code->size(), capture::bufferChars));
    return true;
}

} // namespace qmv::remote
