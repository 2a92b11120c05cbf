#include "platform/ui/Timers.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "platform/Quit.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/VirtualTime.h"

namespace qx4t::ui {
namespace {

const Clock* g_clock = nullptr;

struct Entry {
    Dialog* owner;
    int id;
    Clock::duration period;
    Clock::time_point due;
    unsigned long long seq;  // order of arming, for timers due at the same moment
};

std::vector<Entry> g_entries;
unsigned long long g_seq = 0;
QPointer<QTimer> g_wake;
QPointer<QSocketNotifier> g_quitNotifier;

std::vector<Entry>::iterator findEntry(const Dialog* owner, int id) {
    return std::find_if(g_entries.begin(), g_entries.end(),
                        [&](const Entry& e) { return e.owner == owner && e.id == id; });
}

// Only the program's real event loop needs waking; on a virtual clock the test drives time.
void rearmWake() {
    if (!usingSteadyClock() || QCoreApplication::instance() == nullptr) {
        if (g_wake) {
            g_wake->stop();
        }
        return;
    }
    if (!g_wake) {
        g_wake = new QTimer(QCoreApplication::instance());
        g_wake->setSingleShot(true);
        g_wake->setTimerType(Qt::PreciseTimer);
        QObject::connect(g_wake, &QTimer::timeout, [] { TimerQueue::instance().fireDue(); });
    }
    const auto next = TimerQueue::instance().nextDue();
    if (!next) {
        g_wake->stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - clock().now()).count();
    g_wake->start(static_cast<int>(std::clamp<long long>(wait, 0, 24 * 3600 * 1000)));
}

}  // namespace

const Clock& clock() {
    return g_clock ? *g_clock : SteadyClock::instance();
}

void setClock(const Clock* c) {
    g_clock = c;
    const auto now = clock().now();
    for (Entry& e : g_entries) {
        e.due = now + e.period;
    }
    rearmWake();
}

bool usingSteadyClock() {
    return g_clock == nullptr;
}

TimerQueue& TimerQueue::instance() {
    static TimerQueue queue;
    return queue;
}

void TimerQueue::set(Dialog* owner, int id, std::chrono::milliseconds period) {
    const Clock::duration p = std::max<Clock::duration>(period, std::chrono::milliseconds(1));
    const auto due = clock().now() + p;
    auto it = findEntry(owner, id);
    if (it != g_entries.end()) {
        it->period = p;
        it->due = due;
        it->seq = ++g_seq;
    } else {
        g_entries.push_back(Entry{owner, id, p, due, ++g_seq});
    }
    rearmWake();
}

bool TimerQueue::kill(const Dialog* owner, int id) {
    auto it = findEntry(owner, id);
    if (it == g_entries.end()) {
        return false;
    }
    g_entries.erase(it);
    rearmWake();
    return true;
}

void TimerQueue::killAll(const Dialog* owner) {
    std::erase_if(g_entries, [&](const Entry& e) { return e.owner == owner; });
    rearmWake();
}

bool TimerQueue::armed(const Dialog* owner) const {
    return std::any_of(g_entries.begin(), g_entries.end(),
                       [&](const Entry& e) { return e.owner == owner; });
}

bool TimerQueue::armed(const Dialog* owner, int id) const {
    return findEntry(owner, id) != g_entries.end();
}

std::optional<Clock::time_point> TimerQueue::nextDue() const {
    if (g_entries.empty()) {
        return std::nullopt;
    }
    return std::min_element(g_entries.begin(), g_entries.end(),
                            [](const Entry& a, const Entry& b) { return a.due < b.due; })
        ->due;
}

int TimerQueue::fireDue() {
    const auto now = clock().now();
    std::vector<Entry> due;
    for (const Entry& e : g_entries) {
        if (e.due <= now) {
            due.push_back(e);
        }
    }
    std::sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.seq < b.seq;
    });
    int fired = 0;
    for (const Entry& d : due) {
        // An earlier handler may have killed or re-armed this timer, or destroyed its owner
        // (which kills the owner's timers): look it up again before firing.
        auto it = findEntry(d.owner, d.id);
        if (it == g_entries.end() || it->seq != d.seq || it->due > clock().now()) {
            continue;
        }
        // Re-armed from now, not from the missed due time: a late timer fires once.
        it->due = clock().now() + it->period;
        ++fired;
        d.owner->OnTimer(d.id);
    }
    rearmWake();
    return fired;
}

bool pumpOnce() {
    TimerQueue::instance().fireDue();
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return quit::requested();
}

serial::WaitStatus waitForPort(serial::SerialPort& port, std::chrono::milliseconds timeout) {
    if (!usingSteadyClock() || QCoreApplication::instance() == nullptr || port.handle() < 0) {
        return port.waitReadable(timeout);
    }
    QEventLoop loop;
    QSocketNotifier input(port.handle(), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &loop, [&loop] { loop.quit(); });
    QTimer end;
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);
    QObject::connect(&end, &QTimer::timeout, &loop, [&loop] { loop.quit(); });
    end.start(timeout);
    loop.exec();
    // The port says what woke the loop: bytes, a hung-up line, or nothing in time.
    return port.waitReadable(std::chrono::milliseconds(0));
}

void installQuitHook() {
    quit::install();
    if (g_quitNotifier || QCoreApplication::instance() == nullptr || quit::fd() < 0) {
        return;
    }
    g_quitNotifier =
        new QSocketNotifier(quit::fd(), QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(g_quitNotifier, &QSocketNotifier::activated, [] {
        // Drain the wake-ups but keep the request itself: the link's wait must see it too.
        char buf[64];
        while (::read(quit::fd(), buf, sizeof buf) > 0) {
        }
        if (quit::requested()) {
            closeMessageBoxes();
            Dialog::quitModalRuns();
        }
    });
}

void requestQuit() {
    quit::request();
}

bool quitRequested() {
    return quit::requested();
}

void resetQuit() {
    quit::reset();
}

VirtualTime::VirtualTime(VirtualClock& clock) : clock_(clock) {
    setClock(&clock_);
}

VirtualTime::~VirtualTime() {
    setClock(nullptr);
}

void VirtualTime::runFor(Clock::duration d) {
    const auto end = clock_.now() + d;
    for (;;) {
        (void)pumpOnce();
        const auto next = TimerQueue::instance().nextDue();
        if (!next || *next > end) {
            break;
        }
        clock_.advanceTo(*next);
    }
    clock_.advanceTo(end);
    (void)pumpOnce();
}

bool VirtualTime::runUntil(const std::function<bool()>& done, Clock::duration bound) {
    const auto end = clock_.now() + bound;
    for (;;) {
        (void)pumpOnce();
        if (done()) {
            return true;
        }
        const auto next = TimerQueue::instance().nextDue();
        if (!next || *next > end) {
            clock_.advanceTo(end);
            (void)pumpOnce();
            return done();
        }
        clock_.advanceTo(*next);
    }
}

}  // namespace qx4t::ui
