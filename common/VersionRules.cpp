#include "common/VersionRules.h"

namespace qx4t {
namespace {

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

std::wstring WithoutDots(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L'.')
            out.push_back(c);
    }
    return out;
}

std::wstring_view LastChars(std::wstring_view text, std::size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

std::wstring DropOneLeadingZero(std::wstring text) {
    if (!text.empty() && text.front() == L'0')
        text.erase(0, 1);
    return text;
}

}  // namespace

unsigned long ParseHexPrefix(std::wstring_view text) {
    unsigned long value = 0;
    for (wchar_t c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            break;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return value;
}

std::wstring PlcVersionDisplay(std::wstring_view strVersion) {
    std::wstring shown(strVersion.substr(0, 2));
    shown += L'.';
    if (strVersion.size() > 2)
        shown += strVersion.substr(2, 2);
    return DropOneLeadingZero(std::move(shown));
}

std::wstring TargetVersionDisplay(std::wstring_view target) {
    return DropOneLeadingZero(std::wstring(target));
}

VersionCheck CheckPlcVersion(std::wstring_view strVersion, std::wstring_view target) {
    const unsigned long current = ParseHexPrefix(LastChars(strVersion, 3));
    const std::wstring targetDigits = WithoutDots(target);
    const unsigned long wanted = ParseHexPrefix(LastChars(targetDigits, 3));
    if (wanted < current)
        return VersionCheck::Newer;
    if (current < kOldestUpdatableVersion)
        return VersionCheck::TooOld;
    return VersionCheck::Ok;
}

bool IsTargetVersion(std::wstring_view strVersion, std::wstring_view target) {
    return WithoutDots(target) == strVersion;
}

const ModelRow* FindModel(std::wstring_view code) {
    for (const ModelRow& row : kModelTable) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

std::wstring_view SeriesName(std::wstring_view code) {
    const ModelRow* row = FindModel(code);
    return row ? row->series : std::wstring_view(L"***");
}

bool VersionUpNeeded(std::wstring_view strVersion, std::wstring_view strMode,
                     std::wstring_view target) {
    if (IsUpdateMode(strMode))
        return true;
    return !IsTargetVersion(strVersion, target) &&
           CheckPlcVersion(strVersion, target) != VersionCheck::Newer;
}

ModeCheck CheckPlcMode(std::wstring_view strMode) {
    const unsigned long mode = ParseHexPrefix(strMode);
    if ((mode & kModeUpdatable) == 0)
        return ModeCheck::NotUpdatable;
    if ((mode & kModeChangeNeeded) != 0)
        return ModeCheck::NeedsModeChange;
    return ModeCheck::Ok;
}

void RestartPoll::Start(int currentPosition) {
    Reset();
    m_nPosition = currentPosition;
    m_phase = Phase::Settling;
}

void RestartPoll::OnSettleEnd() {
    if (m_phase != Phase::Settling)
        return;
    m_nPosition = kSettlePosition;
    m_phase = Phase::Creeping;
}

bool RestartPoll::OnCreepTick() {
    if (m_phase != Phase::Creeping)
        return false;
    if (m_nPosition < kPollStartPosition) {
        ++m_nPosition;
        return false;
    }
    m_nPosition = kPollStartPosition;
    m_phase = Phase::Polling;
    return true;
}

bool RestartPoll::BeginPoll() {
    if (m_phase != Phase::Polling || m_bPolling)
        return false;
    m_bPolling = true;
    return true;
}

RestartPoll::PollOutcome RestartPoll::EndPoll(bool answered) {
    if (m_phase != Phase::Polling || !m_bPolling)
        return PollOutcome::Busy;
    m_bPolling = false;
    ++m_nPolls;
    if (answered) {
        m_nPosition = kAnsweredPosition;
        m_nRetryCount = 0;
        m_bRetry = false;
        m_phase = Phase::Answered;
        return PollOutcome::Answered;
    }
    if (m_nPosition < kPollEndPosition) {
        ++m_nPosition;
        return PollOutcome::KeepPolling;
    }
    // After a Retry the bar stands at 90, so the round is counted instead: ten more polls
    // keep going and the eleventh asks again.
    if (m_bRetry && m_nRetryCount < kPollsPerRound - 1) {
        ++m_nRetryCount;
        return PollOutcome::KeepPolling;
    }
    m_nRetryCount = 0;
    m_bRetry = false;
    m_phase = Phase::Asking;
    return PollOutcome::Ask;
}

void RestartPoll::Retry() {
    if (m_phase != Phase::Asking)
        return;
    m_bRetry = true;
    m_nRetryCount = 0;
    m_phase = Phase::Polling;
}

void RestartPoll::Reset() {
    m_phase = Phase::Idle;
    m_nPosition = 0;
    m_nRetryCount = 0;
    m_bRetry = false;
    m_bPolling = false;
    m_nPolls = 0;
}

std::chrono::milliseconds RestartPoll::NextDelay() const {
    switch (m_phase) {
        case Phase::Settling:
            return kSettleDelay;
        case Phase::Creeping:
            return kCreepPeriod;
        case Phase::Polling:
            return kPollPeriod;
        default:
            return std::chrono::milliseconds::zero();
    }
}

}  // namespace qx4t
