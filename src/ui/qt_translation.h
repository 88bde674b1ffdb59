#pragma once
// Qt's own texts (the save dialog, the value boxes' right-click menu, standard buttons) in
// Chinese, from the translations Qt installs (Debian package qt6-translations-l10n).

namespace steam::ui {

/// Loads Qt's Simplified Chinese translation and installs it on the running application.
/// False when it is not installed; Qt's texts then stay in English.
bool installQtChineseTranslation();

}  // namespace steam::ui
