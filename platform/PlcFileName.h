#pragma once
// The name of a file kept for one PLC (its hold, its note) in a folder shared by every account:
// a stable hash of the PLC's identity, which may hold any character.
#include <string>
#include <string_view>

namespace qx4t {

// "plc-<16 hex digits of FNV-1a of key><suffix>".
[[nodiscard]] std::string plcFileName(const std::string& key, std::string_view suffix);

}  // namespace qx4t
