#pragma once
// The start-up window: asks for the access code and opens the main window when it matches.
#include "program_context.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;

namespace steam::ui {

class fCal;

class fLogin : public QWidget {
    Q_OBJECT
public:
    /// The fixed code; the typed text must equal it exactly.
    static constexpr const char* AccessCode = "zq";

    explicit fLogin(const ProgramContext& context, QWidget* parent = nullptr);
    ~fLogin() override;

    /// The main window once a correct code has opened it.
    fCal* mainWindow() const { return m_main.get(); }

    QLabel* Image1 = nullptr;
    QLineEdit* TXTcode = nullptr;
    QLabel* PIC1 = nullptr;  ///< the button, normal look, above PIC2
    QLabel* PIC2 = nullptr;  ///< the button, pressed look
    QLabel* LAB3 = nullptr;  ///< error line
    QLabel* Label1 = nullptr;

signals:
    /// The main window has been loaded and shown.
    void loggedIn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PIC1_MouseDown();
    void PIC1_MouseUp(bool overButton);
    void TXTcode_Click();
    void checkCode();

    ProgramContext m_context;
    std::unique_ptr<fCal> m_main;
    bool m_pressed = false;
};

/// Moves a top-level window so that it is centred on its screen.
void centreOnScreen(QWidget* window);

}  // namespace steam::ui
