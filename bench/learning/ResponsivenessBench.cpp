// How long the user-interface thread is blocked at worst while the window starts, while a key is
// learned and while a key is deleted, against the virtual remote with a per-call latency (the
// benchmark's argument, in milliseconds). A heartbeat timer runs on the user-interface thread;
// the longest gap between two of its beats is the worst stall a user could have felt.
//
//   qmv718-learnbench                   # latencies 0 and 5 ms
//   qmv718-learnbench --benchmark_filter=/5
//
// Counters: worst_ms is the longest stall over all iterations, mean_worst_ms its mean per
// iteration, phase_ms how long the phase took in all. The message boxes are answered at once, so
// a stall never includes the user's reading time.

#include "Dialogs.h"
#include "LinkLibrary.h"
#include "MainWindow.h"
#include "MainWindowView.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "StateFolder.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace qmv {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* keyToLearn = "12";
// A slot-placed demo signal: the learn writes code data, the index block and the record.
constexpr const char* timings =
    "carrier 38000\n"
    "8071 3995 524 501 496 504 493 1507 498 502 495 1504 501 1499 495 1504 501 1500 "
    "494 3986 523 503 494 506 491 509 498 1501 493 507 500 500 497 504 493 508 499\n";

// Answers every question with its proceeding button, at once.
class AnsweringDialogs : public Dialogs
{
public:
    Reply messageBox(const std::string&, const std::string&, Buttons buttons) override
    {
        return buttons == Buttons::YesNo         ? Reply::Yes
               : buttons == Buttons::RetryCancel ? Reply::Retry
                                                 : Reply::Ok;
    }
    void plainMessage(const std::string&) override {}
};

// The longest time between two turns of the user-interface thread's event loop.
class StallMeter
{
public:
    StallMeter()
    {
        m_beat.setInterval(0);
        QObject::connect(&m_beat, &QTimer::timeout, [this] { beat(); });
    }
    void start()
    {
        m_worst = Clock::duration::zero();
        m_started = m_last = Clock::now();
        m_beat.start();
    }
    void stop()
    {
        beat();
        m_beat.stop();
    }
    double worstMillis() const { return std::chrono::duration<double, std::milli>(m_worst).count(); }
    double phaseMillis() const
    {
        return std::chrono::duration<double, std::milli>(m_last - m_started).count();
    }

private:
    void beat()
    {
        const auto now = Clock::now();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }

    QTimer m_beat;
    Clock::time_point m_started;
    Clock::time_point m_last;
    Clock::duration m_worst{};
};

void spinUntil(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 20000)
            throw std::runtime_error("the window did not get there in time");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// A fresh virtual remote in a scratch folder, reached through the real link library.
class BenchRemote
{
public:
    explicit BenchRemote(int latencyMillis)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmv718-bench-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        ::setenv("QMV718_REMOTE_DIR", m_folder.c_str(), 1);
        ::setenv("QMV718_REMOTE_FSYNC", "0", 1);
        ::setenv("QMV718_REMOTE_LATENCY_MS", std::to_string(latencyMillis).c_str(), 1);
        remote::StateFolder(m_folder).setDemoEnabled(false);
        std::string error;
        m_library = LinkLibrary::load(programFolder(), &error);
        if (!m_library)
            throw std::runtime_error(error);
        m_link = std::make_unique<RemoteLink>(m_library->functions());
    }
    ~BenchRemote()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    BenchRemote(const BenchRemote&) = delete;
    BenchRemote& operator=(const BenchRemote&) = delete;

    RemoteLink& link() { return *m_link; }
    remote::StateFolder folder() const { return remote::StateFolder(m_folder); }

private:
    std::filesystem::path m_folder;
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_link;
};

// The program's start as main() does it: window, remote loaded with events running, learning
// wired, window shown until its start state is in place.
class StartedWindow
{
public:
    explicit StartedWindow(BenchRemote& remote)
        : m_window(remote.link(), m_dialogs)
    {
        m_window.setProgramFolder(QString::fromStdString(programFolder()));
        RemoteLoader loader(remote.link(), m_dialogs, [] { QCoreApplication::processEvents(); });
        const std::optional<LoadedRemote> loaded = loader.load();
        if (!loaded)
            throw std::runtime_error("the remote did not load: " + loader.failure());
        m_session.emplace(m_window, remote.link(), m_dialogs, loaded->snapshot, programFolder());
        m_window.show();
        spinUntil([this] { return m_window.pictures() != nullptr; });
        QCoreApplication::processEvents();
    }

    LearningController& controller() { return m_session->controller(); }

private:
    AnsweringDialogs m_dialogs;
    MainWindow m_window;
    std::optional<LearningSession> m_session;
};

void learnOneKey(StartedWindow& window, BenchRemote& remote)
{
    window.controller().beginstudyibtnClick();
    remote.folder().deliverToInbox(timings);
    window.controller().KeyClick(keyToLearn);
    spinUntil([&window] { return !window.controller().captureRunning(); });
    window.controller().beginstudyibtnClick();
}

using Step = std::function<void(std::unique_ptr<StartedWindow>& window, BenchRemote& remote)>;

// Runs `phase` once per iteration on a fresh remote, after `prepare`, and reports its stalls.
void measure(benchmark::State& state, const Step& prepare, const Step& phase)
{
    double worst = 0;
    double worstSum = 0;
    double phaseSum = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchRemote remote(static_cast<int>(state.range(0)));
        std::unique_ptr<StartedWindow> window;
        prepare(window, remote);
        StallMeter meter;
        state.ResumeTiming();

        meter.start();
        phase(window, remote);
        meter.stop();

        state.PauseTiming();
        worst = std::max(worst, meter.worstMillis());
        worstSum += meter.worstMillis();
        phaseSum += meter.phaseMillis();
        window.reset();
        state.ResumeTiming();
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["worst_ms"] = worst;
    state.counters["mean_worst_ms"] = worstSum / iterations;
    state.counters["phase_ms"] = phaseSum / iterations;
}

void startWindow(std::unique_ptr<StartedWindow>& window, BenchRemote& remote)
{
    window = std::make_unique<StartedWindow>(remote);
}

void BM_StartUpStall(benchmark::State& state)
{
    measure(
        state, [](std::unique_ptr<StartedWindow>&, BenchRemote&) {}, startWindow);
}

void BM_LearnStall(benchmark::State& state)
{
    measure(state, startWindow, [](std::unique_ptr<StartedWindow>& window, BenchRemote& remote) {
        learnOneKey(*window, remote);
    });
}

void BM_DeleteStall(benchmark::State& state)
{
    measure(
        state,
        [](std::unique_ptr<StartedWindow>& window, BenchRemote& remote) {
            startWindow(window, remote);
            learnOneKey(*window, remote);
            window->controller().IBtn78Click();
        },
        [](std::unique_ptr<StartedWindow>& window, BenchRemote&) {
            window->controller().KeyClick(keyToLearn);
            QCoreApplication::processEvents();
        });
}

BENCHMARK(BM_StartUpStall)->Arg(0)->Arg(5)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LearnStall)->Arg(0)->Arg(5)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteStall)->Arg(0)->Arg(5)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qmv

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
