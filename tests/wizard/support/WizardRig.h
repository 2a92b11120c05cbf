#pragma once
// The whole wizard on virtual time: the frame with a real language library, the in-process
// simulator behind the link, the port list from the simulator (or from a list a test edits),
// and the frame's Next as the user presses it on the connect and version-up pages.
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/ui/VirtualTime.h"
#include "sim/InProcessBench.h"
#include "wizard/frame/BaseDlg.h"
#include "wizard/pages/ConnectDlg.h"
#include "wizard/pages/VerupDlg.h"

class QTemporaryDir;

namespace qx4t::test {

class WizardRig {
    // The frame, watching the page messages on their way in.
    class Frame : public CBaseDlg {
    public:
        using CBaseDlg::CBaseDlg;
        bool endedByPage = false;

    protected:
        long OnMessage(unsigned message, unsigned long wParam, long lParam) override {
            if ((message == WM_MODECHG_END || message == WM_VERSIONUP_END) && wParam == 0) {
                endedByPage = true;
            }
            return CBaseDlg::OnMessage(message, wParam, lParam);
        }
    };

public:
    // Language index 0 (English) or 1 (Japanese); the library must have been built.
    explicit WizardRig(int language = 0);
    ~WizardRig();
    WizardRig(const WizardRig&) = delete;
    WizardRig& operator=(const WizardRig&) = delete;

    // False (with a reason) when the language library is not built.
    [[nodiscard]] bool ready() const { return m_ready; }

    // Runs the frame modally; body runs inside the modal loop, then the frame is cancelled
    // unless it has ended already. The modal result.
    int run(const std::function<void()>& body);
    // A page has told the frame to end the wizard (the page message with 0).
    [[nodiscard]] bool wizardEnded() const { return m_frame->endedByPage; }

    // Disclaimer -> preparation -> connect page.
    void toConnectPage();
    // The frame's Next on the connect page and on the version-up page, as the user presses it.
    void connectNext();
    void verupNext();
    // Moves virtual time until cond holds (bounded); false when the bound passed first.
    bool runUntil(const std::function<bool()>& cond,
                  Clock::duration bound = std::chrono::minutes(10));
    void runFor(Clock::duration d) { m_time->runFor(d); }

    CBaseDlg& frame() { return *m_frame; }
    CConnectDlg& connectPage();
    CVerupDlg& verupPage();
    qx4t::ui::Dialog& page(int id);

    // Status reads that reached the PLC (the restart poll's among them).
    [[nodiscard]] int statusReads(const sim::PlcCore& plc) const;

    VirtualClock clock;
    sim::InProcessBench bench{clock};
    // What port discovery lists; empty optional: the bench's PLCs.
    std::function<std::vector<ports::PortInfo>()> ports;

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Frame> m_frame;
    std::unique_ptr<ui::VirtualTime> m_time;
    bool m_ready = false;
};

// Where screenshots go: ${QX4T_BUILD_DIR}/screenshots (created).
[[nodiscard]] QString screenshotDir();

}  // namespace qx4t::test
