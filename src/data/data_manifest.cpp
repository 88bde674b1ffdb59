#include "data_manifest.h"

#include "schema.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace steam::data {

namespace {

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::optional<ManifestEntry> parseEntry(std::string_view line) {
    const size_t first = line.find(' ');
    const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos) return std::nullopt;
    ManifestEntry entry;
    entry.name = line.substr(0, first);
    const std::string_view size = line.substr(first + 1, second - first - 1);
    const std::string_view hex = line.substr(second + 1);
    if (entry.name.empty() || entry.name.find('/') != std::string::npos) return std::nullopt;
    if (size.empty() || size.front() < '0' || size.front() > '9') return std::nullopt;
    const auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), entry.size);
    if (ec != std::errc() || end != size.data() + size.size()) return std::nullopt;
    if (hex.size() != 64) return std::nullopt;
    for (const char c : hex) {
        if (!isHexDigit(c)) return std::nullopt;
        entry.sha256 += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    }
    return entry;
}

}  // namespace

const ManifestEntry* Manifest::find(std::string_view name) const {
    for (const ManifestEntry& entry : entries)
        if (entry.name == name) return &entry;
    return nullptr;
}

std::string manifestText(const Manifest& manifest) {
    std::string text = std::string(kManifestHeader) + "\n";
    for (const ManifestEntry& entry : manifest.entries)
        text += entry.name + " " + std::to_string(entry.size) + " " + entry.sha256 + "\n";
    return text;
}

std::optional<Manifest> parseManifest(std::string_view text, std::string& error) {
    Manifest manifest;
    int number = 0;
    bool sawHeader = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            error = "line " + std::to_string(number + 1) + " does not end";
            return std::nullopt;
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        ++number;
        if (!sawHeader) {
            if (line != kManifestHeader) {
                error = "the first line is not \"" + std::string(kManifestHeader) + "\"";
                return std::nullopt;
            }
            sawHeader = true;
            continue;
        }
        auto entry = parseEntry(line);
        if (!entry) {
            error = "line " + std::to_string(number) + " is not NAME SIZE SHA256";
            return std::nullopt;
        }
        if (manifest.find(entry->name)) {
            error = "line " + std::to_string(number) + " lists " + entry->name + " again";
            return std::nullopt;
        }
        manifest.entries.push_back(std::move(*entry));
    }
    if (!sawHeader) {
        error = "the text is empty";
        return std::nullopt;
    }
    return manifest;
}

ManifestRead readManifest(const std::filesystem::path& dir, Manifest& manifest, std::string& error) {
    const std::filesystem::path file = dir / kManifestFileName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return ManifestRead::Missing;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in.good() && !in.eof()) {
        error = file.string() + ": cannot be read";
        return ManifestRead::Malformed;
    }
    std::string reason;
    auto parsed = parseManifest(text.str(), reason);
    if (!parsed) {
        error = file.string() + ": " + reason;
        return ManifestRead::Malformed;
    }
    manifest = std::move(*parsed);
    return ManifestRead::Read;
}

HashOutcome hashFile(const std::filesystem::path& file, Sha256Digest& digest, std::uint64_t& size,
                     const std::function<bool(std::uint64_t)>& chunkRead, std::string& error) {
    const std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (!in) {
        error = std::strerror(errno);
        return HashOutcome::Unreadable;
    }
    // One MiB at a time: large enough that reading costs little next to hashing, small
    // enough that progress moves several times a second.
    std::vector<char> chunk(1 << 20);
    Sha256 hash;
    size = 0;
    for (;;) {
        const size_t n = std::fread(chunk.data(), 1, chunk.size(), in.get());
        if (n > 0) {
            hash.update(chunk.data(), n);
            size += n;
            if (chunkRead && !chunkRead(size)) return HashOutcome::Stopped;
        }
        if (n < chunk.size()) break;
    }
    if (std::ferror(in.get())) {
        error = "read error after " + std::to_string(size) + " bytes";
        return HashOutcome::Unreadable;
    }
    digest = hash.finish();
    return HashOutcome::Hashed;
}

std::optional<Manifest> manifestOfFolder(const std::filesystem::path& dir, std::string& error) {
    Manifest manifest;
    for (const SourceInfo& info : kSources) {
        const std::filesystem::path file = dir / dataFileName(info.source);
        Sha256Digest digest;
        std::uint64_t size = 0;
        std::string reason;
        if (hashFile(file, digest, size, {}, reason) != HashOutcome::Hashed) {
            error = file.string() + ": " + reason;
            return std::nullopt;
        }
        manifest.entries.push_back({dataFileName(info.source), size, toHex(digest)});
    }
    return manifest;
}

bool writeManifest(const std::filesystem::path& dir, std::string& error) {
    const auto manifest = manifestOfFolder(dir, error);
    if (!manifest) return false;
    const std::filesystem::path file = dir / kManifestFileName;
    const std::filesystem::path partial = dir / (std::string(kManifestFileName) + ".partial");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << manifestText(*manifest);
        out.close();
        if (!out) {
            error = partial.string() + ": cannot be written";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(partial, file, ec);
    if (ec) {
        error = file.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace steam::data
