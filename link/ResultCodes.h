#pragma once
// The link's result codes. Every operation of CComManager returns one of these as a plain int;
// the pages and the command line turn them into messages. No OS error code ever gets this far.
namespace qx4t::link {

// The operation did what was asked.
inline constexpr int kOk = 0;
// ReadPlcStatus: read successfully, and the PLC reports the firmware-update mode (mode bit 0x10).
inline constexpr int kUpdateMode = 1;

// OpenPort: the port could not be opened in 10 attempts (missing, permission denied, other).
inline constexpr int kOpenFailed = 100;
// SendRecv: the transaction could not be set up (port not open, purge refused), or the write
// failed or wrote fewer bytes than asked.
inline constexpr int kTransactionFailed = 101;
// OpenPort: the port opened but its line settings could not be applied; it has been closed again.
inline constexpr int kConfigureFailed = 102;
// SendRecv: the reply could not be read (the port reported an error while waiting or reading).
inline constexpr int kReceiveFailed = 103;
// SendRecv: the write did not complete within its 5,000 ms deadline.
inline constexpr int kWriteTimeout = 104;
// SendRecv: no reply began within the time-out.
inline constexpr int kNoReply = 105;
// OpenPort: another process holds the port.
inline constexpr int kPortBusy = 106;
// SendRecv: a request to quit arrived while the link waited. It has a value of its own so that
// it can never pass for success, nor for the "no reply" that some steps accept (105).
inline constexpr int kQuit = 107;

// ReadPlcStatus: the PLC's model code is neither "B0" nor "B1".
inline constexpr int kUnsupportedModel = 200;
// The reply has the wrong length or is an error reply ('!' at position 3); for the image
// transfer, the acknowledgement is not exactly one byte of value 0.
inline constexpr int kBadReply = 202;
// SendFWImage: the image is shorter than its 64-byte head.
inline constexpr int kImageTooShort = 300;
// The reply's block check code is wrong.
inline constexpr int kBadBcc = 401;

}  // namespace qx4t::link
