#include "link/PortList.h"

#include <array>
#include <utility>

#include "link/ComManager.h"
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

qx4t::PlcIdentity IdentifyOpenPlc(const CComManager& link, const std::wstring& port) {
    return qx4t::ports::identifyOpenPort(listPorts(), link.OpenDevice(), qx4t::wideToUtf8(port));
}

bool IsThePlc(const CComManager& link, const qx4t::PlcIdentity& plc, const std::wstring& port) {
    const auto now =
        qx4t::ports::openPortFacts(listPorts(), link.OpenDevice(), qx4t::wideToUtf8(port));
    return qx4t::MatchPlc(plc, now) == qx4t::PortMatch::Same;
}

qx4t::ports::PlcWhereabouts LocatePlcPort(const qx4t::PlcIdentity& plc,
                                          const std::wstring& lastPort) {
    return qx4t::ports::locatePlc(listPorts(), plc, qx4t::wideToUtf8(lastPort));
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
