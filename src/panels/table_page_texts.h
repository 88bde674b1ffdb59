#pragma once
// A page of a printed property table (calc/table_page.h) as text: its title, its columns'
// symbols and units, and each row's values as the panels' boxes show them (box_texts.h; u as
// h; r = h'' - h' of the values as shown, so that each row adds up). The 性质表 window, its clipboard, CSV and print,
// and steamcalc table show the same texts:
//   by temperature  ts ps v' v'' h' h'' r s' s'' u' u''
//   by pressure     ps ts v' v'' h' h'' r s' s'' u' u''
//   along an isobar 相态 t v u h s, the saturated water and steam at the head
// A row whose calculation ended with a message shows "—" in its values.
#include "calc/table_page.h"

#include <cstddef>
#include <string>
#include <vector>

namespace steam::panels {

struct TablePageTexts {
    std::string title;                           ///< "饱和水与饱和蒸汽表（按温度）" ...
    std::string subtitle;                        ///< the isobar's saturation temperature; else ""
    std::vector<std::string> symbols;            ///< "ts", "ps", "v'" ...
    std::vector<std::string> units;              ///< "°C", "MPa" ... ("" for none)
    std::vector<std::vector<std::string>> rows;  ///< cells, one vector a row
    /// Along an isobar: how many rows at the top are its saturation state.
    std::size_t headRows = 0;

    /// "ts (°C)": a symbol with its unit, as the result list writes its captions.
    std::vector<std::string> captions() const;
};

TablePageTexts tablePageTexts(const calc::TablePage& page);

/// Tab-separated text for the clipboard: the captions, then the rows at `chosen` (every row
/// when none is chosen) in page order, each line ending in LF.
std::string tablePageTsv(const TablePageTexts& texts, std::vector<std::size_t> chosen = {});
/// The page as a CSV file: byte-order mark, captions, rows, each line ending in CRLF.
std::string tablePageCsv(const TablePageTexts& texts);
/// The page as plain lines for a terminal: title, subtitle, captions and rows lined up.
std::string tablePagePlain(const TablePageTexts& texts);

}  // namespace steam::panels
