#include "tests/support/TranscriptReplay.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "link/ComManager.h"

namespace qx4t::test {

TranscriptReplay::TranscriptReplay(link::Transcript transcript)
    : m_transcript(std::move(transcript)) {
    if (m_transcript.fillerSeed) {
        CComManager::SetFillerSeed([seed = *m_transcript.fillerSeed] { return seed; });
    }
}

TranscriptReplay::~TranscriptReplay() {
    CComManager::SetFillerSeed({});
}

FakeSerialPort::Responder TranscriptReplay::responder() {
    return [this](const std::string& written) { return answer(written); };
}

std::size_t TranscriptReplay::requestsLeft() const {
    const auto& all = m_transcript.exchanges;
    return static_cast<std::size_t>(
        std::count_if(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_next, all.size())),
                      all.end(), [](const auto& e) { return e.direction == '>'; }));
}

std::optional<ScriptedReply> TranscriptReplay::answer(const std::string& written) {
    const auto& all = m_transcript.exchanges;
    // A reply the run did not wait for (the last image block's) is passed over.
    while (m_next < all.size() && all[m_next].direction != '>')
        ++m_next;
    if (m_next >= all.size()) {
        m_mismatches.push_back("a request after the recording ended (" +
                               std::to_string(written.size()) + " bytes)");
        return std::nullopt;
    }
    const auto& request = all[m_next++];
    if (request.bytes != written) {
        m_mismatches.push_back("request " + std::to_string(m_next) + " at " +
                               std::to_string(request.seconds) + " s differs from the recording (" +
                               std::to_string(written.size()) + " bytes, recorded " +
                               std::to_string(request.bytes.size()) + ")");
        // The tool has left the recording: the PLC falls silent, as a confused one would.
        m_next = all.size();
        return std::nullopt;
    }
    if (m_next >= all.size() || all[m_next].direction != '<')
        return std::nullopt;
    const auto& reply = all[m_next++];
    const auto delay = std::chrono::milliseconds(
        std::lround(std::max(0.0, reply.seconds - request.seconds) * 1000.0));
    return ScriptedReply::after(delay, reply.bytes);
}

}  // namespace qx4t::test
