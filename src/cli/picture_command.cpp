#include "picture_command.h"

#include "cycle_command.h"
#include "gui_scope.h"
#include "panels/cycle_texts.h"
#include "requests.h"
#include "utf8_text.h"

#include "render/picture_file.h"
#include "render/qimage_surface.h"

#include "calc/register_store.h"
#include "data/property_database.h"
#include "diagram/diagram.h"
#include "diagram/diagram_startup.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

namespace steam::cli {

namespace {

constexpr const char* kPrefix = "steamcalc diagram: ";

// Family options name the property constant along the curves, whatever chart shows them.
struct FamilyOption {
    const char* name;
    diagram::Quantity key;
    const char* curves;  // in the message for a chart without them
};

constexpr std::array<FamilyOption, 6> kFamilyOptions{{
    {"--isotherms", diagram::Quantity::t, "isotherms"},
    {"--isobars", diagram::Quantity::p, "isobars"},
    {"--isochores", diagram::Quantity::v, "isochores"},
    {"--isenthalps", diagram::Quantity::h, "isenthalps"},
    {"--isentropes", diagram::Quantity::s, "isentropes"},
    {"--dryness", diagram::Quantity::x, "lines of constant dryness"},
}};

struct LayerOption {
    const char* name;
    int layer;  // index into CHKpic
};

constexpr std::array<LayerOption, 3> kLayerOptions{{
    {"--saturation", diagram::kSaturationLayer},
    {"--critical", diagram::kCriticalPointLayer},
    {"--labels", diagram::kRegionLabels},
}};

bool readWholeNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

// Pixels a side: from a thumbnail to a poster at 300 dpi.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 8000;

struct PictureOptions {
    std::string file;
    diagram::Chart chart = diagram::Chart::HS;
    bool all = false;
    std::vector<const FamilyOption*> families;
    std::array<bool, 7> layers{};
    bool window = false;
    std::array<double, 4> bounds{};  // across min and max, up min and max, in the axes' units
    std::array<std::string, 4> boundTexts;
    int width = render::QImageSurface::kWidth;
    int height = render::QImageSurface::kHeight;
    std::optional<cycle::RankineInputs> cycle;
};

bool readSide(const std::string& text, int& side) {
    double value = 0;
    if (!readWholeNumber(text, value) || value != std::floor(value) || value < kMinSide || value > kMaxSide)
        return false;
    side = static_cast<int>(value);
    return true;
}

std::string quantityName(diagram::Quantity q) { return diagram::familyStyle(q).keyName; }

// A window the picture can be drawn over: its span with the margins (8 % each side) and the
// pixels per unit are ordinary numbers, neither infinite nor too small to count.
bool drawable(double low, double high, double pixels) {
    const double span = high - low;
    const double edges[] = {low - 0.08 * span, high + 0.08 * span, 1.16 * span, pixels / (1.16 * span)};
    return std::all_of(std::begin(edges), std::end(edges), [](double v) { return std::isfinite(v); }) &&
           std::isnormal(span) && std::isnormal(pixels / (1.16 * span));
}

// What depends on the chart is checked once the whole line is read: --chart may come last.
bool checkAgainstChart(PictureOptions& options, std::string& problem) {
    const diagram::ChartDescription& d = diagram::chartDescription(options.chart);
    const std::string x = quantityName(d.x.quantity), y = quantityName(d.y.quantity);
    for (const FamilyOption* family : options.families) {
        int layer = -1;
        for (int i = 0; i < diagram::kFamilySwitches; ++i)
            if (d.switches[i] == family->key) layer = i;
        if (layer < 0) {
            problem = std::string(family->name) + ": the " + d.name + " chart has no " + family->curves;
            return false;
        }
        options.layers[layer] = true;
    }
    if (options.all) {
        for (int i = 0; i < diagram::kFamilySwitches; ++i) options.layers[i] = d.switches[i].has_value();
        for (const LayerOption& layer : kLayerOptions) options.layers[layer.layer] = true;
    }
    if (!options.window) return true;
    if (!(options.bounds[0] < options.bounds[1]) || !(options.bounds[2] < options.bounds[3])) {
        problem = "--window needs " + x + "min < " + x + "max and " + y + "min < " + y + "max";
        return false;
    }
    for (int k = 0; k < 4; ++k) {
        const diagram::ChartAxis& axis = k < 2 ? d.x : d.y;
        if (axis.logarithmic && !(options.bounds[k] > 0)) {
            problem = "--window: " + quantityName(axis.quantity) + " \"" + options.boundTexts[k] +
                      "\" must be above 0 on the logarithmic axis of the " + d.name + " chart";
            return false;
        }
    }
    for (int k = 0; k < 4; k += 2) {
        const diagram::ChartAxis& axis = k == 0 ? d.x : d.y;
        const double low = axis.toChart(options.bounds[k]), high = axis.toChart(options.bounds[k + 1]);
        const double pixels = k == 0 ? options.width : options.height;
        if (!drawable(low, high, pixels)) {
            problem = "--window: " + quantityName(axis.quantity) + " from " + options.boundTexts[k] + " to " +
                      options.boundTexts[k + 1] + " is too " + (std::isfinite(high - low) ? "narrow" : "wide") +
                      " to draw";
            return false;
        }
    }
    return true;
}

bool parseArguments(const std::vector<std::string>& args, PictureOptions& options, std::string& problem) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--all") {
            options.all = true;
            continue;
        }
        if (arg == "--chart") {
            const std::optional<diagram::Chart> chart =
                i + 1 < args.size() ? diagram::chartNamed(args[i + 1]) : std::nullopt;
            if (!chart) {
                problem = "--chart needs one of hs, ts, pv, pt";
                return false;
            }
            options.chart = *chart;
            ++i;
            continue;
        }
        if (arg == "--cycle") {
            std::string error;
            if (i + 1 < args.size()) options.cycle = parseCycleRequest(splitWords(args[i + 1]), error);
            if (!options.cycle) {
                problem = i + 1 < args.size()
                              ? "--cycle: " + error
                              : "--cycle needs a cycle, e.g. \"rankine p_high=8 t_high=480 p_low=0.008\"";
                return false;
            }
            ++i;
            continue;
        }
        if (arg == "--size") {
            if (args.size() - i - 1 < 2 || !readSide(args[i + 1], options.width) ||
                !readSide(args[i + 2], options.height)) {
                problem = "--size needs two whole numbers of pixels from " + std::to_string(kMinSide) + " to " +
                          std::to_string(kMaxSide) + ": width height";
                return false;
            }
            i += 2;
            continue;
        }
        if (arg == "--window") {
            if (args.size() - i - 1 < 4) {
                problem = "--window needs four numbers: across min and max, up min and max";
                return false;
            }
            for (size_t k = 0; k < 4; ++k) {
                options.boundTexts[k] = args[i + 1 + k];
                if (!readWholeNumber(args[i + 1 + k], options.bounds[k])) {
                    problem = "--window: \"" + args[i + 1 + k] + "\" is not a number";
                    return false;
                }
            }
            options.window = true;
            i += 4;
            continue;
        }
        bool known = false;
        for (const FamilyOption& option : kFamilyOptions) {
            if (arg == option.name) {
                options.families.push_back(&option);
                known = true;
            }
        }
        for (const LayerOption& option : kLayerOptions) {
            if (arg == option.name) {
                options.layers[option.layer] = true;
                known = true;
            }
        }
        if (known) continue;
        if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option " + arg;
            return false;
        }
        if (!options.file.empty()) {
            problem = "unexpected argument " + arg + " (the output file is " + options.file + ")";
            return false;
        }
        options.file = arg;
    }
    if (options.file.empty()) {
        problem = "missing output file name";
        return false;
    }
    if (!render::formatOfFileName(QString::fromStdString(options.file))) {
        problem = options.file + ": the picture's name must end in " + render::knownExtensions();
        return false;
    }
    return checkAgainstChart(options, problem);
}

}  // namespace

int runPictureCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runPictureCommand(args, data::dataPlaces(), out, err);
}

int runPictureCommand(const std::vector<std::string>& args, const std::filesystem::path& dataDir, std::ostream& out,
                      std::ostream& err) {
    return runPictureCommand(args, std::vector<std::filesystem::path>{dataDir}, out, err);
}

int runPictureCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& dataPlaces,
                      std::ostream& out, std::ostream& err) {
    PictureOptions options;
    std::string problem;
    if (!parseArguments(args, options, problem)) {
        err << kPrefix << problem << '\n';
        return 2;
    }
    GuiScope gui;
    if (!gui.ok()) {
        err << kPrefix << "text needs a QGuiApplication, but another kind of application object exists\n";
        return 1;
    }
    data::PropertyDatabase db;
    std::string error;
    if (!db.openFirst(dataPlaces, error)) {
        err << kPrefix << error << '\n';
        return 1;
    }

    // The program's start-up sequence: the default window is drawn once before the curves exist
    // (on a picture of its own, since a file holds only the last drawing).
    render::QImageSurface startup;
    calc::RegisterStore registers;
    diagram::Diagram diagram;
    diagram::DiagramScale& scale = diagram.scale;
    if (!diagram::startDiagram(diagram, startup, registers, db, error)) {
        err << kPrefix << error << '\n';
        return 1;
    }

    if (options.cycle) {
        const cycle::RankineResult built = cycle::buildRankine(db, *options.cycle);
        if (built.outcome != cycle::BuildOutcome::Built) {
            err << kPrefix << "--cycle: " << wellFormed(panels::buildMessage(built).text) << '\n';
            return 2;
        }
        diagram.cycle = diagram::cycleDrawing(db, built.cycle);
    }
    diagram.setChart(options.chart);
    for (size_t layer = 0; layer < options.layers.size(); ++layer) diagram.CHKpic[layer] = options.layers[layer];
    if (options.window) {
        const diagram::ChartDescription& d = diagram.description();
        scale.ViewXmin = d.x.toChart(options.bounds[0]);
        scale.ViewXmax = d.x.toChart(options.bounds[1]);
        scale.ViewYmin = d.y.toChart(options.bounds[2]);
        scale.ViewYmax = d.y.toChart(options.bounds[3]);
    }
    diagram.axisTitles = true;
    scale.DefineScale(scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
    const double printScale = std::min(options.width / double(render::QImageSurface::kWidth),
                                       options.height / double(render::QImageSurface::kHeight));
    const QString path = QString::fromStdString(options.file);
    render::PictureRequest request;
    request.format = *render::formatOfFileName(path);
    request.width = options.width;
    request.height = options.height;
    request.scale = printScale;
    request.title = QString::fromUtf8(diagram.description().pictureName);
    QString why;
    const bool saved = render::writePicture(
        request, path,
        [&](diagram::DrawingSurface& pic) {
            diagram.drawWindow(pic, registers, scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
        },
        &why);
    if (!saved) {
        err << kPrefix << "cannot write " << options.file << ": " << why.toStdString() << '\n';
        return 1;
    }
    out << options.file << '\n';
    return 0;
}

}  // namespace steam::cli
