#include "explanation_window.h"

#include "f_login.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace steam::ui {
namespace {

// The rows of a step are lined up in columns, Chinese characters two wide: a face whose
// Chinese glyphs are exactly twice its Latin ones keeps them lined up.
QFont alignedFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei Mono"));
    if (!QFontDatabase::hasFamily(font.family())) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.5);
    return font;
}

}  // namespace

ExplanationWindow::ExplanationWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("计算过程"));
    setFont(defaultWindowFont());
    setFilledBackground(this, QColor(192, 192, 192));

    Text = new QPlainTextEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setReadOnly(true);
    Text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setFont(alignedFont());

    LabelHint = new QLabel(this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setWordWrap(true);
    CMDcopy = new QPushButton(QStringLiteral("复制"), this);
    CMDcopy->setObjectName(QStringLiteral("CMDcopy"));
    connect(CMDcopy, &QPushButton::clicked, this, &ExplanationWindow::copyText);

    // Ctrl+C copies the whole text unless part of it is selected, which the box copies itself.
    copyAction = new QAction(QStringLiteral("复制全部"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WindowShortcut);
    addAction(copyAction);
    connect(copyAction, &QAction::triggered, this, [this] {
        if (Text->textCursor().hasSelection())
            Text->copy();
        else
            copyText();
    });

    auto* foot = new QHBoxLayout;
    foot->addWidget(LabelHint, 1);
    foot->addWidget(CMDcopy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text, 1);
    layout->addLayout(foot);
    showExplanations({}, {});
    resize(900, 600);
    centreOnScreen(this);
}

void ExplanationWindow::showExplanations(const std::string& saturation, const std::string& state) {
    std::string text = saturation;
    if (!saturation.empty() && !state.empty()) text += "\n\n";
    text += state;
    Text->setPlainText(QString::fromStdString(text));
    CMDcopy->setEnabled(!text.empty());
    LabelHint->setText(text.empty() ? QStringLiteral("计算一个饱和状态或状态后，这里写出查了哪张表、哪几行，"
                                                     "以及插值的算式和数字。")
                                    : QStringLiteral("每一步列出表中相邻的行和插值算式；“→”后是框中显示的值。"
                                                     "按 Ctrl+C 或“复制”复制全文。"));
}

QString ExplanationWindow::text() const { return Text->toPlainText(); }

void ExplanationWindow::copyText() { QGuiApplication::clipboard()->setText(text()); }

}  // namespace steam::ui
