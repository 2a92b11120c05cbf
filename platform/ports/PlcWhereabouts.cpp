// Following a PLC by its identity across the ports listed: the same on every platform, whatever
// discovery filled the list in.
#include <algorithm>

#include "platform/ports/PortEnumerator.h"

namespace qx4t::ports {

std::string identityOfName(const std::string& name) {
    return "port:" + name;
}

const PortInfo* findByIdentity(const std::vector<PortInfo>& ports, const std::string& identity) {
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortInfo& p) { return p.identity == identity; });
    return it == ports.end() ? nullptr : &*it;
}

PlcWhereabouts locatePlc(const std::vector<PortInfo>& ports, const std::string& identity,
                         const std::string& lastName) {
    using Kind = PlcWhereabouts::Kind;
    if (identity.empty()) {
        return {Kind::NameOnly, lastName, {}};
    }
    if (const PortInfo* found = findByIdentity(ports, identity)) {
        return {Kind::Listed, found->name, {}};
    }
    const auto onName = std::find_if(ports.begin(), ports.end(),
                                     [&](const PortInfo& p) { return p.name == lastName; });
    if (onName != ports.end()) {
        return {Kind::OtherOnName, lastName, onName->identity};
    }
    return {Kind::NotListed, lastName, {}};
}

}  // namespace qx4t::ports
