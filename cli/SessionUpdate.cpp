// A version-up up to the PLC's update-mode entry, in the wizard's order and with its checks.
#include "cli/Session.h"

#include "cli/ExitCodes.h"
#include "cli/LinkMessages.h"
#include "common/VersionRules.h"
#include "link/ResultCodes.h"
#include "platform/Quit.h"

namespace qx4t::cli {
namespace {

namespace lk = qx4t::link;

}  // namespace

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
    if (rc == lk::kOk)
        ClearNoteSeenNormal();
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
    if (const auto noted = NoteEntry(); !noted.ok)
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
    int rc = Open();
    std::string mismatch;
    if (rc != lk::kOk || !OpenIsThePlc(mismatch)) {
        // Nothing reached the PLC, and nothing was noted: a note an earlier run left stands.
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
    // Noted once the port is ours and before the PLC hears of it: from the entry on, a PLC that
    // does not answer may be waiting for an image, and no later run may call it untouched.
    if (const auto noted = NoteEntry(); !noted.ok) {
        return Fail(kExitUsage, "cannot note the update before it begins: " + noted.error +
                                    "; the firmware is untouched");
    }
    m_entryBegun = true;
    rc = m_link.StartFWUpdate(m_target);
    Close();
    if (rc != lk::kOk)
        return FailAfterEntry("update-mode entry failed: " + LinkFailure(rc));
    return 0;
}

}  // namespace qx4t::cli
