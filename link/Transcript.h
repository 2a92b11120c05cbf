#pragma once
// The transcript of a link's exchanges, a file for support: one header line, then one line per
// exchange with the seconds since the start, '>' (to the PLC) or '<' (from it) and the bytes in
// hex. The header names the seed of the update-mode entry's filler, so that a transcript from
// the field can be played back byte for byte. The writer listens on CComManager::SetTranscript.
#include <cstdio>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace qx4t::link {

class TranscriptWriter {
public:
    // False when the file cannot be created.
    bool open(const std::string& path, const Clock& clock, unsigned fillerSeed);
    [[nodiscard]] bool isOpen() const { return m_file != nullptr; }
    void line(char direction, const std::string& bytes);
    // A line that is not an exchange (a summary, an outcome): '#', the seconds since the start
    // and the text, so that ReadTranscript passes over it.
    void note(const std::string& text);
    // False when something could not be written (a full disk, for instance).
    bool close();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    // Not inherited by programs the run starts (the PDF viewer the preparation page opens).
    std::unique_ptr<std::FILE, Closer> m_file;
    const Clock* m_clock = nullptr;
    Clock::time_point m_start;
};

struct TranscriptExchange {
    double seconds = 0;
    char direction = '>';
    std::string bytes;
};

struct Transcript {
    // Absent in a transcript written before the seed was recorded.
    std::optional<unsigned> fillerSeed;
    std::vector<TranscriptExchange> exchanges;
};

// Reads a transcript back; nullopt with `error` naming the line when one is malformed.
[[nodiscard]] std::optional<Transcript> ReadTranscript(std::istream& in, std::string& error);

}  // namespace qx4t::link
