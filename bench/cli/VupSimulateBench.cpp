// Runs `qx4t-vup update --simulate --yes --json` a few times and prints its end-to-end time
// less the designed waits:
//   - the final update-mode entry frame, which waits out its 5,000 ms time-out in 51 polls;
//   - the last image block's one 100 ms poll;
//   - the pause after the transfer up to the first restart poll (7.5 s);
//   - the spacing of any further restart polls (1 s each);
//   - the simulated restart, as far as it outlasts the pause (it does not by default).
// What remains is the tool's overhead: process start, the simulator's start, the entry frames,
// the image over the pseudo-terminal, the status reads. Target: under 0.5 s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/VersionRules.h"

namespace {

using Seconds = std::chrono::duration<double>;

constexpr Seconds kFinalEntryFrameWait{5.1};
constexpr Seconds kLastBlockPoll{0.1};
constexpr Seconds kTarget{0.5};

struct Run {
    int exitCode = -1;
    double total = 0;
    int polls = 0;
};

// The number after "key": in a JSON line, or -1.
int IntField(const std::string& line, const std::string& key) {
    const auto at = line.find("\"" + key + "\":");
    if (at == std::string::npos)
        return -1;
    return std::atoi(line.c_str() + at + key.size() + 3);
}

Run RunOnce() {
    Run run;
    const std::string command =
        std::string("'") + QX4T_VUP_PATH + "' update --simulate --yes --json 2>/dev/null";
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, pipe) != nullptr) {
        const std::string line = buf;
        if (line.find("\"phase\":\"restart\"") != std::string::npos) {
            run.polls = std::max(run.polls, IntField(line, "polls"));
        }
    }
    const int status = ::pclose(pipe);
    run.total = Seconds(std::chrono::steady_clock::now() - start).count();
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const Seconds pause = qx4t::RestartPoll::kPauseBeforeFirstPoll;
    const Seconds spacing = qx4t::RestartPoll::kPollPeriod;
    std::printf("qx4t-vup update --simulate: %d run(s)\n", runs);
    std::printf("%4s %6s %9s %7s %10s %10s\n", "run", "exit", "total s", "polls", "designed s",
                "overhead s");
    std::vector<double> overheads;
    bool allOk = true;
    for (int i = 1; i <= runs; ++i) {
        const Run r = RunOnce();
        const Seconds designed =
            kFinalEntryFrameWait + kLastBlockPoll + pause + spacing * std::max(0, r.polls - 1);
        const double overhead = r.total - designed.count();
        std::printf("%4d %6d %9.3f %7d %10.3f %10.3f\n", i, r.exitCode, r.total, r.polls,
                    designed.count(), overhead);
        allOk = allOk && r.exitCode == 0;
        overheads.push_back(overhead);
    }
    std::sort(overheads.begin(), overheads.end());
    const double median = overheads[overheads.size() / 2];
    std::printf("median overhead %.3f s (target < %.1f s): %s\n", median, kTarget.count(),
                allOk && median < kTarget.count() ? "met" : "NOT met");
    return allOk ? 0 : 1;
}
