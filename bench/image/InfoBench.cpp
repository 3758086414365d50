// Start-up's identification and load of a factory-fresh virtual remote, through the real link
// library: wall time per load and the number of link calls it makes.
#include "LinkLibrary.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "StateFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

class SilentDialogs : public qmv::Dialogs
{
public:
    qmv::Reply messageBox(const std::string& text, const std::string&, qmv::Buttons) override
    {
        std::cerr << text << '\n';
        return qmv::Reply::Cancel;
    }
    void plainMessage(const std::string& text) override { std::cerr << text << '\n'; }
};

void LoadFactoryRemote(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "qmv718-bench-XXXXXX").string();
    ::mkdtemp(folder.data());
    ::setenv("QMV718_REMOTE_DIR", folder.c_str(), 1);
    std::string error;
    const auto library = qmv::LinkLibrary::load(qmv::programFolder(), &error);
    if (!library) {
        state.SkipWithError(error.c_str());
        return;
    }
    const qmv::RemoteLink link(library->functions());
    SilentDialogs dialogs;
    std::uint64_t loads = 0;
    for (auto _ : state) {
        qmv::RemoteLoader loader(link, dialogs);
        auto loaded = loader.load();
        if (!loaded) {
            state.SkipWithError("the remote did not load");
            break;
        }
        benchmark::DoNotOptimize(loaded);
        ++loads;
    }
    state.counters["link_calls_per_load"] =
        loads ? static_cast<double>(link.callCount()) / static_cast<double>(loads) : 0.0;
    std::filesystem::remove_all(folder);
}
BENCHMARK(LoadFactoryRemote)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
