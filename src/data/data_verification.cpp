#include "data_verification.h"

#include "chart_tables.h"
#include "data_fault.h"
#include "sqlite_source.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace steam::data {

namespace {

std::vector<std::string> tablesOf(Source source) {
    std::vector<std::string> tables{sourceInfo(source).table};
    if (source == Source::Charts)
        for (const ChartTable& chart : kChartTables) tables.emplace_back(chart.table);
    return tables;
}

FileResult resultFor(const std::filesystem::path& folder, Source source) {
    FileResult result;
    result.source = source;
    result.file = folder / dataFileName(source);
    return result;
}

void fail(FileResult& result, FileCheck check, std::string detail = {}) {
    result.failed = check;
    result.detail = std::move(detail);
}

// Present, listed and of the listed size; false (with the result failed) otherwise.
bool sizeHolds(FileResult& result, const Manifest* manifest, std::uint64_t& size) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(result.file, ec)) {
        fail(result, FileCheck::Present);
        return false;
    }
    size = std::filesystem::file_size(result.file, ec);
    if (ec) {
        size = 0;
        fail(result, FileCheck::Readable, ec.message());
        return false;
    }
    if (!manifest) return true;
    const ManifestEntry* entry = manifest->find(result.file.filename().string());
    if (!entry) {
        fail(result, FileCheck::Listed);
        return false;
    }
    if (entry->size != size) {
        fail(result, FileCheck::Size);
        result.listedSize = entry->size;
        result.size = size;
        return false;
    }
    return true;
}

// SQLite's PRAGMA quick_check: true when it says "ok", else its first few findings (or why
// the file cannot be checked) in detail. SQLite checks a b-tree in one step of its program,
// so there is nothing to report or stop in between (about 0.25 s for the largest file).
bool quickCheck(const std::filesystem::path& file, std::string& detail) {
    const std::string uri = sqliteFileUri(file) + "?immutable=1";
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(db, &sqlite3_close_v2);
    if (rc != SQLITE_OK) {
        detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        return false;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &s, nullptr) != SQLITE_OK) {
        detail = sqlite3_errmsg(db);
        sqlite3_finalize(s);
        return false;
    }
    std::vector<std::string> found;
    int step;
    while ((step = sqlite3_step(s)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        if (found.size() < 3) found.emplace_back(text ? text : "");
    }
    const std::string error = sqlite3_errmsg(db);
    sqlite3_finalize(s);
    if (step != SQLITE_DONE) {
        detail = error;
        return false;
    }
    if (found.size() == 1 && found[0] == "ok") return true;
    for (const std::string& line : found) detail += (detail.empty() ? "" : "; ") + line;
    return false;
}

}  // namespace

bool FolderResult::holds() const {
    if (manifest != ManifestRead::Read || stopped || files.size() != kSources.size()) return false;
    return std::all_of(files.begin(), files.end(), [](const FileResult& f) { return f.holds(); });
}

const FileResult* FolderResult::firstFailure() const {
    for (const FileResult& f : files)
        if (!f.holds()) return &f;
    return nullptr;
}

FolderResult verifyDataFolder(const std::filesystem::path& folder, const VerificationProgress& progress) {
    FolderResult result;
    result.folder = folder;
    Manifest manifest;
    result.manifest = readManifest(folder, manifest, result.manifestError);
    if (result.manifest != ManifestRead::Read) return result;

    // The total is known before the first byte is read: twice the size of every file there.
    std::uint64_t total = 0;
    for (const SourceInfo& info : kSources) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(folder / dataFileName(info.source), ec);
        if (!ec) total += 2 * size;
    }
    std::uint64_t done = 0;
    auto advance = [&](std::uint64_t bytes) { return !progress || progress(done + bytes, total); };

    for (const SourceInfo& info : kSources) {
        FileResult& file = result.files.emplace_back(resultFor(folder, info.source));
        std::uint64_t size = 0;  // a file that fails early still counts, so the bar ends full
        if (sizeHolds(file, &manifest, size)) {
            Sha256Digest digest;
            std::uint64_t hashed = 0;
            std::string error;
            switch (hashFile(file.file, digest, hashed, advance, error)) {
                case HashOutcome::Stopped: result.stopped = true; return result;
                case HashOutcome::Unreadable: fail(file, FileCheck::Readable, error); break;
                case HashOutcome::Hashed:
                    if (toHex(digest) != manifest.find(file.file.filename().string())->sha256)
                        fail(file, FileCheck::Sha256);
                    break;
            }
            if (file.holds() && !quickCheck(file.file, error)) fail(file, FileCheck::QuickCheck, error);
        }
        done += 2 * size;
        if (!advance(0)) {
            result.stopped = true;
            return result;
        }
    }
    return result;
}

FolderResult checkDataFolderAtStartup(const std::filesystem::path& folder) {
    FolderResult result;
    result.folder = folder;
    Manifest manifest;
    result.manifest = readManifest(folder, manifest, result.manifestError);
    const Manifest* sizes = result.manifest == ManifestRead::Read ? &manifest : nullptr;
    for (const SourceInfo& info : kSources) {
        FileResult& file = result.files.emplace_back(resultFor(folder, info.source));
        std::uint64_t size = 0;
        if (!sizeHolds(file, sizes, size)) continue;
        std::string error;
        const auto source = SqliteSource::open(info.source, file.file, error);
        if (!source) {
            fail(file, FileCheck::Tables, error);
            continue;
        }
        try {
            for (const std::string& table : tablesOf(info.source))
                if (!source->hasTable(table)) {
                    fail(file, FileCheck::Tables, "no table " + table);
                    break;
                }
        } catch (const DataFault& fault) {
            fail(file, FileCheck::Tables, fault.what());
        }
    }
    return result;
}

std::optional<std::filesystem::path> dataFolderOf(const std::vector<std::filesystem::path>& places) {
    auto holds = [](const std::filesystem::path& place, bool all) {
        std::error_code ec;
        int found = 0;
        for (const SourceInfo& info : kSources) found += std::filesystem::exists(place / dataFileName(info.source), ec);
        if (all) return found == kSourceCount;
        return found > 0 || std::filesystem::exists(place / kManifestFileName, ec);
    };
    for (const auto& place : places)
        if (holds(place, true)) return place;
    for (const auto& place : places)
        if (holds(place, false)) return place;
    return std::nullopt;
}

std::string failureText(const FileResult& result) {
    if (!result.failed) return {};
    switch (*result.failed) {
        case FileCheck::Present: return "文件不存在";
        case FileCheck::Listed: return std::string("清单 ") + kManifestFileName + " 中没有这个文件";
        case FileCheck::Size:
            return "大小与清单不符：清单 " + std::to_string(result.listedSize) + " 字节，实际 " +
                   std::to_string(result.size) + " 字节";
        case FileCheck::Readable: return "无法读取：" + result.detail;
        case FileCheck::Sha256: return "SHA-256 与清单不符";
        case FileCheck::QuickCheck: return "SQLite 完整性检查未通过：" + result.detail;
        case FileCheck::Tables: return "不是完好的数据表文件：" + result.detail;
    }
    return {};
}

std::string manifestProblemText(const FolderResult& result) {
    switch (result.manifest) {
        case ManifestRead::Read: return {};
        case ManifestRead::Missing:
            return "数据文件夹中没有清单 " + std::string(kManifestFileName) + "，数据文件无法校验：" +
                   result.folder.string();
        case ManifestRead::Malformed: return "清单无法读取，数据文件无法校验：" + result.manifestError;
    }
    return {};
}

}  // namespace steam::data
