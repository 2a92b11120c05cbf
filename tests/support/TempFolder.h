#pragma once
// A fresh, empty folder of the test's own under the system's temporary folder, on every
// platform (mkdtemp is POSIX only). The caller removes it.
#include <filesystem>
#include <random>
#include <string>

namespace qx4t::test {

// <temp>/<prefix>-<random>, created; "" when none could be made.
inline std::string MakeTempFolder(const std::string& prefix) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path root = fs::temp_directory_path(ec);
    if (ec)
        return {};
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = root / (prefix + "-" + std::to_string(random()));
        if (fs::create_directory(folder, ec)) {
            const auto text = folder.u8string();
            return {text.begin(), text.end()};
        }
    }
    return {};
}

}  // namespace qx4t::test
