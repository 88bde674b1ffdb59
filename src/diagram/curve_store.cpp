#include "curve_store.h"

#include "data/property_database.h"
#include "data/row_set.h"

#include <cmath>
#include <cstdint>
#include <limits>

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
    for (int i = 1; i <= kSaturationSamples; ++i) {
        const long position = static_cast<long>(std::floor((i - 1) * static_cast<double>(N) / 20.0 + 1.0));
        rows.setAbsolutePosition(position);
        if (!rowHasValues(rows, kSteamEntropy)) {
            error = "表 SWATER 第 " + std::to_string(position) + " 行缺少数值";
            return false;
        }
        store.SaturationLine[41 - i].s = static_cast<float>(rows.Fields(kWaterEntropy));
        store.SaturationLine[41 - i].h = static_cast<float>(rows.Fields(kWaterEnthalpy));
        store.SaturationLine[i].s = static_cast<float>(rows.Fields(kSteamEntropy));
        store.SaturationLine[i].h = static_cast<float>(rows.Fields(kSteamEnthalpy));
    }
    rows.Close();
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
