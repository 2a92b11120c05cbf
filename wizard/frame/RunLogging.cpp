#include "wizard/frame/RunLogging.h"

#include <cstdio>
#include <ctime>

#include "link/ComManager.h"
#include "link/RunLog.h"
#include "platform/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RunLogFolder.h"

namespace qx4t::frame {
namespace {

link::RunLog& runLog() {
    static link::RunLog log;
    return log;
}

const char* answerName(int result) {
    switch (result) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        case IDRETRY:
            return "Retry";
        default:
            return "closed";
    }
}

void noteMessageBox(const ui::MessageBoxRequest& box, int result) {
    QString text = box.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    runLog().note("message " + std::to_string(box.textId) + " \"" + box.caption.toStdString() +
                  "\": " + text.toStdString() + " -> " + answerName(result));
}

}  // namespace

void BeginRunLog() {
    const std::string& folder = ui::runLogFolder();
    if (folder.empty() || runLog().isOpen()) {
        return;
    }
    const auto seed = static_cast<unsigned>(std::time(nullptr));
    if (!runLog().open(folder, "wizard", SteadyClock::instance(), seed)) {
        // The log is for support; the wizard runs without one.
        std::fprintf(stderr, "Qx4t_V0180_VupTool: no run log: %s\n", runLog().error().c_str());
        return;
    }
    // Every link of this run draws its update-mode entry's filler from the seed the log
    // names, so that the log plays back as the run went.
    CComManager::SetFillerSeed([seed] { return seed; });
    CComManager::SetTranscript(
        [](char direction, const std::string& bytes) { runLog().exchange(direction, bytes); });
    ui::setMessageBoxObserver(noteMessageBox);
}

void NoteInRunLog(const std::string& text) {
    if (runLog().isOpen()) {
        runLog().note(text);
    } else if (!ui::runLogFolder().empty()) {
        // The log could not be made (often for the same reason): the session's log keeps it.
        std::fprintf(stderr, "Qx4t_V0180_VupTool: %s\n", text.c_str());
    }
}

void EndRunLog(const std::string& outcome) {
    if (!runLog().isOpen()) {
        return;
    }
    ui::setMessageBoxObserver({});
    CComManager::SetTranscript({});
    CComManager::SetFillerSeed({});
    if (!runLog().close(outcome)) {
        std::fprintf(stderr, "Qx4t_V0180_VupTool: writing the run log %s failed\n",
                     runLog().path().c_str());
    }
}

}  // namespace qx4t::frame
