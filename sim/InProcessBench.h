#pragma once
// Simulated PLCs behind in-process serial ports on a virtual clock, so that the link, the
// wizard and the command line run whole scenarios in milliseconds. The bench owns the PLCs;
// ports made by its factory reach them by name, as the termios port reaches a device path.
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/serial/SerialPort.h"
#include "sim/PlcCore.h"

namespace qx4t::sim {

class InProcessBench;

// A serial port wired to one simulated PLC. Writes reach the PLC at once; waitReadable()
// moves the virtual clock to the next reply byte or to the end of the timeout, whichever
// comes first, which is how time passes while the link waits.
class SimPort final : public serial::SerialPort {
public:
    ~SimPort() override;

    [[nodiscard]] serial::OpenResult open(const std::string& path) override;
    [[nodiscard]] bool configure() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    [[nodiscard]] int handle() const override;
    [[nodiscard]] std::string deviceNumber() const override;
    [[nodiscard]] bool purge() override;
    [[nodiscard]] serial::WriteResult write(const void* data, std::size_t size,
                                            std::chrono::milliseconds deadline) override;
    [[nodiscard]] serial::WaitStatus waitReadable(std::chrono::milliseconds timeout) override;
    [[nodiscard]] long bytesWaiting() override;
    [[nodiscard]] long read(void* data, std::size_t size) override;
    // The PLC's port went away under this open port, as a USB device's does.
    [[nodiscard]] bool hungUp() const override { return hungUp_; }

    // How many times configure() was called on this port.
    [[nodiscard]] int configureCount() const { return configureCount_; }

private:
    friend class InProcessBench;
    struct Shared;
    explicit SimPort(std::shared_ptr<Shared> bench);
    [[nodiscard]] bool lineUp();
    void pull();

    std::shared_ptr<Shared> bench_;
    std::shared_ptr<void> attached_;  // the PLC this port has open, null while closed
    int generation_ = 0;
    std::string rx_;
    int configureCount_ = 0;
    bool hungUp_ = false;
};

class InProcessBench {
public:
    explicit InProcessBench(VirtualClock& clock);
    ~InProcessBench();
    InProcessBench(const InProcessBench&) = delete;
    InProcessBench& operator=(const InProcessBench&) = delete;

    // Attaches a PLC under a port name such as "pts/90" (opened as "/dev/pts/90", or
    // serial::devicePrefix() + name). With the
    // SecondPlc fault a twin without that fault is attached under the next free name.
    PlcCore& addPlc(const std::string& portName, PlcConfig config = {},
                    std::string description = std::string(kDefaultDescription));

    // Makes ports that open serial::devicePrefix() + name onto the PLC of that name: Busy while
    // another port has it open, NotFound for any other name or once the PLC's port has gone away.
    [[nodiscard]] serial::PortFactory portFactory();
    // The attached PLCs as port discovery would list them, in the order they were added; each
    // keeps its identity ("virtual:bench-<n>", n counting the PLCs added) under a new name.
    [[nodiscard]] std::vector<ports::PortInfo> portInfos() const;
    // The name a PLC answers to now (it changes after a restart with NewNameAfterRestart);
    // empty while its port is gone.
    [[nodiscard]] std::string portNameOf(const PlcCore& plc) const;
    // Gives the PLC the registry id `id` ("virtual:<id>"), as two simulators run with one --id.
    void setVirtualId(const PlcCore& plc, const std::string& id);
    // Another name for the PLC's port now, as a second link or "pts/../pts/90" names the device.
    void addAlias(const PlcCore& plc, const std::string& alias);
    // Takes the PLC off the bench, as a cable pulled: its name is free for another PLC.
    void unplug(const PlcCore& plc);
    // What a name given by hand names on the bench: the PLC's device number, or Missing.
    [[nodiscard]] ports::DeviceNode deviceNodeOf(const std::string& portName) const;
    // The PLC attached under `portName` now, or null.
    [[nodiscard]] PlcCore* plc(const std::string& portName) const;
    [[nodiscard]] VirtualClock& clock() const;

private:
    std::shared_ptr<SimPort::Shared> shared_;
};

}  // namespace qx4t::sim
