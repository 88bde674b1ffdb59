#pragma once
// Text drawn by Qt needs a QGuiApplication. steamcalc's commands that draw (diagram, table
// --pdf) make one for their own run when there is none, offscreen unless QT_QPA_PLATFORM is
// set, and keep Qt's start-up chatter out of their one-line error contract.
#include <QGuiApplication>

#include <memory>

namespace steam::cli {

class GuiScope {
public:
    GuiScope();
    GuiScope(const GuiScope&) = delete;
    GuiScope& operator=(const GuiScope&) = delete;
    /// False when another kind of application object exists, which cannot draw text.
    bool ok() const { return m_ok; }

private:
    std::unique_ptr<QGuiApplication> m_app;
    bool m_ok = true;
};

}  // namespace steam::cli
