#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "core/design/DesignFileLoader.h"

namespace vireluna::cli {

using OrderedJson = nlohmann::ordered_json;

// A colour value as "0x02BBGGRR": upper-case hex, eight digits.
std::string ColourValueText(ColourValue colour);

// What `vireluna info --json` prints for one loaded design, and nothing more: for a format
// other than the saver's own first its "format" name and colourCount as counted from the
// content; for the saver's own format, colourCount as the header stores it; then the thread numbers
// and colour values of the entries read, recordCount, the four extents as computed (start values
// included) and, withRecords, one [kind, x, y] triple for each record before the End record.
OrderedJson DesignJson(const Design& design, const DesignLoadInfo& load, bool withRecords);

// Writes the object one key to a line and, for records, one triple to a line.
void WriteDesignJson(std::ostream& out, const OrderedJson& object);

}  // namespace vireluna::cli
