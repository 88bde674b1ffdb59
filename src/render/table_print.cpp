#include "table_print.h"

#include "painter_surface.h"
#include "picture_file.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace steam::render {
namespace {

constexpr double kMarginMillimetres = 15.0;
constexpr double kLargestPoints = 9.0;
constexpr double kSmallestPoints = 6.0;
constexpr double kTitleLarger = 4.0;  // points the title is set larger than the rows
constexpr int kPdfDpi = 300;
constexpr int kRowsBetweenRules = 5;

// No bold: the installed Chinese faces have none (chart_page.cpp says why).
QFont tableFont(double points, int dotsPerInch) {
    QFont font(PainterSurface::mappedFamily(QStringLiteral("宋体")));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dotsPerInch / 72.0))));
    return font;
}

QString text(const std::vector<std::string>& cells, size_t c) {
    return c < cells.size() ? QString::fromStdString(cells[c]) : QString();
}

// The table's measures at one size of text, in device pixels.
struct Layout {
    QFont body, title;
    double row = 0, titleHeight = 0, subtitleHeight = 0, footer = 0, padding = 0;
    std::vector<double> widths;
    double total = 0;

    double above() const { return titleHeight + subtitleHeight + 2 * row; }  // title to the units line
};

Layout measure(const panels::TablePageTexts& table, double points, int dotsPerInch) {
    Layout l;
    l.body = tableFont(points, dotsPerInch);
    l.title = tableFont(points + kTitleLarger, dotsPerInch);
    const QFontMetricsF body(l.body);
    l.row = body.height() * 1.3;
    l.padding = body.averageCharWidth() * 0.8;
    l.titleHeight = QFontMetricsF(l.title).height() * 1.4;
    l.subtitleHeight = table.subtitle.empty() ? 0.0 : l.row;
    l.footer = l.row * 1.5;
    const size_t columns = table.symbols.size();
    l.widths.assign(columns, 0.0);
    for (size_t c = 0; c < columns; ++c) {
        double w =
            std::max(body.horizontalAdvance(text(table.symbols, c)), body.horizontalAdvance(text(table.units, c)));
        for (const auto& row : table.rows) w = std::max(w, body.horizontalAdvance(text(row, c)));
        l.widths[c] = w + 2 * l.padding;
        l.total += w + 2 * l.padding;
    }
    return l;
}

// The phase column of an isobar's page holds names, set to the left; numbers to the right.
bool isNameColumn(const panels::TablePageTexts& table, size_t c) { return c == 0 && table.symbols[0] == "相态"; }

double chosenPoints(const panels::TablePageTexts& table, int width, int dotsPerInch) {
    double points = kLargestPoints;
    while (points > kSmallestPoints && measure(table, points, dotsPerInch).total > width) points -= 0.5;
    return points;
}

}  // namespace

QPageLayout tablePageLayout() {
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}

TablePagination paginateTable(const panels::TablePageTexts& table, int width, int height, int dotsPerInch) {
    TablePagination p;
    p.points = chosenPoints(table, width, dotsPerInch);
    const Layout l = measure(table, p.points, dotsPerInch);
    p.rowsPerPage = std::max(1, static_cast<int>(std::floor((height - l.above() - l.footer) / l.row)));
    const auto rows = static_cast<int>(table.rows.size());
    p.pages = std::max(1, (rows + p.rowsPerPage - 1) / p.rowsPerPage);
    return p;
}

int paintTablePages(QPainter& painter, QPagedPaintDevice& device, const panels::TablePageTexts& table) {
    const int dpi = device.logicalDpiY();
    const int width = device.width(), height = device.height();
    const TablePagination pages = paginateTable(table, width, height, dpi);
    Layout l = measure(table, pages.points, dpi);
    // The columns share what is left of the width, so the table spans the page.
    const double spare = std::max(0.0, (width - l.total) / std::max<size_t>(1, l.widths.size()));
    for (double& w : l.widths) w += spare;
    const double tableWidth = l.total + spare * static_cast<double>(l.widths.size());
    const double left = (width - tableWidth) / 2;
    const QPen rule(Qt::black, std::max(1.0, dpi / 200.0));
    const QPen thin(QColor(150, 150, 150), std::max(1.0, dpi / 400.0));
    const auto cells = [&](double top, const std::vector<std::string>& texts, bool header) {
        double x = left;
        for (size_t c = 0; c < l.widths.size(); ++c) {
            const QRectF box(x + l.padding, top, l.widths[c] - 2 * l.padding, l.row);
            const Qt::Alignment across = header                   ? Qt::AlignHCenter
                                         : isNameColumn(table, c) ? Qt::AlignLeft
                                                                  : Qt::AlignRight;
            painter.drawText(box, across | Qt::AlignVCenter, text(texts, c));
            x += l.widths[c];
        }
    };
    const auto hLine = [&](double y, const QPen& pen) {
        painter.setPen(pen);
        painter.drawLine(QPointF(left, y), QPointF(left + tableWidth, y));
        painter.setPen(Qt::black);
    };
    for (int page = 0; page < pages.pages; ++page) {
        if (page > 0) device.newPage();
        painter.setPen(Qt::black);
        painter.setFont(l.title);
        painter.drawText(QRectF(0, 0, width, l.titleHeight), Qt::AlignCenter, QString::fromStdString(table.title));
        painter.setFont(l.body);
        double y = l.titleHeight;
        if (!table.subtitle.empty())
            painter.drawText(QRectF(0, y, width, l.row), Qt::AlignCenter, QString::fromStdString(table.subtitle));
        y += l.subtitleHeight;
        hLine(y, rule);
        cells(y, table.symbols, true);
        cells(y + l.row, table.units, true);
        y += 2 * l.row;
        hLine(y, rule);
        const int first = page * pages.rowsPerPage;
        const int last = std::min<int>(static_cast<int>(table.rows.size()), first + pages.rowsPerPage);
        for (int r = first; r < last; ++r) {
            cells(y, table.rows[static_cast<size_t>(r)], false);
            y += l.row;
            const int head = static_cast<int>(table.headRows);
            if (r + 1 == head)
                hLine(y, rule);
            else if (r + 1 > head && (r + 1 - head) % kRowsBetweenRules == 0 && r + 1 < last)
                hLine(y, thin);
        }
        hLine(y, rule);
        painter.drawText(QRectF(0, height - l.footer, width, l.footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("第 %1 页，共 %2 页").arg(page + 1).arg(pages.pages));
    }
    return pages.pages;
}

bool writeTablePdf(const panels::TablePageTexts& table, const QString& path, QString* error) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(tablePageLayout());
        pdf.setResolution(kPdfDpi);
        pdf.setTitle(QString::fromStdString(table.title));
        QPainter painter(&pdf);
        paintTablePages(painter, pdf, table);
        if (!painter.end()) {
            if (error) *error = QStringLiteral("the PDF could not be drawn");
            return false;
        }
    }
    return writeWholeFile(path, bytes, error);
}

}  // namespace steam::render
