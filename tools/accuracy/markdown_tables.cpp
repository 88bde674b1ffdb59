#include "markdown_tables.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace accuracy {
namespace {

std::string row(const std::vector<std::string>& cells) {
    std::string out = "|";
    for (const std::string& cell : cells) out += " " + cell + " |";
    return out + "\n";
}

}  // namespace

void MarkdownTables::heading(const std::string& text) {
    m_text += (m_text.empty() ? "" : "\n") + ("## " + text) + "\n\n";
}

void MarkdownTables::paragraph(const std::string& text) { m_text += text + "\n\n"; }

void MarkdownTables::table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
    m_text += row(header);
    m_text += row(std::vector<std::string>(header.size(), "---"));
    for (const auto& cells : rows) m_text += row(cells);
    m_text += "\n";
}

bool MarkdownTables::write(const std::string& path, std::string& error) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(m_text.data(), 1, m_text.size(), file) == m_text.size();
    const int savedErrno = errno;
    if (std::fclose(file) != 0 || !written) {
        error = path + ": " + std::strerror(written ? errno : savedErrno);
        return false;
    }
    return true;
}

std::string figure(double value) {
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.2g", value);
    return text;
}

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * share);
    return text;
}

}  // namespace accuracy
