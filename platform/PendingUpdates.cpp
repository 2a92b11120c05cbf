#include "platform/PendingUpdates.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>
#include <utility>
#include <vector>

namespace qx4t {
namespace {

constexpr const char* kFileName = "pending-updates";
constexpr const char* kLockName = "pending-updates.lock";
// A handful of lines in practice; anything beyond this is not ours to parse.
constexpr std::size_t kMaxFileBytes = 1 << 20;

std::string osError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Identities and names are arbitrary bytes (a USB serial number); the file is one line per
// mark with tab-separated fields, so separators and controls travel as %XX.
std::string escape(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b == 0x7F || c == '%') {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int hi = hexValue(text[i + 1]);
        const int lo = hexValue(text[i + 2]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

// The identity a line marks; nullopt for a line we cannot read, which is kept as it is.
std::optional<std::string> identityOf(const std::string& line) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) {
        return std::nullopt;
    }
    return unescape(std::string_view(line).substr(0, tab));
}

bool makeFolders(const std::string& folder, std::string& error) {
    if (folder.empty() || folder[0] != '/') {
        error = "no folder for the update records (neither XDG_STATE_HOME nor a home folder)";
        return false;
    }
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = osError("cannot create", part);
            return false;
        }
        if (at == std::string::npos) {
            return true;
        }
    }
}

// Held for one read-modify-write, so that two copies cannot both read the old list and the
// second's write drop the first's mark.
class FileLock {
public:
    FileLock(const std::string& path, std::string& error) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            error = osError("cannot open", path);
            return;
        }
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                error = osError("cannot lock", path);
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    [[nodiscard]] bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool readLines(const std::string& file, std::vector<std::string>& lines, std::string& error) {
    lines.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        error = osError("cannot read", file);
        return false;
    }
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = osError("cannot read", file);
            ::close(fd);
            return false;
        }
        if (n == 0 || text.size() >= kMaxFileBytes) {
            break;
        }
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            lines.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return true;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Replaces the file whole: a reader, or a crash half-way, sees the old list or the new one.
bool writeLines(const std::string& folder, const std::string& file,
                const std::vector<std::string>& lines, std::string& error) {
    if (lines.empty()) {
        if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
            error = osError("cannot remove", file);
            return false;
        }
        return true;
    }
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    std::string temp = folder + "/." + kFileName + "-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = osError("cannot write", folder);
        return false;
    }
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), file.c_str()) == 0) {
        // The rename itself must reach the disk before the caller goes on to the PLC.
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }
    if (!ok && savedErrno != 0) {
        errno = savedErrno;
    }
    error = osError("cannot write", file);
    ::unlink(temp.c_str());
    return false;
}

}  // namespace

std::string defaultStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/qx4t";
    }
    const char* home = std::getenv("HOME");
    std::string homeFolder = home != nullptr ? home : "";
    if (homeFolder.empty() || homeFolder[0] != '/') {
        const passwd* pw = ::getpwuid(::geteuid());
        homeFolder = pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
    }
    if (homeFolder.empty() || homeFolder[0] != '/') {
        return {};
    }
    return homeFolder + "/.local/state/qx4t";
}

PendingUpdates::PendingUpdates(std::string folder)
    : m_folder(std::move(folder)), m_file(m_folder + "/" + kFileName) {}

PendingUpdates::Result PendingUpdates::mark(const std::string& identity, const std::string& port) {
    Result result;
    if (!makeFolders(m_folder, result.error)) {
        result.ok = false;
        return result;
    }
    FileLock lock(m_folder + "/" + kLockName, result.error);
    std::vector<std::string> lines;
    if (!lock.held() || !readLines(m_file, lines, result.error)) {
        result.ok = false;
        return result;
    }
    std::erase_if(lines, [&](const std::string& line) { return identityOf(line) == identity; });
    lines.push_back(escape(identity) + '\t' + std::to_string(std::time(nullptr)) + '\t' +
                    escape(port));
    result.ok = writeLines(m_folder, m_file, lines, result.error);
    return result;
}

PendingUpdates::Result PendingUpdates::clear(const std::string& identity) {
    Result result;
    std::vector<std::string> lines;
    if (!readLines(m_file, lines, result.error)) {
        result.ok = false;
        return result;
    }
    const auto marked = [&](const std::string& line) { return identityOf(line) == identity; };
    if (std::none_of(lines.begin(), lines.end(), marked)) {
        return result;
    }
    FileLock lock(m_folder + "/" + kLockName, result.error);
    if (!lock.held() || !readLines(m_file, lines, result.error)) {
        result.ok = false;
        return result;
    }
    std::erase_if(lines, marked);
    result.ok = writeLines(m_folder, m_file, lines, result.error);
    return result;
}

std::optional<bool> PendingUpdates::isMarked(const std::string& identity,
                                             std::string* error) const {
    std::vector<std::string> lines;
    std::string why;
    if (!readLines(m_file, lines, why)) {
        if (error != nullptr) {
            *error = why;
        }
        return std::nullopt;
    }
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return identityOf(line) == identity; });
}

}  // namespace qx4t
