#pragma once
// Where the tool keeps files of its own between runs: state (what a later run needs to know)
// and logs (what support asks for). Linux follows the XDG base directories, Windows the user's
// local application data. The folders are named, not created: the writer creates them.
#include <string>

namespace qx4t {

// $XDG_STATE_HOME/qx4t, else $HOME/.local/state/qx4t; %LOCALAPPDATA%\QX4T\state on Windows.
// "" when the environment names no home for it.
[[nodiscard]] std::string stateFolder();
// <stateFolder()>/log on Linux (XDG keeps logs with the state); %LOCALAPPDATA%\QX4T\logs on
// Windows. "" when stateFolder() is.
[[nodiscard]] std::string logFolder();
// stateFolder(); on Linux, when HOME names no folder (a service, a stripped environment), the
// state folder under the home folder the user database gives the account. For what must be
// found whatever the environment: the record of updates in progress.
[[nodiscard]] std::string accountStateFolder();
// `name` inside `folder`, with the platform's separator.
[[nodiscard]] std::string pathIn(const std::string& folder, const std::string& name);

}  // namespace qx4t
