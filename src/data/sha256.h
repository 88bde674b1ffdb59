#pragma once
// SHA-256 (FIPS 180-4) over a stream of bytes fed in pieces of any length; the digest does
// not depend on how the bytes were split. Used to tell a data file from the one the build
// wrote (data_manifest.h). No library: the core stays free of dependencies beyond SQLite.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace steam::data {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    /// Appends bytes to the message.
    void update(const void* bytes, std::size_t length);
    void update(std::string_view text) { update(text.data(), text.size()); }
    /// Pads the message and returns its digest. The object then starts a new, empty message.
    Sha256Digest finish();

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_block{};
    std::size_t m_filled = 0;    ///< bytes waiting in m_block
    std::uint64_t m_length = 0;  ///< message length so far, in bytes
};

/// The digest as 64 lower-case hexadecimal digits.
std::string toHex(const Sha256Digest& digest);

/// The digest of a whole text at once.
Sha256Digest sha256(std::string_view text);

}  // namespace steam::data
