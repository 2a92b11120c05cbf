#pragma once
// The log that every run keeps for support, beside any transcript the user asks for: the
// transcript format (TranscriptWriter) in a file of its own under $XDG_STATE_HOME/qx4t/ (on
// Windows %LOCALAPPDATA%\QX4T\logs\), with the frames byte for byte but the firmware image's
// pieces as number, length and CRC-32, and the run's outcome at the end. The newest
// kKeptRunLogs logs (by the time last written) are kept, and every log still being written,
// which its run holds a lock on; several processes may start and prune at once. The folder is
// normally qx4t::stateFolder(), on Windows logFolder().
#include <cstdint>
#include <string>
#include <string_view>

#include "link/Transcript.h"
#include "platform/Clock.h"
#include "platform/PrivateFiles.h"

namespace qx4t::link {

inline constexpr int kKeptRunLogs = 20;

// CRC-32 (IEEE 802.3, as zlib computes it) of the bytes.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes);

class RunLog {
public:
    // Starts the log of a run of `program` in `folder` (made, 0700, if missing) and removes the
    // oldest logs beyond kKeptRunLogs. False, with error(), when no log can be made; the run
    // goes on without one.
    bool open(const std::string& folder, const std::string& program, const Clock& clock,
              unsigned fillerSeed);
    [[nodiscard]] bool isOpen() const { return m_writer.isOpen(); }
    void exchange(char direction, const std::string& bytes);
    // A line of its own for what is not an exchange (a message shown to the user).
    void note(const std::string& text);
    // Writes the outcome and closes the file; false when something could not be written.
    bool close(const std::string& outcome);
    [[nodiscard]] const std::string& path() const { return m_path; }
    [[nodiscard]] const std::string& error() const { return m_error; }

private:
    TranscriptWriter m_writer;
    FileLock m_writing;  // on the log, while it is written
    std::string m_path;
    std::string m_error;
    int m_imagePiece = 0;
};

}  // namespace qx4t::link
