#pragma once
// A data file that fails while it is read: a damaged page, an I/O error, a statement that no
// longer compiles against the file. Such a failure is never taken for the end of the rows or
// for a value out of range: the read throws, and the calculation that met it ends with a
// message naming the file.
#include "schema.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace steam::data {

/// How a data file that is there but cannot serve (empty, no database, damaged, lacking its
/// tables, not the size the manifest gives) is named to the user.
inline std::string damagedFileMessage(const std::filesystem::path& file) { return "数据文件已损坏：" + file.string(); }

class DataFault : public std::runtime_error {
public:
    DataFault(Source source, std::filesystem::path file, const std::string& detail)
        : std::runtime_error(file.string() + ": " + detail), m_source(source), m_file(std::move(file)) {}

    Source source() const { return m_source; }
    const std::filesystem::path& file() const { return m_file; }

private:
    Source m_source;
    std::filesystem::path m_file;
};

}  // namespace steam::data
