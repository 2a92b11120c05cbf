// qx4t-plcsim: a simulated QX4T PLC on a pseudo-terminal. Prints its port name on the first
// line of standard output, registers it for port discovery and serves until SIGINT/SIGTERM.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "common/Hex.h"
#include "platform/Quit.h"
#include "sim/PtyServer.h"

namespace {

using qx4t::sim::Fault;
using qx4t::sim::FaultKind;

void printHelp() {
    std::cout << "qx4t-plcsim " QX4T_VERSION "\n"
              <<
        R"help(Usage: qx4t-plcsim [OPTION]...
Simulates a QX4T PLC on a pseudo-terminal. The first line of output is the port name
(e.g. "pts/7"; the tool opens /dev/pts/7). The port is registered for port discovery until
the simulator ends (SIGINT or SIGTERM).

Options:
  --model CODE          model code reported in the status, two characters (default B1)
  --version HHHH        firmware version, four hex digits (default 0170)
  --new-version HHHH    version that a good image installs (default 0180)
  --mode HH             mode value, two hex digits; 10 is the update-mode bit (default 80)
  --reply-delay MS      delay before every reply (default 0)
  --restart-time MS     silence after the image before the PLC answers again (default 10000)
  --split-pause MS      pause inside a split reply (default 50)
  --byte-gap MS         gap between reply bytes with slow-replies (default 20)
  --entry-code CCCC     positions 3-6 of the update-mode entry replies (default $FV0)
  --description TEXT    description registered for discovery (default "TEMLO PLC (simulated)")
  --id TEXT             identity registered with the port (its id= line), kept when the
                        port comes back under a new name (default: plcsim-<pid>-<n>)
  --no-register         do not register the port for discovery
  --open-to-all-users   let every local user open the port (when run by root)
  --fault NAME          misbehave (repeatable); NAME is one of the faults below
  --fault-on REQUEST    aim the last --fault at: any, status, mode-change, update-entry, image
  --fault-block K       first affected request of the last --fault, counted from 0; for the
                        image the block index (-1: the 64-byte head)
  --fault-count C       how many requests the last --fault affects (default 0: all from K on)
  --log                 every exchange with time, direction and hex bytes on stderr
                        (image blocks: their first 32 bytes)
  --help                this text

The image: in update mode (after the update-mode entry, or --mode 90) the PLC answers status
reads with the update-mode bit set and takes anything else as the start of an image: a
reversed 64-byte head and reversed blocks of 65536 bytes, each acknowledged with one zero
byte, then a shorter last block without answer. Half a second of silence after bytes of the
last block ends the image: the PLC checks it and restarts (silent for --restart-time), then
reports the new version if the image was right, else the old one, with the update-mode bit
clear. A transfer that stops in the middle of any other block (the tool interrupted) is
dropped after the same half second: the PLC stays in update mode, answers status reads again
and takes the next bytes as a new image from its head, so running the update again recovers
it. Until then, whatever arrives (a status request too) is taken as more of that block and
not answered. A transfer that stops between two blocks waits for the next block.

Faults:
)help";
    for (const auto& f : qx4t::sim::faultCatalogue()) {
        std::string name(f.name);
        name.resize(24, ' ');
        std::cout << "  " << name << f.help << '\n';
    }
}

bool parseInt(std::string_view text, int base, long long& out) {
    if (text.empty())
        return false;
    std::string s(text);
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(s.c_str(), &end, base);
    return errno == 0 && end && *end == '\0';
}

int usage(const std::string& message) {
    std::cerr << "qx4t-plcsim: " << message << "\nTry 'qx4t-plcsim --help'.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    qx4t::sim::PtyServerOptions options;
    auto& config = options.config;
    bool log = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        auto millis = [&](std::chrono::milliseconds& out) {
            std::string_view v;
            long long n = 0;
            if (!value(v) || !parseInt(v, 10, n) || n < 0 || n > 3600000)
                return false;
            out = std::chrono::milliseconds(n);
            return true;
        };
        std::string_view v;
        long long n = 0;
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        } else if (arg == "--model") {
            if (!value(v))
                return usage("--model needs a value");
            config.model = v;
        } else if (arg == "--version") {
            if (!value(v))
                return usage("--version needs a value");
            config.version = v;
        } else if (arg == "--new-version") {
            if (!value(v))
                return usage("--new-version needs a value");
            config.newVersion = v;
        } else if (arg == "--mode") {
            if (!value(v) || v.size() != 2 || !parseInt(v, 16, n))
                return usage("--mode needs two hex digits");
            config.mode = static_cast<int>(n);
        } else if (arg == "--reply-delay") {
            if (!millis(config.replyDelay))
                return usage("--reply-delay needs milliseconds");
        } else if (arg == "--restart-time") {
            if (!millis(config.restartTime))
                return usage("--restart-time needs milliseconds");
        } else if (arg == "--split-pause") {
            if (!millis(config.splitPause))
                return usage("--split-pause needs milliseconds");
        } else if (arg == "--byte-gap") {
            if (!millis(config.slowByteGap))
                return usage("--byte-gap needs milliseconds");
        } else if (arg == "--entry-code") {
            if (!value(v))
                return usage("--entry-code needs a value");
            config.entryReplyCode = v;
        } else if (arg == "--description") {
            if (!value(v))
                return usage("--description needs a value");
            options.description = v;
        } else if (arg == "--id") {
            if (!value(v) || v.empty())
                return usage("--id needs a value");
            options.identity = v;
        } else if (arg == "--no-register") {
            options.registerPort = false;
        } else if (arg == "--open-to-all-users") {
            options.openToAllUsers = true;
        } else if (arg == "--fault") {
            if (!value(v))
                return usage("--fault needs a name");
            auto kind = qx4t::sim::faultFromName(v);
            if (!kind)
                return usage("unknown fault '" + std::string(v) + "'");
            config.faults.push_back(Fault{*kind});
        } else if (arg == "--fault-on" || arg == "--fault-block" || arg == "--fault-count") {
            if (config.faults.empty())
                return usage(std::string(arg) + " must follow --fault");
            if (!value(v))
                return usage(std::string(arg) + " needs a value");
            Fault& f = config.faults.back();
            if (arg == "--fault-on") {
                auto request = qx4t::sim::requestFromName(v);
                if (!request)
                    return usage("unknown request '" + std::string(v) + "'");
                f.on = *request;
            } else if (!parseInt(v, 10, n) || n < -1 || n > 100000 ||
                       (arg == "--fault-count" && n < 0)) {
                return usage(std::string(arg) + " needs a number");
            } else if (arg == "--fault-block") {
                f.from = static_cast<int>(n);
            } else {
                f.count = static_cast<int>(n);
            }
        } else if (arg == "--log") {
            log = true;
        } else {
            return usage("unknown option '" + std::string(arg) + "'");
        }
    }
    if (std::string why = qx4t::sim::validate(config); !why.empty())
        return usage(why);

    if (log) {
        const auto start = qx4t::SteadyClock::instance().now();
        options.log = [start](const qx4t::sim::Exchange& e) {
            using namespace std::chrono;
            double t = duration<double>(e.at - start).count();
            const std::string hex = qx4t::HexString(e.bytes, ' ');
            std::fprintf(stderr, "%10.3f %s %6zu  %s  [%s]\n", t,
                         e.direction == qx4t::sim::Direction::ToPlc ? "tool>plc" : "plc>tool",
                         e.size, hex.c_str(), e.note.c_str());
        };
    }

    qx4t::quit::install();
    qx4t::sim::PtyServer server(options);
    std::string error;
    if (!server.open(&error)) {
        std::cerr << "qx4t-plcsim: " << error << '\n';
        return 1;
    }
    std::cout << server.portName() << '\n';
    if (!server.secondPortName().empty())
        std::cout << server.secondPortName() << '\n';
    std::cout.flush();
    server.serve(qx4t::quit::fd());
    server.stop();
    return 0;
}
