#include "link/RunLog.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

#include "link/Frame.h"
#include "link/ImageTransfer.h"

namespace qx4t::link {
namespace {

constexpr const char* kSuffix = ".log";
// Held while a run adds its log and prunes the old ones, so that two runs starting together
// neither count each other's logs twice nor remove the log the other has just made.
constexpr const char* kLockName = ".lock";

std::string errnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool makeFolder(const std::string& folder, std::string& error) {
    // Each level as needed: ~/.local/state may not exist yet on a fresh account.
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string level = folder.substr(0, at);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            error = errnoText("cannot make " + level);
            return false;
        }
        if (at == std::string::npos)
            return true;
    }
}

bool endsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void prune(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::string> logs;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name[0] != '.' && endsWith(name, kSuffix))
            logs.push_back(name);
    }
    ::closedir(dir);
    // Names begin with the UTC start time, so their order is the order of the runs.
    std::sort(logs.begin(), logs.end());
    for (std::size_t i = 0; i + kKeptRunLogs < logs.size(); ++i)
        ::unlink((folder + "/" + logs[i]).c_str());
}

// An image piece is anything sent that is at least a head long and is not a frame (printable
// text ending in a carriage return). Frames go to the log whole; image pieces would make every
// log megabytes long.
bool isImagePiece(char direction, const std::string& bytes) {
    if (direction != '>' || bytes.size() < kImageHeadSize)
        return false;
    if (bytes.back() != kCarriageReturn)
        return true;
    return std::any_of(bytes.begin(), bytes.end() - 1, [](char c) { return c < 0x20 || c > 0x7E; });
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool RunLog::open(const std::string& folder, const std::string& program, const Clock& clock,
                  unsigned fillerSeed) {
    m_error.clear();
    m_imagePiece = 0;
    if (folder.empty()) {
        m_error = "neither XDG_STATE_HOME nor HOME is set";
        return false;
    }
    if (!makeFolder(folder, m_error))
        return false;
    const std::string lockPath = folder + "/" + kLockName;
    const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) {
        m_error = errnoText("cannot open " + lockPath);
        return false;
    }
    while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }

    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32] = "";
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string base =
        folder + "/" + stamp + "-" + program + "-" + std::to_string(::getpid());
    // The same process may start a second log within the second (a wizard started again).
    for (int n = 1; m_path.empty() && n < 100; ++n) {
        const std::string candidate = base + (n == 1 ? "" : "-" + std::to_string(n)) + kSuffix;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            m_path = candidate;
        } else if (errno != EEXIST) {
            m_error = errnoText("cannot create a log in " + folder);
            break;
        }
    }
    if (!m_path.empty() && !m_writer.open(m_path, clock, fillerSeed)) {
        m_error = "cannot write " + m_path;
        ::unlink(m_path.c_str());
        m_path.clear();
    }
    if (!m_path.empty())
        prune(folder);
    ::close(lock);  // releases the lock
    if (m_path.empty() && m_error.empty())
        m_error = "cannot create a log in " + folder;
    return !m_path.empty();
}

void RunLog::exchange(char direction, const std::string& bytes) {
    if (!isImagePiece(direction, bytes)) {
        m_writer.line(direction, bytes);
        return;
    }
    // The head first, then the blocks counted from 0, as the simulator's faults count them.
    char text[96];
    const unsigned crc = Crc32(bytes);
    if (m_imagePiece == 0 && bytes.size() == kImageHeadSize) {
        std::snprintf(text, sizeof text, "> image head: %zu bytes, CRC-32 %08X", bytes.size(), crc);
    } else {
        std::snprintf(text, sizeof text, "> image block %d: %zu bytes, CRC-32 %08X",
                      m_imagePiece - 1, bytes.size(), crc);
    }
    ++m_imagePiece;
    m_writer.note(text);
}

void RunLog::note(const std::string& text) {
    m_writer.note(text);
}

bool RunLog::close(const std::string& outcome) {
    if (!m_writer.isOpen())
        return true;
    m_writer.note("outcome: " + outcome);
    return m_writer.close();
}

}  // namespace qx4t::link
