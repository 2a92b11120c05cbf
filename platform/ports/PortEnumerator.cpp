#include "platform/ports/PortEnumerator.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>

#include "platform/serial/SerialPort.h"
#include "platform/text/Utf8.h"

namespace qx4t::ports {
namespace fs = std::filesystem;

namespace {

// sysfs attributes and udev records are small; anything larger is not what we look for.
constexpr std::size_t kMaxAttributeBytes = 64 * 1024;

std::optional<std::string> readSmallFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kMaxAttributeBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// A sysfs attribute without its trailing newline.
std::optional<std::string> readAttribute(const fs::path& file) {
    auto text = readSmallFile(file);
    if (text) {
        while (!text->empty() && (text->back() == '\n' || text->back() == '\r')) {
            text->pop_back();
        }
    }
    return text;
}

// The E: lines of a udev database record, and its tags (G: and Q: lines) when asked for.
std::map<std::string, std::string> readUdevProperties(const fs::path& file,
                                                      std::vector<std::string>* tags = nullptr,
                                                      bool* found = nullptr) {
    std::map<std::string, std::string> properties;
    const auto text = readSmallFile(file);
    if (found != nullptr) {
        *found = text.has_value();
    }
    if (!text) {
        return properties;
    }
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) {
            end = text->size();
        }
        const std::string_view line(text->data() + start, end - start);
        if (line.starts_with("E:")) {
            const auto eq = line.find('=');
            if (eq != std::string_view::npos && eq > 2) {
                properties.emplace(std::string(line.substr(2, eq - 2)),
                                   std::string(line.substr(eq + 1)));
            }
        } else if (tags != nullptr && (line.starts_with("G:") || line.starts_with("Q:"))) {
            const std::string tag(line.substr(2));
            if (std::find(tags->begin(), tags->end(), tag) == tags->end()) {
                tags->push_back(tag);
            }
        }
        start = end + 1;
    }
    return properties;
}

std::string propertyOr(const std::map<std::string, std::string>& properties,
                       const std::string& key) {
    const auto it = properties.find(key);
    return it == properties.end() ? std::string() : it->second;
}

// "ttyACM2" before "ttyACM10": digit runs compare by value.
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            std::string_view na(a.data() + i, ei - i);
            std::string_view nb(b.data() + j, ej - j);
            while (na.size() > 1 && na.front() == '0')
                na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0')
                nb.remove_prefix(1);
            if (na.size() != nb.size()) {
                return na.size() < nb.size();
            }
            if (na != nb) {
                return na < nb;
            }
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) {
                return a[i] < b[j];
            }
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) {
        return (a.size() - i) < (b.size() - j);
    }
    return a < b;
}

bool isPhantomLegacyPort(const std::string& kernelName, const fs::path& ttyDir) {
    if (!kernelName.starts_with("ttyS")) {
        return false;
    }
    const auto type = readAttribute(ttyDir / "type");
    if (!type || type->empty()) {
        return true;
    }
    const bool allZero = std::all_of(type->begin(), type->end(), [](char c) { return c == '0'; });
    const bool numeric = std::all_of(type->begin(), type->end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    return !numeric || allZero;
}

std::string driverName(const fs::path& deviceLink) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(deviceLink / "driver", ec);
    return ec ? std::string() : target.filename().string();
}

struct UsbAncestor {
    fs::path device;            // the USB device: the nearest ancestor with an idVendor
    std::string interfaceName;  // its child on the way down, the interface ("1-1.2:1.0")
};

// The USB device a tty hangs off, if it does.
std::optional<UsbAncestor> usbAncestor(const fs::path& deviceLink, const fs::path& sysfsRoot) {
    std::error_code ec;
    fs::path dir = fs::canonical(deviceLink, ec);
    if (ec) {
        return std::nullopt;
    }
    const fs::path root = fs::weakly_canonical(sysfsRoot, ec);
    std::string child;
    while (!dir.empty() && dir != root && dir != dir.parent_path()) {
        if (fs::exists(dir / "idVendor", ec)) {
            return UsbAncestor{dir, child};
        }
        child = dir.filename().string();
        dir = dir.parent_path();
    }
    return std::nullopt;
}

// What stays the same when the device comes back, under whatever name: the USB serial number
// where the device has one, and where it is plugged in. The interface keeps apart the ports
// of one device with several.
void usbFacts(const UsbAncestor& usb, PortInfo& info) {
    const std::string serial = readAttribute(usb.device / "serial").value_or(std::string());
    if (!serial.empty()) {
        const auto colon = usb.interfaceName.find(':');
        const std::string interface =
            colon == std::string::npos ? std::string() : usb.interfaceName.substr(colon + 1);
        info.serialKey = "usb-serial:" + serial + (interface.empty() ? "" : "/" + interface);
    }
    info.pathKey = "usb-path:" +
                   (usb.interfaceName.empty() ? usb.device.filename().string() : usb.interfaceName);
}

std::string deviceNumber(dev_t rdev) {
    return std::to_string(major(rdev)) + ":" + std::to_string(minor(rdev));
}

// Stable names by the device they point at.
std::map<fs::path, std::string> stableNames(const fs::path& devRoot) {
    std::map<fs::path, std::string> names;
    const fs::path byId = devRoot / "serial" / "by-id";
    std::error_code ec;
    std::vector<std::string> links;
    for (fs::directory_iterator it(byId, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_symlink(ec)) {
            links.push_back(it->path().filename().string());
        }
    }
    std::sort(links.begin(), links.end());
    for (const auto& link : links) {
        const fs::path target = fs::read_symlink(byId / link, ec);
        if (ec) {
            continue;
        }
        const fs::path resolved = fs::weakly_canonical(byId / target, ec);
        if (!ec) {
            names.emplace(resolved, "serial/by-id/" + link);
        }
    }
    return names;
}

std::vector<PortInfo> enumerateTtyDevices(const DiscoveryRoots& roots) {
    const fs::path classDir = fs::path(roots.sysfs) / "class" / "tty";
    std::error_code ec;
    std::vector<std::string> kernelNames;
    for (fs::directory_iterator it(classDir, ec), end; !ec && it != end; it.increment(ec)) {
        kernelNames.push_back(it->path().filename().string());
    }
    std::sort(kernelNames.begin(), kernelNames.end(), naturalLess);

    const auto byId = stableNames(roots.devRoot);
    std::vector<PortInfo> ports;
    for (const auto& kernelName : kernelNames) {
        const fs::path ttyDir = classDir / kernelName;
        const fs::path deviceLink = ttyDir / "device";
        if (!fs::exists(deviceLink, ec) || isPhantomLegacyPort(kernelName, ttyDir)) {
            continue;
        }
        PortInfo info;
        info.driver = driverName(deviceLink);

        // sysfs spells a '/' in a device name as '!'.
        std::string devName = kernelName;
        std::replace(devName.begin(), devName.end(), '!', '/');

        std::map<std::string, std::string> udev;
        const auto dev = readAttribute(ttyDir / "dev");
        const bool devNumber =
            dev && !dev->empty() && std::all_of(dev->begin(), dev->end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == ':';
            });
        if (devNumber) {
            udev = readUdevProperties(fs::path(roots.udevData) / ("c" + *dev));
        }
        const auto usb = usbAncestor(deviceLink, roots.sysfs);
        info.description = propertyOr(udev, "QX4T_DESCRIPTION");
        if (info.description.empty() && usb) {
            info.description = readAttribute(usb->device / "product").value_or(std::string());
        }
        if (info.description.empty()) {
            info.description = propertyOr(udev, "ID_MODEL_FROM_DATABASE");
        }
        if (info.description.empty()) {
            info.description = info.driver;
        }

        const fs::path node = fs::weakly_canonical(fs::path(roots.devRoot) / devName, ec);
        const auto stable = ec ? byId.end() : byId.find(node);
        info.name = stable != byId.end() ? stable->second : devName;
        if (usb)
            usbFacts(*usb, info);
        if (devNumber)
            info.device = *dev;
        ports.push_back(std::move(info));
    }
    return ports;
}

}  // namespace

std::vector<PortInfo> enumeratePorts(const DiscoveryRoots& roots,
                                     std::vector<std::string>* problems) {
    std::vector<PortInfo> ports = enumerateTtyDevices(roots);
    std::string problem;
    auto registered = readVirtualPorts(
        roots.registry.empty() ? defaultRegistryFolder() : roots.registry, nullptr, &problem);
    if (problems != nullptr && !problem.empty())
        problems->push_back("simulated ports are not listed: " + problem);
    for (auto& info : registered)
        info.device = deviceNodeOf((fs::path(roots.devRoot) / info.name).string()).device;
    ports.insert(ports.end(), std::make_move_iterator(registered.begin()),
                 std::make_move_iterator(registered.end()));
    assignIdentities(ports);
    return ports;
}

UdevRecord readUdevRecord(const std::string& device, const DiscoveryRoots& roots) {
    UdevRecord record;
    if (device.empty()) {
        return record;
    }
    record.properties =
        readUdevProperties(fs::path(roots.udevData) / ("c" + device), &record.tags, &record.found);
    const fs::path node = fs::path(roots.sysfs) / "dev" / "char" / device;
    if (const auto usb = usbAncestor(node, roots.sysfs)) {
        const auto dev = readAttribute(usb->device / "dev");
        if (dev && !dev->empty()) {
            record.usbProperties = readUdevProperties(fs::path(roots.udevData) / ("c" + *dev));
        }
    }
    return record;
}

std::string portNameOf(const std::string& typed) {
    const std::string prefix = wideToUtf8(serial::devicePrefix());
    return typed.starts_with(prefix) ? typed.substr(prefix.size()) : typed;
}

DeviceNode deviceNodeOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    if (!S_ISCHR(st.st_mode))
        return {DeviceNode::Kind::NotSerial, {}};
    return {DeviceNode::Kind::CharDevice, deviceNumber(st.st_rdev)};
}

std::string deviceOfDescriptor(int fd) {
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return {};
    return deviceNumber(st.st_rdev);
}

}  // namespace qx4t::ports
