#include "chart_page.h"

#include "calc/register_store.h"
#include "diagram/diagram.h"
#include "panels/cycle_texts.h"
#include "picture_saving.h"
#include "render/page_surface.h"
#include "render/qimage_surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace steam::ui {

namespace {

// Values 6 (h'') of a saturation slot and 4 (h) of a state slot: non-zero once a result is
// there, as the chart's markers ask.
constexpr int kSteamEnthalpy = 6;
constexpr int kStateEnthalpy = 4;

constexpr double kMarginMillimetres = 10;
constexpr double kHeadingPoints = 13;
constexpr double kTablePoints = 9;
// The chart is never wider than this against its height: a wider page area centres it.
constexpr double kWidestChart = 1.5;

// No bold: the installed Chinese faces have none, and a PDF would carry every emboldened
// character twice, which copying text out of it then shows.
QFont pageFont(double points, int dotsPerInch) {
    QFont font(render::PainterSurface::mappedFamily(QStringLiteral("宋体")));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dotsPerInch / 72.0))));
    return font;
}

std::array<QString, 8> texts8(const std::vector<std::string>& texts) {
    std::array<QString, 8> out;
    for (size_t i = 0; i < out.size() && i < texts.size(); ++i) out[i] = QString::fromStdString(texts[i]);
    return out;
}

void paintTable(QPainter& painter, const QRectF& area, int dotsPerInch, const std::vector<MarkedState>& states) {
    const QFont font = pageFont(kTablePoints, dotsPerInch);
    const double rowHeight = QFontMetricsF(font).height() * 1.35;
    const double padding = QFontMetricsF(font).averageCharWidth() * 0.6;
    // The name column a little wider than the six values.
    std::array<double, 7> widths;
    widths[0] = area.width() * 0.22;
    for (size_t c = 1; c < widths.size(); ++c) widths[c] = area.width() * 0.13;
    const QStringList header = markedStateHeader();
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, std::max(1.0, dotsPerInch / 200.0)));
    for (size_t row = 0; row <= states.size(); ++row) {
        const double top = area.top() + row * rowHeight;
        if (row == 0) painter.fillRect(QRectF(area.left(), top, area.width(), rowHeight), QColor(225, 228, 225));
        double left = area.left();
        for (size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(left, top, widths[c], rowHeight);
            const QString text = row == 0 ? header[static_cast<int>(c)]
                                 : c == 0 ? states[row - 1].name
                                          : states[row - 1].values[c - 1];
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(padding, 0, -padding, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
            left += widths[c];
        }
    }
    painter.restore();
}

}  // namespace

QStringList markedStateHeader() {
    return {QStringLiteral("名称"),      QStringLiteral("t/ts (°C)"), QStringLiteral("p/ps (MPa)"),
            QStringLiteral("v (m³/kg)"), QStringLiteral("h (kJ/kg)"), QStringLiteral("s (kJ/(kg·K))"),
            QStringLiteral("x")};
}

std::vector<MarkedState> markedStates(const calc::RegisterStore& registers, const std::array<QString, 14>& boxTexts) {
    std::vector<MarkedState> out;
    // ts ps v' v'' h' h'' s' s'': saturated water, then saturated steam.
    const auto saturation = [&](const QString& name, const std::array<QString, 8>& t) {
        out.push_back({name + QStringLiteral(" 饱和水"), {t[0], t[1], t[2], t[4], t[6], QString()}});
        out.push_back({name + QStringLiteral(" 饱和蒸汽"), {t[0], t[1], t[3], t[5], t[7], QString()}});
    };
    if (registers.SaturationMemory(calc::kCurrentSatSlot, kSteamEnthalpy) != 0.0) {
        std::array<QString, 8> boxes;
        std::copy_n(boxTexts.begin(), 8, boxes.begin());
        saturation(QStringLiteral("当前"), boxes);
    }
    if (registers.StateMemory(calc::kCurrentStateSlot, kStateEnthalpy) != 0.0) {
        MarkedState state{QStringLiteral("当前 状态"), {}};
        std::copy_n(boxTexts.begin() + 8, 6, state.values.begin());
        out.push_back(state);
    }
    for (int r = 0; r < 5; ++r)
        if (registers.isShown(r) && registers.kind(r) == calc::RegisterKind::Saturation)
            saturation(QStringLiteral("M%1").arg(r + 1), texts8(registers.recall(r)));
    // States: M6 to M9, and M1 to M5 where a cycle's states were stored.
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        if (!registers.isShown(r) || registers.kind(r) != calc::RegisterKind::State ||
            registers.registerState(r)[kStateEnthalpy - 1] == 0.0)
            continue;
        const std::array<QString, 8> texts = texts8(registers.recall(r));
        out.push_back({QStringLiteral("M%1").arg(r + 1), {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]}});
    }
    return out;
}

std::vector<MarkedState> cycleStates(const diagram::CycleDrawing& cycle) {
    std::vector<MarkedState> out;
    for (size_t i = 0; i < cycle.states.size(); ++i) {
        const panels::StateTexts t = panels::cycleStateTexts(cycle.states[i]);
        MarkedState state{QStringLiteral("循环 %1").arg(i + 1), {}};
        for (size_t k = 0; k < state.values.size(); ++k) state.values[k] = QString::fromStdString(t[k]);
        out.push_back(state);
    }
    return out;
}

void preparePrinter(QPrinter& printer, const QString& documentName) {
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                    QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                    QPageLayout::Millimeter));
    printer.setDocName(documentName);
}

void paintChartPage(QPainter& painter, const QRect& area, int dotsPerInch, diagram::Diagram& diagram,
                    const calc::RegisterStore& registers, const std::vector<MarkedState>& states) {
    const double millimetre = dotsPerInch / 25.4;
    const QFont heading = pageFont(kHeadingPoints, dotsPerInch);
    const double headingHeight = QFontMetricsF(heading).height() * 1.3;
    const double rowHeight = QFontMetricsF(pageFont(kTablePoints, dotsPerInch)).height() * 1.35;
    const double tableHeight = states.empty() ? 0.0 : (states.size() + 1) * rowHeight;
    const double gap = 4 * millimetre;

    painter.save();
    painter.setFont(heading);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), headingHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(diagram.description().pictureName));
    painter.restore();

    const double chartTop = area.top() + headingHeight + gap;
    const double chartHeight = area.bottom() - chartTop - (states.empty() ? 0.0 : tableHeight + gap);
    const double chartWidth = std::min<double>(area.width(), chartHeight * kWidestChart);
    const QRect chart(static_cast<int>(area.left() + (area.width() - chartWidth) / 2), static_cast<int>(chartTop),
                      static_cast<int>(chartWidth), static_cast<int>(chartHeight));
    render::PageSurface page(painter, chart, dotsPerInch / 96.0 * kPrintEnlargement);
    page.setBackground(render::QImageSurface::kDefaultBackground);
    const bool titles = diagram.axisTitles;
    diagram.axisTitles = true;
    const diagram::DiagramScale& s = diagram.scale;
    diagram.drawWindow(page, registers, s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax);
    diagram.axisTitles = titles;
    page.finish();

    if (!states.empty())
        paintTable(painter, QRectF(area.left(), chart.bottom() + gap, area.width(), tableHeight), dotsPerInch, states);
}

void printChartPage(QPrinter& printer, diagram::Diagram& diagram, const calc::RegisterStore& registers,
                    const std::vector<MarkedState>& states) {
    QPainter painter(&printer);
    paintChartPage(painter, QRect(0, 0, printer.width(), printer.height()), printer.resolution(), diagram, registers,
                   states);
}

}  // namespace steam::ui
