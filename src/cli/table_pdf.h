#pragma once
// `steamcalc table ... --pdf FILE`: the page drawn on A4 pages (render/table_print.h) and
// written whole, with a QGuiApplication for the text made for the run when there is none.
#include "panels/table_page_texts.h"

#include <string>

namespace steam::cli {

/// False with the reason (without the file's name) when the PDF cannot be drawn or written.
bool writeTablePdfFile(const panels::TablePageTexts& texts, const std::string& file, std::string& error);

}  // namespace steam::cli
