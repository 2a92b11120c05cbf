#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "platform/PrivateFiles.h"
#include "platform/WriteAll.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::ports {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxEntryBytes = 4096;
constexpr const char* kEntrySuffix = ".port";
constexpr const char* kVirtualDriver = "virtual";
constexpr const char* kVirtualIdentityPrefix = "virtual:";

// Our own folder, and not a link someone planted: in /tmp another user could create the path
// first and announce a port of their choosing. Made 0700 when missing.
bool ensurePrivateFolder(const std::string& folder, std::string& error) {
    FileError failed;
    if (!makePrivateFolders(folder, failed)) {
        error = failed.text;
        return false;
    }
    return true;
}

bool processAlive(long pid) {
    if (pid <= 0 || pid > 0x3FFFFFFF) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string fileNameFor(const std::string& port) {
    std::string name;
    for (const char c : port) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        name.push_back(plain ? c : '_');
    }
    if (name.empty()) {
        name = "port";
    }
    return name + kEntrySuffix;
}

}  // namespace

std::string defaultRegistryFolder() {
    // The session's runtime folder only when it is this user's (a root run under sudo -E has
    // another account's).
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    FileError ignored;
    if (runtime != nullptr && runtime[0] == '/' && checkPrivateFolder(runtime, ignored)) {
        return std::string(runtime) + "/qx4t/ports";
    }
    return "/tmp/qx4t-" + std::to_string(::geteuid()) + "/ports";
}

std::string registryProblem(const std::string& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 && errno == ENOENT) {
        return {};  // no simulator has registered a port yet
    }
    FileError failed;
    if (checkPrivateFolder(folder, failed)) {
        return {};
    }
    return failed.text;
}

std::vector<PortInfo> readVirtualPorts(const std::string& folder, std::vector<long>* pids,
                                       std::string* problem) {
    std::vector<PortInfo> ports;
    const std::string unusable = registryProblem(folder);
    if (problem != nullptr) {
        *problem = unusable;
    }
    FileError missing;
    if (!unusable.empty() || !checkPrivateFolder(folder, missing)) {
        return ports;
    }
    std::error_code ec;
    std::vector<std::string> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(".") && name.ends_with(kEntrySuffix) &&
            it->symlink_status(ec).type() == fs::file_type::regular) {
            files.push_back(name);
        }
    }
    std::sort(files.begin(), files.end());

    for (const auto& file : files) {
        std::ifstream in(fs::path(folder) / file, std::ios::binary);
        std::string text(kMaxEntryBytes, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));

        PortInfo info;
        info.driver = kVirtualDriver;
        info.isVirtual = true;
        long pid = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const auto eq = line.find('=');
            if (eq == std::string::npos) {
                continue;
            }
            const std::string key = line.substr(0, eq);
            const std::string value = line.substr(eq + 1);
            if (key == "port") {
                info.name = value;
            } else if (key == "description") {
                info.description = value;
            } else if (key == "id") {
                info.identity = value.empty() ? std::string() : kVirtualIdentityPrefix + value;
                info.virtualKey = info.identity;
            } else if (key == "pid") {
                char* rest = nullptr;
                errno = 0;
                pid = std::strtol(value.c_str(), &rest, 10);
                if (errno != 0 || rest == value.c_str() || *rest != '\0') {
                    pid = 0;
                }
            }
        }
        if (info.identity.empty()) {
            info.identity = identityOfName(info.name);
        }
        if (!info.name.empty() && processAlive(pid)) {
            ports.push_back(std::move(info));
            if (pids != nullptr) {
                pids->push_back(pid);
            }
        }
    }
    return ports;
}

VirtualPortRegistration::~VirtualPortRegistration() {
    remove();
}

VirtualPortRegistration::VirtualPortRegistration(VirtualPortRegistration&& other) noexcept
    : path_(std::exchange(other.path_, {})), error_(std::move(other.error_)) {}

VirtualPortRegistration& VirtualPortRegistration::operator=(
    VirtualPortRegistration&& other) noexcept {
    if (this != &other) {
        remove();
        path_ = std::exchange(other.path_, {});
        error_ = std::move(other.error_);
    }
    return *this;
}

void VirtualPortRegistration::remove() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

VirtualPortRegistration registerVirtualPort(const std::string& port, const std::string& description,
                                            const std::string& folder, const std::string& id) {
    VirtualPortRegistration registration;
    std::string& error = registration.error_;
    if (port.empty()) {
        error = "no port name to register";
        return registration;
    }
    const std::string target = folder.empty() ? defaultRegistryFolder() : folder;
    if (folder.empty()) {
        // The parents are ours to create too: <runtime>/qx4t or /tmp/qx4t-<uid>.
        if (!ensurePrivateFolder(fs::path(target).parent_path().string(), error)) {
            return registration;
        }
    }
    if (!ensurePrivateFolder(target, error)) {
        return registration;
    }

    std::string text = "port=" + oneLine(port) + "\ndescription=" + oneLine(description) +
                       "\npid=" + std::to_string(::getpid()) + "\n";
    if (!id.empty()) {
        text += "id=" + oneLine(id) + "\n";
    }
    // Written under a name readers skip, then renamed, so no reader sees half an entry.
    std::string temp = target + "/.entry-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = target + ": " + std::strerror(errno);
        return registration;
    }
    const bool written = writeAll(fd, text);
    const bool closed = ::close(fd) == 0;
    const std::string final = target + "/" + fileNameFor(port);
    if (!written || !closed || ::rename(temp.c_str(), final.c_str()) != 0) {
        error = final + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return registration;
    }
    registration.path_ = final;
    return registration;
}

}  // namespace qx4t::ports
