#include "link/PortList.h"

#include <array>
#include <utility>

#include "platform/text/Utf8.h"

namespace {

constexpr std::array<std::wstring_view, 2> kPlcPrefixes{L"TEMLO PLC", L"Brevantis E"};

PortProvider& provider() {
    static PortProvider p;
    return p;
}

}  // namespace

void SetPortProvider(PortProvider p) {
    provider() = std::move(p);
}

bool IsPlcDescription(std::wstring_view description) {
    for (const auto prefix : kPlcPrefixes) {
        if (description.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

void GetComPortList(std::vector<std::wstring>& ports, std::vector<std::wstring>& names) {
    ports.clear();
    names.clear();
    const std::vector<qx4t::ports::PortInfo> found =
        provider() ? provider()() : qx4t::ports::enumeratePorts();
    for (const auto& info : found) {
        std::wstring description = qx4t::utf8ToWide(info.description);
        if (IsPlcDescription(description)) {
            ports.push_back(qx4t::utf8ToWide(info.name));
            names.push_back(std::move(description));
        }
    }
}
