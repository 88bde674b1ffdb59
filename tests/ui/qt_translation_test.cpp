// Qt's own texts that the user meets are Chinese: the save dialog (title, labels, buttons)
// and the value boxes' right-click menu. The program loads Qt's translation at start; the
// test main does the same.
#include "test_registry.h"
#include "ui/save_dialog_service.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

namespace {

// English texts of the widgets Qt makes itself, with and without their mnemonics.
bool isEnglish(QString text) {
    text.remove(u'&');
    static const QStringList english{"Save As", "Save", "Cancel", "File name:", "Files of type:", "Look in:",  "Undo",
                                     "Redo",    "Cut",  "Copy",   "Paste",      "Delete",         "Select All"};
    return english.contains(text.split(u'\t').front().trimmed());
}

}  // namespace

class QtTranslationTest : public QObject {
    Q_OBJECT
private slots:
    void theSaveDialogSpeaksChinese() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        steam::ui::prepareSaveDialog(dialog, QStringLiteral("水的h-s图"), QStringLiteral("pictures(*.bmp;*.jpg)"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(!isEnglish(dialog.windowTitle()), qPrintable(dialog.windowTitle()));
        QStringList seen;
        for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty()) seen << b->text();
        for (const QLabel* l : dialog.findChildren<QLabel*>())
            if (l->isVisible() && !l->text().isEmpty()) seen << l->text();
        QVERIFY(seen.size() >= 4);  // save, cancel and the two labels at least
        for (const QString& text : seen) QVERIFY2(!isEnglish(text), qPrintable(text));
    }

    void theValueBoxMenuSpeaksChinese() {
        QLineEdit box(QStringLiteral("100.00"));
        std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        int texts = 0;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            ++texts;
            QVERIFY2(!isEnglish(action->text()), qPrintable(action->text()));
        }
        QVERIFY(texts >= 6);
    }
};

REGISTER_UI_TEST(QtTranslationTest);

#include "qt_translation_test.moc"
