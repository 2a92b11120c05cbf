#pragma once
// One run of a qx4t-vup command: the port, the link, the report and, for an update, the steps
// the wizard's pages take, in the same order and with the same checks.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/LinkSeams.h"
#include "cli/Report.h"
#include "cli/Vup.h"
#include "common/ModelTable.h"
#include "common/PlcIdentity.h"
#include "common/VersionRules.h"
#include "firmware/Images.h"
#include "link/ComManager.h"
#include "link/RunLog.h"
#include "link/Transcript.h"
#include "platform/Clock.h"
#include "platform/PendingUpdates.h"
#include "platform/PlcHold.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {

// Text from the link (wide) for the terminal and the JSON stream (UTF-8).
[[nodiscard]] std::string Narrow(std::wstring_view text);

class Session {
public:
    Session(const Options& options, Reporter& report, Environment& env);

    int Ports();
    int Status();
    int Update();

private:
    // The version-up's steps, in order; each returns 0 to go on or the exit code it ended with.
    int RunUpdate();
    // As the connect page: the status, which also tells whether an interrupted run left the
    // PLC in its update mode.
    int ReadStatusForUpdate(bool& recovering);
    // The image is checked before anything changes on the PLC: a PLC sent into update mode
    // with no image to follow would be stranded.
    int TakeImage();
    int ConfirmRecovery();
    int CheckVersionAndConfirm();
    int ChangeModeIfNeeded();
    int EnterUpdateMode();

    // Port choice and opening.
    int ChoosePort();
    std::vector<ports::PortInfo> ListPorts() const;
    // The identity of the PLC on the port just opened, found by the device number of the open
    // descriptor, and whether an earlier update of that PLC was begun and never verified (a
    // note under any of its keys).
    void IdentifyPlc();
    // After an open, before anything is written: 0 when the port carries the PLC this run began
    // with, else the port is closed and `mismatch` says what is there.
    [[nodiscard]] bool OpenIsThePlc(std::string& mismatch) const;
    // A PLC that cannot be told from another listed one is not updated.
    int RefuseAmbiguousIdentity();
    [[nodiscard]] ports::PlcWhereabouts LocatePlc() const;
    [[nodiscard]] PendingUpdates Pending() const;
    // Notes the update-mode entry of this run's PLC (none for the simulated PLC, which lives in
    // this process); false with the reason when it cannot be noted.
    [[nodiscard]] PendingUpdates::Result NoteEntry();
    // The PLC answered its status in its normal mode: a note of an earlier update of it is
    // cleared, when the PLC is known by something unique (not by its port's name alone) and no
    // other tool holds it. Told to the user and to the run log.
    void ClearNoteSeenNormal();
    // Adds "unverified_update" to a status record or a failure: false, or the note's age in
    // seconds, the account and the port it was left under.
    JsonObject& AddUnverifiedUpdate(JsonObject& fields) const;
    int OpenFirst();
    int Open() { return m_link.OpenPort(utf8ToWide(m_port)); }
    void Close() { m_link.ClosePort(); }
    [[nodiscard]] std::string DevicePath() const {
        return wideToUtf8(serial::devicePrefix()) + m_port;
    }

    // Waiting and asking.
    bool WaitUntil(Clock::time_point until);
    // 0 to go on, or the exit code of a refusal or an interruption.
    int Confirm(const std::string& question, const std::string& refusal, bool consent);

    // Outcomes.
    int Fail(int exitCode, const std::string& message, JsonObject fields = {});
    int Interrupted();
    int FailAfterEntry(const std::string& message);
    // A communication failure before this run's update-mode entry: the firmware is untouched,
    // unless an earlier update of the PLC was never verified.
    int FailBeforeEntry(const std::string& message);
    // The restart wait is over without a verdict.
    int RestartWaitOver(bool stillInUpdateMode, int polls);
    [[nodiscard]] bool RestartDeadlinePassed();

    void ReportStatus(const stPlcStatus& status);
    int Transfer(bool portOpen);
    int RestartAndVerify();
    void OnExchange(char direction, const std::string& bytes);
    void ShowWrittenBlock();

    const Options& m_opt;
    Reporter& m_report;
    Environment& m_env;
    const Clock& m_clock;
    CComManager m_link;
    std::unique_ptr<SimulatedPlc> m_sim;
    link::TranscriptWriter m_transcript;
    // Kept when no --log names a file: every update leaves a log for support.
    link::RunLog m_runLog;
    std::string m_port;
    std::string m_description;
    // The PLC's identity from the first status read on; its key is that of the note of an
    // unverified update.
    PlcIdentity m_plc;
    std::string m_pendingKey;
    // The keys of earlier releases' notes given under another name of the PLC's port.
    std::vector<std::string> m_aliasKeys;
    bool m_unverifiedBefore = false;
    // The note behind m_unverifiedBefore, when it could be read.
    std::optional<PendingUpdates::Note> m_note;
    // Kept from the first status read of an update to its verdict.
    PlcHold m_hold;
    std::optional<Clock::time_point> m_restartDeadline;
    bool m_restartDeadlineHit = false;
    stPlcStatus m_status;
    const ModelRow* m_row = nullptr;
    const std::wstring m_target = kTargetFirmwareVersion;
    bool m_entryBegun = false;
    // Transfer figures, fed by the transcript seam.
    bool m_counting = false;
    int m_blockSent = -1;
    int m_blocks = 0;
    std::size_t m_bytesSent = 0;
    std::size_t m_blockBytes = 0;  // told of, not yet known to have gone out
    firmware::Image m_image;
    int m_progress = 0;
    // Last, so that the link stops calling into this session before anything else goes.
    LinkSeamsGuard m_seams;
};

}  // namespace qx4t::cli
