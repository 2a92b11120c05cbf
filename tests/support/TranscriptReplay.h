#pragma once
// Plays a transcript of the link (link/Transcript.h, as `qx4t-vup --log` writes it in the field)
// back as the PLC on a FakeSerialPort: each request the tool writes must be the next recorded
// one, and is answered with the recorded reply after the recorded delay. Seeds every new link's
// filler as the recorded run was seeded, for as long as the replay lives.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "link/Transcript.h"
#include "tests/support/FakeSerialPort.h"

namespace qx4t::test {

class TranscriptReplay {
public:
    explicit TranscriptReplay(link::Transcript transcript);
    ~TranscriptReplay();
    TranscriptReplay(const TranscriptReplay&) = delete;
    TranscriptReplay& operator=(const TranscriptReplay&) = delete;

    // For FakeSerialPort::setResponder; the replay must outlive the port's use of it.
    [[nodiscard]] FakeSerialPort::Responder responder();
    // Where the run left the recording, empty while it follows it.
    [[nodiscard]] const std::vector<std::string>& mismatches() const { return m_mismatches; }
    // Recorded requests the run has not made.
    [[nodiscard]] std::size_t requestsLeft() const;

private:
    std::optional<ScriptedReply> answer(const std::string& written);

    link::Transcript m_transcript;
    std::size_t m_next = 0;
    std::vector<std::string> m_mismatches;
};

}  // namespace qx4t::test
