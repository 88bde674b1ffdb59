#include "window_fonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace steam::ui {

namespace {

const QString kChinese = QStringLiteral("WenQuanYi Micro Hei");
const QString kLatin = QStringLiteral("DejaVu Sans");

bool isSongFace(const QString& family) {
    static const QStringList song{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("STSong"),
                                  QStringLiteral("华文宋体")};
    return song.contains(family, Qt::CaseInsensitive);
}

}  // namespace

QFont uiFont(const QString& family, double points, bool bold, bool italic) {
    QFont font;
    if (isSongFace(family))
        font.setFamilies({kChinese, kLatin});
    else
        font.setFamilies({kLatin, kChinese});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont defaultWindowFont() { return uiFont(QStringLiteral("宋体"), 9); }

void installFontSubstitutions() {
    for (const char* song : {"宋体", "SimSun", "STSong", "华文宋体"})
        QFont::insertSubstitutions(QString::fromUtf8(song), {kChinese, kLatin});
    for (const char* latin : {"Arial", "Verdana", "MS Sans Serif", "BankGothic Lt BT"})
        QFont::insertSubstitutions(QString::fromUtf8(latin), {kLatin, kChinese});
}

}  // namespace steam::ui

namespace steam::ui {

namespace {

bool fits(const QLabel* label) {
    const QSize box = label->contentsRect().size();
    if (label->wordWrap()) return label->heightForWidth(box.width()) <= box.height();
    const QFontMetrics metrics(label->font());
    return metrics.boundingRect(QRect(QPoint(0, 0), QSize(100000, 100000)), 0, label->text()).width() <= box.width();
}

}  // namespace

void shrinkToFit(QLabel* label, double minPoints) {
    QFont font = label->font();
    while (!fits(label) && font.pointSizeF() - 0.25 >= minPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        label->setFont(font);
    }
}

}  // namespace steam::ui
