#pragma once
// Whether the eight data files of a folder are the ones the build wrote. Two depths:
//
//   verifyDataFolder     every file present, its size and SHA-256 as the manifest
//                        (data_manifest.h) says, and SQLite's PRAGMA quick_check ok. Reads
//                        every byte twice (about 170 MB each way): a second or two, with a
//                        progress callback and a way to stop.
//   checkDataFolderAtStartup
//                        every file present with the manifest's size and its tables there;
//                        no hashing. Without a readable manifest the sizes go unchecked.
//
// A file stops at the first check it fails; its result names that check, with what was
// found. Failures are values, never exceptions. A folder whose manifest is missing or no
// manifest cannot be verified: the full check says so and checks no file, so it never passes.
#include "data_manifest.h"
#include "schema.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace steam::data {

/// The checks of a file, in the order they are made.
enum class FileCheck {
    Present,     ///< the file is there
    Listed,      ///< the manifest lists it
    Size,        ///< its size is the manifest's
    Readable,    ///< every byte can be read
    Sha256,      ///< its SHA-256 is the manifest's
    QuickCheck,  ///< SQLite's PRAGMA quick_check says ok
    Tables,      ///< it opens as a database holding its tables (start-up check only)
};

struct FileResult {
    Source source = Source::Swater;
    std::filesystem::path file;
    std::optional<FileCheck> failed;  ///< the check that failed; none when all held
    std::string detail;               ///< what was found instead (SQLite's or the system's words)
    std::uint64_t listedSize = 0;     ///< the manifest's size, when Size failed
    std::uint64_t size = 0;           ///< the size found, when Size failed
    bool holds() const { return !failed; }
};

struct FolderResult {
    std::filesystem::path folder;
    ManifestRead manifest = ManifestRead::Missing;
    std::string manifestError;      ///< why a manifest is Malformed
    std::vector<FileResult> files;  ///< in the order of schema.h, as far as they were checked
    bool stopped = false;           ///< the progress callback asked to stop

    /// The manifest was read, every file was checked and every check held.
    bool holds() const;
    /// The first file that failed a check, if any.
    const FileResult* firstFailure() const;
};

/// Bytes done of bytes total: every file is read twice, hashed a MiB at a time, then checked
/// by SQLite, whose check counts its file's bytes when it ends. Returning false stops the
/// check as soon as it can (within one MiB, or at the end of SQLite's check of one file).
using VerificationProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

FolderResult verifyDataFolder(const std::filesystem::path& folder, const VerificationProgress& progress = {});

FolderResult checkDataFolderAtStartup(const std::filesystem::path& folder);

/// The folder of places the programs read: the first that holds all eight files, else the
/// first that holds any of them or a manifest (so its missing files can be named), else none.
std::optional<std::filesystem::path> dataFolderOf(const std::vector<std::filesystem::path>& places);

/// What a failed check found, in the words the windows and steamcalc show; "" when it held.
std::string failureText(const FileResult& result);
/// Why a folder's files cannot be verified; "" when its manifest was read.
std::string manifestProblemText(const FolderResult& result);

}  // namespace steam::data
