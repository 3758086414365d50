// Imports whole device files into virtual remotes and reports, per file and in total:
//  - signals read, stored on the remote, and played back faithfully by the remote
//    (raw: every mark and space within max(50 us, 8 %), every frame gap within 1 ms;
//     parsed: the remote plays exactly the protocol's frame);
//  - export -> import round trips of each filled area into a second remote, per format
//    (identical: every key plays exactly as on the first remote; close: within the tolerance);
//  - the link calls and time of the largest area import with the given per-call latency.
//
// Usage: qmv718-importbench [--latency MS] [--save-area FILE] DEVICE.ir...
// Runs from the program's folder (the link library lies beside it).
#include "BatchStore.h"
#include "DeviceImport.h"
#include "ExportFormats.h"
#include "InProcessConversion.h"
#include "KeyNames.h"
#include "Keypad.h"
#include "LearnChain.h"
#include "LinkLibrary.h"
#include "Player.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "SignalRender.h"
#include "StateFolder.h"
#include "StoredKeys.h"
#include "VirtualRemote.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

using namespace qmv;
using namespace qmv::transfer;
namespace fs = std::filesystem;

namespace {

class Quiet : public Dialogs
{
public:
    Reply messageBox(const std::string&, const std::string&, Buttons) override { return Reply::Ok; }
    void plainMessage(const std::string&) override {}
};

// A fresh virtual remote in a folder of its own, and the link to it.
class Remote
{
public:
    Remote(const RemoteLink& link, int latencyMs)
        : m_link(link)
    {
        std::string pattern = (fs::temp_directory_path() / "qmv718-importbench-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        select();
        remote::StateFolder(m_folder).setDemoEnabled(false);
        remote::StateFolder(m_folder).setLatencyMillis(latencyMs);
        Quiet quiet;
        m_loaded = RemoteLoader(m_link, quiet).load();
        if (m_loaded)
            m_image = std::make_unique<MemoryImage>(m_link, m_loaded->snapshot);
    }
    ~Remote() { fs::remove_all(m_folder); }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;

    void select() const { ::setenv("QMV718_REMOTE_DIR", m_folder.c_str(), 1); }
    bool ok() const { return m_image != nullptr; }
    MemoryImage& image() { return *m_image; }
    std::optional<Playback> played(int area, int row) const
    {
        const auto image = remote::loadOrCreateImage(remote::StateFolder(m_folder));
        return image ? remote::playKey(*image, area, row) : std::nullopt;
    }
    void setLatency(int ms) const { remote::StateFolder(m_folder).setLatencyMillis(ms); }

private:
    const RemoteLink& m_link;
    fs::path m_folder;
    std::optional<LoadedRemote> m_loaded;
    std::unique_ptr<MemoryImage> m_image;
};

std::vector<std::string> plainKeys()
{
    std::vector<std::string> codes;
    for (const KeyDefinition& key : keypad)
        if (key.selectsArea < 0)
            codes.emplace_back(key.code);
    return codes;
}

int rowOf(const MemoryImage& image, const std::string& code)
{
    return *image.rowOf(code);
}

struct Totals
{
    int signalCount = 0, problems = 0, rendered = 0, stored = 0, faithful = 0;
    int rawSignals = 0, rawFaithful = 0;
    int roundKeys = 0;
    int identical[3] = {0, 0, 0};
    int close[3] = {0, 0, 0};
};

const char* formatNames[3] = {"ir", "pronto", "json"};

bool closeEnough(const Playback& a, const Playback& b)
{
    return bench::playsBackFaithfully(a.durations, b);
}

} // namespace

int main(int argc, char** argv)
{
    int latency = 0;
    std::string saveArea;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--latency" && i + 1 < argc)
            latency = std::atoi(argv[++i]);
        else if (arg == "--save-area" && i + 1 < argc)
            saveArea = argv[++i];
        else
            files.push_back(arg);
    }
    // Every write of the virtual remote need not reach the disk for a measurement.
    ::setenv("QMV718_REMOTE_FSYNC", "0", 1);
    std::string error;
    const auto library = LinkLibrary::load(programFolder(), &error);
    if (!library) {
        std::cerr << error << '\n';
        return 2;
    }
    const RemoteLink link(library->functions());
    const auto keys = plainKeys();
    Totals total;
    std::size_t largestArea = 0;
    std::string largestExport;

    std::printf("%-62s %5s %5s %6s %6s %9s | round trip ir/pronto/json identical\n", "file", "sigs", "bad",
                "stored", "faith", "raw-faith");
    for (const std::string& path : files) {
        const auto text = readSignalFile(path, &error);
        if (!text) {
            std::cerr << error << '\n';
            continue;
        }
        const SignalFile file = parseSignalFile(*text);
        Totals t;
        t.signalCount = static_cast<int>(file.entries.size()) + static_cast<int>(file.problems.size());
        t.problems = static_cast<int>(file.problems.size());

        Remote first(link, 0);
        if (!first.ok())
            return 2;
        const std::size_t capacity = keys.size() * areaCount;
        int areasUsed = 0;
        for (std::size_t i = 0; i < file.entries.size() && i < capacity; ++i) {
            const IrSignal& signal = file.entries[i];
            const auto rendered = renderSignal(signal, test::convertInProcess);
            if (!std::holds_alternative<StoredCode>(rendered))
                continue;
            ++t.rendered;
            const int area = static_cast<int>(i / keys.size());
            const std::string& key = keys[i % keys.size()];
            areasUsed = std::max(areasUsed, area + 1);
            first.select();
            const StoreOutcome outcome =
                storeAll(first.image(), {{area, key, std::get<StoredCode>(rendered), signal.name}});
            if (outcome.stored.empty())
                continue;
            ++t.stored;
            const auto played = first.played(area, rowOf(first.image(), key));
            if (!played)
                continue;
            bool faithful = false;
            if (signal.protocol) {
                const auto expected = protocolCode(signal.protocol->protocol, signal.protocol->address,
                                                   signal.protocol->command);
                faithful = expected && playedDurations(*expected) == played->durations;
            } else {
                faithful = bench::playsBackFaithfully(signal.durations, *played);
                ++t.rawSignals;
                t.rawFaithful += faithful ? 1 : 0;
            }
            t.faithful += faithful ? 1 : 0;
        }

        // Each filled area exported in every format and imported into a second remote's same area.
        first.select();
        Quiet quiet;
        const auto reloaded = RemoteLoader(link, quiet).load();
        const StoredKeys stored(link, reloaded->snapshot);
        for (int f = 0; f < 3; ++f) {
            Remote second(link, 0);
            for (int area = 0; area < areasUsed; ++area) {
                first.select();
                const auto learned = learnedKeys(stored, area, nullptr);
                const std::string exported =
                    formatExport(learned, static_cast<ExportFormat>(f), areaNames[area]);
                if (f == 0 && learned.size() > largestArea) {
                    largestArea = learned.size();
                    largestExport = exported;
                }
                const PreparedImport prepared =
                    prepareImport(parseSignalFile(exported), area, test::convertInProcess);
                second.select();
                storeAll(second.image(), prepared.items);
                for (const ExportedKey& key : learned) {
                    const auto a = first.played(area, rowOf(first.image(), key.keyCode));
                    const auto b = second.played(area, rowOf(second.image(), key.keyCode));
                    if (f == 0)
                        ++t.roundKeys;
                    if (a && b && a->durations == b->durations)
                        ++t.identical[f];
                    if (a && b && closeEnough(*a, *b))
                        ++t.close[f];
                }
            }
        }
        std::printf("%-62s %5d %5d %6d %6d %4d/%-4d | %d/%d/%d of %d\n",
                    fs::path(path).filename().string().substr(0, 62).c_str(), t.signalCount, t.problems,
                    t.stored, t.faithful, t.rawFaithful, t.rawSignals, t.identical[0], t.identical[1],
                    t.identical[2], t.roundKeys);
        total.signalCount += t.signalCount;
        total.problems += t.problems;
        total.rendered += t.rendered;
        total.stored += t.stored;
        total.faithful += t.faithful;
        total.rawSignals += t.rawSignals;
        total.rawFaithful += t.rawFaithful;
        total.roundKeys += t.roundKeys;
        for (int f = 0; f < 3; ++f) {
            total.identical[f] += t.identical[f];
            total.close[f] += t.close[f];
        }
    }
    const auto share = [](int part, int whole) {
        return whole ? 100.0 * part / whole : 0.0;
    };
    std::printf(
        "\nsignals %d, unreadable %d, stored %d (%.1f %%), played back faithfully %d (%.1f %% of all)\n",
        total.signalCount, total.problems, total.stored, share(total.stored, total.signalCount),
        total.faithful, share(total.faithful, total.signalCount));
    std::printf("raw signals stored %d, faithful %d (%.1f %%)\n", total.rawSignals, total.rawFaithful,
                share(total.rawFaithful, total.rawSignals));
    for (int f = 0; f < 3; ++f)
        std::printf("round trip %-6s: %d of %d keys play identically, %d within tolerance\n", formatNames[f],
                    total.identical[f], total.roundKeys, total.close[f]);

    if (!largestExport.empty()) {
        if (!saveArea.empty())
            remote::writeFileAtomically(saveArea, largestExport);
        Remote timed(link, latency);
        timed.select();
        const std::uint64_t before = link.callCount();
        const auto start = std::chrono::steady_clock::now();
        const PreparedImport prepared =
            prepareImport(parseSignalFile(largestExport), 1, test::convertInProcess);
        const StoreOutcome outcome = storeAll(timed.image(), prepared.items);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("import of %zu keys with %d ms latency: %.2f s, %llu link calls\n", outcome.stored.size(),
                    latency, seconds, static_cast<unsigned long long>(link.callCount() - before));
    }
    return 0;
}
