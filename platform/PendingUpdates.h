#pragma once
// Which PLCs have been put into their update mode and not yet seen to run the new firmware,
// by PLC identity (ports::PortInfo::identity). The wizard and qx4t-vup mark a PLC before its
// update-mode entry and clear the mark once the new version is verified; while a mark stands,
// a PLC that does not answer may be waiting for an image, and nothing may call it untouched.
//
// One small text file per user, kept across sessions, updated under an advisory lock and
// replaced whole (temporary file, then rename), so that several copies of the tools at once
// neither lose each other's marks nor leave a half-written file behind.
#include <optional>
#include <string>
#include <vector>

#include "platform/PrivateFiles.h"

namespace qx4t {

// accountStateFolder(): $XDG_STATE_HOME/qx4t, else ~/.local/state/qx4t on Linux;
// %LOCALAPPDATA%\QX4T\state on Windows. Empty when there is no such folder.
[[nodiscard]] std::string defaultStateFolder();

class PendingUpdates {
public:
    struct Result {
        bool ok = true;
        std::string error;  // what failed, with the file and the OS's words: for logs
        std::string path;   // the file or folder that failed, and why, for the user
        FileCause cause = FileCause::Other;
    };

    // folder: where the file lives, created private (0700) with its parents when missing.
    explicit PendingUpdates(std::string folder = defaultStateFolder());

    // Records an update-mode entry for `identity` (port: the name it had, for people who read
    // the file). Fails, changing nothing, when the record cannot be written (a full disk).
    [[nodiscard]] Result mark(const std::string& identity, const std::string& port);
    // Forgets the mark; no mark is no error.
    [[nodiscard]] Result clear(const std::string& identity);
    // Whether a mark stands; nullopt, with the reason in *error, when the file cannot be read:
    // a caller then cannot rule one out.
    [[nodiscard]] std::optional<bool> isMarked(const std::string& identity,
                                               std::string* error = nullptr) const;

    // Every identity marked now; nullopt, with the reason in *error, when the file cannot be read.
    [[nodiscard]] std::optional<std::vector<std::string>> marks(std::string* error = nullptr) const;
    // Whether a mark stands under any of `keys` (every key one PLC is known by); a file that
    // cannot be read counts as a mark, since it cannot rule one out.
    [[nodiscard]] bool anyMarked(const std::vector<std::string>& keys) const;
    // Forgets the marks under all of `keys`; the first failure, if any.
    [[nodiscard]] Result clearAll(const std::vector<std::string>& keys);

    [[nodiscard]] const std::string& file() const { return m_file; }

private:
    std::string m_folder;
    std::string m_file;
};

}  // namespace qx4t
