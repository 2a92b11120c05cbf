// (a) The full image transfer through the link to the simulator over a pseudo-terminal, against
//     the same bytes pushed through a pseudo-terminal to a peer that only acknowledges blocks.
//     The tool's time less the one designed 100 ms poll for the last block's answer, divided
//     by the raw time; target at most 1.05.
// (b) The update-mode entry with 256 frames, per frame, less the final frame's designed 5.1 s
//     wait for an answer that does not come; target under 1 ms.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "firmware/Images.h"
#include "link/ComManager.h"
#include "sim/PtyServer.h"

namespace {

using Seconds = std::chrono::duration<double>;
using std::chrono::steady_clock;

constexpr double kDesignedLastBlockPoll = 0.100;
constexpr double kDesignedFinalFrameWait = 5.1;

std::wstring wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

double toolTransfer(const qx4t::firmware::Image& image) {
    qx4t::sim::PtyServerOptions options;
    options.registerPort = false;
    options.config.model = "B1";
    options.config.mode = 0x90;
    qx4t::sim::PtyServer server(options);
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        std::exit(1);
    }
    CComManager link;
    if (link.OpenPort(wide(server.portName())) != 0)
        std::exit(1);
    int progress = 0;
    auto t0 = steady_clock::now();
    int rc = link.SendFWImage(image.data, static_cast<std::uint32_t>(image.size), &progress);
    double t = Seconds(steady_clock::now() - t0).count();
    link.ClosePort();
    // Let the simulator take the last block before judging it.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    if (rc != 0 || !server.state().imageIntact.value_or(false)) {
        std::fprintf(stderr, "transfer failed: %d\n", rc);
        std::exit(1);
    }
    return t;
}

// The same bytes, reversed per block as the tool sends them, through the termios port to a
// peer that acknowledges each full unit with one zero byte. With `toSimulator` the same plain
// writer talks to the simulator instead, which shows the simulator's share of the tool's
// overhead apart from the link's.
double rawTransfer(const qx4t::firmware::Image& image, bool toSimulator = false) {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        std::exit(1);
    std::string path = ::ptsname(master);
    std::unique_ptr<qx4t::sim::PtyServer> sim;
    if (toSimulator) {
        qx4t::sim::PtyServerOptions options;
        options.registerPort = false;
        options.config.mode = 0x90;
        sim = std::make_unique<qx4t::sim::PtyServer>(options);
        if (!sim->start())
            std::exit(1);
        path = "/dev/" + sim->portName();
    }
    std::thread peer([&] {
        if (toSimulator)
            return;
        std::vector<char> buf(65536);
        std::size_t unit = 64, have = 0, total = 0;
        while (total < image.size) {
            ssize_t n = ::read(master, buf.data(), std::min(buf.size(), unit - have));
            if (n <= 0)
                break;
            have += static_cast<std::size_t>(n);
            total += static_cast<std::size_t>(n);
            if (have == unit) {
                char ack = 0;
                if (::write(master, &ack, 1) != 1)
                    break;
                have = 0;
                unit = std::min<std::size_t>(65536, image.size - total);
                if (unit < 65536)
                    unit = image.size - total;  // last block: no answer wanted
            }
        }
    });
    auto port = qx4t::serial::makeTermiosPort();
    if (!port->open(path).ok() || !port->configure())
        std::exit(1);
    std::vector<unsigned char> block(65536);
    auto sendUnit = [&](std::size_t at, std::size_t n, bool wait) {
        std::reverse_copy(image.data + at, image.data + at + n, block.begin());
        if (port->write(block.data(), n, std::chrono::seconds(5)).status !=
            qx4t::serial::WriteStatus::Ok)
            std::exit(1);
        if (!wait)
            return;
        if (port->waitReadable(std::chrono::seconds(5)) != qx4t::serial::WaitStatus::Ready)
            std::exit(1);
        char ack;
        if (port->read(&ack, 1) != 1)
            std::exit(1);
    };
    auto t0 = steady_clock::now();
    sendUnit(0, 64, true);
    for (std::size_t at = 64; at < image.size; at += 65536) {
        std::size_t n = std::min<std::size_t>(65536, image.size - at);
        sendUnit(at, n, n == 65536);
    }
    double t = Seconds(steady_clock::now() - t0).count();
    peer.join();
    port->close();
    ::close(master);
    return t;
}

// Reply code characters whose sum with the opening filler's sum makes N = 255.
std::string codeForN255(unsigned fillerSum) {
    unsigned target = (255 + 256 - fillerSum % 256) % 256;
    unsigned total = target;
    while (total < 4 * 0x23)
        total += 256;  // '#' and up, never '!'
    std::string code(4, '#');
    unsigned left = total - 4 * 0x23;
    for (char& c : code) {
        unsigned step = std::min(left, 0x7Eu - 0x23u);
        c = static_cast<char>(0x23 + step);
        left -= step;
    }
    return code;
}

double entryPerFrame(int& frames) {
    const unsigned seed = 4242;
    std::srand(seed);
    unsigned sum = 0;
    (void)CComManager::MakeRandomData(sum);

    qx4t::sim::PtyServerOptions options;
    options.registerPort = false;
    options.config.entryReplyCode = codeForN255(sum);
    qx4t::sim::PtyServer server(options);
    if (!server.start())
        std::exit(1);
    CComManager link;
    if (link.OpenPort(wide(server.portName())) != 0)
        std::exit(1);
    std::srand(seed);  // the link's opening filler is the one summed above
    auto t0 = steady_clock::now();
    int rc = link.StartFWUpdate(L"01.80");
    double t = Seconds(steady_clock::now() - t0).count();
    link.ClosePort();
    auto s = server.state();
    if (rc != 0 || !s.entryComplete) {
        std::fprintf(stderr, "entry failed: %d\n", rc);
        std::exit(1);
    }
    frames = s.entryFrames;
    return (t - kDesignedFinalFrameWait) / frames;
}

}  // namespace

int main() {
    CComManager::SetEventPump([] { return false; });
    const auto image = qx4t::firmware::ethernetImage();
    const int runs = 7;
    double tool = 1e9, raw = 1e9, rawToSim = 1e9;
    for (int i = 0; i < runs; ++i) {
        raw = std::min(raw, rawTransfer(image));
        rawToSim = std::min(rawToSim, rawTransfer(image, true));
        tool = std::min(tool, toolTransfer(image));
    }
    std::printf("image transfer, %zu bytes, best of %d\n", image.size, runs);
    std::printf("  raw baseline           %8.3f ms\n", raw * 1e3);
    std::printf("  raw writer to the sim  %8.3f ms\n", rawToSim * 1e3);
    std::printf("  tool (link + sim)      %8.3f ms\n", tool * 1e3);
    std::printf("  tool less 100 ms poll  %8.3f ms\n", (tool - kDesignedLastBlockPoll) * 1e3);
    std::printf("  ratio                  %8.3f (target <= 1.05)\n",
                (tool - kDesignedLastBlockPoll) / raw);

    int frames = 0;
    double perFrame = entryPerFrame(frames);
    std::printf("update-mode entry, %d frames\n", frames);
    std::printf("  per frame less the final 5.1 s wait  %.3f ms (target < 1 ms)\n", perFrame * 1e3);
    return 0;
}
