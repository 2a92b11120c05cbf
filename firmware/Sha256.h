#pragma once
// SHA-256 (FIPS 180-4), small and dependency-free: the tools check that the image they are
// about to send is the one the build recorded, and nothing else here needs a hash.
#include <array>
#include <cstddef>
#include <string>

namespace qx4t::firmware {

using Sha256Digest = std::array<unsigned char, 32>;

[[nodiscard]] Sha256Digest sha256(const void* data, std::size_t size);
// The digest as 64 lower-case hexadecimal digits, as sha256sum prints it.
[[nodiscard]] std::string toHex(const Sha256Digest& digest);

}  // namespace qx4t::firmware
