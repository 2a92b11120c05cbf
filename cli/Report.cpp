#include "cli/Report.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Text for a terminal: what came from a device (descriptions, the PLC's own characters) must
// not move the cursor or change the terminal's state. Control characters other than line
// breaks and tabs, DEL, C1 controls and broken UTF-8 become '?'.
std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t len = decodeUtf8At(text, i).length;
            const bool c1 = len == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
            if (len == 0 || c1) {
                out += '?';
                i += len == 0 ? 1 : len;
            } else {
                out.append(text.substr(i, len));
                i += len;
            }
            continue;
        }
        out += (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F ? '?' : static_cast<char>(c);
        ++i;
    }
    return out;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t len = decodeUtf8At(text, i).length;
            if (len == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, len));
                i += len;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

JsonObject& JsonObject::add(std::string_view key, std::string_view value) {
    m_text += (m_text.empty() ? "" : ",") + JsonString(key) + ":" + JsonString(value);
    return *this;
}

JsonObject& JsonObject::add(std::string_view key, long long value) {
    m_text += (m_text.empty() ? "" : ",") + JsonString(key) + ":" + std::to_string(value);
    return *this;
}

JsonObject& JsonObject::add(std::string_view key, double value) {
    char buf[32];
    if (std::isfinite(value)) {
        std::snprintf(buf, sizeof buf, "%.3f", value);
    } else {
        std::snprintf(buf, sizeof buf, "null");
    }
    m_text += (m_text.empty() ? "" : ",") + JsonString(key) + ":" + buf;
    return *this;
}

JsonObject& JsonObject::add(std::string_view key, bool value) {
    m_text += (m_text.empty() ? "" : ",") + JsonString(key) + ":" + (value ? "true" : "false");
    return *this;
}

JsonObject& JsonObject::add(std::string_view key, const JsonObject& value) {
    m_text += (m_text.empty() ? "" : ",") + JsonString(key) + ":" + value.str();
    return *this;
}

std::string JsonObject::str() const {
    return "{" + m_text + "}";
}

const char* PhaseName(Phase phase) {
    switch (phase) {
        case Phase::Status:
            return "status";
        case Phase::Checks:
            return "checks";
        case Phase::ModeChange:
            return "mode-change";
        case Phase::Entry:
            return "update-mode-entry";
        case Phase::Transfer:
            return "transfer";
        case Phase::Restart:
            return "restart";
        case Phase::Verify:
            return "verify";
    }
    return "unknown";
}

std::string FormatDuration(Clock::duration d) {
    long long s = std::chrono::duration_cast<std::chrono::seconds>(d).count();
    if (s < 0)
        s = 0;
    char buf[32];
    if (s >= 3600) {
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
    } else {
        std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
    }
    return buf;
}

std::string UtcNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    char date[24];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &utc);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s.%03dZ", date, static_cast<int>(millis));
    return buf;
}

Reporter::Reporter(Style style, std::ostream& out, std::ostream& err, const Clock& clock)
    : m_style(style),
      m_out(out),
      m_err(err),
      m_clock(clock),
      m_phaseStart(clock.now()),
      m_started(UtcNow()) {}

Reporter::~Reporter() {
    endInPlaceLine();
}

void Reporter::endInPlaceLine() {
    if (m_lineOpen) {
        m_out << '\n' << std::flush;
        m_lineOpen = false;
    }
}

void Reporter::phase(Phase phase, const std::string& text) {
    m_phase = phase;
    m_phaseStart = m_clock.now();
    m_phaseText = text;
    m_block = -1;
    m_position = -1;
    m_drawnSecond = -1;
    switch (m_style) {
        case Style::Json:
            m_out << JsonObject()
                         .add("type", "phase")
                         .add("phase", PhaseName(phase))
                         .add("message", text)
                         .str()
                  << '\n'
                  << std::flush;
            break;
        case Style::Lines:
            m_out << PhaseName(phase) << ": " << Printable(text) << '\n' << std::flush;
            break;
        case Style::InPlace:
            endInPlaceLine();
            drawInPlace(true);
            break;
    }
}

std::string Reporter::transferText() const {
    const auto elapsed = m_clock.now() - m_phaseStart;
    std::string text = "block " + std::to_string(m_block) + " of " + std::to_string(m_blocks) +
                       ", " + std::to_string(m_bytes) + " of " + std::to_string(m_totalBytes) +
                       " bytes, elapsed " + FormatDuration(elapsed);
    if (m_bytes > 0 && m_totalBytes >= m_bytes) {
        const double left = Seconds(elapsed) * static_cast<double>(m_totalBytes - m_bytes) /
                            static_cast<double>(m_bytes);
        text += ", remaining " + FormatDuration(std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(left)));
    }
    return text;
}

void Reporter::transfer(int block, int blocks, std::size_t bytes, std::size_t totalBytes) {
    m_block = block;
    m_blocks = blocks;
    m_bytes = bytes;
    m_totalBytes = totalBytes;
    switch (m_style) {
        case Style::Json: {
            const auto elapsed = m_clock.now() - m_phaseStart;
            JsonObject o;
            o.add("type", "progress")
                .add("phase", "transfer")
                .add("block", block)
                .add("blocks", blocks)
                .add("bytes", bytes)
                .add("total_bytes", totalBytes)
                .add("elapsed_s", Seconds(elapsed));
            if (bytes > 0 && totalBytes >= bytes) {
                o.add("remaining_s", Seconds(elapsed) * static_cast<double>(totalBytes - bytes) /
                                         static_cast<double>(bytes));
            }
            m_out << o.str() << '\n' << std::flush;
            break;
        }
        case Style::Lines:
            m_out << "transfer: " << transferText() << '\n' << std::flush;
            break;
        case Style::InPlace:
            drawInPlace(true);
            break;
    }
}

void Reporter::restart(int position, int polls) {
    m_position = position;
    m_polls = polls;
    switch (m_style) {
        case Style::Json:
            m_out << JsonObject()
                         .add("type", "progress")
                         .add("phase", "restart")
                         .add("position", position)
                         .add("polls", polls)
                         .add("elapsed_s", Seconds(m_clock.now() - m_phaseStart))
                         .str()
                  << '\n'
                  << std::flush;
            break;
        case Style::Lines:
            m_out << "restart: " << (polls == 0 ? "waiting" : "poll " + std::to_string(polls))
                  << ", elapsed " << FormatDuration(m_clock.now() - m_phaseStart) << '\n'
                  << std::flush;
            break;
        case Style::InPlace:
            drawInPlace(true);
            break;
    }
}

void Reporter::tick() {
    if (m_style == Style::InPlace && m_lineOpen)
        drawInPlace(false);
}

void Reporter::drawInPlace(bool force) {
    const auto elapsed = m_clock.now() - m_phaseStart;
    const long long second = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    if (!force && second == m_drawnSecond)
        return;
    m_drawnSecond = second;
    std::string line = std::string(PhaseName(m_phase)) + ": " + Printable(m_phaseText);
    if (m_phase == Phase::Transfer && m_block >= 0) {
        line += " | " + transferText();
    } else if (m_phase == Phase::Restart && m_position >= 0) {
        line += " | " +
                (m_polls == 0 ? std::string("waiting") : "poll " + std::to_string(m_polls)) +
                ", elapsed " + FormatDuration(elapsed);
    } else {
        line += " (" + FormatDuration(elapsed) + ")";
    }
    m_out << "\r\033[K" << line << std::flush;
    m_lineOpen = true;
}

void Reporter::info(const std::string& text) {
    if (json())
        return;
    endInPlaceLine();
    m_out << Printable(text) << '\n' << std::flush;
}

void Reporter::record(const JsonObject& object) {
    if (json())
        m_out << object.str() << '\n' << std::flush;
}

void Reporter::note(const std::string& text) {
    endInPlaceLine();
    m_err << "qx4t-vup: " << Printable(text) << '\n' << std::flush;
}

void Reporter::error(const std::string& text) {
    endInPlaceLine();
    m_err << "qx4t-vup: error: " << Printable(text) << '\n' << std::flush;
}

void Reporter::result(int exitCode, const std::string& message, JsonObject fields) {
    m_lastResult = message;
    endInPlaceLine();
    if (json()) {
        JsonObject o;
        o.add("type", "result")
            .add("exit", exitCode)
            .add("result", exitCode == 0 ? "success" : "failure");
        o.add("message", message).add("started", m_started).add("finished", UtcNow());
        std::string text = o.str();
        const std::string extra = fields.str();
        if (extra.size() > 2)
            text = text.substr(0, text.size() - 1) + "," + extra.substr(1);
        m_out << text << '\n' << std::flush;
    } else if (exitCode == 0) {
        m_out << Printable(message) << '\n' << std::flush;
    }
    if (exitCode != 0)
        error(message);
}

}  // namespace qx4t::cli
