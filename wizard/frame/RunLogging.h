#pragma once
// The wizard's run log, for support: the link's exchanges, every message box with its answer,
// and the page the wizard closed on, in the folder the program named (ui::runLogFolder).
// Without a folder (tests, benches) nothing is written and the link's seams are left alone.
#include <string>

namespace qx4t::frame {

void BeginRunLog();
void EndRunLog(const std::string& outcome);

}  // namespace qx4t::frame
