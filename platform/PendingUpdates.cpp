#include "platform/PendingUpdates.h"

#include <algorithm>
#include <ctime>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/AppFolders.h"
#include "platform/PrivateFiles.h"

namespace qx4t {
namespace {

constexpr const char* kFileName = "pending-updates";
constexpr const char* kLockName = "pending-updates.lock";
// A handful of lines in practice; anything beyond this is not ours to parse.
constexpr std::size_t kMaxFileBytes = 1 << 20;

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

bool makeFolders(const std::string& folder, FileError& error) {
    if (folder.empty()) {
        error = {"no folder for the update records (neither XDG_STATE_HOME nor a home folder)",
                 "~/.local/state", FileCause::NotFound};
        return false;
    }
    return makePrivateFolders(folder, error);
}

bool readLines(const std::string& file, std::vector<std::string>& lines, FileError& error) {
    lines.clear();
    std::string text;
    if (!readWholeFile(file, kMaxFileBytes, text, error))
        return false;
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

// Replaces the file whole: a reader, or a crash half-way, sees the old list or the new one.
bool writeLines(const std::string& file, const std::vector<std::string>& lines, FileError& error) {
    if (lines.empty())
        return removeFile(file, error);
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return replaceWholeFile(file, text, error);
}

PendingUpdates::Result failed(const FileError& error) {
    return {false, error.text, error.path, error.cause};
}

}  // namespace

std::string defaultStateFolder() {
    return accountStateFolder();
}

PendingUpdates::PendingUpdates(std::string folder)
    : m_folder(std::move(folder)), m_file(pathIn(m_folder, kFileName)) {}

PendingUpdates::Result PendingUpdates::mark(const std::string& identity, const std::string& port) {
    FileError error;
    if (!makeFolders(m_folder, error)) {
        return failed(error);
    }
    FileLock lock(pathIn(m_folder, kLockName), error);
    std::vector<std::string> lines;
    if (!lock.held() || !readLines(m_file, lines, error)) {
        return failed(error);
    }
    std::erase_if(lines, [&](const std::string& line) { return identityOf(line) == identity; });
    lines.push_back(escape(identity) + '\t' + std::to_string(std::time(nullptr)) + '\t' +
                    escape(port));
    return writeLines(m_file, lines, error) ? Result{} : failed(error);
}

PendingUpdates::Result PendingUpdates::clear(const std::string& identity) {
    FileError error;
    std::vector<std::string> lines;
    if (!readLines(m_file, lines, error)) {
        return failed(error);
    }
    const auto marked = [&](const std::string& line) { return identityOf(line) == identity; };
    if (std::none_of(lines.begin(), lines.end(), marked)) {
        return {};
    }
    FileLock lock(pathIn(m_folder, kLockName), error);
    if (!lock.held() || !readLines(m_file, lines, error)) {
        return failed(error);
    }
    std::erase_if(lines, marked);
    return writeLines(m_file, lines, error) ? Result{} : failed(error);
}

std::optional<bool> PendingUpdates::isMarked(const std::string& identity,
                                             std::string* error) const {
    std::vector<std::string> lines;
    FileError why;
    if (!readLines(m_file, lines, why)) {
        if (error != nullptr) {
            *error = why.text;
        }
        return std::nullopt;
    }
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return identityOf(line) == identity; });
}

std::optional<std::vector<std::string>> PendingUpdates::marks(std::string* error) const {
    std::vector<std::string> lines;
    FileError why;
    if (!readLines(m_file, lines, why)) {
        if (error != nullptr) {
            *error = why.text;
        }
        return std::nullopt;
    }
    std::vector<std::string> identities;
    for (const auto& line : lines) {
        if (auto identity = identityOf(line)) {
            identities.push_back(std::move(*identity));
        }
    }
    return identities;
}

bool PendingUpdates::anyMarked(const std::vector<std::string>& keys) const {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::string& key) { return isMarked(key).value_or(true); });
}

PendingUpdates::Result PendingUpdates::clearAll(const std::vector<std::string>& keys) {
    Result first;
    for (const auto& key : keys) {
        if (Result r = clear(key); !r.ok && first.ok)
            first = r;
    }
    return first;
}

}  // namespace qx4t
