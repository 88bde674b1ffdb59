#pragma once
// A property table (panels/table_page_texts.h) printed on A4 pages, portrait, 15 mm margins:
// on every page the title and the subtitle, the columns' symbols with their units beneath
// them, as many whole rows as fit (a thin rule every five rows, a rule under the saturation
// state at an isobar's head), and at the foot "第 n 页，共 N 页". The text shrinks, from 9 pt down to 6 pt, until the
// columns fit across the page. The same pages go to a printer (the print preview) and to a PDF file.
#include "panels/table_page_texts.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace steam::render {

/// A4 portrait with margins of 15 mm.
QPageLayout tablePageLayout();

/// How the table falls on pages of `width` x `height` device pixels at `dotsPerInch`: the
/// size of its text in points and the rows on each page (the last may hold fewer).
struct TablePagination {
    double points = 9.0;
    int rowsPerPage = 1;
    int pages = 1;
};
TablePagination paginateTable(const panels::TablePageTexts& table, int width, int height, int dotsPerInch);

/// Paints the table through `painter`, open on `device` as set up, starting a new page of the
/// device as each fills. Returns the number of pages.
int paintTablePages(QPainter& painter, QPagedPaintDevice& device, const panels::TablePageTexts& table);

/// The table as a PDF of A4 pages, written whole (picture_file.h). False with the reason,
/// without the path, when it cannot be written.
bool writeTablePdf(const panels::TablePageTexts& table, const QString& path, QString* error);

}  // namespace steam::render
