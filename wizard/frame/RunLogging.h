#pragma once
// The wizard's run log, for support: the link's exchanges, every message box with its answer,
// and the page the wizard closed on, in the folder the program named (ui::runLogFolder).
// Without a folder (tests, benches) nothing is written and the link's seams are left alone.
#include <string>

namespace qx4t::frame {

void BeginRunLog();
void EndRunLog(const std::string& outcome);
// A line of its own in the log (what the user is not shown: the operating system's words);
// on the standard error when the run has no log.
void NoteInRunLog(const std::string& text);

}  // namespace qx4t::frame
