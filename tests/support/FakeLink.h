#pragma once
// Puts every CComManager of the process on one FakeSerialPort and a VirtualClock for the life
// of this object, with a pump that counts its calls; restores the defaults afterwards.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/ComManager.h"
#include "tests/support/FakeSerialPort.h"

namespace qx4t::test {

class ScopedFakeLink {
public:
    ScopedFakeLink() {
        CComManager::SetPortFactory(port.factory());
        // The fake has no descriptor for a window's event loop to watch.
        CComManager::SetPortWait(nullptr);
        CComManager::SetEventPump([this] {
            ++pumpCalls;
            return onPump ? onPump() : false;
        });
        CComManager::SetTranscript([this](char direction, const std::string& bytes) {
            transcript.emplace_back(direction, bytes);
        });
    }
    ~ScopedFakeLink() {
        CComManager::SetPortFactory(nullptr);
        CComManager::SetPortWait(nullptr);
        CComManager::SetEventPump(nullptr);
        CComManager::SetTranscript(nullptr);
    }
    ScopedFakeLink(const ScopedFakeLink&) = delete;
    ScopedFakeLink& operator=(const ScopedFakeLink&) = delete;

    VirtualClock clock;
    FakeSerialPort port{clock};
    int pumpCalls = 0;
    // Runs inside each pump call; returning true asks the link to quit.
    std::function<bool()> onPump;
    std::vector<std::pair<char, std::string>> transcript;
};

}  // namespace qx4t::test
