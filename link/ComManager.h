#pragma once
// The serial link to the PLC: one request written, one reply read, and the four commands the
// tool ever sends. Free of Qt. Result codes are the link's own (ResultCodes.h); nothing here
// throws and no OS error reaches a caller.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/ResultCodes.h"
#include "platform/serial/SerialPort.h"

struct stPlcStatus {
    std::wstring strModel;    // "B0" or "B1"
    std::wstring strVersion;  // four hexadecimal digits, e.g. "0180"
    std::wstring strMode;     // two hexadecimal digits
};

class CComManager {
public:
    CComManager();
    // Closes a port that is still open: an abandoned descriptor would keep the port locked.
    ~CComManager();
    CComManager(const CComManager&) = delete;
    CComManager& operator=(const CComManager&) = delete;
    CComManager(CComManager&&) noexcept;
    // Closes this link's own port first, then takes the other's.
    CComManager& operator=(CComManager&&) noexcept;

    // strPort is a port name as discovery lists it ("ttyACM0", "serial/by-id/...", "pts/7";
    // "COM3" on Windows).
    // Returns kOk, kOpenFailed, kConfigureFailed or kPortBusy. A link that is already open is
    // closed first.
    [[nodiscard]] int OpenPort(const std::wstring& strPort);
    // Waits, pumping events, for what was written to leave (up to 10 s, or until the pump says
    // the caller's deadline or a quit has come), then drops what is left and closes.
    void ClosePort();
    // expectedLen: the reply's length when the caller knows it (0: up to a carriage return).
    // Returns kOk, kTransactionFailed, kReceiveFailed, kWriteTimeout, kNoReply or kQuit.
    [[nodiscard]] int SendRecv(const char* pData, int nLen, std::uint32_t dwTimeout,
                               std::size_t expectedLen = 0);

    [[nodiscard]] int ReadPlcStatus(stPlcStatus* pStatus);
    [[nodiscard]] int ChangeMode();
    [[nodiscard]] int StartFWUpdate(const std::wstring& strFWVer);
    [[nodiscard]] int SendFWImage(const void* pData, std::uint32_t dwSize, int* pProgress);

    // The BCC check of the reply in m_RecvBuf: kOk or kBadBcc.
    [[nodiscard]] int CheckBCC() const;
    // 255 random bytes from std::rand() as 510 upper-case hexadecimal digits; nSum receives the
    // sum of the digits' character codes modulo 256.
    [[nodiscard]] static std::string MakeRandomData(unsigned& nSum);

    // The seed this link gave the filler's generator.
    [[nodiscard]] unsigned FillerSeed() const { return m_fillerSeed; }

    // Why the last OpenPort failed, in the OS's words (for the command line's advice).
    [[nodiscard]] const qx4t::serial::OpenResult& LastOpenResult() const;
    // The device number of the port open now (serial::SerialPort::deviceNumber), empty when
    // closed or unknown.
    [[nodiscard]] std::string OpenDevice() const;

    // Seams shared by every link in the process; passing an empty function restores the default.
    // Called once per 100 ms poll while a reply is awaited; returns true when a quit was requested.
    // Default: qx4t::quit::requested().
    static void SetEventPump(std::function<bool()> pump);
    // Waits up to one poll period for the reply's bytes (default: the port's own wait). The
    // wizard waits with its event loop running, so that its window answers at once.
    static void SetPortWait(std::function<qx4t::serial::WaitStatus(qx4t::serial::SerialPort&,
                                                                   std::chrono::milliseconds)>
                                wait);
    // Makes the port objects (default: the termios port).
    static void SetPortFactory(qx4t::serial::PortFactory factory);
    // Sees every exchange: direction ('>' to the PLC, '<' from it) and the bytes.
    static void SetTranscript(std::function<void(char direction, const std::string& bytes)> sink);
    // Gives each new link the seed for the filler's generator (default: the time), so that a
    // replayed transcript sends the filler the recorded run sent.
    static void SetFillerSeed(std::function<unsigned()> seed);

    std::wstring m_strPort;  // full device path, serial::devicePrefix() + the port name
    int m_hComm = -1;        // the open port's descriptor or handle, -1 while closed
    unsigned char m_RecvBuf[4096] = {};
    std::uint32_t m_nRecvLen = 0;

private:
    // Without events and without waiting for the output, for the destructor and the move:
    // nothing may run inside those.
    void ClosePort(bool bRunEvents);
    [[nodiscard]] int ReadReply(std::uint32_t dwTimeout, std::size_t expectedLen);
    [[nodiscard]] int AcceptReply(int nResult, std::size_t nReplyLen) const;
    // For a request that needs no answer: no reply, or the PLC hanging up, is success; a
    // request that never left, or any other failure, stays one.
    [[nodiscard]] int SilenceIsEnough(int result) const;
    [[nodiscard]] int SendFrame(const std::string& frame, std::size_t nReplyLen);

    std::unique_ptr<qx4t::serial::SerialPort> m_port;
    qx4t::serial::OpenResult m_lastOpen;
    unsigned m_fillerSeed = 0;
    // A write failed or timed out: output the PLC did not take may still be queued.
    bool m_bOutputStuck = false;
};
