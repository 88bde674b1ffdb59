// The main window's keyboard: Enter in a value box computes its panel as the panel's "计算"
// button does, and Tab goes through the panel being worked in (its boxes and buttons) before
// the registers, the chart's switches and the other panel.
#include "f_cal.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace steam::ui {

void fCal::connectKeyboard() {
    for (int i = 0; i < panels::kSaturationOptions; ++i)
        connect(satBox(i), &QLineEdit::returnPressed, SCAL, &QPushButton::click);
    for (int k = 0; k < panels::kStateBoxes; ++k)
        connect(stateBox(k), &QLineEdit::returnPressed, SCAL2, &QPushButton::click);
    // The panel holding the focus is the one worked in; the order stays while the focus is
    // elsewhere.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now) return;
        if (Frame1->isAncestorOf(now)) orderTabs(Frame1);
        if (Frame2->isAncestorOf(now)) orderTabs(Frame2);
    });
    orderTabs(Frame1);
}

std::vector<QWidget*> fCal::panelTabs(const QWidget* panel) const {
    std::vector<QWidget*> tabs;
    if (panel == Frame1) {
        for (int i = 0; i < 8; ++i) tabs.insert(tabs.end(), {OPT[i], TXT[i]});
        tabs.insert(tabs.end(), {SCAL, cmdClean});
    } else {
        for (int k = 0; k < panels::kStateBoxes; ++k) tabs.insert(tabs.end(), {CHK[k], stateBox(k)});
        tabs.insert(tabs.end(), {SCAL2, cmdClean2});
    }
    return tabs;
}

void fCal::orderTabs(QWidget* active) {
    if (m_tabsFor == active) return;
    m_tabsFor = active;
    std::vector<QWidget*> chain = panelTabs(active);
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        chain.insert(chain.end(), {CMDupM[r], CMDupMR[r], CHKupM[r]});
        if (r == 4) chain.push_back(CMDupClear);
    }
    chain.push_back(CMDdownClear);
    chain.insert(chain.end(), CHKpic.begin(), CHKpic.end());
    chain.push_back(CMDcancel);
    const std::vector<QWidget*> other = panelTabs(active == Frame1 ? Frame2 : Frame1);
    chain.insert(chain.end(), other.begin(), other.end());
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace steam::ui
