// The usage and farewell windows tell users whom to ask: their teacher, unless the build
// names a telephone number or an address; none is invented.
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/secondary_windows.h"

#include <QLabel>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

class ContactLineTest : public QObject {
    Q_OBJECT
private slots:
    void theLineNamesWhatTheBuildGaveOrTheTeacher() {
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"", "", "如有疑问，请联系任课教师。"},
            {"  ", " ", "如有疑问，请联系任课教师。"},
            {"0571-8795 1234", "", "如有疑问，请联系：0571-8795 1234"},
            {"", "thermo@school.edu.cn", "如有疑问，请联系：thermo@school.edu.cn"},
            {"0571-8795 1234", "thermo@school.edu.cn", "如有疑问，请联系：0571-8795 1234 或 thermo@school.edu.cn"},
        };
        for (const auto& [phone, email, line] : cases)
            QCOMPARE(ui::contactLine(QString::fromUtf8(phone), QString::fromUtf8(email)), QString::fromUtf8(line));
    }

    void bothWindowsShowTheBuildsLineAndNothingInvented() {
        TestProgram program;
        ui::Readme usage;
        ui::fGoodby farewell(program.context());
        QCOMPARE(usage.Label3->text(), ui::contactLine());
        QVERIFY(farewell.Label1->text().startsWith(QStringLiteral("感谢您的使用！\n")));
        QCOMPARE(QString(farewell.Label1->text()).remove(u'\n'), QStringLiteral("感谢您的使用！") + ui::contactLine());
        for (const QString& text : {usage.Label3->text(), farewell.Label1->text()})
            for (const char* invented : {"example.com", "62780000"})
                QVERIFY2(!text.contains(QString::fromLatin1(invented)), qPrintable(text));
        // Shown whole in its box.
        farewell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&farewell));
        const QRect needed = farewell.Label1->fontMetrics().boundingRect(farewell.Label1->rect(), Qt::AlignCenter,
                                                                         farewell.Label1->text());
        QVERIFY2(farewell.Label1->rect().contains(needed), qPrintable(farewell.Label1->text()));
    }
};

REGISTER_UI_TEST(ContactLineTest);

#include "contact_line_test.moc"
