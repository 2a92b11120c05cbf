// Writes a deterministic placeholder firmware image: a 64-byte head naming the model code and
// the version it installs, then bytes from a fixed-seed generator. Run by the build only.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t kImageSize = 2105408;
constexpr std::size_t kHeadSize = 64;

// splitmix64: tiny, and the same sequence on every compiler and library.
std::uint64_t nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT MODEL VERSION\n", argv[0]);
        return 2;
    }
    std::string model = argv[2];
    std::string version = argv[3];
    std::vector<unsigned char> image(kImageSize, ' ');
    std::string head = "QX4T-FW " + model + " " + version;
    if (head.size() > kHeadSize) {
        std::fprintf(stderr, "model and version too long for the head\n");
        return 2;
    }
    std::memcpy(image.data(), head.data(), head.size());
    // The seed depends on the model so that the two images differ everywhere, not only in
    // the head.
    std::uint64_t state = 0x51584A54464D5731ull;
    for (char c : model)
        state = state * 131 + static_cast<unsigned char>(c);
    for (std::size_t i = kHeadSize; i < kImageSize; i += 8) {
        std::uint64_t r = nextRandom(state);
        for (std::size_t k = 0; k < 8 && i + k < kImageSize; ++k)
            image[i + k] = static_cast<unsigned char>(r >> (8 * k));
    }
    std::string tmp = std::string(argv[1]) + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        std::perror(tmp.c_str());
        return 1;
    }
    bool ok = std::fwrite(image.data(), 1, image.size(), f) == image.size();
    ok = (std::fclose(f) == 0) && ok;
    // std::filesystem::rename replaces an older image on Windows too, where std::rename
    // refuses an existing target.
    std::error_code ec;
    if (ok)
        std::filesystem::rename(tmp, argv[1], ec);
    if (!ok || ec) {
        std::fprintf(stderr, "%s: %s\n", argv[1], ec ? ec.message().c_str() : "write failed");
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}
