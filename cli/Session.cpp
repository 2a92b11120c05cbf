// What every command of a run shares: waiting, asking, and the words a run ends with.
#include "cli/Session.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "cli/ExitCodes.h"
#include "platform/Quit.h"

namespace qx4t::cli {
namespace {

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

bool Session::RestartDeadlinePassed() {
    if (m_restartDeadline && m_clock.now() >= *m_restartDeadline)
        m_restartDeadlineHit = true;
    return m_restartDeadlineHit;
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

int Session::Fail(int exitCode, const std::string& message, JsonObject fields) {
    Close();
    m_report.result(exitCode, message, std::move(fields));
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
    JsonObject fields;
    AddUnverifiedUpdate(fields);
    if (!m_unverifiedBefore)
        return Fail(kExitCommBeforeEntry, message, fields);
    return Fail(kExitCommAfterEntry,
                message +
                    ". An earlier update of this PLC was begun and never verified, so the PLC may "
                    "be waiting in its update mode for the rest of an image: wait a few seconds "
                    "and run 'qx4t-vup update' again; if it still does not answer, switch the "
                    "PLC off and on and run it again",
                fields);
}

}  // namespace qx4t::cli
