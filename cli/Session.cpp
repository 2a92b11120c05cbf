#include "cli/Session.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "cli/Advice.h"
#include "cli/ExitCodes.h"
#include "cli/LinkMessages.h"
#include "common/VersionRules.h"
#include "link/ImageTransfer.h"
#include "link/PortList.h"
#include "link/ResultCodes.h"
#include "platform/Quit.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

namespace lk = qx4t::link;

// Longest wait between two refreshes of the elapsed time on a terminal.
constexpr std::chrono::milliseconds kDisplayRefresh{250};

}  // namespace

std::string Narrow(std::wstring_view text) {
    return wideToUtf8(text);
}

Session::Session(const Options& options, Reporter& report, Environment& env)
    : m_opt(options),
      m_report(report),
      m_env(env),
      m_clock(*env.clock),
      m_seams(
          [this] {
              m_report.tick();
              return quit::requested() || RestartDeadlinePassed();
          },
          [this](char direction, const std::string& bytes) { OnExchange(direction, bytes); }) {}

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
    // A note under any key the PLC has counts, those of earlier releases included; a note that
    // cannot be read cannot rule an unverified update out.
    const auto pending = Pending();
    const auto marks = pending.marks();
    m_aliasKeys = marks ? ports::aliasNoteKeys(m_plc, *marks, m_env.deviceNodeOf)
                        : std::vector<std::string>{};
    auto keys = NoteKeys(m_plc);
    keys.insert(keys.end(), m_aliasKeys.begin(), m_aliasKeys.end());
    m_unverifiedBefore = !marks || pending.anyMarked(keys);
}

namespace {
// A port's device as a person can recognise it: its strongest fact, then its name.
std::string DescribeDevice(const PortFacts& facts) {
    for (const std::string* fact : {&facts.serial, &facts.path, &facts.virtualId}) {
        if (!fact->empty())
            return *fact + " on " + facts.name;
    }
    return facts.name;
}
}  // namespace

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
    return m_env.stateFolder.empty() ? PendingUpdates() : PendingUpdates(m_env.stateFolder);
}

bool Session::RestartDeadlinePassed() {
    if (m_restartDeadline && m_clock.now() >= *m_restartDeadline)
        m_restartDeadlineHit = true;
    return m_restartDeadlineHit;
}

int Session::OpenFirst() {
    const bool pseudoTerminal = m_port.starts_with("pts/");
    if (!pseudoTerminal && m_env.modemManagerRunning && m_env.modemManagerRunning()) {
        m_report.note(ModemManagerAdvice());
    }
    if (m_env.accessAdvice) {
        const std::string advice = m_env.accessAdvice(DevicePath());
        if (!advice.empty())
            return Fail(kExitNoPort, advice);
    }
    const int rc = Open();
    if (rc == lk::kOk)
        return 0;
    const auto& why = m_link.LastOpenResult();
    switch (why.status) {
        case serial::OpenStatus::Busy:
            return Fail(kExitNoPort, BusyAdvice(DevicePath(), why.reason));
        case serial::OpenStatus::NotFound:
            return Fail(kExitNoPort, DevicePath() +
                                         " does not exist; 'qx4t-vup ports --all' "
                                         "lists the serial ports");
        case serial::OpenStatus::PermissionDenied: {
            std::string advice = m_env.accessAdvice ? m_env.accessAdvice(DevicePath()) : "";
            if (advice.empty())
                advice = "permission denied on " + DevicePath() + ": " + why.reason;
            return Fail(kExitNoPort, advice);
        }
        default:
            return Fail(kExitNoPort, DevicePath() + ": " + LinkFailure(rc) +
                                         (why.reason.empty() ? "" : ": " + why.reason));
    }
}

bool Session::WaitUntil(Clock::time_point until) {
    if (quit::requested())
        return false;
    while (m_clock.now() < until) {
        auto step = until;
        if (m_report.style() == Reporter::Style::InPlace) {
            step = std::min(until, m_clock.now() + kDisplayRefresh);
        }
        if (m_env.waitUntil) {
            if (!m_env.waitUntil(step))
                return false;
        } else {
            return !quit::requested();
        }
        m_report.tick();
        if (quit::requested())
            return false;
    }
    return !quit::requested();
}

int Session::Confirm(const std::string& question, const std::string& refusal, bool consent) {
    if (consent)
        return 0;
    std::optional<bool> answer;
    if (m_env.ask)
        answer = m_env.ask(question);
    if (quit::requested())
        return Interrupted();
    if (!answer)
        return Fail(kExitRefused, refusal);
    if (!*answer)
        return Fail(kExitRefused, "declined; the PLC was not changed by this step");
    return 0;
}

int Session::Fail(int exitCode, const std::string& message) {
    Close();
    m_report.result(exitCode, message);
    return exitCode;
}

int Session::Interrupted() {
    Close();
    if (m_entryBegun || m_unverifiedBefore) {
        m_report.note(
            "warning: interrupted after the PLC was told to enter its update mode. The PLC may "
            "be in update mode now; run 'qx4t-vup update' again to recover it.");
        m_report.result(kExitInterrupted, "interrupted; the PLC may be in update mode");
    } else {
        m_report.result(kExitInterrupted, "interrupted; the PLC's firmware is untouched");
    }
    return kExitInterrupted;
}

int Session::FailAfterEntry(const std::string& message) {
    if (quit::requested())
        return Interrupted();
    return Fail(kExitCommAfterEntry,
                message +
                    ". The PLC may be in update mode; run 'qx4t-vup update' again to "
                    "recover it.");
}

int Session::FailBeforeEntry(const std::string& message) {
    if (!m_unverifiedBefore)
        return Fail(kExitCommBeforeEntry, message);
    return Fail(kExitCommAfterEntry,
                message +
                    ". An earlier update of this PLC was begun and never verified, so the PLC may "
                    "be waiting in its update mode for the rest of an image: wait a few seconds "
                    "and run 'qx4t-vup update' again; if it still does not answer, switch the "
                    "PLC off and on and run it again");
}

void Session::ReportStatus(const stPlcStatus& status) {
    const unsigned long mode = ParseHexPrefix(status.strMode);
    const std::string model = Narrow(status.strModel);
    const std::string series = Narrow(SeriesName(status.strModel));
    const std::string version = Narrow(status.strVersion);
    const std::string shown = Narrow(PlcVersionDisplay(status.strVersion));
    const std::string modeText = Narrow(status.strMode);
    const bool updateMode = (mode & kModeUpdate) != 0;
    const bool updatable = (mode & kModeUpdatable) != 0;
    const bool change = (mode & kModeChangeNeeded) != 0;
    const std::string target = Narrow(TargetVersionDisplay(m_target));
    const bool needed = VersionUpNeeded(status.strVersion, status.strMode, m_target);
    if (m_report.json()) {
        m_report.record(JsonObject()
                            .add("type", "status")
                            .add("port", m_port)
                            .add("identity", m_plc.key)
                            .add("identity_kind", std::string(IdentityKindName(m_plc.kind)))
                            .add("identity_unique", m_plc.unique)
                            .add("model", model)
                            .add("series", series)
                            .add("version", shown)
                            .add("version_raw", version)
                            .add("mode", modeText)
                            .add("update_mode", updateMode)
                            .add("update_allowed", updatable)
                            .add("mode_change_needed", change)
                            .add("target_version", target)
                            .add("update_needed", needed));
        return;
    }
    auto yesNo = [](bool b) { return b ? "yes" : "no"; };
    m_report.info("Port:      " + m_port +
                  (m_description.empty() ? "" : "  (" + m_description + ")"));
    m_report.info("Model:     " + model + "  " + series);
    m_report.info("Firmware:  " + shown + "  (raw " + version + ")");
    m_report.info("Mode:      " + modeText + "  (0x80 update allowed: " + yesNo(updatable) +
                  "; 0x10 update mode: " + yesNo(updateMode) +
                  "; 0x01 mode change needed: " + yesNo(change) + ")");
    m_report.info("Target:    " + target + "  (update needed: " + yesNo(needed) + ")");
}

int Session::Ports() {
    const auto all = ListPorts();
    int plcs = 0;
    for (const auto& info : all) {
        const bool plc = IsPlcDescription(utf8ToWide(info.description));
        if (plc)
            ++plcs;
        if (!plc && !m_opt.all)
            continue;
        if (m_report.json()) {
            m_report.record(
                JsonObject()
                    .add("type", "port")
                    .add("port", info.name)
                    .add("identity", info.identity)
                    .add("identity_kind", std::string(IdentityKindName(info.identityKind)))
                    .add("identity_unique", info.identityUnique)
                    .add("description", info.description)
                    .add("plc", plc)
                    .add("virtual", info.isVirtual));
        } else {
            m_report.info(info.name + "\t" + info.description + (plc ? "" : "\t(not a PLC)"));
        }
    }
    if (plcs == 0) {
        m_report.result(kExitNoPort, all.empty() ? "no serial ports found"
                                                 : "no PLC among " + std::to_string(all.size()) +
                                                       " serial ports" +
                                                       (m_opt.all ? "" : " (--all lists them)"));
        return kExitNoPort;
    }
    if (m_report.json()) {
        m_report.result(kExitSuccess, std::to_string(plcs) + " PLC port(s)",
                        JsonObject().add("plcs", plcs));
    }
    return kExitSuccess;
}

int Session::Status() {
    if (int rc = ChoosePort())
        return rc;
    if (int rc = OpenFirst())
        return rc;
    IdentifyPlc();
    const int rc = m_link.ReadPlcStatus(&m_status);
    Close();
    if (rc == lk::kQuit || quit::requested())
        return Interrupted();
    if (rc == lk::kUnsupportedModel) {
        return Fail(kExitRefused, "the PLC on " + m_port +
                                      " reports a model this tool does not "
                                      "support");
    }
    if (rc != lk::kOk && rc != lk::kUpdateMode) {
        return Fail(kExitCommBeforeEntry, "status read failed: " + LinkFailure(rc));
    }
    ReportStatus(m_status);
    if (m_report.json())
        m_report.result(kExitSuccess, "status read");
    return kExitSuccess;
}

void Session::OnExchange(char direction, const std::string& bytes) {
    m_transcript.line(direction, bytes);
    m_runLog.exchange(direction, bytes);
    if (!m_counting)
        return;
    // The link tells of a block before writing it; the block is shown once its answer proves it
    // went out (the last block, which has none, once the transfer has succeeded).
    if (direction == '>') {
        m_blockBytes = bytes.size();
    } else {
        ShowWrittenBlock();
    }
}

void Session::ShowWrittenBlock() {
    if (m_blockBytes == 0)
        return;
    ++m_blockSent;
    m_bytesSent += m_blockBytes;
    m_blockBytes = 0;
    m_report.transfer(m_blockSent, m_blocks, m_bytesSent, m_image.size);
}

int Session::Update() {
    if (!m_opt.logFile.empty()) {
        if (!m_transcript.open(m_opt.logFile, m_clock, m_link.FillerSeed())) {
            m_report.result(kExitUsage, "cannot write the transcript to " + m_opt.logFile);
            return kExitUsage;
        }
    } else if (!m_env.runLogFolder.empty() &&
               !m_runLog.open(m_env.runLogFolder, "qx4t-vup", m_clock, m_link.FillerSeed())) {
        // The log is for support; a run without one still runs.
        m_report.note("warning: no run log: " + m_runLog.error());
    }
    const int code = RunUpdate();
    if (!m_transcript.close()) {
        m_report.note("warning: writing the transcript " + m_opt.logFile +
                      " failed; it is incomplete");
    }
    if (!m_runLog.close("exit " + std::to_string(code) + ": " + m_report.lastResult())) {
        m_report.note("warning: writing the run log " + m_runLog.path() + " failed");
    }
    return code;
}

int Session::RunUpdate() {
    if (int rc = ChoosePort())
        return rc;
    bool recovering = false;
    if (int rc = ReadStatusForUpdate(recovering))
        return rc;
    if (int rc = RefuseAmbiguousIdentity())
        return rc;
    if (int rc = TakeImage())
        return rc;
    if (recovering) {
        // Left in update mode by an interrupted run: the checks are skipped and the image
        // goes over the port that is still open, as the wizard does.
        if (int rc = ConfirmRecovery())
            return rc;
    } else {
        Close();
        if (int rc = CheckVersionAndConfirm())
            return rc;
        if (int rc = ChangeModeIfNeeded())
            return rc;
        if (quit::requested())
            return Interrupted();
        if (int rc = EnterUpdateMode())
            return rc;
    }
    if (int rc = Transfer(recovering))
        return rc;
    return RestartAndVerify();
}

int Session::ReadStatusForUpdate(bool& recovering) {
    m_report.phase(Phase::Status, "reading the PLC's status on " + m_port);
    if (int rc = OpenFirst())
        return rc;
    IdentifyPlc();
    switch (m_hold.acquire(m_env.holdFolder, m_plc.key, "qx4t-vup")) {
        case PlcHold::Status::Held:
            break;
        case PlcHold::Status::Busy:
            return Fail(kExitNoPort, "the PLC on " + m_port + " is held by " + m_hold.holder() +
                                         ": another version-up of it is under way, and nothing "
                                         "was sent to it. Wait until that has finished");
        case PlcHold::Status::Unavailable:
            // The port's own exclusive open still keeps other tools out while it is open.
            m_report.note("warning: the PLC cannot be held for the whole run: " + m_hold.error());
            break;
    }
    const int rc = m_link.ReadPlcStatus(&m_status);
    if (rc == lk::kQuit || quit::requested())
        return Interrupted();
    if (rc == lk::kUnsupportedModel) {
        return Fail(kExitRefused, "the PLC reports a model this tool does not support");
    }
    if (rc != lk::kOk && rc != lk::kUpdateMode) {
        return FailBeforeEntry("status read failed: " + LinkFailure(rc));
    }
    ReportStatus(m_status);
    recovering = rc == lk::kUpdateMode;
    return 0;
}

int Session::TakeImage() {
    m_row = FindModel(m_status.strModel);
    if (m_row == nullptr)
        return Fail(kExitRefused, "the PLC's model is not supported");
    const firmware::Image image =
        m_env.image
            ? m_env.image(*m_row)
            : (UsesEthernetImage(*m_row) ? firmware::ethernetImage() : firmware::plainImage());
    if (image.data == nullptr || image.size != kFirmwareImageSize) {
        return Fail(kExitRefused, "the firmware image for model " + Narrow(m_row->code) +
                                      " is missing or damaged (" + std::to_string(image.size) +
                                      " bytes, expected " + std::to_string(kFirmwareImageSize) +
                                      ")");
    }
    const firmware::Image built =
        UsesEthernetImage(*m_row) ? firmware::ethernetImage() : firmware::plainImage();
    if (!firmware::isAsBuilt(image.data, image.size, built)) {
        return Fail(kExitRefused, "the firmware image for model " + Narrow(m_row->code) +
                                      " is not the one this tool was built with (its SHA-256 "
                                      "differs): the tool's files are damaged; reinstall "
                                      "qx4t-vup. The PLC was not changed by this run");
    }
    m_image = image;
    return 0;
}

int Session::ConfirmRecovery() {
    m_entryBegun = true;
    if (const auto noted = Pending().mark(m_pendingKey, m_port); !noted.ok)
        m_report.note("warning: " + noted.error);
    m_report.note(
        "the PLC is in its update mode (an interrupted version-up); sending "
        "the firmware again");
    return Confirm("The PLC " + Narrow(m_row->series) + " on " + m_port +
                       " is in update mode. Send firmware " +
                       Narrow(TargetVersionDisplay(m_target)) + " now?",
                   "the PLC is in update mode and needs the firmware; confirm "
                   "with --yes",
                   m_opt.yes);
}

int Session::CheckVersionAndConfirm() {
    const std::string from = Narrow(PlcVersionDisplay(m_status.strVersion));
    const std::string to = Narrow(TargetVersionDisplay(m_target));
    m_report.phase(Phase::Checks, "checking model, version and mode");
    switch (CheckPlcVersion(m_status.strVersion, m_target)) {
        case VersionCheck::Newer:
            return Fail(kExitRefused,
                        "the PLC runs firmware " + from + ", newer than " + to + "; nothing to do");
        case VersionCheck::TooOld:
            return Fail(kExitRefused, "the PLC's firmware " + from + " is too old for this tool");
        case VersionCheck::Ok:
            break;
    }
    return Confirm("Update the PLC " + Narrow(m_row->series) + " on " + m_port + " from " + from +
                       " to " + to +
                       "? Do not disconnect it or switch it off until the tool "
                       "has finished.",
                   "confirmation needed but nobody to ask; run with --yes", m_opt.yes);
}

int Session::ChangeModeIfNeeded() {
    switch (CheckPlcMode(m_status.strMode)) {
        case ModeCheck::NotUpdatable:
            return Fail(kExitRefused, "the PLC's mode (" + Narrow(m_status.strMode) +
                                          ") does not allow a version-up");
        case ModeCheck::NeedsModeChange:
            break;
        case ModeCheck::Ok:
            return 0;
    }
    if (int r = Confirm("The PLC's mode must be changed before the version-up. "
                        "Change it now?",
                        "the PLC's mode must be changed first; allow it with "
                        "--allow-mode-change",
                        m_opt.allowModeChange)) {
        return r;
    }
    m_report.phase(Phase::ModeChange, "changing the PLC's mode");
    int rc = Open();
    std::string mismatch;
    if (rc == lk::kOk && !OpenIsThePlc(mismatch)) {
        return FailBeforeEntry(
            mismatch + " is now on " + m_port +
            "; it was sent nothing and is as it was. The PLC this run began with (" + m_plc.key +
            ") was not changed; attach it again and run 'qx4t-vup update' again");
    }
    if (rc == lk::kOk)
        rc = m_link.ChangeMode();
    Close();
    if (rc == lk::kQuit || quit::requested())
        return Interrupted();
    if (rc != lk::kOk) {
        return FailBeforeEntry("mode change failed: " + LinkFailure(rc) +
                               (m_unverifiedBefore ? "; the mode may have changed"
                                                   : "; the firmware is untouched, the mode may "
                                                     "have changed"));
    }
    return 0;
}

int Session::EnterUpdateMode() {
    m_report.phase(Phase::Entry, "putting the PLC into its update mode");
    // Noted before the PLC hears of it: from the entry on, a PLC that does not answer may be
    // waiting for an image, and no later run may call it untouched.
    if (const auto noted = Pending().mark(m_pendingKey, m_port); !noted.ok) {
        return Fail(kExitUsage, "cannot note the update before it begins: " + noted.error +
                                    "; the firmware is untouched");
    }
    int rc = Open();
    std::string mismatch;
    if (rc != lk::kOk || !OpenIsThePlc(mismatch)) {
        // Nothing reached the PLC: the note goes again, unless an earlier run left it.
        if (!m_unverifiedBefore)
            (void)Pending().clear(m_pendingKey);
        if (rc == lk::kOk) {
            return FailBeforeEntry(
                mismatch + " is now on " + m_port +
                "; it was sent nothing and is as it was. The PLC this run began with (" +
                m_plc.key + ") was not put into its update mode" +
                (CheckPlcMode(m_status.strMode) == ModeCheck::NeedsModeChange
                     ? " (its mode was changed)"
                     : "") +
                "; attach it again and run 'qx4t-vup update' again");
        }
        return FailBeforeEntry("the port cannot be opened: " + LinkFailure(rc));
    }
    m_entryBegun = true;
    rc = m_link.StartFWUpdate(m_target);
    Close();
    if (rc != lk::kOk)
        return FailAfterEntry("update-mode entry failed: " + LinkFailure(rc));
    return 0;
}

int Session::Transfer(bool portOpen) {
    m_report.phase(Phase::Transfer, "sending the firmware image");
    const firmware::Image image = m_image;
    if (!portOpen) {
        const auto where = LocatePlc();
        if (where.kind == ports::PlcWhereabouts::Kind::OtherOnName) {
            return FailAfterEntry("a PLC of another identity (" + where.otherIdentity +
                                  ") is now on " + where.port +
                                  "; it is not the PLC being updated and nothing was sent to "
                                  "it (check it with 'qx4t-vup status --port " +
                                  where.port + "')");
        }
        if (where.port != m_port) {
            m_report.note("the PLC is now on " + where.port + " (was " + m_port + ")");
            m_port = where.port;
        }
        int rc = Open();
        if (rc != lk::kOk)
            return FailAfterEntry("the port cannot be opened: " + LinkFailure(rc));
        if (std::string mismatch; !OpenIsThePlc(mismatch)) {
            Close();
            return FailAfterEntry(mismatch + " is now on " + m_port +
                                  "; it was sent nothing and is as it was. The PLC being "
                                  "updated (" +
                                  m_plc.key + ") is in its update mode and has no image yet");
        }
        stPlcStatus scratch;
        rc = m_link.ReadPlcStatus(&scratch);
        if (rc != lk::kOk && rc != lk::kUpdateMode) {
            return FailAfterEntry("status read before the transfer failed: " + LinkFailure(rc));
        }
    }
    m_blocks = static_cast<int>(lk::ImageBlockCount(image.size));
    m_blockSent = -1;
    m_bytesSent = 0;
    m_blockBytes = 0;
    m_counting = true;
    const int rc =
        m_link.SendFWImage(image.data, static_cast<std::uint32_t>(image.size), &m_progress);
    if (rc == lk::kOk)
        ShowWrittenBlock();
    m_counting = false;
    Close();
    if (rc != lk::kOk)
        return FailAfterEntry("the transfer failed: " + LinkFailure(rc));
    return 0;
}

int Session::RestartWaitOver(bool stillInUpdateMode, int polls) {
    m_restartDeadline.reset();
    m_restartDeadlineHit = false;
    const std::string within =
        std::to_string(
            std::chrono::duration_cast<std::chrono::seconds>(m_env.restartWaitLimit).count()) +
        " s";
    if (stillInUpdateMode) {
        return FailAfterEntry("the PLC answers, but is still in its update mode " + within +
                              " after the transfer (" + std::to_string(polls) +
                              " polls): it did not take the image");
    }
    return FailAfterEntry("the PLC did not answer within " + within + " after the transfer (" +
                          std::to_string(polls) + " polls)");
}

int Session::RestartAndVerify() {
    m_report.phase(Phase::Restart, "waiting for the PLC to restart");
    RestartPoll poll;
    // Where the page's bar stands after the transfer.
    poll.Start(lk::TransferBarPosition(m_progress));
    // The whole wait, polls included, ends within the time the help states; a poll still
    // waiting for its reply then is cut short through the link's pump.
    m_restartDeadline = m_clock.now() + m_env.restartWaitLimit;
    m_restartDeadlineHit = false;
    Clock::time_point due = m_clock.now() + poll.NextDelay();
    bool stillInUpdateMode = false;
    std::string otherSeenOn;
    for (;;) {
        if (!WaitUntil(std::min(due, *m_restartDeadline)))
            return Interrupted();
        if (RestartDeadlinePassed())
            return RestartWaitOver(stillInUpdateMode, poll.PollCount());
        switch (poll.GetPhase()) {
            case RestartPoll::Phase::Settling:
                poll.OnSettleEnd();
                m_report.restart(poll.Position(), 0);
                due += poll.NextDelay();
                break;
            case RestartPoll::Phase::Creeping:
                (void)poll.OnCreepTick();
                due += poll.NextDelay();
                break;
            case RestartPoll::Phase::Polling: {
                const Clock::time_point tick = due;
                if (!poll.BeginPoll())
                    break;
                stPlcStatus scratch;
                int rc = lk::kOpenFailed;
                const auto where = LocatePlc();
                using Kind = ports::PlcWhereabouts::Kind;
                if (where.kind == Kind::OtherOnName && otherSeenOn != where.port) {
                    otherSeenOn = where.port;
                    m_report.note("a PLC of another identity (" + where.otherIdentity +
                                  ") is now on " + where.port +
                                  "; it is not the PLC being updated and is not checked (check "
                                  "it with 'qx4t-vup status --port " +
                                  where.port + "')");
                }
                // A PLC not listed under its identity counts as no answer: its old name may
                // belong to another PLC by now.
                if (where.kind == Kind::Listed || where.kind == Kind::NameOnly) {
                    if (where.port != m_port) {
                        m_report.note("the PLC is now on " + where.port + " (was " + m_port + ")");
                        m_port = where.port;
                    }
                    rc = Open();
                    std::string mismatch;
                    if (rc == lk::kOk && !OpenIsThePlc(mismatch)) {
                        Close();
                        rc = lk::kOpenFailed;
                        if (otherSeenOn != m_port) {
                            otherSeenOn = m_port;
                            m_report.note(mismatch + " is now on " + m_port +
                                          "; it is not the PLC being updated and is not "
                                          "checked");
                        }
                    }
                    if (rc == lk::kOk) {
                        rc = m_link.ReadPlcStatus(&scratch);
                        Close();
                    }
                }
                if (quit::requested())
                    return Interrupted();
                if (rc == lk::kQuit && RestartDeadlinePassed())
                    return RestartWaitOver(stillInUpdateMode, poll.PollCount());
                stillInUpdateMode = rc == lk::kUpdateMode;
                const auto outcome = poll.EndPoll(rc == lk::kOk);
                m_report.restart(poll.Position(), poll.PollCount());
                if (outcome == RestartPoll::PollOutcome::Answered) {
                    m_restartDeadline.reset();
                    m_report.phase(Phase::Verify, "comparing the PLC's version");
                    const std::string now = Narrow(PlcVersionDisplay(scratch.strVersion));
                    const std::string to = Narrow(TargetVersionDisplay(m_target));
                    JsonObject fields;
                    fields.add("port", m_port)
                        .add("model", Narrow(scratch.strModel))
                        .add("version", now)
                        .add("version_raw", Narrow(scratch.strVersion))
                        .add("previous_version", Narrow(PlcVersionDisplay(m_status.strVersion)));
                    const auto verdict =
                        JudgeRestartAnswer(PortMatch::Same, m_status.strModel, scratch.strModel,
                                           scratch.strVersion, m_target);
                    if (verdict == RestartVerdict::OtherPlc) {
                        return FailAfterEntry(
                            "a PLC of model " + Narrow(scratch.strModel) + " answered on " +
                            m_port + ", not the model " + Narrow(m_status.strModel) +
                            " that was updated: it is another PLC, which was sent nothing. The "
                            "PLC being updated was not verified");
                    }
                    if (verdict == RestartVerdict::Verified) {
                        auto own = OwnNoteKeys(m_plc);
                        own.insert(own.end(), m_aliasKeys.begin(), m_aliasKeys.end());
                        if (const auto cleared = Pending().clearAll(own); !cleared.ok)
                            m_report.note("warning: " + cleared.error);
                        m_report.result(kExitSuccess,
                                        "the PLC " + Narrow(SeriesName(m_status.strModel)) +
                                            " now runs firmware " + now + " (was " +
                                            Narrow(PlcVersionDisplay(m_status.strVersion)) + ")",
                                        fields);
                        return kExitSuccess;
                    }
                    Close();
                    m_report.result(kExitWrongVersion,
                                    "the PLC restarted with firmware " + now + " (raw " +
                                        Narrow(scratch.strVersion) + "), not " + to +
                                        "; the version-up did not take",
                                    fields);
                    return kExitWrongVersion;
                }
                // Nobody to ask: the rounds go on until the deadline.
                if (outcome == RestartPoll::PollOutcome::Ask)
                    poll.Retry();
                // A periodic timer: the next poll is a period after this one was due, and a
                // poll that overran its period is followed at once, once.
                due = std::max(tick + poll.NextDelay(), m_clock.now());
                break;
            }
            default:
                return FailAfterEntry("the restart wait ended unexpectedly");
        }
    }
}

}  // namespace qx4t::cli
