#pragma once
// The usage window, the about window and the farewell window. None holds state: each is a
// fixed layout of labels, one button and decoration.
#include "program_context.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace steam::ui {

class RuleLine;

/// The maker's department line, as shown at the foot of the windows.
QString departmentLine();
/// Whom users are told to ask, in the usage and farewell windows: "如有疑问，请联系任课教师。"
/// unless the build names a telephone number or an address (the CMake cache variables
/// STEAM_CONTACT_PHONE and STEAM_CONTACT_EMAIL), then "如有疑问，请联系：" and those given,
/// joined by " 或 ".
QString contactLine();
QString contactLine(const QString& phone, const QString& email);
/// The 21 lines of the usage text.
QString usageText();

class Readme : public QWidget {
    Q_OBJECT
public:
    explicit Readme(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  ///< the usage text
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;  ///< contact line
    QPushButton* CMDsure = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;

private:
    void CMDsure_Click();
};

class attachment : public QWidget {
    Q_OBJECT
public:
    explicit attachment(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;  ///< reference text
    QLabel* Label3 = nullptr;  ///< test-edition notice
    QPushButton* CMDsure = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;

private:
    void CMDsure_Click();
};

class fGoodby : public QWidget {
    Q_OBJECT
public:
    explicit fGoodby(const ProgramContext& context, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* CMDcancel = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CMDcancel_Click();
    void endProgram();

    ProgramContext m_context;
    bool m_ended = false;
};

/// Shows a window, or brings it to the front when it is already shown.
void showOrRaise(QWidget* window);

}  // namespace steam::ui
