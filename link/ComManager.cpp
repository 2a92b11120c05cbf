#include "link/ComManager.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "common/Hex.h"
#include "common/ModelTable.h"
#include "common/VersionRules.h"
#include "link/Frame.h"
#include "link/ImageTransfer.h"
#include "platform/Quit.h"
#include "platform/text/Utf8.h"

using namespace std::chrono_literals;
using qx4t::serial::OpenStatus;
using qx4t::serial::WaitStatus;
using qx4t::serial::WriteStatus;
namespace rc = qx4t::link;
using qx4t::link::kImageBlockSize;
using qx4t::link::kImageHeadSize;

namespace {

constexpr int kOpenAttempts = 10;

// The PLC must have taken a request within this time; it is the write's own deadline and
// does not count towards the reply's time-out.
constexpr std::chrono::milliseconds kWriteDeadline = 5000ms;
// A reply is awaited in polls of this length; the time-out counts polls, not real time, and the
// event pump runs once per poll so the wizard keeps painting and its timers keep firing.
constexpr std::chrono::milliseconds kPollPeriod = 100ms;
constexpr std::uint32_t kPollMilliseconds = 100;

// One byte of the 4,096-byte buffer always stays zero behind the reply.
constexpr std::size_t kMaxReply = 4095;

constexpr std::uint32_t kCommandTimeout = 5000;
constexpr std::uint32_t kBlockTimeout = 60000;
constexpr std::uint32_t kLastBlockTimeout = 0;
// How long a close waits for written bytes to leave before dropping them: what a UART's
// 4 KiB transmit buffer takes at 9600 baud 8O1 (4.7 s), with room to spare. The caller's own
// deadline, told through the pump, ends the wait sooner.
constexpr std::uint32_t kDrainTimeout = 10000;

constexpr std::size_t kStatusReplyLen = 67;
constexpr std::size_t kModeReplyLen = 9;
constexpr std::size_t kUpdateEntryReplyLen = 11;
constexpr std::size_t kAckLen = 1;

constexpr int kFillerBytes = 255;
constexpr unsigned kMinFrameCount = 100;

struct LinkSeams {
    std::function<bool()> pump;
    std::function<WaitStatus(qx4t::serial::SerialPort&, std::chrono::milliseconds)> wait;
    qx4t::serial::PortFactory factory;
    std::function<void(char, const std::string&)> transcript;
    std::function<unsigned()> fillerSeed;
};

LinkSeams& seams() {
    static LinkSeams s;
    return s;
}

bool pumpSaysQuit() {
    const auto& pump = seams().pump;
    return pump ? pump() : qx4t::quit::requested();
}

WaitStatus waitForInput(qx4t::serial::SerialPort& port) {
    const auto& wait = seams().wait;
    return wait ? wait(port, kPollPeriod) : port.waitReadable(kPollPeriod);
}

// The copy is made only for a listener: image blocks are 64 KiB each.
void record(char direction, std::string_view bytes) {
    if (seams().transcript) {
        seams().transcript(direction, std::string(bytes));
    }
}

std::unique_ptr<qx4t::serial::SerialPort> makePort() {
    if (seams().factory) {
        return seams().factory();
    }
    return qx4t::serial::makeSystemPort();
}

// Reads what has already arrived, up to the buffer's limit; false when the port fails.
bool takeQueued(qx4t::serial::SerialPort& port, std::string& reply) {
    char chunk[kMaxReply + 1];
    while (reply.size() < kMaxReply) {
        const long waiting = port.bytesWaiting();
        if (waiting < 0) {
            return false;
        }
        if (waiting == 0) {
            return true;
        }
        const std::size_t want =
            std::min({static_cast<std::size_t>(waiting), sizeof chunk, kMaxReply - reply.size()});
        const long got = port.read(chunk, want);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        reply.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

// A serial port's close waits for queued output to drain (30 s on CDC-ACM) with no event pump
// running and outside every deadline, so the drain is awaited here instead, in polls, until the
// link's own limit or the caller's deadline (told through the pump). False when what is left
// must be dropped.
bool outputDrained(qx4t::serial::SerialPort& port) {
    std::string dropped;
    for (std::uint32_t elapsed = 0;; elapsed += kPollMilliseconds) {
        // Drained, or the line hung up: a close then has nothing to wait for.
        if (port.bytesUnsent() <= 0) {
            return true;
        }
        if (elapsed >= kDrainTimeout || pumpSaysQuit()) {
            return false;
        }
        // Nobody reads replies now; taking them keeps the wait from waking for them.
        dropped.clear();
        if (!takeQueued(port, dropped)) {
            return false;
        }
        const auto waited = waitForInput(port);
        if (waited == WaitStatus::Error) {
            return false;
        }
    }
}

// Each byte of the reply becomes one wide character of the same code.
std::wstring wideFromBytes(const unsigned char* p, std::size_t n) {
    std::wstring out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(static_cast<wchar_t>(p[i]));
    }
    return out;
}

// The version goes into an ASCII frame; anything beyond ASCII is not a digit the PLC knows.
std::string asciiFromWide(const std::wstring& s) {
    std::string out;
    out.reserve(s.size());
    for (const wchar_t ch : s) {
        // wchar_t is signed on Linux and unsigned on Windows; a negative one is no ASCII either.
        out.push_back(static_cast<std::uint32_t>(ch) < 0x80 ? static_cast<char>(ch) : '?');
    }
    return out;
}

}  // namespace

CComManager::CComManager() : m_strPort(qx4t::serial::defaultDevicePath()) {
    // The update-mode entry's filler comes from the C runtime's generator, seeded here and
    // nowhere else, once per link.
    m_fillerSeed =
        seams().fillerSeed ? seams().fillerSeed() : static_cast<unsigned>(std::time(nullptr));
    std::srand(m_fillerSeed);
}

CComManager::~CComManager() {
    ClosePort(false);
}

CComManager::CComManager(CComManager&& other) noexcept
    : m_strPort(std::move(other.m_strPort)),
      m_hComm(std::exchange(other.m_hComm, -1)),
      m_nRecvLen(std::exchange(other.m_nRecvLen, 0)),
      m_port(std::move(other.m_port)),
      m_lastOpen(std::move(other.m_lastOpen)),
      m_fillerSeed(other.m_fillerSeed),
      m_bOutputStuck(std::exchange(other.m_bOutputStuck, false)) {
    std::memcpy(m_RecvBuf, other.m_RecvBuf, sizeof m_RecvBuf);
    std::memset(other.m_RecvBuf, 0, sizeof other.m_RecvBuf);
}

CComManager& CComManager::operator=(CComManager&& other) noexcept {
    if (this != &other) {
        ClosePort(false);
        m_strPort = std::move(other.m_strPort);
        m_hComm = std::exchange(other.m_hComm, -1);
        std::memcpy(m_RecvBuf, other.m_RecvBuf, sizeof m_RecvBuf);
        std::memset(other.m_RecvBuf, 0, sizeof other.m_RecvBuf);
        m_nRecvLen = std::exchange(other.m_nRecvLen, 0);
        m_port = std::move(other.m_port);
        m_lastOpen = std::move(other.m_lastOpen);
        m_fillerSeed = other.m_fillerSeed;
        m_bOutputStuck = std::exchange(other.m_bOutputStuck, false);
    }
    return *this;
}

int CComManager::OpenPort(const std::wstring& strPort) {
    // No caller opens an open link; closing first keeps a second open from leaking the first.
    ClosePort();
    m_strPort = std::wstring(qx4t::serial::devicePrefix()) + strPort;

    m_port = makePort();
    if (!m_port) {
        m_lastOpen = {OpenStatus::Failed, "no serial port available"};
        return rc::kOpenFailed;
    }
    const std::string path = qx4t::wideToUtf8(m_strPort);
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        m_lastOpen = m_port->open(path);
        if (m_lastOpen.ok()) {
            break;
        }
    }
    if (!m_lastOpen.ok()) {
        m_port.reset();
        return m_lastOpen.status == OpenStatus::Busy ? rc::kPortBusy : rc::kOpenFailed;
    }
    if (!m_port->configure()) {
        m_port->close();
        m_port.reset();
        return rc::kConfigureFailed;
    }
    m_hComm = m_port->handle();
    return rc::kOk;
}

void CComManager::ClosePort() {
    ClosePort(true);
}

void CComManager::ClosePort(bool bRunEvents) {
    // Taken out first: a handler that the pump runs while the output drains may use this link
    // again, and must find it closed rather than have the port closed under it.
    std::unique_ptr<qx4t::serial::SerialPort> port = std::move(m_port);
    const bool outputStuck = std::exchange(m_bOutputStuck, false);
    m_hComm = -1;
    if (!port || !port->isOpen()) {
        return;
    }
    // After a failed write nothing more is awaited; after a good one the last image block may
    // still be on its way. The destructor and the move wait for nothing: whoever ends a link
    // without closing it has abandoned the exchange, and a window must not freeze for it.
    if (outputStuck || !bRunEvents || !outputDrained(*port)) {
        (void)port->purge();
    }
    port->close();
}

int CComManager::SendRecv(const char* pData, int nLen, std::uint32_t dwTimeout,
                          std::size_t expectedLen) {
    if (!m_port || !m_port->isOpen() || nLen < 0 || (pData == nullptr && nLen > 0)) {
        return rc::kTransactionFailed;
    }
    // A late reply to an earlier request must not be read as the answer to this one.
    if (!m_port->purge()) {
        return rc::kTransactionFailed;
    }
    const auto size = static_cast<std::size_t>(nLen);
    record('>', std::string_view(pData == nullptr ? "" : pData, size));
    const auto written = m_port->write(pData, size, kWriteDeadline);
    m_bOutputStuck = written.status != WriteStatus::Ok || written.written != size;
    if (written.status == WriteStatus::Timeout) {
        return rc::kWriteTimeout;
    }
    if (written.status != WriteStatus::Ok || written.written != size) {
        return rc::kTransactionFailed;
    }
    return ReadReply(dwTimeout, expectedLen);
}

int CComManager::ReadReply(std::uint32_t dwTimeout, std::size_t expectedLen) {
    std::memset(m_RecvBuf, 0, sizeof m_RecvBuf);
    m_nRecvLen = 0;

    // Waiting for the reply to begin: the time-out counts polls, whatever they really took.
    std::uint64_t elapsed = 0;
    for (;;) {
        const long waiting = m_port->bytesWaiting();
        if (waiting < 0) {
            return rc::kReceiveFailed;
        }
        if (waiting > 0) {
            break;
        }
        if (waitForInput(*m_port) == WaitStatus::Error) {
            return rc::kReceiveFailed;
        }
        elapsed += kPollMilliseconds;
        if (elapsed > dwTimeout) {
            return rc::kNoReply;
        }
        if (pumpSaysQuit()) {
            return rc::kQuit;
        }
    }

    // Collecting: a reply crosses USB packets and a UART delivers it byte by byte, so more
    // bytes are taken while they follow within one poll. A complete reply ends the wait at
    // once; one whose tail comes after a longer silence is taken short.
    std::string reply;
    const auto complete = [&] {
        return expectedLen > 0 ? reply.size() >= expectedLen
                               : reply.find(qx4t::link::kCarriageReturn) != std::string::npos;
    };
    int result = rc::kOk;
    for (;;) {
        if (!takeQueued(*m_port, reply)) {
            result = rc::kReceiveFailed;
            break;
        }
        if (reply.size() >= kMaxReply || complete()) {
            break;
        }
        const auto status = waitForInput(*m_port);
        if (status == WaitStatus::Error) {
            result = rc::kReceiveFailed;
            break;
        }
        if (status == WaitStatus::Timeout) {
            break;
        }
        if (pumpSaysQuit()) {
            result = rc::kQuit;
            break;
        }
    }
    if (!reply.empty()) {
        record('<', reply);
    }
    if (result != rc::kOk) {
        return result;
    }
    std::memcpy(m_RecvBuf, reply.data(), reply.size());
    m_nRecvLen = static_cast<std::uint32_t>(reply.size());
    return rc::kOk;
}

int CComManager::CheckBCC() const {
    return qx4t::link::CheckBCC(m_RecvBuf, m_nRecvLen);
}

int CComManager::AcceptReply(int nResult, std::size_t nReplyLen) const {
    if (nResult != rc::kOk) {
        return nResult;
    }
    // An error reply is not told apart from a reply of the wrong length; neither is looked at.
    if (m_nRecvLen != nReplyLen || m_nRecvLen <= 3 || m_RecvBuf[3] == '!') {
        return rc::kBadReply;
    }
    return CheckBCC();
}

int CComManager::SendFrame(const std::string& frame, std::size_t nReplyLen) {
    return SendRecv(frame.data(), static_cast<int>(frame.size()), kCommandTimeout, nReplyLen);
}

std::string CComManager::MakeRandomData(unsigned& nSum) {
    std::string filler;
    filler.reserve(2 * kFillerBytes);
    for (int i = 0; i < kFillerBytes; ++i) {
        qx4t::AppendHex(filler,
                        static_cast<unsigned char>(static_cast<unsigned>(std::rand()) % 256));
    }
    unsigned sum = 0;
    for (const char digit : filler) {
        sum += static_cast<unsigned char>(digit);
    }
    nSum = sum % 256;
    return filler;
}

int CComManager::ReadPlcStatus(stPlcStatus* pStatus) {
    const int accepted = AcceptReply(
        SendFrame(qx4t::link::MakeFrame("%EE#EX00RT00"), kStatusReplyLen), kStatusReplyLen);
    if (accepted != rc::kOk) {
        return accepted;
    }
    const std::wstring model = wideFromBytes(m_RecvBuf + 14, 2);
    const bool known = std::any_of(qx4t::kModelTable.begin(), qx4t::kModelTable.end(),
                                   [&](const qx4t::ModelRow& row) { return row.code == model; });
    if (!known) {
        return rc::kUnsupportedModel;
    }
    // The PLC sends its version with the two byte pairs swapped: "8001" is version 0180.
    const unsigned char version[4] = {m_RecvBuf[32], m_RecvBuf[33], m_RecvBuf[30], m_RecvBuf[31]};
    const std::wstring mode = wideFromBytes(m_RecvBuf + 20, 2);
    if (pStatus != nullptr) {
        pStatus->strModel = model;
        pStatus->strVersion = wideFromBytes(version, 4);
        pStatus->strMode = mode;
    }
    return qx4t::IsUpdateMode(mode) ? rc::kUpdateMode : rc::kOk;
}

int CComManager::ChangeMode() {
    return AcceptReply(SendFrame(qx4t::link::MakeFrame("%EE#RMP"), kModeReplyLen), kModeReplyLen);
}

int CComManager::StartFWUpdate(const std::wstring& strFWVer) {
    const std::string version = asciiFromWide(strFWVer);
    const std::string opening = "<EE#FV  BrevantisDevicesORKA  QX4T-V" + version + " ";
    const std::string continuation = "<EE  BrevantisDevicesORKA  QX4T-V" + version + " ";

    unsigned fillerSum = 0;
    std::string filler = MakeRandomData(fillerSum);
    int result =
        AcceptReply(SendFrame(qx4t::link::MakeFrame(opening + filler, true), kUpdateEntryReplyLen),
                    kUpdateEntryReplyLen);
    if (result != rc::kOk) {
        return result;
    }
    // The PLC and the tool both derive the number of frames from the opening exchange; the
    // PLC enters the update mode only after exactly this many.
    unsigned frameCount = fillerSum;
    for (int i = 3; i <= 6; ++i) {
        frameCount += m_RecvBuf[i];
    }
    frameCount %= 256;
    if (frameCount < kMinFrameCount) {
        frameCount += kMinFrameCount;
    }

    unsigned unusedSum = 0;
    for (unsigned i = 1; i < frameCount; ++i) {
        filler = MakeRandomData(unusedSum);
        result = AcceptReply(
            SendFrame(qx4t::link::MakeFrame(continuation + filler, true), kUpdateEntryReplyLen),
            kUpdateEntryReplyLen);
        if (result != rc::kOk) {
            return result;
        }
    }

    // The PLC may switch modes without answering the final frame, so silence is success; the
    // reply, if one comes, is not examined.
    filler = MakeRandomData(unusedSum);
    result = SendFrame(qx4t::link::MakeFrame(continuation + filler), kUpdateEntryReplyLen);
    return SilenceIsEnough(result);
}

int CComManager::SilenceIsEnough(int result) const {
    if (result == rc::kNoReply) {
        return rc::kOk;
    }
    // A PLC that restarts right after a request it need not answer drops its USB port with
    // it: that hang-up is the silence the request expects, not a failed read.
    if (result == rc::kReceiveFailed && m_port && m_port->hungUp()) {
        return rc::kOk;
    }
    return result;
}

int CComManager::SendFWImage(const void* pData, std::uint32_t dwSize, int* pProgress) {
    if (pData == nullptr || dwSize < kImageHeadSize) {
        return rc::kImageTooShort;
    }
    const auto* image = static_cast<const unsigned char*>(pData);
    // Wider than the block counter the PLC protocol suggests, so that no size wraps it to zero.
    const std::uint32_t blocks = qx4t::link::ImageBlockCount(dwSize);

    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[kImageBlockSize]());
    if (!buffer) {
        return rc::kTransactionFailed;
    }
    const auto sendReversed = [&](const unsigned char* from, std::uint32_t size,
                                  std::uint32_t timeout) {
        // The PLC expects each block back to front.
        std::reverse_copy(from, from + size, buffer.get());
        return SendRecv(reinterpret_cast<const char*>(buffer.get()), static_cast<int>(size),
                        timeout, kAckLen);
    };
    const auto acknowledged = [&] { return m_nRecvLen == kAckLen && m_RecvBuf[0] == 0; };

    int result = sendReversed(image, kImageHeadSize, kBlockTimeout);
    if (result != rc::kOk) {
        return result;
    }
    if (!acknowledged()) {
        return rc::kBadReply;
    }

    std::uint32_t offset = kImageHeadSize;
    for (std::uint32_t i = 0; i < blocks; ++i) {
        const std::uint32_t left = dwSize - offset;
        if (left >= kImageBlockSize) {
            result = sendReversed(image + offset, kImageBlockSize, kBlockTimeout);
            if (pProgress != nullptr) {
                *pProgress = qx4t::link::TransferPercent(i, blocks);
            }
            if (result != rc::kOk) {
                return result;
            }
            if (!acknowledged()) {
                return rc::kBadReply;
            }
            offset += kImageBlockSize;
        } else {
            // The PLC starts flashing on the last block and may not answer it: a missing or
            // unexamined answer is success, but a block that never left must be reported.
            result = sendReversed(image + offset, left, kLastBlockTimeout);
            return SilenceIsEnough(result);
        }
    }
    return rc::kOk;
}

std::string CComManager::OpenDevice() const {
    return m_port && m_port->isOpen() ? m_port->deviceNumber() : std::string();
}

const qx4t::serial::OpenResult& CComManager::LastOpenResult() const {
    return m_lastOpen;
}

void CComManager::SetEventPump(std::function<bool()> pump) {
    seams().pump = std::move(pump);
}

void CComManager::SetPortWait(
    std::function<WaitStatus(qx4t::serial::SerialPort&, std::chrono::milliseconds)> wait) {
    seams().wait = std::move(wait);
}

void CComManager::SetPortFactory(qx4t::serial::PortFactory factory) {
    seams().factory = std::move(factory);
}

void CComManager::SetTranscript(std::function<void(char, const std::string&)> sink) {
    seams().transcript = std::move(sink);
}

void CComManager::SetFillerSeed(std::function<unsigned()> seed) {
    seams().fillerSeed = std::move(seed);
}
