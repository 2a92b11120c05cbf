#pragma once
// One version-up holds its PLC from the first status read to the verdict, so that a second tool
// (the wizard of one account, qx4t-vup of another) cannot start on the same PLC between two
// steps, when neither has the port open. The hold is a lock on a file named by a hash of the
// PLC's identity, in a folder every account can use: an advisory lock on Linux, a byte-range
// lock past the file's text on Windows (the text stays readable); the system drops it when the
// holder dies. The file names its holder (program, pid, user) for the other tool's message.
#include <string>

namespace qx4t {

// $QX4T_HOLD_DIR when set to an absolute path (tests use a folder of their own), else
// /run/lock/qx4t, else /tmp/qx4t-holds; on Windows %ProgramData%\QX4T\holds.
[[nodiscard]] std::string defaultPlcHoldFolder();
// "plc-<hash>.lock": the hold's file for an identity that may hold any character.
[[nodiscard]] std::string plcHoldFileName(const std::string& identityKey);

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
    // is opened without following links. A hold already
    // kept by this object is released first. An empty folder holds nothing and says Held.
    [[nodiscard]] Status acquire(const std::string& folder, const std::string& identityKey,
                                 const std::string& program);
    void release();

    [[nodiscard]] bool held() const { return m_fd != -1; }
    // Who holds the PLC after Busy: "qx4t-vup (pid 1234, user alice)", or what is known.
    [[nodiscard]] const std::string& holder() const { return m_holder; }
    [[nodiscard]] const std::string& error() const { return m_error; }

private:
    int m_fd = -1;  // the file's descriptor; on Windows its handle, which fits in 32 bits
    std::string m_holder;
    std::string m_error;
};

}  // namespace qx4t
