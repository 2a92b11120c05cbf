#include "JsonLines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace qx4t::test {
namespace {

struct Reader {
    const std::string& s;
    std::size_t i = 0;

    void ws() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
    }
    bool eat(char c) {
        ws();
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    static void appendUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    std::optional<std::string> string() {
        if (!eat('"'))
            return std::nullopt;
        std::string out;
        while (i < s.size()) {
            const char c = s[i++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i >= s.size())
                return std::nullopt;
            const char e = s[i++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'u': {
                    if (i + 4 > s.size())
                        return std::nullopt;
                    char* end = nullptr;
                    const std::string hex = s.substr(i, 4);
                    const unsigned cp = static_cast<unsigned>(std::strtoul(hex.c_str(), &end, 16));
                    if (end != hex.c_str() + 4)
                        return std::nullopt;
                    appendUtf8(out, cp);
                    i += 4;
                    break;
                }
                default:
                    return std::nullopt;
            }
        }
        return std::nullopt;
    }
    std::optional<JsonValue> value() {
        ws();
        if (i >= s.size())
            return std::nullopt;
        if (s[i] == '"') {
            auto str = string();
            if (!str)
                return std::nullopt;
            return JsonValue(*str);
        }
        for (const auto& [word, v] : {std::pair<const char*, JsonValue>{"true", true},
                                      {"false", false},
                                      {"null", nullptr}}) {
            const std::string w = word;
            if (s.compare(i, w.size(), w) == 0) {
                i += w.size();
                return v;
            }
        }
        const char* start = s.c_str() + i;
        char* end = nullptr;
        const double d = std::strtod(start, &end);
        if (end == start)
            return std::nullopt;
        i += static_cast<std::size_t>(end - start);
        return JsonValue(d);
    }
    // An object's members into `rec`, those of a nested object under "outer.inner".
    bool object(const std::string& prefix, JsonRecord& rec) {
        if (!eat('{'))
            return false;
        if (eat('}'))
            return true;
        do {
            auto key = string();
            if (!key || !eat(':'))
                return false;
            const std::string name = prefix + *key;
            ws();
            if (i < s.size() && s[i] == '{') {
                if (rec.count(name) || !object(name + ".", rec))
                    return false;
                rec[name] = std::string("<object>");
                continue;
            }
            auto v = value();
            if (!v || rec.count(name))
                return false;
            rec[name] = *v;
        } while (eat(','));
        return eat('}');
    }
};

}  // namespace

std::optional<JsonRecord> ParseJsonObject(const std::string& line) {
    Reader r{line};
    JsonRecord rec;
    if (!r.object("", rec))
        return std::nullopt;
    r.ws();
    if (r.i != line.size())
        return std::nullopt;
    return rec;
}

std::vector<JsonRecord> ParseJsonLines(const std::string& text) {
    std::vector<JsonRecord> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto rec = ParseJsonObject(line);
        EXPECT_TRUE(rec.has_value()) << "not a JSON object: " << line;
        if (rec)
            out.push_back(*rec);
    }
    return out;
}

std::string Str(const JsonRecord& r, const std::string& key) {
    auto it = r.find(key);
    if (it == r.end() || !std::holds_alternative<std::string>(it->second))
        return "<missing>";
    return std::get<std::string>(it->second);
}

double Num(const JsonRecord& r, const std::string& key) {
    auto it = r.find(key);
    if (it == r.end() || !std::holds_alternative<double>(it->second))
        return -1e9;
    return std::get<double>(it->second);
}

bool Bool(const JsonRecord& r, const std::string& key) {
    auto it = r.find(key);
    return it != r.end() && std::holds_alternative<bool>(it->second) && std::get<bool>(it->second);
}

}  // namespace qx4t::test
