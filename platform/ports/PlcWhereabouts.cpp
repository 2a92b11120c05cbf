// Following a PLC by its identity across the ports listed: the same on every platform, whatever
// discovery filled the list in.
#include <algorithm>

#include "platform/ports/PortEnumerator.h"

namespace qx4t::ports {

std::string identityOfName(const std::string& name) {
    return NameKey(name);
}

PortFacts factsOf(const PortInfo& info) {
    return {info.name, info.serialKey, info.pathKey, info.virtualKey, info.device};
}

PlcIdentity identityAt(const std::vector<PortInfo>& ports, std::size_t index) {
    std::vector<PortFacts> facts;
    facts.reserve(ports.size());
    for (const auto& p : ports)
        facts.push_back(factsOf(p));
    return ChooseIdentity(facts, index);
}

void assignIdentities(std::vector<PortInfo>& ports) {
    std::vector<PortFacts> facts;
    facts.reserve(ports.size());
    for (const auto& p : ports)
        facts.push_back(factsOf(p));
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const PlcIdentity id = ChooseIdentity(facts, i);
        ports[i].identity = id.key;
        ports[i].identityKind = id.kind;
        ports[i].identityUnique = id.unique;
    }
}

const PortInfo* findByDevice(const std::vector<PortInfo>& ports, const std::string& device) {
    if (device.empty())
        return nullptr;
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortInfo& p) { return p.device == device; });
    return it == ports.end() ? nullptr : &*it;
}

PortFacts openPortFacts(const std::vector<PortInfo>& ports, const std::string& openDevice,
                        const std::string& openedName, bool* listed) {
    const PortInfo* found = findByDevice(ports, openDevice);
    if (found == nullptr) {
        const auto it = std::find_if(ports.begin(), ports.end(),
                                     [&](const PortInfo& p) { return p.name == openedName; });
        if (it != ports.end() && (openDevice.empty() || it->device.empty()))
            found = &*it;
    }
    if (listed != nullptr)
        *listed = found != nullptr;
    return found ? factsOf(*found) : PortFacts{openedName, {}, {}, {}, openDevice};
}

PlcIdentity identifyOpenPort(const std::vector<PortInfo>& ports, const std::string& openDevice,
                             const std::string& openedName) {
    bool listed = false;
    const PortFacts facts = openPortFacts(ports, openDevice, openedName, &listed);
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const PortInfo& p) { return p.name == facts.name; });
    if (listed && it != ports.end())
        return identityAt(ports, static_cast<std::size_t>(it - ports.begin()));
    return ChooseIdentity({facts}, 0);
}

std::vector<std::string> aliasNoteKeys(
    const PlcIdentity& plc, const std::vector<std::string>& marks,
    const std::function<DeviceNode(const std::string& name)>& nodeOf) {
    std::vector<std::string> keys;
    const std::string prefix = NameKey("");
    const auto own = NoteKeys(plc);
    for (const auto& mark : marks) {
        if (!nodeOf || plc.facts.device.empty() || !mark.starts_with(prefix) ||
            std::find(own.begin(), own.end(), mark) != own.end())
            continue;
        if (nodeOf(mark.substr(prefix.size())).device == plc.facts.device)
            keys.push_back(mark);
    }
    return keys;
}

const PortInfo* findByIdentity(const std::vector<PortInfo>& ports, const std::string& identity) {
    const PortInfo* found = nullptr;
    for (const auto& p : ports) {
        if (p.identity != identity)
            continue;
        if (found)
            return nullptr;
        found = &p;
    }
    return found;
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

PlcWhereabouts locatePlc(const std::vector<PortInfo>& ports, const PlcIdentity& plc,
                         const std::string& lastName) {
    using Kind = PlcWhereabouts::Kind;
    if (plc.kind == IdentityKind::Name)
        return {Kind::NameOnly, lastName, {}};
    const PortInfo* found = nullptr;
    for (const auto& p : ports) {
        if (MatchPlc(plc, factsOf(p)) != PortMatch::Same)
            continue;
        if (found)
            return {Kind::NotListed, lastName, {}};
        found = &p;
    }
    if (found)
        return {Kind::Listed, found->name, {}};
    const auto onName = std::find_if(ports.begin(), ports.end(),
                                     [&](const PortInfo& p) { return p.name == lastName; });
    if (onName != ports.end())
        return {Kind::OtherOnName, lastName, onName->identity};
    return {Kind::NotListed, lastName, {}};
}

}  // namespace qx4t::ports
