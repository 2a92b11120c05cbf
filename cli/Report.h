#pragma once
// How qx4t-vup tells what it is doing: in place on a terminal, one line per step otherwise, or
// one JSON object per line. Errors and advice always go to stderr, so that stdout stays
// parseable under --json.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace qx4t::cli {

// One JSON object, built field by field in order.
class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view value);
    JsonObject& add(std::string_view key, const char* value) {
        return add(key, std::string_view(value));
    }
    JsonObject& add(std::string_view key, long long value);
    JsonObject& add(std::string_view key, int value) {
        return add(key, static_cast<long long>(value));
    }
    JsonObject& add(std::string_view key, std::size_t value) {
        return add(key, static_cast<long long>(value));
    }
    JsonObject& add(std::string_view key, double value);
    JsonObject& add(std::string_view key, bool value);
    JsonObject& add(std::string_view key, const JsonObject& value);
    [[nodiscard]] std::string str() const;

private:
    std::string m_text;
};

// The JSON form of a string: quotes, escapes, control characters as \u00XX. Bytes that are
// not valid UTF-8 become U+FFFD, so the output always parses.
[[nodiscard]] std::string JsonString(std::string_view text);

enum class Phase { Status, Checks, ModeChange, Entry, Transfer, Restart, Verify };
[[nodiscard]] const char* PhaseName(Phase phase);

class Reporter {
public:
    enum class Style { InPlace, Lines, Json };
    Reporter(Style style, std::ostream& out, std::ostream& err, const Clock& clock);
    ~Reporter();
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;

    [[nodiscard]] Style style() const { return m_style; }
    [[nodiscard]] bool json() const { return m_style == Style::Json; }

    void phase(Phase phase, const std::string& text);
    // Block `block` of `blocks` has gone out (0: the head); `bytes` of `totalBytes` so far.
    void transfer(int block, int blocks, std::size_t bytes, std::size_t totalBytes);
    // The wait for the PLC's restart: the bar's position and the polls made.
    void restart(int position, int polls);
    // Called while waiting: refreshes the elapsed time of an in-place line.
    void tick();
    // Plain information for a person (stdout) or a JSON record.
    void info(const std::string& text);
    void record(const JsonObject& object);
    // Advice and warnings, and errors: always stderr.
    void note(const std::string& text);
    void error(const std::string& text);
    // The last word: a line for a person, or the final JSON object with "exit" and "result",
    // and "started" and "finished": when this run began and ended, in UTC (ISO 8601 to the
    // millisecond, "Z").
    void result(int exitCode, const std::string& message, JsonObject fields = {});
    // The message of the last result, for the run log.
    [[nodiscard]] const std::string& lastResult() const { return m_lastResult; }

private:
    void endInPlaceLine();
    void drawInPlace(bool force);
    [[nodiscard]] std::string transferText() const;

    Style m_style;
    std::string m_lastResult;
    std::ostream& m_out;
    std::ostream& m_err;
    const Clock& m_clock;
    Clock::time_point m_phaseStart;
    std::string m_started;  // UTC, when the run began
    Phase m_phase = Phase::Status;
    bool m_lineOpen = false;  // an in-place line is on the screen without its newline
    long long m_drawnSecond = -1;
    std::string m_phaseText;
    // Transfer figures for the display.
    int m_block = -1;
    int m_blocks = 0;
    std::size_t m_bytes = 0;
    std::size_t m_totalBytes = 0;
    int m_position = -1;
    int m_polls = 0;
};

// The wall-clock time now, in UTC: "2026-12-08T15:04:05.123Z".
[[nodiscard]] std::string UtcNow();

// "1:05" for 65 s, "1:01:05" past an hour.
[[nodiscard]] std::string FormatDuration(Clock::duration d);

}  // namespace qx4t::cli
