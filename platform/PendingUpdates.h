#pragma once
// Which PLCs have been put into their update mode and not yet seen to run the new firmware,
// by PLC identity (ports::PortInfo::identity). The wizard and qx4t-vup note a PLC at its
// update-mode entry and clear the note once the new version is verified (or the PLC is seen
// answering in its normal mode); while a note stands, a PLC that does not answer may be waiting
// for an image, and nothing may call it untouched.
//
// The notes of the machine: one small text file per PLC, named by a hash of its identity, in a
// folder every account writes to (sticky, as /tmp is), so that a version-up the technician's
// wizard left is seen by qx4t-vup run from the fleet account and the reverse. Each file is
// read and rewritten in place under an advisory lock. Its owner removes it when it is cleared;
// another account rewrites it as cleared, since a sticky folder lets nobody else remove it.
//
// Where that folder does not exist (a build run from its folder, no packages installed), the
// notes are kept for the account alone, as earlier releases did: one file in its state folder,
// replaced whole under a lock. That file is always read and cleared too, so that the notes of
// earlier releases keep counting.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/PrivateFiles.h"

namespace qx4t {

// accountStateFolder(): $XDG_STATE_HOME/qx4t, else ~/.local/state/qx4t on Linux;
// %LOCALAPPDATA%\QX4T\state on Windows. Empty when there is no such folder.
[[nodiscard]] std::string defaultStateFolder();

// The machine's folder of notes: $QX4T_NOTES_DIR when it is an absolute path, else
// /var/lib/qx4t-vuptool/notes (made by the packages); empty on Windows, where every account
// keeps its own.
[[nodiscard]] std::string defaultNotesFolder();

class PendingUpdates {
public:
    struct Result {
        bool ok = true;
        std::string error;  // what failed, with the file and the OS's words: for logs
        std::string path;   // the file or folder that failed, and why, for the user
        FileCause cause = FileCause::Other;
        // Set by a mark that only this account will see: one line for the user.
        std::string notice;
    };

    // One note, as the tools and `doctor` show it.
    struct Note {
        std::string identity;
        std::string port;       // the name the PLC had when the note was left
        std::string account;    // who left it; empty when unknown
        std::int64_t time = 0;  // when, in seconds since 1970 (UTC); 0 when unknown
        std::string file;       // where it is kept
        // Set for a file that cannot rule a note out (damaged, too large, not a plain file):
        // why; the fields above are then unknown, but for `file`.
        std::string problem;
    };

    // What stands under the keys one PLC is known by.
    struct Standing {
        bool any = false;                   // a note stands, or one cannot be ruled out
        std::optional<Note> note;           // the first one
        std::vector<std::string> warnings;  // files that could not rule a note out
    };

    // folder: the account's own notes (earlier releases', and all of them where the machine has
    // no folder of notes), created private (0700) with its parents when missing.
    // notesFolder: the machine's; one that is missing means the account's alone.
    explicit PendingUpdates(std::string folder = defaultStateFolder(),
                            std::string notesFolder = defaultNotesFolder());

    // Records an update-mode entry for `identity` (port: the name it had, for people who read
    // the note). Fails, changing nothing, when the record cannot be written (a full disk, a
    // folder of notes refused as unsafe).
    [[nodiscard]] Result mark(const std::string& identity, const std::string& port);
    // Forgets the note; no note is no error. A note that cannot be cleared (another account's
    // that this one cannot write) stays, and the error names who left it.
    [[nodiscard]] Result clear(const std::string& identity);
    // Whether a note stands; nullopt, with the reason in *error, when the note cannot be read:
    // a caller then cannot rule one out.
    [[nodiscard]] std::optional<bool> isMarked(const std::string& identity,
                                               std::string* error = nullptr) const;

    // Every identity noted now; nullopt, with the reason in *error, when the notes cannot be
    // read. Files that cannot be read are left out (notes() lists them).
    [[nodiscard]] std::optional<std::vector<std::string>> marks(std::string* error = nullptr) const;
    // Every note standing now, with its details, files that cannot rule one out included.
    [[nodiscard]] std::optional<std::vector<Note>> notes(std::string* error = nullptr) const;
    // What stands under any of `keys` (every key one PLC is known by); a note that cannot be
    // read counts, since it cannot rule one out.
    [[nodiscard]] Standing standing(const std::vector<std::string>& keys) const;
    [[nodiscard]] bool anyMarked(const std::vector<std::string>& keys) const;
    // Forgets the notes under all of `keys`; the first failure, if any.
    [[nodiscard]] Result clearAll(const std::vector<std::string>& keys);

    // The account's own file.
    [[nodiscard]] const std::string& file() const { return m_file; }
    [[nodiscard]] const std::string& notesFolder() const { return m_notesFolder; }

    // Where notes are kept now: the machine's folder, the account's file alone (the machine
    // has no folder of notes), or nowhere (the machine's folder is refused, `error` says why).
    enum class Store { Machine, Account, Refused };
    [[nodiscard]] Store store(std::string& error) const;

private:
    [[nodiscard]] Result accountMark(const std::string& identity, const std::string& port);
    [[nodiscard]] Result accountClear(const std::string& identity);
    // The account's notes; false, with `error`, when its file cannot be read.
    [[nodiscard]] bool accountNotes(std::vector<Note>& notes, std::string& error) const;

    std::string m_folder;
    std::string m_file;
    std::string m_notesFolder;
};

}  // namespace qx4t
