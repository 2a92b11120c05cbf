#pragma once
// The simulator's catalogue of misbehaviour: what each fault does and the names qx4t-plcsim
// takes for faults and requests.
#include <optional>
#include <string_view>
#include <vector>

namespace qx4t::sim {

// Named ways to misbehave, shared by the in-process tests and qx4t-plcsim.
enum class FaultKind {
    None,
    NoReply,                // no answer at all
    ErrorReply,             // the normal reply with '!' at position 3 (frames only)
    WrongBcc,               // the normal reply with a wrong block check (frames only)
    WrongLength,            // the normal reply one byte short, block check still right (frames)
    SplitReply,             // the reply in two halves with PlcConfig::splitPause between them
    WrongAck,               // an image acknowledgement of 0x01 instead of 0x00
    DoubleAck,              // an image acknowledgement of two zero bytes
    SilenceFromBlock,       // image blocks from Fault::from on are not acknowledged
    PortClosedMidTransfer,  // the line disappears when image block Fault::from arrives
    NewNameAfterRestart,    // after the restart the port comes back under another name
    SlowReplies,            // reply bytes one at a time, PlcConfig::slowByteGap apart
    SecondPlc,              // a second simulated PLC is attached beside this one
    HangUpAfterImage,       // the port goes away as the last image byte arrives, unacknowledged,
                            // and the PLC restarts under a new name (USB re-enumeration)
    StaysInUpdateMode,      // after the restart the PLC answers with the update-mode bit still set
};

// The requests a fault can be aimed at.
enum class Request { Any, Status, ModeChange, UpdateEntry, Image };

struct Fault {
    FaultKind kind = FaultKind::None;
    Request on = Request::Any;
    // The first affected request, counted from 0 per kind of request. For the image it is the
    // block index as the tool counts it: 0 is the first 64 KiB block, -1 the 64-byte head.
    int from = 0;
    // How many requests are affected from `from` on; 0 means all of them.
    int count = 0;
};

struct FaultInfo {
    FaultKind kind;
    std::string_view name;  // as qx4t-plcsim's --fault takes it
    std::string_view help;
};
[[nodiscard]] const std::vector<FaultInfo>& faultCatalogue();
[[nodiscard]] std::optional<FaultKind> faultFromName(std::string_view name);
[[nodiscard]] std::string_view faultName(FaultKind kind);
[[nodiscard]] std::optional<Request> requestFromName(std::string_view name);

}  // namespace qx4t::sim
