// `vireluna info`: what the saver reads from design files, and the thread palette.
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/design/DesignFileLoader.h"
#include "core/design/ThreadPalette.h"
#include "core/design/formats/PxsReader.h"
#include "systems/posix/PosixInputFile.h"
#include "tools/vireluna/Commands.h"
#include "tools/vireluna/DesignJson.h"
#include "tools/vireluna/LoadRefusalText.h"
#include "tools/vireluna/ParseAndRun.h"

namespace vireluna::cli {
namespace {

using Json = OrderedJson;

// The saver's own default for its Reduction setting.
constexpr std::int32_t SaverDefaultReduction = 80;
constexpr int ExitLoadFailed = 1;

struct InfoOptions {
    std::vector<std::string> paths;
    std::int32_t reduction = SaverDefaultReduction;
    bool json = false;
    bool records = false;
    bool palette = false;
};

// Counts of the loaded records by kind, and where drawing stops.
struct RecordSummary {
    std::int32_t stitches = 0;
    std::int32_t colourChanges = 0;  // before the first End: the ones drawing acts on
    std::int32_t jumps = 0;
    std::int32_t otherControls = 0;
    std::int32_t drawnRecords = 0;  // records before the first End record
};

RecordSummary Summarise(const Design& design) {
    RecordSummary summary;
    summary.drawnRecords = design.recordCount;
    bool ended = false;
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        switch (design.records[i].kind) {
            case StitchKind::Stitch:
                ++summary.stitches;
                break;
            case StitchKind::ColourChange:
                if (!ended) ++summary.colourChanges;
                break;
            case StitchKind::Jump:
                ++summary.jumps;
                break;
            case StitchKind::End:
                if (!ended) summary.drawnRecords = i;
                ended = true;
                [[fallthrough]];
            default:
                ++summary.otherControls;
                break;
        }
    }
    return summary;
}

// "#RRGGBB" from a 0x02BBGGRR value.
std::string RgbText(ColourValue colour) {
    const std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb));
    return text;
}

const char* StreamEndSentence(StreamEnd end) {
    switch (end) {
        case StreamEnd::EndCode:
            return "ended by its end code";
        case StreamEnd::EndOfFile:
            return "no end code: read to the end of the file";
        case StreamEnd::EndOfFileBeforeStream:
            return "the file ends inside its header or colour list, or before its stream: "
                   "no records";
        case StreamEnd::RecordLimit:
            return "cut at the record limit: the rest of the file is not read";
    }
    return "";
}

bool HasStitches(const DesignExtents& extents) {
    return extents.minX <= extents.maxX;
}

// Colour blocks the drawing asks for beyond the design's own list.
std::int32_t MissingColours(const Design& design, const RecordSummary& summary) {
    const std::int32_t blocks = summary.colourChanges + 1;
    return blocks > design.colourCount ? blocks - design.colourCount : 0;
}

std::string KindText(StitchKind kind) {
    switch (kind) {
        case StitchKind::Stitch:
            return "stitch";
        case StitchKind::ColourChange:
            return "colour change";
        case StitchKind::Jump:
            return "jump";
        case StitchKind::End:
            return "code 255";
    }
    return "code " + std::to_string(static_cast<int>(kind));
}

void PrintRecords(std::ostream& out, const Design& design) {
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        const StitchRecord& record = design.records[i];
        char line[80];
        std::snprintf(line, sizeof line, "    %5d  %-13s %11d %11d\n", static_cast<int>(i),
                      KindText(record.kind).c_str(), static_cast<int>(record.x),
                      static_cast<int>(record.y));
        out << line;
    }
}

bool IsOwnFormat(const DesignLoadInfo& load) {
    return load.format == &PxsFormat;
}

void PrintDesign(std::ostream& out, const std::string& path, const InfoOptions& options,
                 const Design& design, const DesignLoadInfo& load) {
    const DesignFileDetails& details = load.details;
    const DesignHeader& header = details.header;
    const RecordSummary summary = Summarise(design);
    out << path << '\n';
    if (IsOwnFormat(load)) {
        out << "  header:   stream offset " << header.streamOffset << ", colour count "
            << header.colourCount << ", stitch count " << header.stitchCount << '\n';
    } else {
        // The same limits, counted from the content.
        out << "  format:   " << load.format->name << ": " << header.colourCount
            << " colour blocks, " << header.stitchCount << " records with the end\n";
    }
    if (TooManyColours(header.colourCount)) {
        out << "  warning:  more than " << MaxDesignColours
            << " colours: only the first are read, and the file list refuses it\n";
    }
    if (TooManyStitches(header.stitchCount)) {
        out << "  warning:  more than " << MaxStitchRecords
            << (IsOwnFormat(load) ? " stitches declared" : " records")
            << ": the file list refuses it\n";
    }

    out << "  colours:  " << design.colourCount << '\n';
    const ThreadPalette palette;
    for (std::int32_t i = 0; i < design.colourCount; ++i) {
        if (!IsOwnFormat(load)) {
            out << "    " << (i < 10 ? " " : "") << i << "  " << RgbText(design.colours[i]) << "  "
                << ColourValueText(design.colours[i]) << '\n';
            continue;
        }
        const std::int32_t number = details.threadNumbers[i];
        const ThreadColour* row = palette.Find(number);
        char line[96];
        std::snprintf(
            line, sizeof line, "    %2d  thread %3d  %-14s %s  %s\n", static_cast<int>(i),
            static_cast<int>(number), row != nullptr ? std::string(row->name).c_str() : "(unknown)",
            RgbText(design.colours[i]).c_str(), ColourValueText(design.colours[i]).c_str());
        out << line;
    }

    out << "  records:  " << design.recordCount << " (stitches " << summary.stitches
        << ", colour changes " << summary.colourChanges << ", jumps " << summary.jumps << ", other "
        << summary.otherControls << ")\n";
    if (summary.drawnRecords < design.recordCount) {
        out << "  warning:  control code 255 at record " << summary.drawnRecords
            << ": nothing after it is drawn\n";
    }
    if (const std::int32_t missing = MissingColours(design, summary); missing > 0) {
        out << "  warning:  " << summary.colourChanges + 1 << " colour blocks, colour list of "
            << design.colourCount << ": " << missing
            << (design.colourCount > 0 ? " blocks are drawn in the last colour of the list\n"
                                       : " blocks are drawn in black\n");
    }
    out << "  stream:   " << StreamEndSentence(details.streamEnd) << '\n';

    const DesignExtents& e = design.extents;
    out << "  extents:  ";
    if (HasStitches(e)) {
        out << "x " << e.minX << " to " << e.maxX << ", y " << e.minY << " to " << e.maxY << " ("
            << std::int64_t{e.maxX} - e.minX + 1 << " x " << std::int64_t{e.maxY} - e.minY + 1
            << " at " << options.reduction << "%)\n";
    } else {
        out << "no stitches\n";
    }
    if (options.records) {
        out << "  each record: index, kind, x, y\n";
        PrintRecords(out, design);
    }
}

Json PaletteJson() {
    const ThreadPalette palette;
    Json rows = Json::array();
    for (const ThreadColour& row : ThreadPalette::Rows()) {
        const ColourValue colour = palette.ColourForNumber(row.number);
        rows.push_back({{"row", row.row},
                        {"thread", row.number},
                        {"name", row.name},
                        {"shortName", row.shortName},
                        {"code", row.code},
                        {"colour", ColourValueText(colour)},
                        {"rgb", RgbText(colour)}});
    }
    return rows;
}

void PrintPalette(std::ostream& out) {
    const ThreadPalette palette;
    for (const ThreadColour& row : ThreadPalette::Rows()) {
        const ColourValue colour = palette.ColourForNumber(row.number);
        char line[96];
        std::snprintf(line, sizeof line, "%2d  thread %2d  %-14s %-11s %s  %s  %s\n",
                      static_cast<int>(row.row), static_cast<int>(row.number),
                      std::string(row.name).c_str(), std::string(row.shortName).c_str(),
                      std::string(row.code).c_str(), RgbText(colour).c_str(),
                      ColourValueText(colour).c_str());
        out << line;
    }
}

// Why a load failed, after the path.
std::string LoadFailureText(const DesignLoadInfo& load) {
    switch (load.refusal) {
        case LoadRefusal::CannotOpen:
            return "cannot be opened";
        case LoadRefusal::NotADesignFormat:
            return NotADesignFormatText();
        case LoadRefusal::Damaged:
            return DamagedDesignText();
        case LoadRefusal::None:
        case LoadRefusal::ReadFailed:
            break;
    }
    return "cannot be read";
}

// A load stops at the records' end; the file list counts the whole file, and so does this.
void CountPastTheRecordLimit(PosixInputFile& file, const std::string& path, DesignLoadInfo& load) {
    if (IsOwnFormat(load) || load.details.streamEnd != StreamEnd::RecordLimit) return;
    if (!file.Open(path.c_str())) return;
    const DesignFileCounts counts =
        CountDesignFile(file, path, std::numeric_limits<std::int32_t>::max());
    file.Close();
    if (counts.outcome == DesignFileCounts::Outcome::Read) {
        load.details.header.stitchCount = counts.stitchCount;
    }
}

int RunInfo(const InfoOptions& options) {
    if (options.palette) {
        if (options.json) {
            std::cout << PaletteJson().dump(2) << '\n';
        } else {
            PrintPalette(std::cout);
        }
        return 0;
    }

    int status = 0;
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    for (const std::string& path : options.paths) {
        DesignLoadInfo load;
        if (!LoadDesignFile(file, path.c_str(), options.reduction, design, &load)) {
            std::cerr << "vireluna info: " << path << ": " << LoadFailureText(load) << '\n';
            status = ExitLoadFailed;
            continue;
        }
        CountPastTheRecordLimit(file, path, load);
        if (options.json) {
            WriteDesignJson(std::cout, DesignJson(design, load, options.records));
        } else {
            PrintDesign(std::cout, path, options, design, load);
        }
    }
    return status;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& exitStatus) {
    CLI::App* info = app.add_subcommand(
        "info", "Show what the saver reads from design files: header, colours, records, extents");
    auto options = std::make_shared<InfoOptions>();
    CLI::Option* files =
        info->add_option("files", options->paths,
                         "Design files (.pxs, .dst, .exp, .pes, .vp3, .hus, .vip, .xxx, .pcs)");
    info->add_option("-r,--reduction", options->reduction,
                     "Scale in percent, as the saver's Reduction setting")
        ->capture_default_str();
    info->add_flag("--json", options->json,
                   "Print one JSON object for one design file (with --palette: the palette)");
    CLI::Option* records =
        info->add_flag("--records", options->records, "Also list every record: kind, x, y");
    info->add_flag("--palette", options->palette, "Print the built-in thread palette")
        ->excludes(files)
        ->excludes(records);
    info->callback([options, &exitStatus] {
        if (options->paths.empty() && !options->palette) {
            PrintUsageError("vireluna info", "name at least one design file, or --palette");
            exitStatus = ExitUsage;
            return;
        }
        if (options->json && options->paths.size() > 1) {
            PrintUsageError("vireluna info", "--json takes one design file; name one at a time");
            exitStatus = ExitUsage;
            return;
        }
        exitStatus = RunInfo(*options);
    });
}

}  // namespace vireluna::cli
