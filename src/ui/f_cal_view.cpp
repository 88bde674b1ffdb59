// The main window's size and views: the chart follows the size of its box (its picture
// redrawn at the box's pixels, fonts and lines scaled with it, the mouse mapped onto the new
// pixels), and the chart-only view ("全屏图表", F11) shows the chart alone with its layer
// switches and read-out over the whole screen until F11 or Esc.
#include "f_cal.h"

#include "anchored_layout.h"
#include "chart_box_size.h"
#include "diagram_view.h"
#include "render/qimage_surface.h"
#include "twips.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

namespace steam::ui {

namespace {}  // namespace

void fCal::connectViewControls() {
    connect(Pic, &DiagramView::resized, this, &fCal::resizeChart);
    connect(menuChartOnly, &QAction::triggered, this, [this] { setChartOnly(!m_chartOnly); });
    m_leaveChartOnly = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_leaveChartOnly->setEnabled(false);
    connect(m_leaveChartOnly, &QShortcut::activated, this, [this] { setChartOnly(false); });
    // The window carries every menu item too, so their keys work while the menu bar is hidden.
    for (QAction* menu : menuBar()->actions())
        if (menu->menu()) addActions(menu->menu()->actions());
}

QSize fCal::firstSize() const { return m_firstClientSize + QSize(0, menuBar()->sizeHint().height()); }

void fCal::resizeChart(QSize size) {
    const double scale = chartScaleFor(size);
    const render::QImageSurface& picture = *m_surface;
    if (picture.deviceWidth() == size.width() && picture.deviceHeight() == size.height() && picture.scale() == scale)
        return;
    m_surface->resize(size.width(), size.height(), scale);
    placeAxisCaptions(Labelx, Labely, size, scale);
    m_diagram.redraw(*m_surface, m_registers);
}

// The controls that stay in the chart-only view; everything else of the client area hides.
bool fCal::shownWithChartOnly(const QWidget* widget) const {
    const std::initializer_list<const QWidget*> kept{Pic,   Shape4,    Frame3,    Text1,  Text2,
                                                     Text3, TXTmouseX, TXTmouseY, TXTinfo};
    if (std::find(kept.begin(), kept.end(), widget) != kept.end()) return true;
    for (int j = 0; j < 7; ++j)
        if (widget == CHKpic[j]) return true;
    return false;
}

void fCal::setChartOnly(bool on) {
    if (on == m_chartOnly) return;
    m_chartOnly = on;
    menuChartOnly->setChecked(on);
    m_leaveChartOnly->setEnabled(on);
    QWidget* client = centralWidget();
    for (QObject* child : client->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !shownWithChartOnly(widget)) widget->setVisible(!on);
    }
    menuBar()->setVisible(!on);
    m_layout->setBaseSize(on ? m_chartOnlyBaseSize : m_firstClientSize);
    if (on) {
        m_windowStateBeforeChartOnly = windowState();
        present(WindowPresentation::FullScreen);
    } else {
        present(m_windowStateBeforeChartOnly & Qt::WindowMaximized ? WindowPresentation::Maximized
                                                                   : WindowPresentation::Normal);
    }
}

void fCal::present(WindowPresentation how) {
    if (m_context.presentWindow) return m_context.presentWindow(this, how);
    if (how == WindowPresentation::FullScreen) showFullScreen();
    if (how == WindowPresentation::Maximized) showMaximized();
    if (how == WindowPresentation::Normal) showNormal();
}

}  // namespace steam::ui
