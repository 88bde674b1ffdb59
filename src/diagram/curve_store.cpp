#include "curve_store.h"

#include "data/property_database.h"
#include "data/row_set.h"
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

// Ordinals of SWATER read for the dome.
constexpr int kWaterEnthalpy = 5;
constexpr int kSteamEnthalpy = 6;
constexpr int kWaterEntropy = 7;
constexpr int kSteamEntropy = 8;

bool rowHasValues(const data::RowSet& rows, int lastPosition) {
    if (rows.isEOF() || rows.columnCount() <= lastPosition) return false;
    for (int p = 1; p <= lastPosition; ++p)
        if (rows.isNull(p)) return false;
    return true;
}

// Pixels of the default window (s 0 to 9.99, h 0 to 5000 on 489 x 465 pixels, 8 % margins)
// zoomed ten times, and the distance the dome may keep from any row of the table.
constexpr double kEntropyPerPixel = 9.99 * 1.16 / 4890.0;
constexpr double kEnthalpyPerPixel = 5000.0 * 1.16 / 4650.0;
constexpr double kDomeTolerancePixels = 0.25;

struct DomeRow {
    SurfacePoint steam, water;
};

double offChord(const SurfacePoint& p, const SurfacePoint& a, const SurfacePoint& b) {
    const auto pixels = [](const SurfacePoint& q) { return PixelPoint{q.x / kEntropyPerPixel, q.y / kEnthalpyPerPixel}; };
    return distanceToSegment(pixels(p), pixels(a), pixels(b));
}

// Reads the row at a 1-based position into rows; false (error filled) when a value is missing.
bool readDomeRow(data::RowSet& rows, long position, std::map<long, DomeRow>& out, std::string& error) {
    rows.setAbsolutePosition(position);
    if (!rowHasValues(rows, kSteamEntropy)) {
        error = "表 SWATER 第 " + std::to_string(position) + " 行缺少数值";
        return false;
    }
    out[position] = {{rows.Fields(kSteamEntropy), rows.Fields(kSteamEnthalpy)},
                     {rows.Fields(kWaterEntropy), rows.Fields(kWaterEnthalpy)}};
    return true;
}

// Between two rows already read, reads the middle one; where it lies off either chord,
// it joins the dome and both halves are looked at again.
bool refineDome(data::RowSet& rows, long a, long b, std::map<long, DomeRow>& dome, std::string& error) {
    if (b - a < 2) return true;
    const long m = a + (b - a) / 2;
    std::map<long, DomeRow> probe;
    if (!readDomeRow(rows, m, probe, error)) return false;
    const DomeRow& ra = dome.at(a);
    const DomeRow& rb = dome.at(b);
    const DomeRow& rm = probe.at(m);
    if (std::max(offChord(rm.steam, ra.steam, rb.steam), offChord(rm.water, ra.water, rb.water)) <= kDomeTolerancePixels)
        return true;
    dome[m] = rm;
    return refineDome(rows, a, m, dome, error) && refineDome(rows, m, b, dome, error);
}

bool readSaturationLine(const data::PropertyDatabase& db, CurveStore& store, std::string& error) {
    data::RowSet rows;
    std::string why;
    if (!rows.Open(db, db.connectionText(data::Source::Swater), "select * from SWATER", data::CursorType::Static,
                   &why)) {
        error = "表 SWATER 无法读取: " + why;
        return false;
    }
    // The count is held in 16 bits; a longer table cannot be sampled.
    const long total = rows.RecordCount();
    if (total > std::numeric_limits<int16_t>::max()) {
        error = "表 SWATER 行数超过 32767";
        return false;
    }
    const auto N = static_cast<int16_t>(total);
    if (N <= 0) {
        error = "表 SWATER 没有数据";
        return false;
    }
    std::map<long, DomeRow> dome;
    for (int i = 1; i <= kSaturationSamples; ++i) {
        const long position = static_cast<long>(std::floor((i - 1) * static_cast<double>(N) / 20.0 + 1.0));
        if (!readDomeRow(rows, position, dome, error)) return false;
        const DomeRow& row = dome[position];
        store.SaturationLine[41 - i] = {static_cast<float>(row.water.x), static_cast<float>(row.water.y)};
        store.SaturationLine[i] = {static_cast<float>(row.steam.x), static_cast<float>(row.steam.y)};
    }
    // The dome runs up to the critical point, the table's last row, and through the rows
    // between the samples that its shape needs.
    if (!readDomeRow(rows, N, dome, error)) return false;
    std::vector<long> read;
    for (const auto& entry : dome) read.push_back(entry.first);
    for (size_t k = 1; k < read.size(); ++k)
        if (!refineDome(rows, read[k - 1], read[k], dome, error)) return false;
    rows.Close();
    store.SaturationDome.clear();
    store.SaturationDome.reserve(2 * dome.size());
    for (const auto& entry : dome) store.SaturationDome.push_back(entry.second.steam);
    for (auto it = dome.rbegin(); it != dome.rend(); ++it) store.SaturationDome.push_back(it->second.water);
    return true;
}

bool readFamily(const data::PropertyDatabase& db, int f, CurveStore& store, std::string& error) {
    const std::string& table = store.CurveTable[f];
    const std::string query = "select * from " + table + " where " + store.CurveKeyName[f] + "<>" + "0" + " ";
    data::RowSet rows;
    std::string why;
    if (!rows.Open(db, db.connectionText(kFamilySources[f]), query, data::CursorType::Dynamic, &why)) {
        error = "表 " + table + " 无法读取: " + why;
        return false;
    }
    rows.MoveFirst();
    for (int j = 1; j <= kCurveSlots; ++j) {
        CurvePoint& point = store.CurveFamily[f][j];
        if (rows.isEOF()) {
            point = {};
            continue;
        }
        if (!rowHasValues(rows, 3)) {
            error = "表 " + table + " 第 " + std::to_string(j) + " 个曲线点缺少数值";
            return false;
        }
        point.key = rows.Fields(1);
        point.h = rows.Fields(2);
        point.s = rows.Fields(3);
        rows.MoveNext();
    }
    rows.Close();
    return true;
}

}  // namespace

void CurveStore::clearPoints() {
    SaturationLine = {};
    SaturationDome.clear();
    for (auto& family : CurveFamily) family = {};
}

bool CurveStore::ReadCurveData(const data::PropertyDatabase& db, std::string& error) {
    CurveKeyName = {"", "t", "p", "v", "x"};
    CurveTable = {"", "DengT", "DengP", "DengV", "DengX"};
    bool ok = readSaturationLine(db, *this, error);
    for (int f = 1; ok && f <= kFamilyCount; ++f) ok = readFamily(db, f, *this, error);
    // Half-filled stores would draw a dome without curves, or some families only.
    if (!ok) clearPoints();
    return ok;
}

}  // namespace steam::diagram
