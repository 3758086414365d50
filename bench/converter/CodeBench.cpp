// Measures the stored code form on a sample of real signals: how faithfully learned codes play
// back, how well protocol codes are recognised, what a learned key costs in the remote compared
// with Pronto Hex, and how many captures a second are trimmed, encoded and converted.
//
// Usage: qmv718-codebench [sample.tsv] [--seconds N] [--unnamed]
// --unnamed lists every faithful capture that is not stored as a named protocol.
// The sample's files are split by a hash of their path into two halves, reported separately, so
// one half serves development and the other stays unseen.

#include "LearnChain.h"
#include "SampleFile.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace qmv::bench {
namespace {

constexpr std::size_t kRecordBytes = 22;

using FamilyCounts = std::map<std::string, std::pair<std::size_t, std::size_t>>; // named, faithful

struct Figures
{
    std::size_t rawLines = 0;
    std::size_t notFitting = 0;
    std::size_t faithful = 0;
    std::size_t failed = 0;
    std::map<std::string, std::size_t> forms;
    FamilyCounts namedByFamily;
    std::size_t parsedLines = 0;
    std::size_t outOfRange = 0; // address or command beyond what the protocol carries
    std::size_t recognised = 0;
    std::map<std::string, std::pair<std::size_t, std::size_t>> byProtocol; // recognised, total
    std::vector<double> sizeRatios;
    std::vector<double> keyBytes;
};

std::uint32_t pathHash(const std::string& text)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

std::string formOf(const std::string& identifier)
{
    const unsigned first = static_cast<unsigned>(std::stoul(identifier.substr(0, 2), nullptr, 16));
    if (first < 0x22)
        return "protocol";
    return first >= 0x80 ? "raw" : "pulse";
}

// Raw captures grouped by their leading mark and space, the way their protocol families start.
std::string familyOf(const std::vector<std::uint32_t>& durations)
{
    struct Family
    {
        const char* name;
        double mark;
        double space;
    };
    static constexpr Family families[] = {
        {"9000/4500 NEC", 9000, 4500}, {"4500/4500 Samsung", 4500, 4500}, {"3400/1700 Kaseikyo", 3400, 1700},
        {"2400/600 Sony", 2400, 600},  {"2666/889 RC6", 2666, 889},       {"8400/4200 JVC", 8400, 4200},
        {"4000/4000 RCA", 4000, 4000}};
    if (durations.size() < 2)
        return "other";
    for (const Family& f : families)
        if (std::abs(durations[0] - f.mark) <= 0.15 * f.mark &&
            std::abs(durations[1] - f.space) <= 0.2 * f.space)
            return f.name;
    return durations[0] < 1200 ? "no header" : "other header";
}

// Named: a protocol form whose description carries address and command.
bool isNamed(const StoredCode& code)
{
    const auto info = describe(code.identifier, code.parameters);
    return info && !info->address.empty();
}

std::size_t prontoBytes(const std::vector<std::uint32_t>& durations, std::uint32_t carrierHz)
{
    const std::string pronto = toPronto(Playback{capturedPart(durations), carrierHz ? carrierHz : 38000});
    return (pronto.size() + 1) / 5 * 2; // 16-bit words
}

bool listUnnamed = false;

void measureRaw(const std::vector<const SampleLine*>& lines, Figures& figures)
{
    struct Key
    {
        std::string file;
        StoredCode code;
        double prontoBytes;
    };
    std::vector<Key> keys;
    for (const SampleLine* line : lines) {
        ++figures.rawLines;
        bool fits = false;
        const auto learned = learn(line->durations, line->carrierHz, &fits);
        if (!fits) {
            ++figures.notFitting;
            continue;
        }
        const auto played = learned ? playStored(learned->code) : std::nullopt;
        if (!played || !playsBackFaithfully(line->durations, *played)) {
            ++figures.failed;
            continue;
        }
        ++figures.faithful;
        ++figures.forms[formOf(learned->code.identifier)];
        const bool named = isNamed(learned->code);
        auto& [namedCount, familyCount] = figures.namedByFamily[familyOf(line->durations)];
        namedCount += named ? 1 : 0;
        ++familyCount;
        if (listUnnamed && !named) {
            std::printf("unnamed\t%s\t%s\t%zu\t", line->file.c_str(), line->name.c_str(),
                        line->durations.size());
            for (std::uint32_t d : line->durations)
                std::printf(" %u", d);
            std::printf("\n");
        }
        keys.push_back(
            {line->file, learned->code, static_cast<double>(prontoBytes(line->durations, line->carrierHz))});
    }
    // A slot is shared by the keys of one device (one sample file) that name the same identifier.
    std::map<std::pair<std::string, std::string>, std::size_t> sharing;
    for (const Key& key : keys)
        ++sharing[{key.file, key.code.identifier}];
    for (const Key& key : keys) {
        const double slotBytes = static_cast<double>(key.code.data.size() / 2);
        const double cost = kRecordBytes + slotBytes / sharing[{key.file, key.code.identifier}];
        figures.keyBytes.push_back(cost);
        figures.sizeRatios.push_back(cost / key.prontoBytes);
    }
}

void measureParsed(const std::vector<const SampleLine*>& lines, Figures& figures)
{
    for (const SampleLine* line : lines) {
        ++figures.parsedLines;
        std::uint32_t address = line->address;
        std::uint32_t command = line->command;
        const std::string protocol = canonicalProtocol(line->protocol, address, command);
        const auto code = line->valid ? protocolCode(protocol, address, command) : std::nullopt;
        if (!code) {
            ++figures.outOfRange;
            continue;
        }
        auto& [hits, total] = figures.byProtocol[line->protocol];
        ++total;
        const auto rendered = playStored(*code);
        const auto learned = rendered ? learn(rendered->durations, rendered->carrierHz) : std::nullopt;
        const auto info =
            learned ? describe(learned->code.identifier, learned->code.parameters) : std::nullopt;
        const auto expected = describe(code->identifier, code->parameters);
        if (info && expected && info->protocol == expected->protocol && info->address == expected->address &&
            info->command == expected->command) {
            ++hits;
            ++figures.recognised;
        }
    }
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void printNamed(const FamilyCounts& byFamily)
{
    std::size_t named = 0;
    std::size_t faithful = 0;
    for (const auto& [family, counts] : byFamily) {
        named += counts.first;
        faithful += counts.second;
    }
    std::printf("Named: %.2f %% (%zu of %zu faithful captures stored as a named protocol with address and "
                "command)\n",
                faithful ? 100.0 * named / faithful : 0.0, named, faithful);
    for (const auto& [family, counts] : byFamily)
        std::printf("  %-19s %5.1f %% (%zu/%zu)\n", family.c_str(), 100.0 * counts.first / counts.second,
                    counts.first, counts.second);
}

void printFigures(const char* title, const Figures& f)
{
    std::printf("== %s ==\n", title);
    const std::size_t fitting = f.rawLines - f.notFitting;
    std::printf("Fidelity: %.2f %% (%zu of %zu raw signals that fit the capture buffer; %zu do not fit)\n",
                fitting ? 100.0 * f.faithful / fitting : 0.0, f.faithful, fitting, f.notFitting);
    for (const auto& [form, count] : f.forms)
        std::printf("  stored as %-8s %zu\n", form.c_str(), count);
    printNamed(f.namedByFamily);
    const std::size_t renderable = f.parsedLines - f.outOfRange;
    std::printf(
        "Recognition: %.2f %% (%zu of %zu parsed signals; %zu more name values outside their protocol)\n",
        renderable ? 100.0 * f.recognised / renderable : 0.0, f.recognised, renderable, f.outOfRange);
    for (const auto& [protocol, counts] : f.byProtocol)
        std::printf("  %-10s %zu/%zu\n", protocol.c_str(), counts.first, counts.second);
    std::printf("Size: key cost / Pronto Hex size, median %.1f %% (p10 %.1f %%, p25 %.1f %%, p75 %.1f %%, "
                "p90 %.1f %%, max %.1f %%)\n",
                100 * percentile(f.sizeRatios, 0.5), 100 * percentile(f.sizeRatios, 0.1),
                100 * percentile(f.sizeRatios, 0.25), 100 * percentile(f.sizeRatios, 0.75),
                100 * percentile(f.sizeRatios, 0.9), 100 * percentile(f.sizeRatios, 1.0));
    std::printf("  bytes per key: median %.1f, p90 %.1f, max %.1f\n", percentile(f.keyBytes, 0.5),
                percentile(f.keyBytes, 0.9), percentile(f.keyBytes, 1.0));
}

// Conversions per second on one core, over the sample's capture buffers and over the fullest.
void measureSpeed(const std::vector<const SampleLine*>& rawLines, double seconds)
{
    std::vector<std::string> captures;
    for (const SampleLine* line : rawLines)
        if (auto text = remote::captureText(remote::Signal{line->durations, line->carrierHz}))
            captures.push_back(std::move(*text));
    if (captures.empty())
        return;
    auto fullness = [](const std::string& c) {
        return TrimCapture(c).size();
    };
    std::vector<std::string> fullest = captures;
    std::sort(fullest.begin(), fullest.end(),
              [&](const std::string& a, const std::string& b) { return fullness(a) > fullness(b); });
    fullest.resize(std::min<std::size_t>(fullest.size(), 20));

    auto rate = [&](const std::vector<std::string>& set) {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        std::size_t done = 0;
        std::size_t outputChars = 0;
        while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
            for (const std::string& capture : set) {
                const std::string encoded = EncodeCapture(TrimCapture(capture));
                outputChars +=
                    convert(std::string_view(encoded).substr(std::min<std::size_t>(5, encoded.size())))
                        .size();
                ++done;
            }
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        return outputChars > 0 ? static_cast<double>(done) / elapsed : 0.0;
    };
    std::printf("Speed: %.0f captures/s trimmed, encoded and converted (sample mix, one core)\n",
                rate(captures));
    std::printf("       %.0f captures/s on the %zu fullest captures (up to %zu characters of code)\n",
                rate(fullest), fullest.size(), fullness(fullest.front()));

    // A buffer filled to its last group: repeats of a real frame until nothing more fits.
    remote::Signal full{{}, 38000};
    const SampleLine* longest = rawLines.front();
    for (const SampleLine* line : rawLines)
        if (line->durations.size() > longest->durations.size())
            longest = line;
    while (full.durations.size() + 1 < remote::capture::signalGroups)
        full.durations.push_back(std::clamp<std::uint32_t>(
            longest->durations[full.durations.size() % longest->durations.size()], 100, 9000));
    if (full.durations.size() % 2 == 0)
        full.durations.pop_back();
    if (auto text = remote::captureText(full))
        std::printf("       %.0f captures/s on a buffer filled to its last group (%zu characters of code)\n",
                    rate({*text}), fullness(*text));
}

} // namespace
} // namespace qmv::bench

int main(int argc, char** argv)
{
    using namespace qmv::bench;
    std::string path = QMV718_DEFAULT_SAMPLE;
    double seconds = 2.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--unnamed") == 0)
            listUnnamed = true;
        else
            path = argv[i];
    }
    const auto sample = readSample(path);
    if (!sample) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<const SampleLine*> raw[2];
    std::vector<const SampleLine*> parsed[2];
    for (const SampleLine& line : *sample) {
        const int half = pathHash(line.file) % 2;
        (line.raw ? raw : parsed)[half].push_back(&line);
    }
    std::printf("Sample %s: %zu lines\n", path.c_str(), sample->size());
    const char* titles[2] = {"development half (files with even path hash)", "held-out half (odd path hash)"};
    FamilyCounts namedInAll;
    for (int half = 0; half < 2; ++half) {
        Figures figures;
        measureRaw(raw[half], figures);
        measureParsed(parsed[half], figures);
        printFigures(titles[half], figures);
        for (const auto& [family, counts] : figures.namedByFamily) {
            namedInAll[family].first += counts.first;
            namedInAll[family].second += counts.second;
        }
    }
    std::printf("== whole sample ==\n");
    printNamed(namedInAll);
    std::vector<const SampleLine*> allRaw = raw[0];
    allRaw.insert(allRaw.end(), raw[1].begin(), raw[1].end());
    measureSpeed(allRaw, seconds);
    return 0;
}
