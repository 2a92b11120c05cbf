#pragma once
// The PLC's side of the protocol as a state machine fed bytes and a clock. It answers the four
// requests of the tool (status read, mode change, update-mode entry, image), checks them as
// the PLC does, and can misbehave on request. It is driven from outside: the in-process port
// on virtual time, or the pseudo-terminal server on the steady clock. Not thread-safe.
//
// Its frame and block-check code is its own on purpose, not the link's: an independent second
// reading of the protocol catches a misreading that one shared copy would hide on both sides.
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/Images.h"
#include "platform/Clock.h"
#include "sim/PlcConfig.h"

namespace qx4t::sim {

inline constexpr std::string_view kDefaultDescription = "TEMLO PLC (simulated)";

enum class Direction { ToPlc, FromPlc };

struct Exchange {
    Clock::time_point at;  // when the bytes arrived, or when the reply is due at the tool
    Direction direction;
    std::size_t size = 0;  // bytes in the exchange
    std::string bytes;     // the bytes, cut short for image blocks
    std::string note;      // what the PLC made of it
};

// What a test can look at.
struct PlcState {
    std::string model;
    std::string version;
    int mode = 0;
    long framesReceived = 0;          // well-formed request frames with a valid block check
    int entryFrames = 0;              // frames of the current or last update-mode entry
    int entryExpected = 0;            // N + 1 for that entry, 0 before its opening frame
    bool entryComplete = false;       // the last entry ended with exactly N + 1 valid frames
    std::string entryVersionText;     // the version named in the entry frames
    std::size_t imageBytes = 0;       // bytes of the current or last image
    int imageAcks = 0;                // acknowledgements sent for it
    std::optional<bool> imageIntact;  // known once an image has ended
    int imagesDropped = 0;            // transfers that stopped within a block before the last
    int restartCount = 0;
    bool restarting = false;
    bool portClosed = false;              // the line went away (fault)
    int portGeneration = 0;               // grows each time the port comes back under a new name
    std::vector<std::string> violations;  // what the PLC refused, in order
};

class PlcCore {
public:
    PlcCore(const Clock& clock, PlcConfig config);

    // Bytes from the tool, arriving now.
    void receive(const void* data, std::size_t size);
    // The reply bytes that have reached the tool by now, removed from the line.
    [[nodiscard]] std::string takeDue();
    // When the next reply byte reaches the tool; empty when none is on its way.
    [[nodiscard]] std::optional<Clock::time_point> nextOutputTime();
    // When something happens next without input (a reply due, the image taken as ended, the
    // restart over); a server sleeps until then.
    [[nodiscard]] std::optional<Clock::time_point> nextEventTime();

    [[nodiscard]] PlcState state();
    // The most recent exchanges (at most kKeptExchanges).
    [[nodiscard]] const std::deque<Exchange>& exchanges() const { return log_; }
    static constexpr std::size_t kKeptExchanges = 10000;
    [[nodiscard]] const PlcConfig& config() const { return config_; }
    [[nodiscard]] bool portClosed();
    [[nodiscard]] int portGeneration();
    // Every exchange as it happens, with the full bytes (for --log).
    void setExchangeSink(std::function<void(const Exchange&)> sink) { sink_ = std::move(sink); }

private:
    enum class Phase { Normal, Image, Restarting, Gone };
    struct Chunk {
        Clock::time_point due;
        std::string bytes;
    };

    void settle();
    void process();
    void handleFrame(std::string frame);
    void handleEntryFrame(const std::string& text, bool continued, char header);
    void startImage();
    void consumeImage();
    void completeImageUnit();
    void finishImage(Clock::time_point at);
    void dropImage(Clock::time_point at);
    [[nodiscard]] bool inLastBlock() const;
    void finishRestart();
    void abortEntry(const std::string& why);
    void violation(std::string what);
    void reply(Request request, int index, std::string bytes);
    void errorReply(char header);
    void record(Direction direction, std::string_view bytes, std::string note, Clock::time_point at,
                std::size_t fullSize = 0);
    [[nodiscard]] const Fault* faultFor(Request request, int index) const;
    [[nodiscard]] bool hasFault(FaultKind kind) const;
    [[nodiscard]] bool matchesImage(std::size_t offset, std::string_view reversed) const;

    const Clock& clock_;
    PlcConfig config_;
    firmware::Image expected_;
    Phase phase_ = Phase::Normal;
    std::string input_;
    std::size_t scanned_ = 0;  // input_ up to here holds no carriage return
    std::deque<Chunk> output_;
    Clock::time_point lastDue_{};
    Clock::time_point lastInput_{};
    Clock::time_point restartEnd_{};
    // Update-mode entry.
    bool entryActive_ = false;
    int entryN_ = 0;
    // Image.
    int imageBlock_ = -1;  // -1 while the head arrives
    std::string unit_;
    bool imageMatches_ = true;
    int statusCount_ = 0;
    int modeCount_ = 0;
    PlcState state_;
    std::deque<Exchange> log_;
    std::function<void(const Exchange&)> sink_;
};

// Helpers the simulator shares with its tests: the frame format as the PLC sees it.
[[nodiscard]] std::string blockCheck(std::string_view text);          // two upper-case hex digits
[[nodiscard]] std::string makeFrame(std::string_view text);           // text, BCC, CR
[[nodiscard]] std::string makeContinuedFrame(std::string_view text);  // text, BCC, '&', CR

}  // namespace qx4t::sim
