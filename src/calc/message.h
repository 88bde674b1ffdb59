#pragma once
// Everything the program asks the user to read, as codes: the calculators, the lookups and the
// diagram report these, and the edges (the windows, steamcalc) turn each into its title, text
// and icon through one table (panels/message_texts.h).
#include <string>
#include <vector>

namespace steam::calc {

enum class MessageCode {
    OutOfRange,       ///< a known value outside what the tables hold
    NeedsDryness,     ///< t and p on the saturation line: wet steam needs its dryness
    TwoValuesNeeded,  ///< the state panel has not exactly two boxes ticked
    ZoomAtLimit,      ///< the dragged rectangle is too small to zoom into
    DataFault,        ///< a data file failed while it was read; the detail names the file
};

struct Message {
    MessageCode code;
    std::string detail;  ///< the data file of a DataFault; empty otherwise

    bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

}  // namespace steam::calc
