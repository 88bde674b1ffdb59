#pragma once
// `steamcalc table KIND [options]`: a page of a printed property table (panels/
// table_page_texts.h), the values as the panels show them, one row per step with both ends of
// the range included (calc/table_rows.h):
//   table sat-t  [--from T] [--to T] [--step T]     saturation by temperature, 0.01 to 373.95 C;
//                                                  without --step 0.01, every 5 C to 100, then 10
//   table sat-p  [--from P] [--to P] [--per-decade M,M,...] [--step P]
//                                                  by pressure, 0.001 to 22.064 MPa unless given;
//                                                  1, 2 and 5 per decade unless told otherwise
//   table isobar --p P [--from T] [--to T] [--step T]
//                                                  the states along the isobar, 0.01 to 800 C by
//                                                  default, its saturation state at the head
// each with --csv (the result list's CSV: byte-order mark, CRLF) or --pdf FILE (A4 pages);
// plain lines otherwise. A value that is not one whole number, a range reversed or beyond the
// tables, a step not above zero or one that gives more than calc::kMaxTableRows rows is a
// malformed request, named in one line.
#include "calc/table_page.h"
#include "panels/table_page_texts.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace steam::cli {

struct TableRequest {
    calc::PageRange range;
    enum class Output { Plain, Csv, Pdf } output = Output::Plain;
    std::string pdfFile;
};

/// The request of the words after "table"; none, with one line naming what is wrong, when it
/// is malformed.
std::optional<TableRequest> parseTableRequest(const std::vector<std::string>& args, std::string& error);

/// Writes the page as a PDF file; false with the reason when it cannot.
using TablePdfWriter = std::function<bool(const panels::TablePageTexts&, const std::string& file, std::string& error)>;

/// Runs `table`: 0 when the page was written, 2 for a malformed request, 1 when the data files
/// cannot be read or the page cannot be written (a PDF without `writePdf`, in a build without
/// pictures, included). Each failure writes one line to err.
int runTableCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& dataPlaces,
                    std::ostream& out, std::ostream& err, const TablePdfWriter& writePdf);

}  // namespace steam::cli
