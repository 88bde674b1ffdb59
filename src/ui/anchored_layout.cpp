#include "anchored_layout.h"

#include <QWidget>

#include <algorithm>

namespace steam::ui {

AnchoredLayout::AnchoredLayout(QWidget* parent, QSize baseSize) : QLayout(parent), m_base(baseSize) {
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetMinimumSize);
}

AnchoredLayout::~AnchoredLayout() {
    for (Entry& entry : m_entries) delete entry.item;
}

void AnchoredLayout::addAnchored(QWidget* widget, int anchors) {
    addChildWidget(widget);
    m_entries.push_back({new QWidgetItem(widget), widget->geometry(), anchors});
    invalidate();
}

void AnchoredLayout::setBaseSize(QSize size) {
    m_base = size;
    invalidate();
    if (QWidget* parent = parentWidget()) setGeometry(parent->contentsRect());
}

// Widgets added through QLayout's generic path keep their place and follow nothing.
void AnchoredLayout::addItem(QLayoutItem* item) { m_entries.push_back({item, item->geometry(), 0}); }

int AnchoredLayout::count() const { return static_cast<int>(m_entries.size()); }

QLayoutItem* AnchoredLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? m_entries[static_cast<size_t>(index)].item : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = m_entries[static_cast<size_t>(index)].item;
    m_entries.erase(m_entries.begin() + index);
    return item;
}

QSize AnchoredLayout::sizeHint() const { return m_base; }

QSize AnchoredLayout::minimumSize() const { return m_base; }

QRect AnchoredLayout::placeFor(const QWidget* widget, const QRect& area) const {
    const auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.item->widget() == widget; });
    if (entry == m_entries.end()) return widget->geometry();
    const int dx = std::max(0, area.width() - m_base.width());
    const int dy = std::max(0, area.height() - m_base.height());
    QRect r = entry->place.translated(area.topLeft());
    if (entry->anchors & FollowRight) r.translate(dx, 0);
    if (entry->anchors & FollowBottom) r.translate(0, dy);
    if (entry->anchors & StretchWidth) r.setWidth(r.width() + dx);
    if (entry->anchors & StretchHeight) r.setHeight(r.height() + dy);
    return r;
}

// Places the widgets themselves: a widget item would bound each by its size hint, and the
// window's controls have the sizes they were given, not the ones their style would choose.
void AnchoredLayout::setGeometry(const QRect& area) {
    QLayout::setGeometry(area);
    for (const Entry& entry : m_entries)
        if (QWidget* widget = entry.item->widget()) widget->setGeometry(placeFor(widget, area));
}

}  // namespace steam::ui
