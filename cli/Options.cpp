#include "cli/Options.h"

#include <string_view>

#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {
namespace {

enum Flag : unsigned {
    kFlagAll = 1u << 0,
    kFlagJson = 1u << 1,
    kFlagPort = 1u << 2,
    kFlagYes = 1u << 3,
    kFlagAllowModeChange = 1u << 4,
    kFlagLog = 1u << 5,
    kFlagSimulate = 1u << 6,
};

unsigned AllowedFlags(Command command) {
    switch (command) {
        case Command::Ports:
            return kFlagAll | kFlagJson;
        case Command::Status:
        case Command::Doctor:
            return kFlagPort | kFlagJson;
        case Command::Update:
            return kFlagPort | kFlagYes | kFlagAllowModeChange | kFlagLog | kFlagJson |
                   kFlagSimulate;
        default:
            return 0;
    }
}

// Splits "--name=value"; value is empty and hasValue false without "=".
struct Arg {
    std::string_view name;
    std::string_view value;
    bool hasValue = false;
};

Arg Split(std::string_view arg) {
    const auto eq = arg.find('=');
    if (eq == std::string_view::npos || !arg.starts_with("--"))
        return {arg, {}, false};
    return {arg.substr(0, eq), arg.substr(eq + 1), true};
}

}  // namespace

std::string UsageLine() {
    return "usage: qx4t-vup ports [--all] [--json]\n"
           "       qx4t-vup status [--port NAME] [--json]\n"
           "       qx4t-vup update [--port NAME] [--yes] [--allow-mode-change] [--log FILE]"
           " [--json] [--simulate]\n"
           "       qx4t-vup doctor [--port NAME] [--json]\n"
           "       qx4t-vup --help | --version [--json]\n";
}

std::string HelpText() {
    return "qx4t-vup: firmware version-up of QX4T PLCs from the command line.\n\n" + UsageLine() +
           "\n"
           "Commands:\n"
           "  ports     list the serial ports behind which a QX4T PLC sits\n"
           "            --all   also list the other serial ports, with their descriptions\n"
           "  status    read and show the PLC's model, firmware version and mode\n"
           "  update    take the PLC to the firmware version this tool carries, with the\n"
           "            checks of the wizard; after the image, wait at most two minutes in\n"
           "            all for the PLC to come back with the new version\n"
           "  doctor    name what keeps this user from the PLC's port (the port itself,\n"
           "            access and groups, the udev rule, ModemManager, brltty, programs\n"
           "            holding it, the tool's folders, notes of unverified updates), one\n"
           "            check a line with its fix; exit 0 when nothing stands in the way\n"
           "            (\"cannot tell\" warns), 2 when something does\n\n"
           "Options:\n"
           "  --port NAME          the port as `ports` lists it (serial/by-id/..., ttyACM0,\n"
           "                       pts/7); default: the one PLC found, none or several is an "
           "error\n"
           "  --yes                do not ask before the version-up\n"
           "  --allow-mode-change  change the PLC's mode when its mode value calls for it\n"
           "  --log FILE           write every exchange with the PLC (time, direction, hex\n"
           "                       bytes) to FILE\n"
           "  --json               one JSON object per line on stdout, ending with a result\n"
           "                       object; messages and questions go to stderr; with\n"
           "                       --version: one object with the tool's version and the\n"
           "                       target firmware version\n"
           "  --simulate           run against a built-in simulated PLC on a pseudo-terminal\n"
           "  --help, --version\n\n"
           "An update interrupted after the PLC entered its update mode is recovered by\n"
           "running the update again. Until an update of a PLC has been verified, the tool\n"
           "keeps a note of it; a PLC that then does not answer may be waiting for the rest\n"
           "of an image (exit code 5, from status as from update).\n\n"
           // Files and exit codes are entries of the manual page too, in the same words;
           // packaging/check-man-page.sh compares them entry by entry.
           "Files:\n"
           "  $XDG_STATE_HOME/qx4t/ (~/.local/state/qx4t/)\n"
           "      the log of each update run without --log and of the wizard: the exchanges\n"
           "      with the PLC, the image blocks as number, length and CRC-32, and the\n"
           "      outcome; the last 20 runs are kept\n"
           "  /var/lib/qx4t-vuptool/notes/\n"
           "      the note of each PLC whose update has begun and has not yet been verified,\n"
           "      one file per PLC, shared by the wizard and qx4t-vup of every account\n"
           "  $XDG_STATE_HOME/qx4t/pending-updates\n"
           "      the notes kept for this account alone where the machine has no folder of\n"
           "      notes, and those of earlier releases\n"
           "  /usr/lib/udev/rules.d/70-qx4t-plc.rules\n"
           "      gives the user at the seat and the group dialout access to the PLC's port\n"
           "      and keeps ModemManager away from it\n\n"
           "Exit codes:\n"
           "    0  success: the PLC runs the target version; ports: at least one PLC listed;\n"
           "       doctor: nothing stands in the way\n"
           "    1  usage error; also: the --log file or the note of the update cannot be\n"
           "       written (the firmware is then untouched)\n"
           "    2  no PLC, several PLCs, the port cannot be opened (missing, busy, no\n"
           "       permission), the PLC cannot be told apart from another, or another\n"
           "       tool holds it; ports: no PLC listed; doctor: something stands in the\n"
           "       way of the port, or no PLC is found without --port\n"
           "    3  refused by a check (model, version, mode, missing image) or by the\n"
           "       user's answer\n"
           "    4  communication failure before the update-mode entry began (the firmware is\n"
           "       untouched; a mode change may have been made)\n"
           "    5  failure from the update-mode entry on, or no answer from a PLC whose\n"
           "       earlier update was not verified (the PLC may be in update mode: run the\n"
           "       update again)\n"
           "    6  the PLC restarted with another version\n"
           "  130  interrupted (Ctrl-C, SIGTERM)\n";
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
    ParseResult result;
    Options& o = result.options;
    if (args.empty()) {
        result.error = "no command given";
        return result;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        if (args.size() > 1)
            result.error = "--help takes no arguments";
        o.command = Command::Help;
        return result;
    }
    if (first == "--version") {
        o.command = Command::Version;
        if (args.size() == 2 && args[1] == "--json")
            o.json = true;
        else if (args.size() > 1)
            result.error = "--version takes no arguments but --json";
        return result;
    }
    if (first == "ports") {
        o.command = Command::Ports;
    } else if (first == "status") {
        o.command = Command::Status;
    } else if (first == "update") {
        o.command = Command::Update;
    } else if (first == "doctor") {
        o.command = Command::Doctor;
    } else {
        result.error = "unknown command '" + first + "'";
        return result;
    }

    const unsigned allowed = AllowedFlags(o.command);
    unsigned seen = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const Arg arg = Split(args[i]);
        unsigned flag = 0;
        if (arg.name == "--help" || arg.name == "-h") {
            o.command = Command::Help;
            return result;
        }
        if (arg.name == "--all")
            flag = kFlagAll;
        if (arg.name == "--json")
            flag = kFlagJson;
        if (arg.name == "--port")
            flag = kFlagPort;
        if (arg.name == "--yes" || arg.name == "-y")
            flag = kFlagYes;
        if (arg.name == "--allow-mode-change")
            flag = kFlagAllowModeChange;
        if (arg.name == "--log")
            flag = kFlagLog;
        if (arg.name == "--simulate")
            flag = kFlagSimulate;
        if (flag == 0) {
            result.error = "unknown option '" + args[i] + "'";
            return result;
        }
        if ((allowed & flag) == 0) {
            result.error = std::string(arg.name) + " does not apply to '" + first + "'";
            return result;
        }
        if ((seen & flag) != 0) {
            result.error = std::string(arg.name) + " given twice";
            return result;
        }
        seen |= flag;

        const bool takesValue = flag == kFlagPort || flag == kFlagLog;
        std::string value;
        if (takesValue) {
            if (arg.hasValue) {
                value = std::string(arg.value);
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("-")) {
                // No port or file name here starts with "-": "--port --json" lacks its value.
                value = args[++i];
            } else {
                result.error = std::string(arg.name) + " needs a value";
                return result;
            }
            if (value.empty()) {
                result.error = std::string(arg.name) + " needs a value";
                return result;
            }
        } else if (arg.hasValue) {
            result.error = std::string(arg.name) + " takes no value";
            return result;
        }

        switch (flag) {
            case kFlagAll:
                o.all = true;
                break;
            case kFlagJson:
                o.json = true;
                break;
            case kFlagPort: {
                // "/dev/ttyACM0" is accepted for "ttyACM0" (and "\\.\com03" for "COM3"): the
                // link adds the prefix itself.
                o.port = ports::portNameOf(value);
                if (o.port.empty()) {
                    result.error = "--port needs a port name";
                    return result;
                }
                break;
            }
            case kFlagYes:
                o.yes = true;
                break;
            case kFlagAllowModeChange:
                o.allowModeChange = true;
                break;
            case kFlagLog:
                o.logFile = value;
                break;
            case kFlagSimulate:
                o.simulate = true;
                break;
        }
    }
    if (o.simulate && !o.port.empty()) {
        result.error = "--simulate and --port exclude each other";
    }
    return result;
}

}  // namespace qx4t::cli
