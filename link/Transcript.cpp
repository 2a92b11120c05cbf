#include "link/Transcript.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <istream>
#include <sstream>

#include "common/Hex.h"

namespace qx4t::link {
namespace {

constexpr const char* kHeader = "# qx4t-vup transcript";
constexpr const char* kSeedTag = "filler seed ";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

bool TranscriptWriter::open(const std::string& path, const Clock& clock, unsigned fillerSeed) {
    m_clock = &clock;
    m_start = clock.now();
    // The path is UTF-8 on every platform (on Windows a narrow name would be taken as ANSI).
    // Opened close-on-exec ("e"; on Windows not inherited, "N").
#ifdef _WIN32
    m_file.reset(
        ::_wfopen(std::filesystem::path(std::u8string(path.begin(), path.end())).c_str(), L"wN"));
#else
    m_file.reset(std::fopen(path.c_str(), "we"));
#endif
    if (!m_file)
        return false;
    const std::time_t now = std::time(nullptr);
    char stamp[64] = "";
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S%z", std::localtime(&now));
    return std::fprintf(m_file.get(),
                        "%s, started %s, %s%u; seconds, '>' to the PLC, '<' from the PLC, "
                        "bytes in hex\n",
                        kHeader, stamp, kSeedTag, fillerSeed) > 0;
}

void TranscriptWriter::line(char direction, const std::string& bytes) {
    if (!m_file)
        return;
    char head[32];
    std::snprintf(head, sizeof head, "%10.3f %c",
                  std::chrono::duration<double>(m_clock->now() - m_start).count(), direction);
    std::string text = head;
    text.reserve(text.size() + bytes.size() * 3 + 1);
    for (unsigned char b : bytes) {
        text.push_back(' ');
        AppendHex(text, b);
    }
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), m_file.get());
}

void TranscriptWriter::note(const std::string& text) {
    if (!m_file)
        return;
    std::fprintf(m_file.get(), "#%9.3f %s\n",
                 std::chrono::duration<double>(m_clock->now() - m_start).count(), text.c_str());
}

bool TranscriptWriter::close() {
    if (!m_file)
        return true;
    const bool good = std::fflush(m_file.get()) == 0 && std::ferror(m_file.get()) == 0;
    return std::fclose(m_file.release()) == 0 && good;
}

std::optional<Transcript> ReadTranscript(std::istream& in, std::string& error) {
    Transcript transcript;
    std::string text;
    int number = 0;
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(in, text)) {
        ++number;
        if (text.empty())
            continue;
        if (text[0] == '#') {
            if (number == 1 && text.rfind(kHeader, 0) != 0)
                return fail("not a transcript");
            const auto at = text.find(kSeedTag);
            if (at != std::string::npos) {
                unsigned long seed = 0;
                std::istringstream field(
                    text.substr(at + std::char_traits<char>::length(kSeedTag)));
                if (!(field >> seed))
                    return fail("unreadable filler seed");
                transcript.fillerSeed = static_cast<unsigned>(seed);
            }
            continue;
        }
        std::istringstream fields(text);
        TranscriptExchange exchange;
        if (!(fields >> exchange.seconds >> exchange.direction) ||
            (exchange.direction != '>' && exchange.direction != '<')) {
            return fail("expected seconds and '>' or '<'");
        }
        std::string hex;
        while (fields >> hex) {
            const int hi = hex.size() == 2 ? HexDigit(hex[0]) : -1;
            const int lo = hex.size() == 2 ? HexDigit(hex[1]) : -1;
            if (hi < 0 || lo < 0)
                return fail("'" + hex + "' is not a byte in hex");
            exchange.bytes.push_back(static_cast<char>(hi << 4 | lo));
        }
        transcript.exchanges.push_back(std::move(exchange));
    }
    if (number == 0)
        return fail("empty");
    return transcript;
}

}  // namespace qx4t::link
