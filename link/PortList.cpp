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

namespace {
std::vector<qx4t::ports::PortInfo> listPorts() {
    return provider() ? provider()() : qx4t::ports::enumeratePorts();
}
}  // namespace

std::string GetPortIdentity(const std::wstring& port) {
    const std::string name = qx4t::wideToUtf8(port);
    for (const auto& info : listPorts()) {
        if (info.name == name) {
            return info.identity;
        }
    }
    return {};
}

qx4t::ports::PlcWhereabouts LocatePlcPort(const std::string& identity,
                                          const std::wstring& lastPort) {
    return qx4t::ports::locatePlc(listPorts(), identity, qx4t::wideToUtf8(lastPort));
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
