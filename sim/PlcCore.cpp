#include "sim/PlcCore.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace qx4t::sim {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kStatusText = "%EE#EX00RT00";
constexpr std::string_view kModeChangeText = "%EE#RMP";
constexpr std::string_view kEntryOpening = "<EE#FV  BrevantisDevicesORKA  QX4T-V";
constexpr std::string_view kEntryContinuation = "<EE  BrevantisDevicesORKA  QX4T-V";
constexpr std::size_t kFillerLength = 510;
constexpr std::size_t kHeadSize = 64;
constexpr std::size_t kBlockSize = 65536;
// A request frame longer than this without a carriage return is noise, not a request.
constexpr std::size_t kLongestFrame = 4096;
// Image blocks are logged by their first bytes only.
constexpr std::size_t kLoggedImageBytes = 32;

std::string hex2(unsigned value) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFFu);
    return buf;
}

bool isUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool imageOnly(FaultKind kind) {
    return kind == FaultKind::WrongAck || kind == FaultKind::DoubleAck ||
           kind == FaultKind::SilenceFromBlock || kind == FaultKind::PortClosedMidTransfer;
}

bool frameOnly(FaultKind kind) {
    return kind == FaultKind::ErrorReply || kind == FaultKind::WrongBcc ||
           kind == FaultKind::WrongLength;
}

}  // namespace

std::string blockCheck(std::string_view text) {
    unsigned x = 0;
    for (char c : text)
        x ^= static_cast<unsigned char>(c);
    return hex2(x);
}

std::string makeFrame(std::string_view text) {
    return std::string(text) + blockCheck(text) + "\r";
}

std::string makeContinuedFrame(std::string_view text) {
    return std::string(text) + blockCheck(text) + "&\r";
}

PlcCore::PlcCore(const Clock& clock, PlcConfig config) : clock_(clock), config_(std::move(config)) {
    // An unusable configuration still gives a PLC that answers; the program refuses it earlier.
    config_.model.resize(2, '?');
    config_.version.resize(4, '0');
    config_.newVersion.resize(4, '0');
    config_.entryReplyCode.resize(4, '0');
    if (config_.imageIdleGap <= std::chrono::milliseconds::zero())
        config_.imageIdleGap = std::chrono::milliseconds(500);
    config_.mode &= 0xFF;
    state_.model = config_.model;
    state_.version = config_.version;
    state_.mode = config_.mode;
    std::wstring wideModel(config_.model.begin(), config_.model.end());
    expected_ = firmware::imageFor(wideModel);
    lastDue_ = clock_.now();
}

void PlcCore::receive(const void* data, std::size_t size) {
    settle();
    if (size == 0)
        return;
    std::string_view bytes(static_cast<const char*>(data), size);
    if (phase_ == Phase::Gone)
        return;
    if (phase_ == Phase::Restarting) {
        record(Direction::ToPlc, bytes, "ignored: restarting", clock_.now());
        return;
    }
    lastInput_ = clock_.now();
    input_.append(bytes);
    process();
}

std::string PlcCore::takeDue() {
    settle();
    std::string out;
    auto now = clock_.now();
    while (!output_.empty() && output_.front().due <= now) {
        out += output_.front().bytes;
        output_.pop_front();
    }
    return out;
}

std::optional<Clock::time_point> PlcCore::nextOutputTime() {
    settle();
    if (output_.empty())
        return std::nullopt;
    return output_.front().due;
}

std::optional<Clock::time_point> PlcCore::nextEventTime() {
    settle();
    std::optional<Clock::time_point> next;
    auto consider = [&](Clock::time_point t) {
        if (!next || t < *next)
            next = t;
    };
    if (!output_.empty())
        consider(output_.front().due);
    if (phase_ == Phase::Restarting)
        consider(restartEnd_);
    if (phase_ == Phase::Image &&
        (!unit_.empty() || (expected_.data && state_.imageBytes >= expected_.size)))
        consider(lastInput_ + config_.imageIdleGap);
    return next;
}

PlcState PlcCore::state() {
    settle();
    return state_;
}

bool PlcCore::portClosed() {
    settle();
    return state_.portClosed;
}

int PlcCore::portGeneration() {
    settle();
    return state_.portGeneration;
}

// Time-driven steps, taken lazily whenever anyone looks, so that the result does not depend
// on how often the driver calls in.
void PlcCore::settle() {
    auto now = clock_.now();
    for (;;) {
        if (phase_ == Phase::Image && state_.imageBytes > 0) {
            bool tailPending = !unit_.empty();
            bool allThere = expected_.data && state_.imageBytes >= expected_.size;
            auto end = lastInput_ + config_.imageIdleGap;
            if ((tailPending || allThere) && now >= end) {
                if (allThere || inLastBlock())
                    finishImage(end);
                else
                    dropImage(end);
                continue;
            }
        }
        if (phase_ == Phase::Restarting && now >= restartEnd_) {
            finishRestart();
            continue;
        }
        return;
    }
}

void PlcCore::process() {
    while (!input_.empty()) {
        if (phase_ == Phase::Image) {
            consumeImage();
            return;
        }
        if (phase_ != Phase::Normal) {
            input_.clear();
            scanned_ = 0;
            return;
        }
        if (state_.mode & 0x10) {
            // In update mode the PLC still answers a status read; anything else is the image.
            static const std::string status = makeFrame(kStatusText);
            std::size_t n = std::min(input_.size(), status.size());
            if (input_.compare(0, n, status, 0, n) == 0) {
                if (n < status.size())
                    return;  // could still be the status request
                input_.erase(0, n);
                scanned_ = 0;
                handleFrame(status);
                continue;
            }
            startImage();
            continue;
        }
        // Only the bytes not yet looked at: a request that trickles in byte by byte would
        // otherwise be scanned again from its start for every byte.
        std::size_t cr = input_.find('\r', scanned_);
        if (cr == std::string::npos) {
            scanned_ = input_.size();
            if (input_.size() > kLongestFrame) {
                record(Direction::ToPlc, std::string_view(input_).substr(0, kLoggedImageBytes),
                       "discarded: no carriage return", clock_.now());
                violation("a request of more than 4096 bytes without a carriage return");
                input_.clear();
                scanned_ = 0;
            }
            return;
        }
        std::string frame = input_.substr(0, cr + 1);
        input_.erase(0, cr + 1);
        scanned_ = 0;
        handleFrame(std::move(frame));
    }
}

void PlcCore::handleFrame(std::string frame) {
    auto now = clock_.now();
    std::size_t start = frame.find_first_of("%<");
    if (start == std::string::npos) {
        record(Direction::ToPlc, frame, "discarded: no header", now);
        violation("bytes without a frame header");
        return;
    }
    if (start > 0) {
        record(Direction::ToPlc, std::string_view(frame).substr(0, start),
               "discarded: noise before a frame", now);
        violation("noise before a frame");
        frame.erase(0, start);
    }
    const char header = frame[0];
    const std::size_t n = frame.size();
    if (n < 4) {
        record(Direction::ToPlc, frame, "refused: too short", now);
        violation("a frame too short for a block check");
        errorReply(header);
        return;
    }
    const bool continued = n >= 5 && frame[n - 2] == '&';
    const std::size_t bccAt = n - 3 - (continued ? 1 : 0);
    const std::string text = frame.substr(0, bccAt);
    if (frame.compare(bccAt, 2, blockCheck(text)) != 0) {
        record(Direction::ToPlc, frame, "refused: wrong block check", now);
        violation("wrong block check");
        if (entryActive_)
            abortEntry("a frame with a wrong block check");
        errorReply(header);
        return;
    }
    ++state_.framesReceived;

    const bool entryFrame =
        text.rfind(kEntryOpening, 0) == 0 || text.rfind(kEntryContinuation, 0) == 0;
    if (entryFrame) {
        record(Direction::ToPlc, frame,
               continued ? "update-mode entry" : "update-mode entry, final", now);
        handleEntryFrame(text, continued, header);
        return;
    }
    if (entryActive_)
        abortEntry("another request in the middle of the update-mode entry");

    if (text == kStatusText && !continued) {
        record(Direction::ToPlc, frame, "status read", now);
        std::string r(64, '0');
        r.replace(0, 4, "%EE$");
        r.replace(4, 8, "EX00RT00");
        r.replace(14, 2, state_.model);
        r.replace(20, 2, hex2(static_cast<unsigned>(state_.mode)));
        // The PLC sends its version's two pairs swapped: 0180 travels as 8001.
        r.replace(30, 2, state_.version.substr(2, 2));
        r.replace(32, 2, state_.version.substr(0, 2));
        reply(Request::Status, statusCount_++, makeFrame(r));
        return;
    }
    if (text == kModeChangeText && !continued) {
        record(Direction::ToPlc, frame, "mode change", now);
        int index = modeCount_++;
        const Fault* f = faultFor(Request::ModeChange, index);
        // A PLC that refuses or never heard the request keeps its mode.
        bool refused = f && (f->kind == FaultKind::ErrorReply || f->kind == FaultKind::NoReply);
        if (!refused)
            state_.mode &= ~0x01;
        reply(Request::ModeChange, index, makeFrame("%EE$RM"));
        return;
    }
    record(Direction::ToPlc, frame, "refused: unknown request", now);
    violation("unknown request: " + text.substr(0, 16));
    errorReply(header);
}

void PlcCore::handleEntryFrame(const std::string& text, bool continued, char header) {
    const bool opening = text.rfind(kEntryOpening, 0) == 0;
    const std::string_view prefix = opening ? kEntryOpening : kEntryContinuation;
    // After the prefix: the version, one space, and the filler of 510 upper-case hex digits.
    std::string_view rest = std::string_view(text).substr(prefix.size());
    bool wellFormed =
        rest.size() > kFillerLength + 1 && rest[rest.size() - kFillerLength - 1] == ' ';
    std::string_view version, filler;
    if (wellFormed) {
        version = rest.substr(0, rest.size() - kFillerLength - 1);
        filler = rest.substr(rest.size() - kFillerLength);
        wellFormed = !version.empty() && version.find(' ') == std::string_view::npos &&
                     std::all_of(filler.begin(), filler.end(), isUpperHex);
    }
    if (!wellFormed) {
        if (entryActive_)
            abortEntry("a malformed update-mode entry frame");
        violation("malformed update-mode entry frame");
        errorReply(header);
        return;
    }

    if (opening) {
        if (!continued) {
            violation("an opening update-mode entry frame without '&'");
            errorReply(header);
            return;
        }
        if (entryActive_)
            abortEntry("a new opening frame");
        unsigned fillerSum = 0;
        for (char c : filler)
            fillerSum += static_cast<unsigned char>(c);
        unsigned codeSum = 0;
        for (char c : config_.entryReplyCode)
            codeSum += static_cast<unsigned char>(c);
        int n = static_cast<int>((codeSum + fillerSum) % 256);
        if (n < 100)
            n += 100;
        entryActive_ = true;
        entryN_ = n;
        state_.entryFrames = 1;
        state_.entryExpected = n + 1;
        state_.entryComplete = false;
        state_.entryVersionText = std::string(version);
        reply(Request::UpdateEntry, 0, makeFrame("<EE" + config_.entryReplyCode + "0"));
        return;
    }

    if (!entryActive_) {
        violation("an update-mode entry frame without an opening frame");
        if (continued)
            errorReply(header);
        return;
    }
    if (version != state_.entryVersionText) {
        abortEntry("the version changed within the update-mode entry");
        errorReply(header);
        return;
    }
    int index = state_.entryFrames++;
    if (continued) {
        if (state_.entryFrames > entryN_) {
            abortEntry("more than N frames marked with '&'");
            errorReply(header);
            return;
        }
        reply(Request::UpdateEntry, index, makeFrame("<EE" + config_.entryReplyCode + "0"));
        return;
    }
    if (state_.entryFrames != entryN_ + 1) {
        abortEntry("the final frame came as frame " + std::to_string(state_.entryFrames) + " of " +
                   std::to_string(entryN_ + 1));
        return;
    }
    // The final frame is not answered; the PLC just enters its update mode.
    entryActive_ = false;
    state_.entryComplete = true;
    state_.mode |= 0x10;
}

void PlcCore::abortEntry(const std::string& why) {
    violation("update-mode entry abandoned: " + why);
    entryActive_ = false;
    state_.entryComplete = false;
}

void PlcCore::startImage() {
    phase_ = Phase::Image;
    imageBlock_ = -1;
    unit_.clear();
    imageMatches_ = expected_.data != nullptr;
    state_.imageBytes = 0;
    state_.imageAcks = 0;
    state_.imageIntact.reset();
}

void PlcCore::consumeImage() {
    const std::size_t before = state_.imageBytes;
    while (!input_.empty() && phase_ == Phase::Image) {
        const std::size_t unitSize = imageBlock_ < 0 ? kHeadSize : kBlockSize;
        std::size_t take = std::min(unitSize - unit_.size(), input_.size());
        unit_.append(input_, 0, take);
        input_.erase(0, take);
        scanned_ = 0;
        state_.imageBytes += take;
        if (unit_.size() == unitSize)
            completeImageUnit();
    }
    if (expected_.data && before < expected_.size && state_.imageBytes >= expected_.size &&
        hasFault(FaultKind::HangUpAfterImage)) {
        // The PLC restarts on the last byte and its USB port re-enumerates at once: the line
        // hangs up before any acknowledgement, and the port comes back under a new name.
        ++state_.portGeneration;
        output_.clear();
    }
    if (phase_ != Phase::Image) {
        input_.clear();
        scanned_ = 0;
    }
}

bool PlcCore::matchesImage(std::size_t offset, std::string_view reversed) const {
    if (!expected_.data || offset + reversed.size() > expected_.size)
        return false;
    const std::size_t n = reversed.size();
    for (std::size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(reversed[n - 1 - i]) != expected_.data[offset + i])
            return false;
    return true;
}

void PlcCore::completeImageUnit() {
    const std::size_t offset = imageBlock_ < 0 ? 0 : kHeadSize + kBlockSize * imageBlock_;
    imageMatches_ = imageMatches_ && matchesImage(offset, unit_);
    std::string note =
        imageBlock_ < 0 ? "image head" : "image block " + std::to_string(imageBlock_);
    record(Direction::ToPlc, std::string_view(unit_).substr(0, kLoggedImageBytes), note,
           clock_.now(), unit_.size());
    unit_.clear();
    int index = imageBlock_++;
    if (const Fault* f = faultFor(Request::Image, index);
        f && f->kind == FaultKind::PortClosedMidTransfer) {
        violation("port closed in the middle of the image (fault)");
        phase_ = Phase::Gone;
        state_.portClosed = true;
        output_.clear();
        return;
    }
    reply(Request::Image, index, std::string(1, '\0'));
}

void PlcCore::finishImage(Clock::time_point at) {
    if (!unit_.empty()) {
        const std::size_t offset = imageBlock_ < 0 ? 0 : kHeadSize + kBlockSize * imageBlock_;
        imageMatches_ = imageMatches_ && matchesImage(offset, unit_);
        record(Direction::ToPlc, std::string_view(unit_).substr(0, kLoggedImageBytes),
               "image, last block", at, unit_.size());
        unit_.clear();
    }
    const bool intact = imageMatches_ && expected_.data && state_.imageBytes == expected_.size;
    if (!intact)
        violation("the image is not the one for model " + state_.model);
    state_.imageIntact = intact;
    phase_ = Phase::Restarting;
    state_.restarting = true;
    ++state_.restartCount;
    restartEnd_ = at + config_.restartTime;
    input_.clear();
    scanned_ = 0;
    output_.clear();
}

bool PlcCore::inLastBlock() const {
    if (!expected_.data || expected_.size <= kHeadSize)
        return true;
    const std::size_t blocks = (expected_.size - kHeadSize + kBlockSize - 1) / kBlockSize;
    return imageBlock_ >= static_cast<int>(blocks) - 1;
}

// The tool stopped in the middle of a block that is not the last: no image to check, nothing
// to restart into. The PLC forgets the bytes and waits in its update mode for an image from
// its head, answering status reads again, so that running the update again recovers it.
void PlcCore::dropImage(Clock::time_point at) {
    record(Direction::ToPlc, std::string_view(unit_).substr(0, kLoggedImageBytes),
           "image stopped within a block: dropped", at, unit_.size());
    violation("the image stopped after " + std::to_string(state_.imageBytes) +
              " bytes, within a block before the last; dropped");
    ++state_.imagesDropped;
    phase_ = Phase::Normal;
    imageBlock_ = -1;
    unit_.clear();
    input_.clear();
    scanned_ = 0;
}

void PlcCore::finishRestart() {
    phase_ = Phase::Normal;
    state_.restarting = false;
    // With stays-in-update-mode the image did not take: the PLC still waits for one, on its
    // old firmware.
    if (!hasFault(FaultKind::StaysInUpdateMode)) {
        if (state_.imageIntact.value_or(false))
            state_.version = config_.newVersion;
        state_.mode &= ~0x10;
    }
    if (hasFault(FaultKind::NewNameAfterRestart))
        ++state_.portGeneration;
}

void PlcCore::violation(std::string what) {
    state_.violations.push_back(std::move(what));
}

void PlcCore::errorReply(char header) {
    std::string text = std::string(1, header) + "EE!42";
    auto due = std::max(clock_.now() + config_.replyDelay, lastDue_);
    std::string bytes = makeFrame(text);
    record(Direction::FromPlc, bytes, "error reply", due);
    output_.push_back({due, std::move(bytes)});
    lastDue_ = due;
}

const Fault* PlcCore::faultFor(Request request, int index) const {
    for (const auto& f : config_.faults) {
        // Faults of the PLC as a whole, not of its answers.
        if (f.kind == FaultKind::None || f.kind == FaultKind::NewNameAfterRestart ||
            f.kind == FaultKind::SecondPlc || f.kind == FaultKind::HangUpAfterImage ||
            f.kind == FaultKind::StaysInUpdateMode)
            continue;
        const bool image = request == Request::Image;
        if (imageOnly(f.kind) && !image)
            continue;
        if (frameOnly(f.kind) && image)
            continue;
        if (!imageOnly(f.kind) && f.on != Request::Any && f.on != request)
            continue;
        if (index < f.from)
            continue;
        if (f.count > 0 && index >= f.from + f.count)
            continue;
        return &f;
    }
    return nullptr;
}

bool PlcCore::hasFault(FaultKind kind) const {
    return std::any_of(config_.faults.begin(), config_.faults.end(),
                       [&](const Fault& f) { return f.kind == kind; });
}

void PlcCore::reply(Request request, int index, std::string bytes) {
    const Fault* f = faultFor(request, index);
    const FaultKind kind = f ? f->kind : FaultKind::None;
    auto now = clock_.now();
    auto refresh = [&](std::string text) { bytes = makeFrame(text); };
    switch (kind) {
        case FaultKind::NoReply:
        case FaultKind::SilenceFromBlock:
            record(Direction::FromPlc, {}, "no reply (fault)", now);
            return;
        case FaultKind::ErrorReply:
            bytes[3] = '!';
            refresh(bytes.substr(0, bytes.size() - 3));
            break;
        case FaultKind::WrongBcc:
            bytes[bytes.size() - 3] = bytes[bytes.size() - 3] == '0' ? '1' : '0';
            break;
        case FaultKind::WrongLength:
            refresh(bytes.substr(0, bytes.size() - 4));
            break;
        case FaultKind::WrongAck:
            bytes = std::string(1, '\x01');
            break;
        case FaultKind::DoubleAck:
            bytes = std::string(2, '\0');
            break;
        default:
            break;
    }
    auto due = std::max(now + config_.replyDelay, lastDue_);
    std::string note =
        kind == FaultKind::None ? "reply" : "reply (" + std::string(faultName(kind)) + ")";
    record(Direction::FromPlc, bytes, note, due);
    if (kind == FaultKind::SplitReply && bytes.size() >= 2) {
        std::size_t half = bytes.size() / 2;
        output_.push_back({due, bytes.substr(0, half)});
        due += config_.splitPause;
        output_.push_back({due, bytes.substr(half)});
    } else if (kind == FaultKind::SlowReplies) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0)
                due += config_.slowByteGap;
            output_.push_back({due, bytes.substr(i, 1)});
        }
    } else {
        output_.push_back({due, std::move(bytes)});
    }
    lastDue_ = due;
}

void PlcCore::record(Direction direction, std::string_view bytes, std::string note,
                     Clock::time_point at, std::size_t fullSize) {
    Exchange e{at, direction, std::max(fullSize, bytes.size()), std::string(bytes),
               std::move(note)};
    if (sink_)
        sink_(e);
    log_.push_back(std::move(e));
    if (log_.size() > kKeptExchanges)
        log_.pop_front();
}

}  // namespace qx4t::sim
