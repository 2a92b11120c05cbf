#pragma once
// Root hides the permission and exclusivity faults that every desktop user meets, so the
// pseudo-terminal tests run a second time as nobody: the test binary starts itself again
// under setpriv with a filter and an environment of the caller's choice.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace qx4t::testing {

inline constexpr int kNobody = 65534;

// True when this process is the unprivileged re-run.
inline bool runningAsNobody() {
    return ::geteuid() == static_cast<uid_t>(kNobody);
}

// Runs this test binary as nobody with the given gtest filter and extra environment entries
// ("NAME=value"). Returns the child's exit status, or -1 when it could not be started.
inline int rerunAsNobody(const std::string& filter, const std::vector<std::string>& env = {}) {
    std::string self(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n <= 0)
        return -1;
    self.resize(static_cast<std::size_t>(n));
    pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        for (const auto& e : env)
            ::putenv(const_cast<char*>(e.c_str()));
        // Nobody has no runtime folder of its own; the registry falls back to /tmp.
        ::unsetenv("XDG_RUNTIME_DIR");
        std::string filterArg = "--gtest_filter=" + filter;
        ::execl("/usr/bin/setpriv", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                "--", self.c_str(), filterArg.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace qx4t::testing
