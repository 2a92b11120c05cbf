#include "platform/PlcHold.h"

namespace qx4t {

// A COM port opens for one process only, and the wizard and qx4t-vup run in one session there:
// the port's exclusive open is the hold.
std::string defaultPlcHoldFolder() {
    return {};
}

PlcHold::~PlcHold() = default;

void PlcHold::release() {
    m_lock.release();
    m_wroteName = false;
}

PlcHold::Status PlcHold::acquire(const std::string&, const std::string&, const std::string&) {
    m_holder.clear();
    m_error.clear();
    return Status::Held;
}

}  // namespace qx4t
