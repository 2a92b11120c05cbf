#pragma once
// A strict reader for the JSON objects that qx4t-vup writes, one per line, so that tests
// check what a script would parse rather than the text.
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qx4t::test {

using JsonValue = std::variant<std::nullptr_t, bool, double, std::string>;
using JsonRecord = std::map<std::string, JsonValue>;

// nullopt unless the whole line is one well-formed object of scalar values and objects; the
// members of an object are read as "outer.inner", the object itself as the string "<object>".
[[nodiscard]] std::optional<JsonRecord> ParseJsonObject(const std::string& line);
// Every line of `text` parsed; a malformed line fails the calling test.
[[nodiscard]] std::vector<JsonRecord> ParseJsonLines(const std::string& text);

[[nodiscard]] std::string Str(const JsonRecord& r, const std::string& key);
[[nodiscard]] double Num(const JsonRecord& r, const std::string& key);
[[nodiscard]] bool Bool(const JsonRecord& r, const std::string& key);

}  // namespace qx4t::test
