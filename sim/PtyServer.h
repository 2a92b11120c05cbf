#pragma once
// A simulated PLC on a pseudo-terminal, on real time: what qx4t-plcsim runs, and what the
// command line's --simulate runs on a background thread. The tool opens the slave side
// ("/dev/pts/N") as it would a USB serial port.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ports/PortEnumerator.h"
#include "sim/PlcCore.h"

namespace qx4t::sim {

struct PtyServerOptions {
    PlcConfig config;
    std::string description = std::string(kDefaultDescription);
    // Announce the port in the virtual-port registry so that port discovery lists it.
    bool registerPort = true;
    std::string registryFolder;  // empty: the registry's default folder
    // The identity registered with the port (its id= line), kept when the port is renamed;
    // empty: one of its own, unique on this machine while the server runs.
    std::string identity;
    // Let every local user open the port (a simulator started by root for an unprivileged tool).
    bool openToAllUsers = false;
    // Sees every exchange (called on the serving thread, under the server's lock).
    std::function<void(const Exchange&)> log;
};

class PtyServer {
public:
    explicit PtyServer(PtyServerOptions options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal and registers it. False with a reason when it cannot.
    [[nodiscard]] bool open(std::string* error = nullptr);
    // Serves on the calling thread until `stopFd` (e.g. the quit pipe) turns readable or stop()
    // is called. Needs open().
    void serve(int stopFd = -1);
    // open() and serve() on a background thread.
    [[nodiscard]] bool start(std::string* error = nullptr);
    // Ends serve(), joins the thread, closes the port and removes the registry entry.
    void stop();

    // The port name as discovery lists it ("pts/7"); it changes when the PLC comes back under
    // a new name, and is empty once the port has gone away.
    [[nodiscard]] std::string portName() const;
    // The identity the port is registered with (see PtyServerOptions::identity).
    [[nodiscard]] const std::string& identity() const { return options_.identity; }
    // The twin's port name with the SecondPlc fault, else empty.
    [[nodiscard]] std::string secondPortName() const;
    // The PLC's observable state and recent exchanges, taken under the server's lock.
    [[nodiscard]] PlcState state() const;
    [[nodiscard]] std::vector<Exchange> exchanges() const;

private:
    struct Pty;
    [[nodiscard]] bool openPty(Pty& pty, std::string* error);
    void closePty(Pty& pty);
    void announce();
    void afterCoreStep();

    PtyServerOptions options_;
    mutable std::mutex mutex_;
    std::unique_ptr<PlcCore> core_;
    std::unique_ptr<Pty> pty_;
    std::string portName_;
    int generation_ = 0;
    std::string pendingOut_;
    ports::VirtualPortRegistration registration_;
    int wake_[2] = {-1, -1};
    std::thread thread_;
    std::unique_ptr<PtyServer> twin_;
};

}  // namespace qx4t::sim
