#pragma once
// A layout for a window drawn at fixed places: every widget keeps the place it had at the
// layout's base size, and when the window is larger each widget moves or stretches by the
// extra width and height as its anchors say. At the base size (and never below it, the
// layout's minimum) every widget stands exactly where it was put.
#include <QLayout>
#include <QRect>

#include <vector>

namespace steam::ui {

class AnchoredLayout final : public QLayout {
public:
    /// Anchors of a widget, or-ed; none keeps the widget at its place.
    enum Anchor : int {
        FollowRight = 1,    ///< moves right by the extra width
        FollowBottom = 2,   ///< moves down by the extra height
        StretchWidth = 4,   ///< grows by the extra width
        StretchHeight = 8,  ///< grows by the extra height
    };

    AnchoredLayout(QWidget* parent, QSize baseSize);
    ~AnchoredLayout() override;

    /// Adds a child of the parent widget, anchored; its place at the base size is where it
    /// stands now.
    void addAnchored(QWidget* widget, int anchors);
    /// The size at which every widget stands at its own place, and the layout's minimum.
    void setBaseSize(QSize size);
    QSize baseSize() const { return m_base; }
    /// Where a widget stands when the parent's contents are `area`.
    QRect placeFor(const QWidget* widget, const QRect& area) const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& area) override;

private:
    struct Entry {
        QLayoutItem* item;
        QRect place;  // at the base size
        int anchors;
    };
    QSize m_base;
    std::vector<Entry> m_entries;
};

}  // namespace steam::ui
