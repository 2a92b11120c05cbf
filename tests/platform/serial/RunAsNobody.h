#pragma once
// Root hides the permission and exclusivity faults that every desktop user meets, so the
// pseudo-terminal tests run a second time as nobody: the test binary starts itself again with
// root's rights dropped, a filter and an environment of the caller's choice.
//
// Nobody may not be able to reach the build folder at all (a clone in root's home is 0700, and
// a umask of 077 makes every built file private), so the re-run executes a copy of the test
// binary, and of the programs it starts, from a fresh folder that nobody can enter. A failure to
// switch users or to start the copy fails the test with its errno, never with a silent empty run.
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace qx4t::testing {

inline constexpr int kNobody = 65534;

// True when this process is the unprivileged re-run.
inline bool runningAsNobody() {
    return ::geteuid() == static_cast<uid_t>(kNobody);
}

namespace detail {

// A folder under /tmp that nobody can enter and read, removed with everything in it.
struct NobodyStage {
    std::filesystem::path dir;
    NobodyStage() {
        std::string tmpl = "/tmp/qx4t-nobody-XXXXXX";
        if (::mkdtemp(tmpl.data()) && ::chmod(tmpl.c_str(), 0755) == 0)
            dir = tmpl;
    }
    ~NobodyStage() {
        std::error_code ec;
        if (!dir.empty())
            std::filesystem::remove_all(dir, ec);
    }
    // Copies `from` into the stage as an executable everybody may run. "" on failure.
    std::string addExecutable(const std::filesystem::path& from) const {
        std::error_code ec;
        auto to = dir / from.filename();
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec || ::chmod(to.c_str(), 0755) != 0)
            return {};
        return to;
    }
};

// Reports "what: strerror(err)" to the parent through the pipe and ends the child.
[[noreturn]] inline void childFailed(int fd, const char* what) {
    std::string message = std::string(what) + ": " + std::strerror(errno);
    [[maybe_unused]] auto n = ::write(fd, message.data(), message.size());
    ::_exit(127);
}

}  // namespace detail

// Runs this test binary as nobody with the given gtest filter and extra environment entries
// ("NAME=value"). `companions` names the programs beside the test binary that the re-run starts
// (found there by its own executable's folder), copied along with it. Returns the child's exit
// status, or -1 (with a test failure that says why) when it could not be started.
inline int rerunAsNobody(const std::string& filter, const std::vector<std::string>& env = {},
                         const std::vector<std::string>& companions = {}) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        ADD_FAILURE() << "cannot read /proc/self/exe: " << ec.message();
        return -1;
    }
    detail::NobodyStage stage;
    if (stage.dir.empty()) {
        ADD_FAILURE() << "cannot make a folder for nobody under /tmp: " << std::strerror(errno);
        return -1;
    }
    std::string copy = stage.addExecutable(self);
    if (copy.empty()) {
        ADD_FAILURE() << "cannot copy " << self << " to " << stage.dir;
        return -1;
    }
    for (const auto& name : companions) {
        if (stage.addExecutable(self.parent_path() / name).empty()) {
            ADD_FAILURE() << "cannot copy " << name << " to " << stage.dir;
            return -1;
        }
    }

    // The child reports a failed switch or exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return -1;
    }
    std::string filterArg = "--gtest_filter=" + filter;
    pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork: " << std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return -1;
    }
    if (pid == 0) {
        ::close(report[0]);
        for (const auto& e : env)
            ::putenv(const_cast<char*>(e.c_str()));
        // Nobody has no runtime folder or home of its own; the registry falls back to /tmp.
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("HOME", stage.dir.c_str(), 1);
        if (::chdir(stage.dir.c_str()) != 0)
            detail::childFailed(report[1], "chdir");
        if (::setgroups(0, nullptr) != 0)
            detail::childFailed(report[1], "setgroups");
        if (::setgid(static_cast<gid_t>(kNobody)) != 0)
            detail::childFailed(report[1], "setgid(nobody)");
        if (::setuid(static_cast<uid_t>(kNobody)) != 0)
            detail::childFailed(report[1], "setuid(nobody)");
        ::execl(copy.c_str(), copy.c_str(), filterArg.c_str(), static_cast<char*>(nullptr));
        detail::childFailed(report[1], ("exec " + copy).c_str());
    }
    ::close(report[1]);
    std::string failure;
    char buf[256];
    ssize_t n;
    while ((n = ::read(report[0], buf, sizeof buf)) != 0) {
        if (n > 0)
            failure.append(buf, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(report[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!failure.empty()) {
        ADD_FAILURE() << "could not start the test as nobody: " << failure;
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace qx4t::testing
