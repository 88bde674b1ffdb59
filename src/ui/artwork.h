#pragma once
// The pictures of the login and farewell windows, painted at start-up so that the program
// ships no image files.
#include <QImage>

namespace steam::ui {

inline constexpr QSize kLoginBackgroundSize{400, 170};
inline constexpr QSize kLoginButtonSize{80, 27};
inline constexpr QSize kFarewellPictureSize{100, 103};

/// Login window background: dark water-and-steam scene with the program title and the
/// prompt beside the code box.
QImage loginBackground();
/// Login button, normal or pressed look, on its teal RGB(0,128,128) face.
QImage loginButton(bool pressed);
/// Farewell window picture: a water drop under rising steam.
QImage farewellPicture();

/// The program's title, shown in the main window's caption and on the login picture.
QString programTitle();

}  // namespace steam::ui
