#pragma once
#include <functional>
#include <string>
#include <utility>

#include "link/ComManager.h"

namespace qx4t::cli {

// The link's process-wide seams belong to one run at a time; they are put back on every path.
class LinkSeamsGuard {
public:
    LinkSeamsGuard(std::function<bool()> pump,
                   std::function<void(char, const std::string&)> transcript) {
        CComManager::SetEventPump(std::move(pump));
        CComManager::SetTranscript(std::move(transcript));
    }
    ~LinkSeamsGuard() {
        CComManager::SetEventPump({});
        CComManager::SetTranscript({});
    }
    LinkSeamsGuard(const LinkSeamsGuard&) = delete;
    LinkSeamsGuard& operator=(const LinkSeamsGuard&) = delete;
};

}  // namespace qx4t::cli
