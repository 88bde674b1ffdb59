#pragma once
// Reads back the pages of a PDF file that Qt wrote (QPrinter, QPdfWriter): each page's media
// box and the text drawn on it, its glyphs mapped to characters through the fonts' ToUnicode
// maps, in drawing order. Enough of PDF for Qt's own output: uncompressed or Flate streams,
// text as hex glyph strings shown with Tj.
#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <vector>

namespace steam::uitest {

struct PdfPage {
    QSizeF mediaBox;  ///< points
    QString text;     ///< every text run, in order, run after run
};

std::vector<PdfPage> readPdfPages(const QByteArray& pdf);

}  // namespace steam::uitest
