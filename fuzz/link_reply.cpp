// Feeds arbitrary bytes as the PLC's reply to each command. Input: a command selector, a split
// point (the high bit makes the gap longer than one poll), then the reply.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "link/ComManager.h"
#include "tests/support/FakeLink.h"

namespace {

using namespace std::chrono_literals;
using qx4t::test::ScriptedReply;

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
    const std::size_t split = data[1] & 0x7F;
    const auto gap = (data[1] & 0x80) != 0 ? 150ms : 40ms;
    const std::string reply(reinterpret_cast<const char*>(data + 2), size - 2);

    qx4t::test::ScopedFakeLink fake;
    fake.port.setResponder([&](const std::string&) {
        if (split == 0 || split >= reply.size()) {
            return ScriptedReply::now(reply);
        }
        return ScriptedReply::split(reply.substr(0, split), gap, reply.substr(split));
    });
    CComManager link;
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
            static const std::string image(64 + 65536 + 5, '\x5A');
            int progress = -1;
            result =
                link.SendFWImage(image.data(), static_cast<std::uint32_t>(image.size()), &progress);
            break;
        }
    }
    if (!isKnownResult(result) || link.m_nRecvLen > 4095 || link.m_RecvBuf[link.m_nRecvLen] != 0) {
        std::abort();
    }
    return 0;
}
