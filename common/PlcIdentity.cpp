#include "common/PlcIdentity.h"

#include <algorithm>

#include "common/VersionRules.h"

namespace qx4t {
namespace {

std::size_t CountOf(const std::vector<PortFacts>& listed, std::string PortFacts::*field,
                    const std::string& value) {
    return static_cast<std::size_t>(std::count_if(
        listed.begin(), listed.end(), [&](const PortFacts& p) { return p.*field == value; }));
}

void AddKey(std::vector<std::string>& keys, const std::string& key) {
    if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end())
        keys.push_back(key);
}

}  // namespace

std::string_view IdentityKindName(IdentityKind kind) {
    switch (kind) {
        case IdentityKind::Serial:
            return "serial";
        case IdentityKind::Path:
            return "path";
        case IdentityKind::Virtual:
            return "virtual";
        case IdentityKind::Name:
            break;
    }
    return "name";
}

std::string NameKey(std::string_view name) {
    return "port:" + std::string(name);
}

PlcIdentity ChooseIdentity(const std::vector<PortFacts>& listed, std::size_t index) {
    PlcIdentity id;
    if (index >= listed.size())
        return id;
    const PortFacts& p = listed[index];
    id.facts = p;
    bool shared = false;
    if (!p.serial.empty()) {
        if (CountOf(listed, &PortFacts::serial, p.serial) == 1) {
            id.kind = IdentityKind::Serial;
            id.key = p.serial;
            return id;
        }
        shared = true;
    }
    if (!p.path.empty()) {
        id.kind = IdentityKind::Path;
        id.key = p.path;
        return id;
    }
    if (!p.virtualId.empty()) {
        if (CountOf(listed, &PortFacts::virtualId, p.virtualId) == 1) {
            id.kind = IdentityKind::Virtual;
            id.key = p.virtualId;
            return id;
        }
        shared = true;
    }
    id.kind = IdentityKind::Name;
    id.key = NameKey(p.name);
    id.unique = !shared;
    return id;
}

PortMatch MatchPlc(const PlcIdentity& plc, const PortFacts& now) {
    switch (plc.kind) {
        case IdentityKind::Serial:
            if (now.serial != plc.key)
                return PortMatch::Other;
            // A bridge of the same make elsewhere may carry the same number.
            if (!plc.facts.path.empty() && now.path != plc.facts.path)
                return PortMatch::Ambiguous;
            return PortMatch::Same;
        case IdentityKind::Path:
            if (now.path != plc.key)
                return PortMatch::Other;
            // Another device plugged into the same socket is not the PLC.
            if (!plc.facts.serial.empty() && now.serial != plc.facts.serial)
                return PortMatch::Other;
            return PortMatch::Same;
        case IdentityKind::Virtual:
            return now.virtualId == plc.key ? PortMatch::Same : PortMatch::Other;
        case IdentityKind::Name:
            break;
    }
    if (now.name != plc.facts.name)
        return PortMatch::Other;
    // Under the same name, a device that says what it is must say the same.
    const bool differs = (!plc.facts.serial.empty() && now.serial != plc.facts.serial) ||
                         (!plc.facts.virtualId.empty() && now.virtualId != plc.facts.virtualId);
    return differs ? PortMatch::Other : PortMatch::Same;
}

std::vector<std::string> NoteKeys(const PlcIdentity& plc) {
    std::vector<std::string> keys;
    AddKey(keys, plc.key);
    AddKey(keys, plc.facts.serial);
    AddKey(keys, plc.facts.path);
    AddKey(keys, plc.facts.virtualId);
    if (!plc.facts.device.empty())
        AddKey(keys, "device:" + plc.facts.device);
    if (!plc.facts.name.empty())
        AddKey(keys, NameKey(plc.facts.name));
    return keys;
}

std::vector<std::string> OwnNoteKeys(const PlcIdentity& plc) {
    std::vector<std::string> keys;
    for (const auto& key : NoteKeys(plc)) {
        const bool sharable = (key == plc.facts.serial && plc.kind != IdentityKind::Serial) ||
                              (key == plc.facts.virtualId && plc.kind != IdentityKind::Virtual);
        if (!sharable)
            keys.push_back(key);
    }
    return keys;
}

RestartVerdict JudgeRestartAnswer(PortMatch match, std::wstring_view firstModel,
                                  std::wstring_view modelNow, std::wstring_view versionNow,
                                  std::wstring_view target) {
    if (match != PortMatch::Same || modelNow != firstModel)
        return RestartVerdict::OtherPlc;
    return IsTargetVersion(versionNow, target) ? RestartVerdict::Verified
                                               : RestartVerdict::WrongVersion;
}

}  // namespace qx4t
