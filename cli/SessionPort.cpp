// Finding the PLC's port, opening it, and knowing the PLC on it for the whole run.
#include "cli/Session.h"

#include <algorithm>
#include <ctime>

#include "cli/Advice.h"
#include "cli/Doctor.h"
#include "cli/ExitCodes.h"
#include "cli/LinkMessages.h"
#include "link/PortList.h"
#include "link/ResultCodes.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

namespace lk = qx4t::link;

// A port's device as a person can recognise it: its strongest fact, then its name.
std::string DescribeDevice(const PortFacts& facts) {
    for (const std::string* fact : {&facts.serial, &facts.path, &facts.virtualId}) {
        if (!fact->empty())
            return *fact + " on " + facts.name;
    }
    return facts.name;
}

}  // namespace

std::vector<ports::PortInfo> Session::ListPorts() const {
    return m_env.listPorts ? m_env.listPorts() : std::vector<ports::PortInfo>{};
}

int Session::ChoosePort() {
    if (m_opt.simulate) {
        if (!m_env.startSimulator)
            return Fail(kExitNoPort, "no simulator in this build");
        std::string error;
        m_sim = m_env.startSimulator(error);
        if (!m_sim)
            return Fail(kExitNoPort, "the simulated PLC did not start: " + error);
        m_port = m_sim->portName();
        m_description = "simulated PLC";
        m_report.note("simulated PLC on " + m_port);
        return 0;
    }
    if (!m_opt.port.empty()) {
        m_port = m_opt.port;
        const auto all = ListPorts();
        auto listed = std::find_if(all.begin(), all.end(),
                                   [&](const ports::PortInfo& p) { return p.name == m_port; });
        if (listed == all.end() && m_env.deviceNodeOf) {
            // Another spelling of a listed port ("ttyACM0" for its serial/by-id link) is that
            // port: the same identity, the same note.
            const auto node = m_env.deviceNodeOf(m_port);
            if (node.kind == ports::DeviceNode::Kind::NotSerial) {
                return Fail(kExitUsage, "--port " + m_port + ": " + DevicePath() +
                                            " is not a serial device; 'qx4t-vup ports --all' "
                                            "lists the serial ports");
            }
            const auto* same = ports::findByDevice(all, node.device);
            if (same != nullptr) {
                listed = all.begin() + (same - all.data());
                m_report.note("--port " + m_port + " is " + same->name);
                m_port = same->name;
            }
        }
        if (listed != all.end())
            m_description = listed->description;
        return 0;
    }
    const auto all = ListPorts();
    std::vector<const ports::PortInfo*> plcs;
    for (const auto& info : all) {
        if (IsPlcDescription(utf8ToWide(info.description)))
            plcs.push_back(&info);
    }
    if (plcs.size() == 1) {
        m_port = plcs.front()->name;
        m_description = plcs.front()->description;
        return 0;
    }
    std::string listing;
    for (const auto& info : all) {
        listing += "\n  " + info.name + "  " + info.description;
    }
    if (plcs.empty()) {
        return Fail(kExitNoPort,
                    "no PLC found. Serial ports seen:" + (all.empty() ? " none" : listing));
    }
    listing.clear();
    for (const auto* info : plcs)
        listing += "\n  " + info->name + "  " + info->description;
    return Fail(kExitNoPort,
                std::to_string(plcs.size()) +
                    " PLCs found; attach only one, or choose one with --port:" + listing);
}

void Session::IdentifyPlc() {
    m_plc = ports::identifyOpenPort(ListPorts(), m_link.OpenDevice(), m_port);
    if (m_plc.facts.name != m_port) {
        m_report.note(m_port + " is " + m_plc.facts.name);
        m_port = m_plc.facts.name;
    }
    m_pendingKey = m_plc.key;
    m_note.reset();
    m_unverifiedBefore = false;
    // The simulated PLC lives in this process: nothing earlier can have left it in update mode.
    if (m_opt.simulate)
        return;
    // A note under any key the PLC has counts, those of earlier releases included; a note that
    // cannot be read cannot rule an unverified update out.
    const auto pending = Pending();
    std::string error;
    const auto marks = pending.marks(&error);
    if (!marks)
        m_report.note("warning: " + error + "; an earlier update cannot be ruled out");
    m_aliasKeys = marks ? ports::aliasNoteKeys(m_plc, *marks, m_env.deviceNodeOf)
                        : std::vector<std::string>{};
    auto keys = NoteKeys(m_plc);
    keys.insert(keys.end(), m_aliasKeys.begin(), m_aliasKeys.end());
    const auto standing = pending.standing(keys);
    // Unreadable notes were said once already when the listing failed.
    for (const auto& warning : marks ? standing.warnings : std::vector<std::string>{})
        m_report.note("warning: " + warning);
    m_note = standing.note;
    m_unverifiedBefore = !marks || standing.any;
}

PendingUpdates::Result Session::NoteEntry() {
    if (m_opt.simulate)
        return {};
    auto noted = Pending().mark(m_pendingKey, m_port);
    if (noted.ok && !noted.notice.empty())
        m_report.note(noted.notice);
    return noted;
}

void Session::ClearNoteSeenNormal() {
    if (!m_unverifiedBefore || m_opt.simulate)
        return;
    if (m_plc.kind == IdentityKind::Name || !m_plc.unique) {
        m_report.note(
            "the PLC answers in its normal mode, but it is known by its port's name "
            "alone, so the note of an unverified update stays");
        return;
    }
    // An update run by another tool holds the PLC from its first status read on; what this
    // run sees may be the moment before that tool's entry.
    PlcHold probe;
    PlcHold& hold = m_hold.held() ? m_hold : probe;
    if (!hold.held() &&
        hold.acquire(m_env.holdFolder, m_plc.key, "qx4t-vup") == PlcHold::Status::Busy)
        return;
    auto pending = Pending();
    const auto cleared = pending.clear(m_plc.key);
    std::string why = "the note of an unverified update of " + m_plc.key;
    if (m_note && m_note->identity == m_plc.key && m_note->problem.empty()) {
        why += " (left by " + (m_note->account.empty() ? "an unknown account" : m_note->account) +
               " under " + m_note->port + ")";
    }
    if (!cleared.ok) {
        m_report.note("warning: " + cleared.error);
        m_runLog.note("the PLC answers in its normal mode; " + why +
                      " could not be cleared: " + cleared.error);
    } else {
        why += " is cleared: the PLC answers in its normal mode";
        m_report.note(why);
        m_runLog.note(why);
    }
    // A note under another of its keys (an earlier release's, another port name) still counts.
    auto keys = NoteKeys(m_plc);
    keys.insert(keys.end(), m_aliasKeys.begin(), m_aliasKeys.end());
    const auto standing = pending.standing(keys);
    m_note = standing.note;
    m_unverifiedBefore = standing.any;
}

JsonObject& Session::AddUnverifiedUpdate(JsonObject& fields) const {
    if (!m_unverifiedBefore)
        return fields.add("unverified_update", false);
    JsonObject note;
    if (m_note && m_note->time > 0) {
        const long long age = static_cast<long long>(std::time(nullptr)) - m_note->time;
        note.add("age_seconds", std::max(age, 0LL));
    }
    note.add("account", m_note ? m_note->account : std::string())
        .add("port", m_note ? m_note->port : std::string());
    return fields.add("unverified_update", note);
}

bool Session::OpenIsThePlc(std::string& mismatch) const {
    const PortFacts now = ports::openPortFacts(ListPorts(), m_link.OpenDevice(), m_port);
    switch (MatchPlc(m_plc, now)) {
        case PortMatch::Same:
            return true;
        case PortMatch::Ambiguous:
            mismatch = "a device with the same serial number at another USB path (" +
                       DescribeDevice(now) + ")";
            break;
        case PortMatch::Other:
            mismatch = "a PLC of another identity (" + DescribeDevice(now) + ")";
            break;
    }
    return false;
}

int Session::RefuseAmbiguousIdentity() {
    if (m_plc.unique)
        return 0;
    int others = 0;
    for (const auto& info : ListPorts()) {
        if (info.name != m_port && IsPlcDescription(utf8ToWide(info.description)))
            ++others;
    }
    if (others == 0)
        return 0;
    return Fail(kExitNoPort, "the PLC on " + m_port +
                                 " cannot be told apart from another port that is listed (they "
                                 "share a serial number or id), so it could not be followed "
                                 "through its restart; nothing was sent to it. Attach one PLC "
                                 "at a time, or name it by its serial/by-id path with --port");
}

// The PLC this run began with, wherever discovery lists it now; its old name is never taken
// for it.
ports::PlcWhereabouts Session::LocatePlc() const {
    return ports::locatePlc(ListPorts(), m_plc, m_port);
}

PendingUpdates Session::Pending() const {
    return PendingUpdatesOf(m_env);
}

int Session::OpenFirst() {
    // Every way the port fails to open ends with what the doctor finds there.
    const auto fail = [this](const std::string& message) {
        return Fail(kExitNoPort, WithDoctorFinding(m_env, m_port, message));
    };
    const bool pseudoTerminal = m_port.starts_with("pts/");
    if (!pseudoTerminal && m_env.modemManagerRunning && m_env.modemManagerRunning()) {
        m_report.note(ModemManagerAdvice());
    }
    if (m_env.accessAdvice) {
        const std::string advice = m_env.accessAdvice(DevicePath());
        if (!advice.empty())
            return fail(advice);
    }
    const int rc = Open();
    if (rc == lk::kOk)
        return 0;
    const auto& why = m_link.LastOpenResult();
    switch (why.status) {
        case serial::OpenStatus::Busy:
            return fail(BusyAdvice(DevicePath(), why.reason));
        case serial::OpenStatus::NotFound:
            return fail(DevicePath() +
                        " does not exist; 'qx4t-vup ports --all' lists the serial "
                        "ports");
        case serial::OpenStatus::PermissionDenied: {
            std::string advice = m_env.accessAdvice ? m_env.accessAdvice(DevicePath()) : "";
            if (advice.empty())
                advice = "permission denied on " + DevicePath() + ": " + why.reason;
            return fail(advice);
        }
        default:
            return fail(DevicePath() + ": " + LinkFailure(rc) +
                        (why.reason.empty() ? "" : ": " + why.reason));
    }
}

}  // namespace qx4t::cli
