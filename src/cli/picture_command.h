#pragma once
// `steamcalc diagram FILE [--chart hs|ts|pv|pt] [--isotherms] [--isobars] [--isochores]
// [--isenthalps] [--isentropes] [--dryness] [--saturation] [--critical] [--labels] [--all]
// [--window xmin xmax ymin ymax] [--size width height] [--cycle "rankine NAME=VALUE ..."]`:
// draws a chart (the h-s chart unless
// --chart names another) the way the program shows it, after the curves are loaded, with the
// axis titles and units in its margins, and writes it to FILE in the format its extension
// names: BMP (.bmp), PNG (.png), JPEG (.jpg, .jpeg), SVG (.svg) or PDF (.pdf, vectors on a
// page of the picture's size at 96 dpi); any other name is refused. A family option the chart
// lacks is refused; --all switches on every layer the chart has. --window is in the axes' own
// units (not their logarithms on a logarithmic axis) and must be drawable: a window so wide or
// narrow that its pixels per unit overflow is refused. --size draws the same picture at
// another size in pixels (489 x 465 unless given), fonts and lines scaled with it. --cycle
// draws the Rankine cycle its words describe (as `steamcalc cycle` reads them, cycle_command.h)
// on the chart; malformed words, or a cycle whose states the tables do not hold, are refused.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace steam::cli {

/// args: the words after "diagram". Reads the data files from the first of data::dataPlaces()
/// that holds them.
/// Returns 0 on success, 2 for bad arguments, 1 when the data or the file fail; each
/// failure writes one line to err naming what is wrong. Creates a QGuiApplication
/// (offscreen unless QT_QPA_PLATFORM is set) when none exists.
int runPictureCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// The same with the data files read from dataDir.
int runPictureCommand(const std::vector<std::string>& args, const std::filesystem::path& dataDir, std::ostream& out,
                      std::ostream& err);
/// The same with the data files read from the first of these places that holds them.
int runPictureCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& dataPlaces,
                      std::ostream& out, std::ostream& err);

}  // namespace steam::cli
