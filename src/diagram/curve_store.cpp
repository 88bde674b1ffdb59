#include "curve_store.h"

#include "data/curve_rows.h"
#include "data/data_fault.h"
#include "data/property_database.h"
#include "pixel_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

namespace steam::diagram {

namespace {

constexpr std::array<data::Source, kFamilyCount + 1> kFamilySources{
    data::Source::Swater, data::Source::DengT, data::Source::DengP, data::Source::DengV, data::Source::DengX};

template <std::size_t N>
bool hasValues(const std::array<double, N>& row, std::size_t from) {
    for (std::size_t k = from; k < N; ++k)
        if (std::isnan(row[k])) return false;
    return true;
}

// How far the saturation line may keep from any row of the table, in pixels of the chart's
// default window zoomed ten times.
constexpr double kDomeTolerancePixels = 0.25;

// One chart's saturation line as it is read from SWATER: the columns of its water and steam
// points, mapped onto the chart, and the pixels its shape is judged in.
struct DomeFrame {
    const ChartDescription& chart;
    double xPerPixel, yPerPixel;

    explicit DomeFrame(Chart c)
        : chart(chartDescription(c)),
          xPerPixel(unitsPerPixelAtTenfoldZoom(chart.x, kPicturePixelsAcross)),
          yPerPixel(unitsPerPixelAtTenfoldZoom(chart.y, kPicturePixelsUp)) {}

    SurfacePoint at(const data::SatRow& row, int xColumn, int yColumn) const {
        return {chart.x.toChart(row[xColumn]), chart.y.toChart(row[yColumn])};
    }
    double offChord(const SurfacePoint& p, const SurfacePoint& a, const SurfacePoint& b) const {
        const auto pixels = [this](const SurfacePoint& q) { return PixelPoint{q.x / xPerPixel, q.y / yPerPixel}; };
        return distanceToSegment(pixels(p), pixels(a), pixels(b));
    }
};

struct DomeRow {
    SurfacePoint steam, water;
};

bool finite(const SurfacePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The rows of SWATER read so far, each read once: the charts' lines share their samples and
// many of the rows their bends need.
class SaturationRows {
public:
    explicit SaturationRows(data::SaturationTable& rows) : m_rows(rows) {}

    /// Values 1 to 8 (ts to s'') of the row at a 1-based position; null, error filled, when
    /// one is missing.
    const data::SatRow* at(long position, std::string& error) {
        const auto known = m_read.find(position);
        if (known != m_read.end()) return &known->second;
        const auto row = m_rows.rowAtPosition(position);
        if (!row || !hasValues(*row, 1)) {
            error = "表 SWATER 第 " + std::to_string(position) + " 行缺少数值";
            return nullptr;
        }
        return &(m_read[position] = *row);
    }

private:
    data::SaturationTable& m_rows;
    std::map<long, data::SatRow> m_read;
};

// Reads the row at a 1-based position into out; false (error filled) when a value is missing
// or cannot be shown on the chart's axes.
bool readDomeRow(SaturationRows& rows, long position, const DomeFrame& frame, std::map<long, DomeRow>& out,
                 std::string& error) {
    const data::SatRow* values = rows.at(position, error);
    if (!values) return false;
    const SaturationColumns& c = frame.chart.saturation;
    const DomeRow row{frame.at(*values, c.steamX, c.steamY), frame.at(*values, c.waterX, c.waterY)};
    if (!finite(row.steam) || !finite(row.water)) {
        error =
            "表 SWATER 第 " + std::to_string(position) + " 行的数值无法画在" + frame.chart.menuItem + "的对数坐标上";
        return false;
    }
    out[position] = row;
    return true;
}

// Between two rows already read, reads the middle one; where it lies off either chord,
// it joins the line and both halves are looked at again.
bool refineDome(SaturationRows& rows, const DomeFrame& frame, long a, long b, std::map<long, DomeRow>& dome,
                std::string& error) {
    if (b - a < 2) return true;
    const long m = a + (b - a) / 2;
    std::map<long, DomeRow> probe;
    if (!readDomeRow(rows, m, frame, probe, error)) return false;
    const DomeRow& ra = dome.at(a);
    const DomeRow& rb = dome.at(b);
    const DomeRow& rm = probe.at(m);
    if (std::max(frame.offChord(rm.steam, ra.steam, rb.steam), frame.offChord(rm.water, ra.water, rb.water)) <=
        kDomeTolerancePixels)
        return true;
    dome[m] = rm;
    return refineDome(rows, frame, a, m, dome, error) && refineDome(rows, frame, m, b, dome, error);
}

// One chart's saturation line through the given rows, the last row (the critical point) and
// the rows between that its shape needs: up the steam side and back down the water side, or
// up the one curve where both sides are the same points.
bool readDome(SaturationRows& rows, long last, const DomeFrame& frame, std::map<long, DomeRow> dome,
              std::vector<SurfacePoint>& line, std::string& error) {
    if (!readDomeRow(rows, last, frame, dome, error)) return false;
    std::vector<long> read;
    for (const auto& entry : dome) read.push_back(entry.first);
    for (size_t k = 1; k < read.size(); ++k)
        if (!refineDome(rows, frame, read[k - 1], read[k], dome, error)) return false;
    line.clear();
    line.reserve(2 * dome.size());
    if (frame.chart.saturation.oneBranch()) {
        for (const auto& entry : dome) line.push_back(entry.second.water);
        return true;
    }
    for (const auto& entry : dome) line.push_back(entry.second.steam);
    for (auto it = dome.rbegin(); it != dome.rend(); ++it) line.push_back(it->second.water);
    return true;
}

bool readSaturationLines(const data::PropertyDatabase& db, CurveStore& store, std::string& error) {
    data::SaturationTable& rows = db.saturation();
    // The count is held in 16 bits; a longer table cannot be sampled.
    const long total = static_cast<long>(rows.rowCount());
    if (total > std::numeric_limits<int16_t>::max()) {
        error = "表 SWATER 行数超过 32767";
        return false;
    }
    const auto N = static_cast<int16_t>(total);
    if (N <= 0) {
        error = "表 SWATER 没有数据";
        return false;
    }
    std::vector<long> samples;
    for (int i = 1; i <= kSaturationSamples; ++i)
        samples.push_back(static_cast<long>(std::floor((i - 1) * static_cast<double>(N) / 20.0 + 1.0)));
    SaturationRows read(rows);
    for (Chart chart : kCharts) {
        const DomeFrame frame(chart);
        std::map<long, DomeRow> seeds;
        for (long position : samples)
            if (!readDomeRow(read, position, frame, seeds, error)) return false;
        if (chart == Chart::HS) {
            for (int i = 1; i <= kSaturationSamples; ++i) {
                const DomeRow& row = seeds.at(samples[i - 1]);
                store.SaturationLine[41 - i] = {static_cast<float>(row.water.x), static_cast<float>(row.water.y)};
                store.SaturationLine[i] = {static_cast<float>(row.steam.x), static_cast<float>(row.steam.y)};
            }
        }
        std::vector<SurfacePoint>& line =
            chart == Chart::HS ? store.SaturationDome : store.Charts[static_cast<size_t>(chart)].saturationLine;
        if (!readDome(read, N, frame, std::move(seeds), line, error)) return false;
    }
    return true;
}

// Every row of a table of the charts source, split into curves where the key changes.
bool readChartFamily(const data::PropertyDatabase& db, Chart chart, int layer, CurveStore& store, std::string& error) {
    const ChartDescription& d = chartDescription(chart);
    const std::string table = d.tables[layer];
    const data::ChartTable* schema = nullptr;
    for (const data::ChartTable& t : data::kChartTables)
        if (table == t.table) schema = &t;
    if (!schema) {
        error = "表 " + table + " 无法读取";
        return false;
    }
    std::vector<ChartCurve>& curves = store.Charts[static_cast<size_t>(chart)].families[layer];
    curves.clear();
    long n = 0;
    for (const data::CurveRow& row : data::readChartRows(db, *schema)) {
        ++n;
        if (!hasValues(row, 0)) {
            error = "表 " + table + " 第 " + std::to_string(n) + " 个曲线点缺少数值";
            return false;
        }
        const SurfacePoint point{d.x.toChart(row[1]), d.y.toChart(row[2])};
        if (!finite(point)) {
            error = "表 " + table + " 第 " + std::to_string(n) + " 个曲线点无法画在对数坐标上";
            return false;
        }
        if (curves.empty() || curves.back().key != row[0]) curves.push_back({row[0], {}});
        curves.back().points.push_back(point);
    }
    return true;
}

bool readFamily(const data::PropertyDatabase& db, int f, CurveStore& store, std::string& error) {
    const std::string& table = store.CurveTable[f];
    const std::vector<data::CurveRow> rows = data::readCurveRows(db, kFamilySources[f], kCurveSlots);
    for (int j = 1; j <= kCurveSlots; ++j) {
        CurvePoint& point = store.CurveFamily[f][j];
        if (static_cast<std::size_t>(j) > rows.size()) {
            point = {};
            continue;
        }
        const data::CurveRow& row = rows[static_cast<std::size_t>(j - 1)];
        if (!hasValues(row, 0)) {
            error = "表 " + table + " 第 " + std::to_string(j) + " 个曲线点缺少数值";
            return false;
        }
        point = {row[0], row[1], row[2]};
    }
    return true;
}

}  // namespace

void CurveStore::clearPoints() {
    SaturationLine = {};
    SaturationDome.clear();
    for (auto& family : CurveFamily) family = {};
    for (auto& chart : Charts) chart = {};
}

bool CurveStore::ReadCurveData(const data::PropertyDatabase& db, std::string& error) {
    CurveKeyName = {"", "t", "p", "v", "x"};
    CurveTable = {"", "DengT", "DengP", "DengV", "DengX"};
    bool ok = false;
    try {
        ok = readSaturationLines(db, *this, error);
        for (int f = 1; ok && f <= kFamilyCount; ++f) ok = readFamily(db, f, *this, error);
        for (Chart chart : kCharts) {
            if (chart == Chart::HS) continue;
            for (int layer = 0; ok && layer < kFamilySwitches; ++layer)
                if (chartDescription(chart).tables[layer]) ok = readChartFamily(db, chart, layer, *this, error);
        }
    } catch (const data::DataFault& fault) {
        error = "数据文件已损坏：" + fault.file().string();
        ok = false;
    }
    // Half-filled stores would draw a dome without curves, or some families only.
    if (!ok) clearPoints();
    return ok;
}

}  // namespace steam::diagram
