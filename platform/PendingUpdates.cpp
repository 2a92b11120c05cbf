#include "platform/PendingUpdates.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/AppFolders.h"
#include "platform/PlcFileName.h"
#include "platform/PrivateFiles.h"
#include "platform/WriteAll.h"

namespace qx4t {
namespace {

constexpr const char* kFileName = "pending-updates";
constexpr const char* kLockName = "pending-updates.lock";
// A handful of lines in practice; anything beyond this is not ours to parse.
constexpr std::size_t kMaxFileBytes = 1 << 20;

// Identities and names are arbitrary bytes (a USB serial number); the file is one line per
// mark with tab-separated fields, so separators and controls travel as %XX.
std::string escape(const std::string& text, bool keepSpaces = false) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || (b == 0x20 && !keepSpaces) || b == 0x7F || c == '%') {
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
    return {false, error.text, error.path, error.cause, {}};
}

PendingUpdates::Result failedAt(const std::string& path, const std::string& text,
                                FileCause cause = FileCause::Other) {
    return {false, text, path, cause, {}};
}

// The note of one identity in the account's file, from its line.
std::optional<PendingUpdates::Note> accountNoteOf(const std::string& line,
                                                  const std::string& file) {
    auto identity = identityOf(line);
    if (!identity)
        return std::nullopt;
    PendingUpdates::Note note;
    note.identity = std::move(*identity);
    note.file = file;
    const auto tab = line.find('\t');
    const auto second = line.find('\t', tab + 1);
    note.time = std::strtoll(line.c_str() + tab + 1, nullptr, 10);
    if (second != std::string::npos)
        note.port = unescape(std::string_view(line).substr(second + 1)).value_or("");
    return note;
}

#ifndef _WIN32

constexpr const char* kMachineNotesFolder = "/var/lib/qx4t-vuptool/notes";
constexpr const char* kNoteSuffix = ".note";
constexpr const char* kNoteHeader = "qx4t note 1";
// A note is six short lines; a file beyond this is not one of ours and is never read whole.
constexpr std::size_t kMaxNoteBytes = 4096;
// Opening a note races with its owner removing it: a removed file is opened afresh, this often.
constexpr int kOpenTries = 4;

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::string utcText(std::time_t t) {
    std::tm tm{};
    char text[32] = "";
    if (::gmtime_r(&t, &tm) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

std::int64_t parseUtc(const std::string& text) {
    std::tm tm{};
    char zone = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                    &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &zone) != 7 ||
        zone != 'Z')
        return 0;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return static_cast<std::int64_t>(::timegm(&tm));
}

// The machine's folder of notes as found now: missing (the account keeps its own), usable, or
// refused. It must be a folder, not a link, owned by root (or, for a folder named by the
// environment or a caller, by this user), and sticky when others may write to it, so that
// nobody can remove or replace another account's notes.
enum class FolderState { Missing, Usable, Refused };

FolderState checkNotesFolder(const std::string& folder, std::string& error) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return FolderState::Missing;
        error = errnoText("cannot examine the folder of notes", folder);
        return FolderState::Refused;
    }
    const bool own = folder != kMachineNotesFolder && st.st_uid == ::geteuid();
    if (S_ISLNK(st.st_mode)) {
        error = "the folder of notes " + folder + " is a symbolic link; it is not used";
    } else if (!S_ISDIR(st.st_mode)) {
        error = "the folder of notes " + folder + " is not a folder; it is not used";
    } else if (st.st_uid != 0 && !own) {
        error = "the folder of notes " + folder + " belongs to " + accountName(st.st_uid) +
                ", not to root; it is not used";
    } else if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (st.st_mode & S_ISVTX) == 0) {
        error = "the folder of notes " + folder +
                " may be written by others but is not sticky, so anyone could remove a note; "
                "it is not used";
    } else {
        return FolderState::Usable;
    }
    return FolderState::Refused;
}

// One note file as read: missing, a standing note, a cleared one, or a file that cannot rule a
// note out.
struct NoteFile {
    enum class Kind { Missing, Standing, Cleared, Unknown } kind = Kind::Missing;
    PendingUpdates::Note note;
    // A regular file of one link within the bound: one the tools may rewrite.
    bool sound = false;
    uid_t owner = 0;
    std::string text;  // as read, for putting back after a failed write
};

NoteFile unknownNote(const std::string& path, const std::string& why) {
    NoteFile f;
    f.kind = NoteFile::Kind::Unknown;
    f.note.file = path;
    f.note.problem = why;
    return f;
}

NoteFile parseNote(const std::string& path, const std::string& text) {
    NoteFile f;
    f.note.file = path;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.empty() || lines.front() != kNoteHeader)
        return unknownNote(path, "the note " + path + " cannot be read (not a note of this tool)");
    std::optional<std::string> state;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto space = lines[i].find(' ');
        if (space == std::string::npos)
            continue;
        const std::string key = lines[i].substr(0, space);
        const std::string value = lines[i].substr(space + 1);
        const auto plain = unescape(value);
        if (!plain)
            return unknownNote(path, "the note " + path + " cannot be read (damaged " + key + ")");
        if (key == "identity")
            f.note.identity = *plain;
        else if (key == "port")
            f.note.port = *plain;
        else if (key == "account")
            f.note.account = *plain;
        else if (key == "time")
            f.note.time = parseUtc(value);
        else if (key == "state")
            state = *plain;
    }
    if (f.note.identity.empty() || !state)
        return unknownNote(path, "the note " + path + " cannot be read (incomplete)");
    if (*state == "pending") {
        f.kind = NoteFile::Kind::Standing;
    } else if (state->starts_with("cleared")) {
        f.kind = NoteFile::Kind::Cleared;
    } else {
        return unknownNote(path, "the note " + path + " cannot be read (unknown state)");
    }
    return f;
}

// Reads the note open on fd (locked by the caller): the file's kind and size first, then at
// most the bound, never more.
NoteFile readOpenNote(int fd, const std::string& path) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return unknownNote(path, errnoText("cannot examine the note", path));
    NoteFile f;
    if (!S_ISREG(st.st_mode)) {
        f = unknownNote(path, "the note " + path + " is not a plain file");
    } else if (st.st_nlink != 1) {
        f = unknownNote(path, "the note " + path + " has other names (hard links); it is not used");
    } else if (static_cast<std::size_t>(st.st_size) > kMaxNoteBytes) {
        f = unknownNote(path, "the note " + path + " is larger than a note (" +
                                  std::to_string(st.st_size) + " bytes)");
    } else {
        std::string text(kMaxNoteBytes + 1, '\0');
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n =
                ::pread(fd, text.data() + got, text.size() - got, static_cast<off_t>(got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return unknownNote(path, errnoText("cannot read the note", path));
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        if (got > kMaxNoteBytes) {
            f = unknownNote(path, "the note " + path + " is larger than a note");
        } else {
            text.resize(got);
            f = parseNote(path, text);
            f.sound = true;
            f.text = std::move(text);
        }
    }
    f.owner = st.st_uid;
    return f;
}

int openNote(const std::string& path, int flags) {
    return ::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

void lockFile(int fd, int how) {
    while (::flock(fd, how) != 0 && errno == EINTR) {
    }
}

// Whether fd is still the file at path: its owner may have removed it while this process
// waited for the lock.
bool stillThere(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

NoteFile readNote(const std::string& path) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        const int fd = openNote(path, O_RDONLY);
        if (fd < 0) {
            if (errno == ENOENT)
                return {};
            if (errno == ELOOP)
                return unknownNote(path,
                                   "the note " + path + " is a symbolic link; it is not used");
            return unknownNote(path, errnoText("cannot open the note", path));
        }
        lockFile(fd, LOCK_SH);
        if (!stillThere(fd, path)) {
            ::close(fd);
            continue;
        }
        NoteFile f = readOpenNote(fd, path);
        ::close(fd);
        return f;
    }
    return unknownNote(path, "the note " + path + " keeps changing");
}

// One "key value" line each; a value's line ends, controls and '%' travel as %XX.
std::string noteText(const PendingUpdates::Note& note, const std::string& state) {
    const auto value = [](const std::string& text) { return escape(text, true); };
    return std::string(kNoteHeader) + "\nidentity " + value(note.identity) + "\nport " +
           value(note.port) + "\naccount " + value(note.account) + "\ntime " +
           utcText(static_cast<std::time_t>(note.time)) + "\nstate " + value(state) + "\n";
}

// Writes `text` over the open file in place: a sticky folder lets no account rename over
// another's file. Flushed to the disk before it counts.
bool writeInPlace(int fd, const std::string& text) {
    return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, text) &&
           ::fsync(fd) == 0;
}

// Who left a note, for the user: the account it names, else the file's owner.
std::string leftBy(const NoteFile& f) {
    return f.note.account.empty() ? accountName(f.owner) : f.note.account;
}

PendingUpdates::Result machineMark(const std::string& path, const PendingUpdates::Note& note) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        // An existing note first, without O_CREAT: the kernel refuses O_CREAT on another
        // account's file in a sticky folder (fs.protected_regular), even when it may be written.
        int fd = openNote(path, O_RDWR);
        bool created = false;
        if (fd < 0 && errno == ENOENT) {
            fd = openNote(path, O_RDWR | O_CREAT | O_EXCL);
            if (fd < 0 && errno == EEXIST)
                continue;
            created = fd >= 0;
            // Past the umask: any account must be able to clear it later.
            if (created)
                (void)::fchmod(fd, 0666);
        }
        if (fd < 0) {
            const int why = errno;
            if (why == ELOOP)
                return failedAt(path, "the note " + path + " is a symbolic link; it is not used");
            if (why == EACCES || why == EPERM) {
                const NoteFile f = readNote(path);
                errno = why;
                return failedAt(
                    path, errnoText("cannot write the note", path) + " (left by " + leftBy(f) + ")",
                    fileCauseOf(why));
            }
            errno = why;
            return failedAt(path, errnoText("cannot open the note", path), fileCauseOf(why));
        }
        lockFile(fd, LOCK_EX);
        if (!stillThere(fd, path)) {
            ::close(fd);
            continue;
        }
        const NoteFile now = readOpenNote(fd, path);
        if (!now.sound) {
            ::close(fd);
            return failedAt(path, now.note.problem);
        }
        if (now.kind == NoteFile::Kind::Standing && now.note.identity != note.identity) {
            ::close(fd);
            return failedAt(
                path, "the note " + path + " is that of another PLC (" + now.note.identity + ")");
        }
        if (!writeInPlace(fd, noteText(note, "pending"))) {
            const int why = errno;
            // Nothing half-written stays: a new file goes, an old one gets its text back.
            if (created)
                (void)::unlink(path.c_str());
            else
                (void)writeInPlace(fd, now.text);
            ::close(fd);
            errno = why;
            return failedAt(path, errnoText("cannot write the note", path), fileCauseOf(why));
        }
        ::close(fd);
        return {};
    }
    return failedAt(path, "the note " + path + " keeps changing");
}

PendingUpdates::Result machineClear(const std::string& path, const std::string& identity) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        const int fd = openNote(path, O_RDWR);
        if (fd < 0) {
            const int why = errno;
            if (why == ENOENT)
                return {};
            const NoteFile f = readNote(path);
            if (f.kind == NoteFile::Kind::Missing || f.kind == NoteFile::Kind::Cleared ||
                (f.kind == NoteFile::Kind::Standing && f.note.identity != identity))
                return {};
            if (f.kind == NoteFile::Kind::Unknown)
                return failedAt(path, f.note.problem + "; it stays");
            errno = why;
            return failedAt(path,
                            "the note of an unverified update of " + identity + " left by " +
                                leftBy(f) +
                                " cannot be cleared: " + errnoText("cannot write", path),
                            fileCauseOf(why));
        }
        lockFile(fd, LOCK_EX);
        if (!stillThere(fd, path)) {
            ::close(fd);
            continue;
        }
        NoteFile f = readOpenNote(fd, path);
        if (!f.sound) {
            ::close(fd);
            return failedAt(path, f.note.problem + "; it stays");
        }
        if (f.kind == NoteFile::Kind::Cleared ||
            (f.kind == NoteFile::Kind::Standing && f.note.identity != identity)) {
            ::close(fd);
            return {};
        }
        // The owner removes its note, under the lock, so that a writer waiting for it opens
        // afresh; anyone else says who cleared it, in place.
        if (f.owner == ::geteuid() && ::unlink(path.c_str()) == 0) {
            ::close(fd);
            return {};
        }
        const std::string me = accountName(::geteuid());
        if (f.kind == NoteFile::Kind::Unknown)
            f.note.identity = identity;
        if (!writeInPlace(
                fd, noteText(f.note, "cleared by " + me + " at " + utcText(std::time(nullptr))))) {
            const int why = errno;
            (void)writeInPlace(fd, f.text);
            ::close(fd);
            errno = why;
            return failedAt(path,
                            "the note of an unverified update of " + identity + " left by " +
                                leftBy(f) +
                                " cannot be cleared: " + errnoText("cannot write", path),
                            fileCauseOf(why));
        }
        ::close(fd);
        return {};
    }
    return failedAt(path, "the note " + path + " keeps changing");
}

#endif  // _WIN32

}  // namespace

std::string defaultStateFolder() {
    return accountStateFolder();
}

std::string defaultNotesFolder() {
#ifdef _WIN32
    return {};
#else
    if (const char* dir = std::getenv("QX4T_NOTES_DIR"); dir != nullptr && dir[0] == '/')
        return dir;
    return kMachineNotesFolder;
#endif
}

PendingUpdates::PendingUpdates(std::string folder, std::string notesFolder)
    : m_folder(std::move(folder)),
      m_file(pathIn(m_folder, kFileName)),
      m_notesFolder(std::move(notesFolder)) {}

PendingUpdates::Store PendingUpdates::store(std::string& error) const {
#ifdef _WIN32
    (void)error;
    return Store::Account;
#else
    if (m_notesFolder.empty())
        return Store::Account;
    switch (checkNotesFolder(m_notesFolder, error)) {
        case FolderState::Missing:
            return Store::Account;
        case FolderState::Usable:
            return Store::Machine;
        case FolderState::Refused:
            break;
    }
    return Store::Refused;
#endif
}

PendingUpdates::Result PendingUpdates::accountMark(const std::string& identity,
                                                   const std::string& port) {
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

PendingUpdates::Result PendingUpdates::accountClear(const std::string& identity) {
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

bool PendingUpdates::accountNotes(std::vector<Note>& notes, std::string& error) const {
    std::vector<std::string> lines;
    FileError why;
    if (!readLines(m_file, lines, why)) {
        error = why.text;
        return false;
    }
    for (const auto& line : lines) {
        if (auto note = accountNoteOf(line, m_file))
            notes.push_back(std::move(*note));
    }
    return true;
}

PendingUpdates::Result PendingUpdates::mark(const std::string& identity, const std::string& port) {
    std::string error;
    switch (store(error)) {
        case Store::Refused:
            return failedAt(m_notesFolder, error);
        case Store::Account: {
            Result r = accountMark(identity, port);
#ifndef _WIN32
            // Said where the machine should have had a folder of notes; Windows keeps the notes
            // of each account for now, and says nothing of it at every update.
            if (r.ok && !m_notesFolder.empty()) {
                r.notice = "notes of unverified updates are kept for this account only (" +
                           m_folder + "): the folder of notes for every account, " + m_notesFolder +
                           ", does not exist (the qx4t-udev package makes it)";
            }
#endif
            return r;
        }
        case Store::Machine:
            break;
    }
#ifdef _WIN32
    return {};
#else
    Note note;
    note.identity = identity;
    note.port = port;
    note.account = accountName(::geteuid());
    note.time = static_cast<std::int64_t>(std::time(nullptr));
    return machineMark(pathIn(m_notesFolder, plcFileName(identity, kNoteSuffix)), note);
#endif
}

PendingUpdates::Result PendingUpdates::clear(const std::string& identity) {
    std::string error;
    Result first;
    switch (store(error)) {
        case Store::Refused:
            first = failedAt(m_notesFolder, error);
            break;
        case Store::Account:
            break;
        case Store::Machine:
#ifndef _WIN32
            first =
                machineClear(pathIn(m_notesFolder, plcFileName(identity, kNoteSuffix)), identity);
#endif
            break;
    }
    // Earlier releases' notes, and this account's where the machine keeps none.
    if (Result own = accountClear(identity); !own.ok && first.ok)
        first = own;
    return first;
}

PendingUpdates::Standing PendingUpdates::standing(const std::vector<std::string>& keys) const {
    Standing s;
    const auto found = [&](const Note& note) {
        s.any = true;
        if (!s.note)
            s.note = note;
    };
    std::string error;
    switch (store(error)) {
        case Store::Refused:
            s.any = true;
            s.warnings.push_back(error + "; an earlier update cannot be ruled out");
            break;
        case Store::Account:
            break;
        case Store::Machine:
#ifndef _WIN32
            for (const auto& key : keys) {
                const NoteFile f = readNote(pathIn(m_notesFolder, plcFileName(key, kNoteSuffix)));
                if (f.kind == NoteFile::Kind::Standing && f.note.identity == key) {
                    found(f.note);
                } else if (f.kind == NoteFile::Kind::Unknown) {
                    Note note = f.note;
                    note.identity = key;
                    found(note);
                    s.warnings.push_back(f.note.problem +
                                         "; it counts as a note of an unverified update");
                }
            }
#endif
            break;
    }
    std::vector<Note> own;
    if (!accountNotes(own, error)) {
        s.any = true;
        s.warnings.push_back(error + "; an earlier update cannot be ruled out");
    }
    for (const auto& note : own) {
        if (std::find(keys.begin(), keys.end(), note.identity) != keys.end())
            found(note);
    }
    return s;
}

std::optional<bool> PendingUpdates::isMarked(const std::string& identity,
                                             std::string* error) const {
    const Standing s = standing({identity});
    if (!s.warnings.empty()) {
        if (error != nullptr)
            *error = s.warnings.front();
        return std::nullopt;
    }
    return s.any;
}

std::optional<std::vector<PendingUpdates::Note>> PendingUpdates::notes(std::string* error) const {
    std::vector<Note> all;
    std::string why;
    switch (store(why)) {
        case Store::Refused:
            if (error != nullptr)
                *error = why;
            return std::nullopt;
        case Store::Account:
            break;
        case Store::Machine: {
#ifndef _WIN32
            DIR* dir = ::opendir(m_notesFolder.c_str());
            if (dir == nullptr) {
                if (error != nullptr)
                    *error = errnoText("cannot list the notes in", m_notesFolder);
                return std::nullopt;
            }
            std::vector<std::string> names;
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name.starts_with("plc-") && name.ends_with(kNoteSuffix))
                    names.push_back(name);
            }
            ::closedir(dir);
            std::sort(names.begin(), names.end());
            for (const auto& name : names) {
                const NoteFile f = readNote(pathIn(m_notesFolder, name));
                if (f.kind == NoteFile::Kind::Standing || f.kind == NoteFile::Kind::Unknown)
                    all.push_back(f.note);
            }
#endif
            break;
        }
    }
    if (!accountNotes(all, why)) {
        if (error != nullptr)
            *error = why;
        return std::nullopt;
    }
    return all;
}

std::optional<std::vector<std::string>> PendingUpdates::marks(std::string* error) const {
    const auto all = notes(error);
    if (!all)
        return std::nullopt;
    std::vector<std::string> identities;
    for (const auto& note : *all) {
        if (note.problem.empty())
            identities.push_back(note.identity);
    }
    return identities;
}

bool PendingUpdates::anyMarked(const std::vector<std::string>& keys) const {
    return standing(keys).any;
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
