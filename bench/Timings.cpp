// Google Benchmark timings of the play pass against its drawing floors, and of the board copy.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "Modes.h"
#include "Scene.h"

namespace {

Scene& sceneOf(int level) {
    static std::map<int, std::unique_ptr<Scene>> scenes;
    std::unique_ptr<Scene>& scene = scenes[level];
    if (!scene) {
        scene = std::make_unique<Scene>(level);
    }
    return *scene;
}

// The copy that puts the full board back before each play pass, on its own.
void copyOnly(benchmark::State& state, int level) {
    Scene& scene = sceneOf(level);
    for (auto _ : state) {
        scene.restore();
        benchmark::DoNotOptimize(&scene.game);
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = sizeof(Game);
}

// The thread's CPU time: a pass preempted by another program on the machine is not charged.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsSince(double& mark) {
    const double now = cpuSeconds();
    const double seconds = now - mark;
    mark = now;
    return seconds;
}

// The pass and its floors take turns, so that whatever else runs on the machine weighs on
// all alike and their ratio holds; the copy that restores the board is timed apart. The
// ratio is against the blit floor, the drawing the pass makes.
void passAndFloor(benchmark::State& state, int level, int frame) {
    Scene& scene = sceneOf(level);
    double copy = 0, pass = 0, floor = 0, blits = 0;
    for (auto _ : state) {
        double mark = cpuSeconds();
        scene.restore();
        copy += secondsSince(mark);
        scene.playPass(frame);
        pass += secondsSince(mark);
        scene.floorPass(frame, Floor::DirectCalls);
        floor += secondsSince(mark);
        scene.floorPass(frame, Floor::Blits);
        blits += secondsSince(mark);
    }
    checkSteady(scene, level);
    scene.restore();
    const double perPass = 1e6 / static_cast<double>(state.iterations());
    state.counters["copy_us"] = copy * perPass;
    state.counters["pass_us"] = pass * perPass;
    state.counters["floor_us"] = floor * perPass;
    state.counters["blits_us"] = blits * perPass;
    state.counters["ratio"] = pass / blits;
}

// Keeps each pair's counters (the median when repeated) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal: the scripts keep the output.
    SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!run.error_occurred && run.counters.count("ratio") != 0 &&
                (median || run.repetitions <= 1)) {
                pairs[run.run_name.function_name] = run.counters;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printSummary() const {
        std::printf("\nTime per pass in microseconds of CPU (play pass without the board copy)\n");
        std::printf("%-5s %-6s %10s %10s %10s %8s\n", "band", "frame", "pass", "floor", "blits",
                    "ratio");
        for (int level : kBandLevels) {
            for (const char* frame : {"tick", "plain"}) {
                const auto it =
                    pairs.find(std::string("pass_and_floor/") + bandName(level) + "/" + frame);
                if (it == pairs.end()) {
                    continue;
                }
                const benchmark::UserCounters& c = it->second;
                std::printf("%-5s %-6s %10.2f %10.2f %10.2f %8.3f\n", bandName(level), frame,
                            c.at("pass_us").value, c.at("floor_us").value, c.at("blits_us").value,
                            c.at("ratio").value);
            }
        }
    }

  private:
    std::map<std::string, benchmark::UserCounters> pairs;
};

}  // namespace

int runTimings(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    for (int level : kBandLevels) {
        const std::string band = bandName(level);
        benchmark::RegisterBenchmark(("copy/" + band).c_str(), copyOnly, level)
            ->Unit(benchmark::kMicrosecond);
        for (const std::string frame : {"tick", "plain"}) {
            benchmark::RegisterBenchmark(("pass_and_floor/" + band + "/" + frame).c_str(),
                                         passAndFloor, level,
                                         frame == "tick" ? Scene::kTickFrame : Scene::kPlainFrame)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    endSession();
    return 0;
}
