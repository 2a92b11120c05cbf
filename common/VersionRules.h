#pragma once
// The decisions a version-up takes on what the PLC reports: which model it is and which image
// it takes, whether its firmware and mode allow an update, how versions are shown, and the
// rhythm of the wait for the PLC to come back after the transfer. The wizard pages and the
// command line both call these, so that the two can never disagree about a PLC.
#include <chrono>
#include <string>
#include <string_view>

#include "common/ModelTable.h"

namespace qx4t {

// The firmware version that the tool's images install, as the wizard's string 8109 gives it.
inline constexpr wchar_t kTargetFirmwareVersion[] = L"01.80";

// Reads leading hexadecimal digits the way the PLC's fields are read: the first character that
// is not a hexadecimal digit ends the number, and no digit at all gives 0. Digits beyond the
// width of the result wrap rather than fail; the PLC's fields have two to four digits.
[[nodiscard]] unsigned long ParseHexPrefix(std::wstring_view text);

// "0170" -> "1.70", "1080" -> "10.80": the first two characters, ".", the third and fourth,
// and one leading "0" dropped. A shorter text yields what it has ("****" -> "**.**").
[[nodiscard]] std::wstring PlcVersionDisplay(std::wstring_view strVersion);
// "01.80" -> "1.80": the target text with one leading "0" dropped.
[[nodiscard]] std::wstring TargetVersionDisplay(std::wstring_view target);

// The oldest firmware (last three digits) that this tool can take to the target.
inline constexpr unsigned long kOldestUpdatableVersion = 0x060;

enum class VersionCheck {
    Ok,      // 0x060 <= current <= target, equal versions included
    Newer,   // the PLC runs newer firmware than the target
    TooOld,  // below 0x060
};
// The connect check: the last three hexadecimal digits of the PLC's version against the last
// three of the target with its "." removed. The PLC's first digit takes no part, as on the
// PLC's side. An empty target reads as 0, so every PLC above 0 is Newer.
[[nodiscard]] VersionCheck CheckPlcVersion(std::wstring_view strVersion, std::wstring_view target);
// The final check after the restart: the target without its "." equals the PLC's four digits,
// exactly. Nothing less counts as a successful version-up.
[[nodiscard]] bool IsTargetVersion(std::wstring_view strVersion, std::wstring_view target);

// The table row of a model code (exact, case-sensitive), or nullptr.
[[nodiscard]] const ModelRow* FindModel(std::wstring_view code);
// The series name of a model code, or "***".
[[nodiscard]] std::wstring_view SeriesName(std::wstring_view code);
// True when the row's model takes the Ethernet image (resource 8107), false for 8104.
[[nodiscard]] inline bool UsesEthernetImage(const ModelRow& row) {
    return row.ethernet != 0;
}
// The resource id of the image that the row's model takes.
[[nodiscard]] inline unsigned short ImageIdFor(const ModelRow& row) {
    return UsesEthernetImage(row) ? kImageIdEthernet : kImageIdPlain;
}

// Bits of the PLC's mode value.
inline constexpr unsigned long kModeUpdate = 0x10;        // in the firmware-update mode
inline constexpr unsigned long kModeUpdatable = 0x80;     // an update is allowed at all
inline constexpr unsigned long kModeChangeNeeded = 0x01;  // the mode change must come first

[[nodiscard]] inline bool IsUpdateMode(std::wstring_view strMode) {
    return (ParseHexPrefix(strMode) & kModeUpdate) != 0;
}

// Whether `update` has work to do: a PLC left in its update mode needs the image, and one
// below the target the version-up; one at the target or newer needs nothing. A PLC that the
// checks would refuse (too old, a mode that allows no update) still counts as needing it, so
// that a caller that acts on this gets the refusal and its reason rather than silence.
[[nodiscard]] bool VersionUpNeeded(std::wstring_view strVersion, std::wstring_view strMode,
                                   std::wstring_view target);

enum class ModeCheck {
    Ok,               // 0x80 set, 0x01 clear
    NotUpdatable,     // 0x80 clear
    NeedsModeChange,  // 0x80 and 0x01 set: the mode change, with the user's consent
};
[[nodiscard]] ModeCheck CheckPlcMode(std::wstring_view strMode);

// The wait for the PLC to come back after the transfer, as the version-up page runs it on its
// timers and the command line on its clock: a settle delay, a creep of the bar from 70 to 80
// in 500 ms steps, then one status poll a second. Eleven polls that find no normal answer (ten
// move the bar from 80 to 90, one at 90) end in Ask; after Retry, eleven more at 90. The
// machine holds no timers itself: the caller waits NextDelay() and calls the step the phase
// names.
class RestartPoll {
public:
    static constexpr std::chrono::milliseconds kSettleDelay{1000};  // the page's timer 4
    static constexpr std::chrono::milliseconds kCreepPeriod{500};   // timer 5
    static constexpr std::chrono::milliseconds kPollPeriod{1000};   // timer 6
    static constexpr int kSettlePosition = 70;
    static constexpr int kPollStartPosition = 80;
    static constexpr int kPollEndPosition = 90;
    static constexpr int kAnsweredPosition = 100;
    // Polls per round before the user is asked; also the count allowed after each Retry.
    static constexpr int kPollsPerRound = 11;
    // The time from the transfer's return to the first poll: 1 s + 11 x 0.5 s + 1 s.
    static constexpr std::chrono::milliseconds kPauseBeforeFirstPoll =
        kSettleDelay + kPollsPerRound * kCreepPeriod + kPollPeriod;

    enum class Phase {
        Idle,      // not started, or reset
        Settling,  // waiting for the settle delay
        Creeping,  // the bar creeps towards 80
        Polling,   // one poll per kPollPeriod
        Asking,    // a round ended without an answer: Retry() or give up
        Answered,  // the PLC answered normally; compare its version
    };
    enum class PollOutcome {
        Busy,         // an earlier poll is still talking to the PLC, or not polling: do nothing
        KeepPolling,  // no answer yet; wait kPollPeriod for the next poll
        Ask,          // the round is over without an answer
        Answered,     // the PLC answered; the bar stands at 100
    };

    // The transfer returned successfully; the bar stands where the transfer left it.
    void Start(int currentPosition = 0);
    // The settle delay has passed: the bar jumps to 70 and the creep begins.
    void OnSettleEnd();
    // One creep step; true when the creep has ended and polling begins (the bar at 80).
    [[nodiscard]] bool OnCreepTick();
    // A poll is due. False when it must be skipped: an earlier poll has not finished (a tick
    // can arrive while the link pumps events inside a read), or the machine is not polling.
    [[nodiscard]] bool BeginPoll();
    // The poll's result: answered means the status read returned 0.
    [[nodiscard]] PollOutcome EndPoll(bool answered);
    // The user chose Retry: another round of polls, the bar standing at 90.
    void Retry();
    // Back to Idle with the counters cleared.
    void Reset();

    [[nodiscard]] Phase GetPhase() const { return m_phase; }
    [[nodiscard]] int Position() const { return m_nPosition; }
    // How long to wait before the next step of the current phase (zero when none is due).
    [[nodiscard]] std::chrono::milliseconds NextDelay() const;
    // Polls made since Start(), answered or not.
    [[nodiscard]] int PollCount() const { return m_nPolls; }

private:
    Phase m_phase = Phase::Idle;
    int m_nPosition = 0;
    int m_nRetryCount = 0;
    bool m_bRetry = false;
    bool m_bPolling = false;
    int m_nPolls = 0;
};

}  // namespace qx4t
