#pragma once
// The report's summary tables as Markdown, gathered while the sections run and written to a
// file at the end (accuracy_report --markdown=FILE): per pair the counts and, per output, the
// p50, p99 and largest error; the properties beyond the boxes per region; the box next to the
// critical point; the saturation calculation. Each section opens with a level-two heading,
// so that the file can follow a document's own title.
#include <string>
#include <vector>

namespace accuracy {

class MarkdownTables {
public:
    void heading(const std::string& text);
    void paragraph(const std::string& text);
    /// A table; every row has as many cells as the header.
    void table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

    const std::string& text() const { return m_text; }
    /// Writes the text to `path`; false, with the reason in `error`, when it cannot.
    bool write(const std::string& path, std::string& error) const;

private:
    std::string m_text;
};

/// A figure with two significant digits, as the plain report prints it ("inf" for infinity).
std::string figure(double value);
/// A share as a percentage with one decimal ("99.8 %").
std::string percent(double share);

}  // namespace accuracy
