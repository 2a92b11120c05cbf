// What the doctor reads of a Windows machine: whether the COM port is there and whether another
// program has it open (Windows says so, not who), the folders and the notes. Groups, udev,
// ModemManager, brltty and the simulated-port registry have no counterpart here: their checks
// are left out.
#include <windows.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "cli/DoctorFacts.h"
#include "platform/AppFolders.h"
#include "platform/serial/SerialPort.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

namespace fs = std::filesystem;

FolderFacts LookAtFolder(const std::string& path) {
    FolderFacts f;
    f.path = path;
    if (path.empty())
        return f;
    std::error_code ec;
    const fs::path folder(utf8ToWide(path));
    const auto status = fs::status(folder, ec);
    if (!fs::exists(status)) {
        f.state = FolderFacts::State::Missing;
        fs::path above = folder.parent_path();
        while (!above.empty() && !fs::exists(above, ec) && above != above.root_path())
            above = above.parent_path();
        f.canBeMade = fs::is_directory(above, ec);
        return f;
    }
    f.state =
        fs::is_directory(status) ? FolderFacts::State::Usable : FolderFacts::State::NotAFolder;
    return f;
}

MachineFacts LookAtMachine(const PendingUpdates& notes) {
    MachineFacts facts;
    facts.accounts = false;
    wchar_t name[256] = {};
    DWORD size = static_cast<DWORD>(std::size(name));
    facts.viewer.name = ::GetUserNameW(name, &size) ? wideToUtf8(name) : "this user";
    facts.stateFolder = LookAtFolder(logFolder());
    ReadNotes(notes, facts);
    return facts;
}

// Opening the port is the only way Windows tells whether it is there and free; it is closed
// again at once.
DeviceFacts LookAtDevice(const std::string& port) {
    DeviceFacts d;
    d.path = wideToUtf8(serial::devicePrefix()) + port;
    auto probe = serial::makeSystemPort();
    const serial::OpenResult opened = probe->open(d.path);
    probe->close();
    switch (opened.status) {
        case serial::OpenStatus::NotFound:
            d.kind = DeviceFacts::Kind::Missing;
            break;
        case serial::OpenStatus::Failed:
            d.kind = opened.reason == "not a serial device" ? DeviceFacts::Kind::NotSerial
                                                            : DeviceFacts::Kind::Serial;
            break;
        case serial::OpenStatus::Busy:
        case serial::OpenStatus::PermissionDenied:
            d.kind = DeviceFacts::Kind::Serial;
            d.busyUnnamed = true;
            break;
        case serial::OpenStatus::Ok:
            d.kind = DeviceFacts::Kind::Serial;
            break;
    }
    return d;
}

}  // namespace

DoctorLookups MachineDoctorLookups() {
    DoctorLookups lookups;
    lookups.machine = LookAtMachine;
    lookups.device = LookAtDevice;
    return lookups;
}

}  // namespace qx4t::cli
