#include "tools/vireluna/DesignJson.h"

#include <cstdio>

namespace vireluna::cli {
namespace {

constexpr const char* RecordsKey = "records";

OrderedJson ExtentsJson(const DesignExtents& extents) {
    return {{"minX", extents.minX},
            {"maxY", extents.maxY},
            {"maxX", extents.maxX},
            {"minY", extents.minY}};
}

OrderedJson RecordsJson(const Design& design) {
    OrderedJson records = OrderedJson::array();
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        const StitchRecord& record = design.records[i];
        records.push_back({static_cast<int>(record.kind), record.x, record.y});
    }
    return records;
}

void WriteRecords(std::ostream& out, const OrderedJson& records) {
    if (records.empty()) {
        out << "[]";
        return;
    }
    out << "[\n";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out << "    " << records[i].dump() << (i + 1 < records.size() ? ",\n" : "\n");
    }
    out << "  ]";
}

}  // namespace

std::string ColourValueText(ColourValue colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(colour));
    return text;
}

OrderedJson DesignJson(const Design& design, const DesignLoadInfo& load, bool withRecords) {
    const DesignFileDetails& details = load.details;
    // The saver's own format keeps the object it always had; another format has no thread
    // numbers.
    const bool ownFormat = load.format == nullptr || load.format == &PxsFormat;
    OrderedJson threads = OrderedJson::array();
    OrderedJson colours = OrderedJson::array();
    for (std::int32_t i = 0; i < design.colourCount; ++i) {
        if (ownFormat) threads.push_back(details.threadNumbers[i]);
        colours.push_back(ColourValueText(design.colours[i]));
    }
    OrderedJson object = OrderedJson::object();
    if (!ownFormat) object["format"] = load.format->name;
    object["colourCount"] = details.header.colourCount;
    object["threads"] = threads;
    object["colours"] = colours;
    object["recordCount"] = design.recordCount;
    object["extents"] = ExtentsJson(design.extents);
    if (withRecords) object[RecordsKey] = RecordsJson(design);
    return object;
}

void WriteDesignJson(std::ostream& out, const OrderedJson& object) {
    out << "{\n";
    bool first = true;
    for (const auto& item : object.items()) {
        out << (first ? "  " : ",\n  ") << OrderedJson(item.key()).dump() << ": ";
        if (item.key() == RecordsKey) {
            WriteRecords(out, item.value());
        } else {
            out << item.value().dump();
        }
        first = false;
    }
    out << "\n}\n";
}

}  // namespace vireluna::cli
