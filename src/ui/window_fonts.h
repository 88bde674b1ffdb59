#pragma once
// Fonts named by the window layouts, mapped onto what a Debian desktop has: the Song faces
// become WenQuanYi Micro Hei, the Latin faces DejaVu Sans with WenQuanYi behind it so that
// Chinese text in a Latin-font control still renders in one consistent face.
#include <QFont>
#include <QString>

namespace steam::ui {

/// Font of the given family as the layouts name it ("宋体", "SimSun", "Arial", "Verdana",
/// "MS Sans Serif", "BankGothic Lt BT", "STSong"), in points.
QFont uiFont(const QString& family, double points, bool bold = false, bool italic = false);

/// The windows' default font: the Chinese face at 9 pt.
QFont defaultWindowFont();

/// Registers the substitutions with Qt so that text drawn by family name elsewhere (the
/// diagram's "Arial" and "宋体") lands on installed faces too.
void installFontSubstitutions();

}  // namespace steam::ui

class QLabel;

namespace steam::ui {

/// Steps the label's font down (by quarter points, not below minPoints) until its text fits
/// the label's box: installed faces run wider and taller than the Song face the boxes were
/// measured for.
void shrinkToFit(QLabel* label, double minPoints);

}  // namespace steam::ui
