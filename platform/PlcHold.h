#pragma once
// One version-up holds its PLC from the first status read to the verdict, so that a second tool
// (the wizard of one account, qx4t-vup of another) cannot start on the same PLC between two
// steps, when neither has the port open. The hold is a lock on a file named by a hash of the
// PLC's identity, in a folder every account can use: an advisory lock on Linux, a byte-range
// lock past the file's text on Windows (the text stays readable); the system drops it when the
// holder dies. The file names its holder (program, pid, user) for the other tool's message,
// when the holder made the file: on Linux the name shown is believed only from a file its
// named account owns.
#include <string>

#include "platform/PrivateFiles.h"

namespace qx4t {

// $QX4T_HOLD_DIR when set to an absolute path (tests use a folder of their own), else
// /run/lock/qx4t, else /tmp/qx4t-holds; on Windows %ProgramData%\QX4T\holds.
[[nodiscard]] std::string defaultPlcHoldFolder();

class PlcHold {
public:
    enum class Status {
        Held,         // this object holds the PLC now
        Busy,         // another process (or another hold in this one) has it; see holder()
        Unavailable,  // no hold can be made (the folder or file is unusable); see error()
    };

    PlcHold() = default;
    ~PlcHold();
    PlcHold(const PlcHold&) = delete;
    PlcHold& operator=(const PlcHold&) = delete;

    // Tries once, without waiting. The folder is created sticky and open to every account
    // (as /tmp is) when missing, on Windows with the rights %ProgramData% passes on; the file
    // is opened without following links. On Linux it is created 0644: any account can lock it,
    // only its maker can write the holder's name in it. A hold already kept by this object is
    // released first. An empty folder holds nothing and says Held.
    [[nodiscard]] Status acquire(const std::string& folder, const std::string& identityKey,
                                 const std::string& program);
    void release();

    [[nodiscard]] bool held() const;
    // Who holds the PLC after Busy: "qx4t-vup (pid 1234, user alice)", or what is known
    // ("another program", "a program of another account").
    [[nodiscard]] const std::string& holder() const { return m_holder; }
    [[nodiscard]] const std::string& error() const { return m_error; }

private:
#ifdef _WIN32
    int m_fd = -1;  // the file's handle, which fits in 32 bits
#else
    FileLock m_lock;
    bool m_wroteName = false;
#endif
    std::string m_holder;
    std::string m_error;
};

}  // namespace qx4t
