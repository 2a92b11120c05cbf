#include "link/RunLog.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "link/Frame.h"
#include "link/ImageTransfer.h"
#include "platform/AppFolders.h"
#include "platform/PrivateFiles.h"

namespace qx4t::link {
namespace {

constexpr const char* kSuffix = ".log";
// Held while a run adds its log and prunes the old ones, so that two runs starting together
// neither count each other's logs twice nor remove the log the other has just made.
constexpr const char* kLockName = ".lock";

bool endsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Paths are UTF-8 on every platform; std::filesystem takes and gives them as char8_t.
std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Keeps this run's log, `own`, and the newest kKeptRunLogs - 1 others by the time they were
// last written, whatever their names say (a clock set back stamps a new log earlier than old
// ones), and never removes a log being written: its run holds a lock on it.
void prune(const std::string& folder, const std::string& own) {
    struct Log {
        std::filesystem::file_time_type written;
        std::string name;
    };
    std::vector<Log> logs;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(fsPath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u8string leaf = it->path().filename().u8string();
        const std::string name(leaf.begin(), leaf.end());
        std::error_code statError;
        if (name[0] == '.' || !endsWith(name, kSuffix) || pathIn(folder, name) == own ||
            !it->is_regular_file(statError) || it->is_symlink(statError))
            continue;
        const auto written = it->last_write_time(statError);
        if (!statError)
            logs.push_back({written, name});
    }
    std::sort(logs.begin(), logs.end(), [](const Log& a, const Log& b) {
        return a.written != b.written ? a.written > b.written : a.name > b.name;
    });
    for (std::size_t i = kKeptRunLogs - 1; i < logs.size(); ++i) {
        const std::string path = pathIn(folder, logs[i].name);
        FileError ignored;
        FileLock writing;
        if (writing.lock(path, FileLock::Wait::No, ignored, 0) == FileLock::Status::Held)
            (void)removeFile(path, ignored);
    }
}

// The UTC time as 20261208T043807Z.
std::string utcStamp() {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date(day);
    const hh_mm_ss time(now - day);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return stamp;
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
    // A log of an earlier open stays as it was: this run gets a file of its own.
    m_writing.release();
    m_path.clear();
    if (folder.empty()) {
        m_error =
            "no folder for run logs (neither XDG_STATE_HOME nor HOME; LOCALAPPDATA on Windows)";
        return false;
    }
    FileError error;
    if (!makePrivateFolders(folder, error)) {
        m_error = error.text;
        return false;
    }
    // Held while this run adds its log and prunes the old ones.
    FileLock lock(pathIn(folder, kLockName), error);
    if (!lock.held()) {
        m_error = error.text;
        return false;
    }

    const std::string base =
        pathIn(folder, utcStamp() + "-" + program + "-" + std::to_string(currentProcessId()));
    // The same process may start a second log within the second (a wizard started again).
    for (int n = 1; m_path.empty() && n < 100; ++n) {
        const std::string candidate = base + (n == 1 ? "" : "-" + std::to_string(n)) + kSuffix;
        const NewFile made = createNewFile(candidate, error);
        if (made == NewFile::Created) {
            m_path = candidate;
            // Held while this run writes it: no other run's pruning removes it meanwhile.
            if (m_writing.lock(m_path, FileLock::Wait::No, error, 0) != FileLock::Status::Held) {
                m_error = error.text;
                (void)removeFile(m_path, error);
                m_path.clear();
                break;
            }
        } else if (made == NewFile::Failed) {
            m_error = error.text;
            break;
        }
    }
    if (!m_path.empty() && !m_writer.open(m_path, clock, fillerSeed)) {
        m_error = "cannot write " + m_path;
        FileError ignored;
        (void)removeFile(m_path, ignored);
        m_writing.release();
        m_path.clear();
    }
    if (!m_path.empty())
        prune(folder, m_path);
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
    const bool written = m_writer.close();
    m_writing.release();
    return written;
}

}  // namespace qx4t::link
