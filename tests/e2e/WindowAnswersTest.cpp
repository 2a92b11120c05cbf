// While the link waits for a PLC that is slow to answer, the window still answers: questions
// posted from another thread, the way the accessibility bridge delivers a screen reader's
// queries, are answered within a second. Measured on the machine's clock over a real
// pseudo-terminal whose far end stays silent.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QAccessible>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

#include "link/ComManager.h"
#include "platform/text/Utf8.h"
#include "platform/ui/Timers.h"
#include "tests/platform/ui/support/UiTestSupport.h"

namespace {

using namespace std::chrono_literals;
using SteadyTime = std::chrono::steady_clock;

// A screen reader's reading of one control takes a few dozen questions; all are answered
// within the bound.
constexpr int kQuestions = 20;
constexpr auto kAnswerBound = 1s;
// Bounds the test's own waits; only a failure reaches them.
constexpr auto kGiveUp = 10s;

TEST(WindowWhileTheLinkWaits, AnswersAccessibilityQueriesWithinASecond) {
    qx4t::test::ensureApplication();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);

    QLabel label(QStringLiteral("Version-up"));
    label.setAccessibleName(QStringLiteral("Version-up status"));
    label.show();

    // The wizard's own pump and wait, as the frame installs them.
    CComManager::SetEventPump([] { return qx4t::ui::pumpOnce(); });
    CComManager::SetPortWait(qx4t::ui::waitForPort);
    CComManager link;
    ASSERT_EQ(link.OpenPort(qx4t::utf8ToWide(slave.substr(5))), 0);

    // A screen reader asks question after question, each once the last is answered.
    std::mutex mutex;
    std::condition_variable answeredCv;
    int answered = 0;
    QString answer;
    SteadyTime::duration total{};
    SteadyTime::duration slowest{};

    std::thread asker([&] {
        // Once the request is on the line the link is waiting for its reply.
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::chrono::milliseconds(kGiveUp).count())) <= 0) {
            return;
        }
        const auto start = SteadyTime::now();
        for (int i = 0; i < kQuestions; ++i) {
            const auto asked = SteadyTime::now();
            QMetaObject::invokeMethod(
                &label,
                [&] {
                    const QString name =
                        QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name);
                    std::lock_guard<std::mutex> lock(mutex);
                    answer = name;
                    ++answered;
                    answeredCv.notify_all();
                },
                Qt::QueuedConnection);
            std::unique_lock<std::mutex> lock(mutex);
            if (!answeredCv.wait_for(lock, kGiveUp, [&] { return answered > i; })) {
                break;
            }
            slowest = std::max(slowest, SteadyTime::now() - asked);
        }
        total = SteadyTime::now() - start;
        // Now the PLC answers (too short to be a status reply), so that the wait ends.
        const char byte = '%';
        (void)::write(master, &byte, 1);
    });
    const int rc = link.ReadPlcStatus(nullptr);
    asker.join();
    link.ClosePort();
    CComManager::SetEventPump(nullptr);
    CComManager::SetPortWait(nullptr);
    ::close(master);

    EXPECT_NE(rc, 0);
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_EQ(answered, kQuestions) << "not answered while the link waited";
    EXPECT_EQ(answer, QStringLiteral("Version-up status"));
    const auto ms = [](SteadyTime::duration d) {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
    };
    std::cout << kQuestions << " questions answered while the link waits in " << ms(total)
              << " ms, the slowest in " << ms(slowest) << " ms\n";
    RecordProperty("answers_ms", ms(total));
    RecordProperty("slowest_answer_ms", ms(slowest));
    EXPECT_LT(total, kAnswerBound);
}

}  // namespace
