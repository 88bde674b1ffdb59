#pragma once
// steamcalc's CSV form: the columns of the desktop program's result list (种类, 区域, t p v h s
// x, v' v'' h' h'' s' s''), one row per request, plus a last column "提示" with the messages.
// A calculation that ends with a message has no values; a malformed request line of a batch
// gives a row with only its error in "提示", a blank one a row of empty fields. Lines end in CRLF; the header comes
// once, after a UTF-8 byte-order mark, so that spreadsheet programs read the Chinese captions.
#include "answers.h"

#include <string>

namespace steam::cli {

/// Byte-order mark and the header line.
std::string csvHeader();
/// The row of one answer.
std::string toCsv(const Answer& answer);
/// The row of a malformed request line.
std::string errorCsv(const std::string& error);
/// The row of a blank request line: every field empty, so rows stay beside their requests.
std::string blankCsv();

}  // namespace steam::cli
