#include "cli/LinkMessages.h"

#include "link/ResultCodes.h"

namespace qx4t::cli {

namespace lk = qx4t::link;

std::string LinkFailure(int code) {
    std::string text;
    switch (code) {
        case lk::kOpenFailed:
            text = "the port cannot be opened";
            break;
        case lk::kTransactionFailed:
            text = "the request could not be written";
            break;
        case lk::kConfigureFailed:
            text = "the port cannot be set to 9600 baud 8O1";
            break;
        case lk::kReceiveFailed:
            text = "the reply could not be read";
            break;
        case lk::kWriteTimeout:
            text = "the request was not taken within 5 s";
            break;
        case lk::kNoReply:
            text = "no reply from the PLC";
            break;
        case lk::kPortBusy:
            text = "the port is in use";
            break;
        case lk::kQuit:
            text = "interrupted";
            break;
        case lk::kUnsupportedModel:
            text = "the PLC's model is not supported";
            break;
        case lk::kBadReply:
            text = "a wrong or error reply from the PLC";
            break;
        case lk::kImageTooShort:
            text = "the firmware image is too short";
            break;
        case lk::kBadBcc:
            text = "a reply with a wrong block check";
            break;
        default:
            text = "link failure";
    }
    return text + " (code " + std::to_string(code) + ")";
}

}  // namespace qx4t::cli
