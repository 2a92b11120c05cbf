// Feeds arbitrary bytes as the PLC's reply to each command. Input: a command selector, a split
// point (the high bit makes the gap longer than one poll), then the reply.
//
// Every exchange of a command parses its reply the same way, so the long roads are cut short.
// The update-mode entry meets silence after its second continuation frame: its 100 to 255
// frames cost milliseconds each run, and every input that reached them with another frame
// count was kept as new, until they filled the corpus (the final frame's handling is the link
// tests' job). The image is a head and a short last block unless the selector is exactly
// kImageWithBlock, which adds one full 64 KiB block.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "link/ComManager.h"
#include "tests/support/FakeSerialPort.h"

namespace {

using namespace std::chrono_literals;
using qx4t::test::ScriptedReply;

constexpr std::uint8_t kImageWithBlock = 0xF3;
// Answered update-mode entry frames: the opening frame and two continuation frames, so that the
// frame count and a continuation reply are parsed.
constexpr int kShortEntryReplies = 3;

bool isKnownResult(int result) {
    switch (result) {
        case qx4t::link::kOk:
        case qx4t::link::kUpdateMode:
        case qx4t::link::kReceiveFailed:
        case qx4t::link::kNoReply:
        case qx4t::link::kUnsupportedModel:
        case qx4t::link::kBadReply:
        case qx4t::link::kBadBcc:
            return true;
        default:
            return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const int command = data[0] % 4;
    const bool withBlock = data[0] == kImageWithBlock;
    const std::size_t split = data[1] & 0x7F;
    const auto gap = (data[1] & 0x80) != 0 ? 150ms : 40ms;
    const std::string reply(reinterpret_cast<const char*>(data + 2), size - 2);

    // No transcript: the link copies every exchange for a listener, and nobody listens here.
    qx4t::VirtualClock clock;
    qx4t::test::FakeSerialPort port{clock};
    int answered = 0;
    port.setResponder([&](const std::string&) -> std::optional<ScriptedReply> {
        if (command == 2 && answered >= kShortEntryReplies) {
            return std::nullopt;
        }
        ++answered;
        if (split == 0 || split >= reply.size()) {
            return ScriptedReply::now(reply);
        }
        return ScriptedReply::split(reply.substr(0, split), gap, reply.substr(split));
    });
    CComManager::SetPortFactory(port.factory());
    CComManager::SetEventPump([] { return false; });

    CComManager link;
    // The filler decides the entry's frame count: the same input must take the same road.
    std::srand(1);
    if (link.OpenPort(L"ttyACM0") != qx4t::link::kOk) {
        std::abort();
    }

    int result = 0;
    switch (command) {
        case 0: {
            stPlcStatus status{L"", L"****", L""};
            result = link.ReadPlcStatus(&status);
            const bool filled = result == qx4t::link::kOk || result == qx4t::link::kUpdateMode;
            if (filled != (status.strVersion != L"****") ||
                (filled && (status.strModel.size() != 2 || status.strVersion.size() != 4 ||
                            status.strMode.size() != 2))) {
                std::abort();
            }
            break;
        }
        case 1:
            result = link.ChangeMode();
            break;
        case 2:
            result = link.StartFWUpdate(L"01.80");
            break;
        default: {
            static const std::string headBlockAndTail(64 + 65536 + 5, '\x5A');
            static const std::string headAndTail(64 + 5, '\x5A');
            const std::string& image = withBlock ? headBlockAndTail : headAndTail;
            int progress = -1;
            result =
                link.SendFWImage(image.data(), static_cast<std::uint32_t>(image.size()), &progress);
            break;
        }
    }
    link.ClosePort();
    CComManager::SetPortFactory(nullptr);
    if (!isKnownResult(result) || link.m_nRecvLen > 4095 || link.m_RecvBuf[link.m_nRecvLen] != 0) {
        std::abort();
    }
    return 0;
}
