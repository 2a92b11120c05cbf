#include "sim/Faults.h"

namespace qx4t::sim {

namespace {

const std::vector<FaultInfo> kCatalogue = {
    {FaultKind::NoReply, "no-reply", "never answer the affected requests"},
    {FaultKind::ErrorReply, "error-reply", "answer with '!' at position 3 (an error reply)"},
    {FaultKind::WrongBcc, "wrong-bcc", "answer with a wrong block check"},
    {FaultKind::WrongLength, "wrong-length", "answer one byte short (block check still right)"},
    {FaultKind::SplitReply, "split-reply", "send each reply in two halves with a pause"},
    {FaultKind::WrongAck, "wrong-ack", "acknowledge image blocks with 0x01"},
    {FaultKind::DoubleAck, "double-ack", "acknowledge image blocks with two zero bytes"},
    {FaultKind::SilenceFromBlock, "silence-from-block",
     "stop acknowledging the image from block K on"},
    {FaultKind::PortClosedMidTransfer, "port-closed",
     "the port disappears when image block K arrives"},
    {FaultKind::NewNameAfterRestart, "new-name-after-restart",
     "after the restart the port comes back under a new name"},
    {FaultKind::SlowReplies, "slow-replies", "send reply bytes one at a time with gaps"},
    {FaultKind::SecondPlc, "second-plc", "attach a second simulated PLC beside this one"},
    {FaultKind::HangUpAfterImage, "hang-up-after-image",
     "hang up as the last image byte arrives; back under a new name"},
    {FaultKind::StaysInUpdateMode, "stays-in-update-mode",
     "after the restart still in update mode, on the old firmware"},
};

}  // namespace

const std::vector<FaultInfo>& faultCatalogue() {
    return kCatalogue;
}

std::optional<FaultKind> faultFromName(std::string_view name) {
    for (const auto& f : kCatalogue)
        if (f.name == name)
            return f.kind;
    return std::nullopt;
}

std::string_view faultName(FaultKind kind) {
    for (const auto& f : kCatalogue)
        if (f.kind == kind)
            return f.name;
    return "none";
}

std::optional<Request> requestFromName(std::string_view name) {
    if (name == "any")
        return Request::Any;
    if (name == "status")
        return Request::Status;
    if (name == "mode-change")
        return Request::ModeChange;
    if (name == "update-entry")
        return Request::UpdateEntry;
    if (name == "image")
        return Request::Image;
    return std::nullopt;
}

}  // namespace qx4t::sim
