// A version-up from the image transfer to the verdict on the restarted PLC.
#include "cli/Session.h"

#include <algorithm>
#include <chrono>

#include "cli/ExitCodes.h"
#include "cli/LinkMessages.h"
#include "common/VersionRules.h"
#include "firmware/Sha256.h"
#include "link/ImageTransfer.h"
#include "link/ResultCodes.h"
#include "platform/Quit.h"

namespace qx4t::cli {
namespace {

namespace lk = qx4t::link;

}  // namespace

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
                        .add("previous_version", Narrow(PlcVersionDisplay(m_status.strVersion)))
                        .add("target_version", to)
                        .add("image_sha256",
                             firmware::toHex(firmware::sha256(m_image.data, m_image.size)));
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
                    if (verdict == RestartVerdict::Verified && !m_opt.simulate) {
                        auto own = OwnNoteKeys(m_plc);
                        own.insert(own.end(), m_aliasKeys.begin(), m_aliasKeys.end());
                        if (const auto cleared = Pending().clearAll(own); !cleared.ok)
                            m_report.note("warning: " + cleared.error);
                    }
                    if (verdict == RestartVerdict::Verified) {
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
