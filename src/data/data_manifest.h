#pragma once
// The manifest of the data files: what the build wrote, so that a copy can be told from it.
// It lies beside the eight files as "tables.manifest", a UTF-8 text of LF-ended lines:
//
//   steamtables data manifest 1
//   swater.sqlite 5832704 0f3c...e9     (name, size in bytes, SHA-256 in 64 hex digits)
//   water.sqlite 79306752 8a41...07
//   ...                                 (one line per data file, in the order of schema.h)
//
// The first line names the format and its version; every other line holds three fields
// parted by one blank: the file's name (no blanks, no folder), its size as a decimal number
// and its SHA-256 (sha256.h). A text that departs from this in any way is no manifest:
// reading refuses it rather than guess. The build writes the manifest right after the tables
// (tools/tables, `make_manifest`) and installs and copies it along with them.
#include "sha256.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace steam::data {

inline constexpr const char* kManifestFileName = "tables.manifest";
inline constexpr const char* kManifestHeader = "steamtables data manifest 1";

struct ManifestEntry {
    std::string name;
    std::uint64_t size = 0;
    std::string sha256;  ///< 64 lower-case hex digits
};

struct Manifest {
    std::vector<ManifestEntry> entries;
    /// The entry of a file name, or null when the manifest does not list it.
    const ManifestEntry* find(std::string_view name) const;
};

/// The manifest as its file holds it.
std::string manifestText(const Manifest& manifest);

/// Reads a manifest's text; nothing, with the reason (naming the line), when it is not one.
/// Upper-case hex digits are taken and kept lower-case.
std::optional<Manifest> parseManifest(std::string_view text, std::string& error);

enum class ManifestRead { Read, Missing, Malformed };

/// Reads dir/tables.manifest into manifest. Missing when there is no such file; Malformed
/// (error says why) when it cannot be read or is no manifest.
ManifestRead readManifest(const std::filesystem::path& dir, Manifest& manifest, std::string& error);

enum class HashOutcome { Hashed, Unreadable, Stopped };

/// SHA-256 and size of a file, read in chunks; after each chunk `chunkRead` gets the number of
/// bytes read so far and stops the reading by returning false. Unreadable: error says why.
HashOutcome hashFile(const std::filesystem::path& file, Sha256Digest& digest, std::uint64_t& size,
                     const std::function<bool(std::uint64_t)>& chunkRead, std::string& error);

/// The manifest of the eight data files of dir (all must be there and readable).
std::optional<Manifest> manifestOfFolder(const std::filesystem::path& dir, std::string& error);

/// Writes the manifest of dir's eight files into dir, replacing an older one whole (written
/// beside it, then renamed). False with the reason when a file cannot be read or written.
bool writeManifest(const std::filesystem::path& dir, std::string& error);

}  // namespace steam::data
