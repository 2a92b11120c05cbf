// The commands that only look: the list of ports and a PLC's status.
#include "cli/Session.h"

#include "cli/ExitCodes.h"
#include "cli/LinkMessages.h"
#include "common/VersionRules.h"
#include "link/PortList.h"
#include "link/ResultCodes.h"
#include "platform/Quit.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

namespace lk = qx4t::link;

}  // namespace

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
        JsonObject record;
        record.add("type", "status")
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
            .add("update_needed", needed);
        m_report.record(AddUnverifiedUpdate(record));
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
    if (rc == lk::kOk)
        ClearNoteSeenNormal();
    if (rc == lk::kQuit || quit::requested())
        return Interrupted();
    if (rc == lk::kUnsupportedModel) {
        return Fail(kExitRefused, "the PLC on " + m_port +
                                      " reports a model this tool does not "
                                      "support");
    }
    if (rc != lk::kOk && rc != lk::kUpdateMode) {
        // A PLC whose update was never verified may be waiting for an image: as `update` says.
        return FailBeforeEntry("status read failed: " + LinkFailure(rc));
    }
    ReportStatus(m_status);
    if (m_report.json()) {
        JsonObject fields;
        m_report.result(kExitSuccess, "status read", AddUnverifiedUpdate(fields));
    }
    return kExitSuccess;
}

}  // namespace qx4t::cli
