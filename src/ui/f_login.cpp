#include "f_login.h"

#include "artwork.h"
#include "f_cal.h"
#include "twips.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScreen>

namespace steam::ui {

namespace {

// The code box shows every typed character as '*', whatever the desktop style prefers.
class AsteriskPasswordStyle : public QProxyStyle {
public:
    explicit AsteriskPasswordStyle(QObject* owner) { setParent(owner); }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    // Before the first show the frame is not known yet; centre the client area then.
    if (!window->isVisible()) frame = QRect(QPoint(0, 0), window->size());
    frame.moveCenter(available.center());
    window->move(frame.topLeft());
}

fLogin::fLogin(const ProgramContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    setWindowTitle(QStringLiteral("用户登录"));
    setFont(defaultWindowFont());
    setFixedSize(twipSize(6000, 2535));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipRect(0, 0, 6000, 2550));
    Image1->setPixmap(QPixmap::fromImage(loginBackground()));

    PIC2 = new QLabel(this);
    PIC2->setObjectName(QStringLiteral("PIC2"));
    PIC2->setGeometry(twipRect(4095, 1575, 1200, 410));
    PIC2->setPixmap(QPixmap::fromImage(loginButton(true)));

    PIC1 = new QLabel(this);
    PIC1->setObjectName(QStringLiteral("PIC1"));
    PIC1->setGeometry(twipRect(4095, 1575, 1200, 410));
    PIC1->setPixmap(QPixmap::fromImage(loginButton(false)));
    PIC1->setCursor(Qt::PointingHandCursor);
    PIC1->installEventFilter(this);

    LAB3 = new QLabel(this);
    LAB3->setObjectName(QStringLiteral("LAB3"));
    LAB3->setGeometry(twipRect(1560, 1220, 2295, 245));
    LAB3->setFont(uiFont(QStringLiteral("Arial"), 9));
    setTextColour(LAB3, QColor(236, 252, 255));

    Label1 = new QLabel(QStringLiteral("V 1.0"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipRect(5040, 1005, 495, 255));
    Label1->setFont(uiFont(QStringLiteral("Arial"), 9));
    setTextColour(Label1, palette().color(QPalette::Base));

    TXTcode = new QLineEdit(this);
    TXTcode->setObjectName(QStringLiteral("TXTcode"));
    TXTcode->setGeometry(twipRect(1560, 1580, 2175, 370));
    TXTcode->setFont(uiFont(QStringLiteral("Verdana"), 20.25));
    TXTcode->setEchoMode(QLineEdit::Password);
    TXTcode->setStyle(new AsteriskPasswordStyle(TXTcode));
    TXTcode->installEventFilter(this);
    TXTcode->setFocus();
    // Enter in the box logs in as the button does.
    connect(TXTcode, &QLineEdit::returnPressed, this, &fLogin::checkCode);

    centreOnScreen(this);
}

fLogin::~fLogin() = default;

bool fLogin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TXTcode && event->type() == QEvent::MouseButtonPress) {
        TXTcode_Click();
    } else if (watched == PIC1 && event->type() == QEvent::MouseButtonPress) {
        PIC1_MouseDown();
        return true;
    } else if (m_pressed && event->type() == QEvent::MouseButtonRelease) {
        // Seen through the application-wide filter: wherever the release lands.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        PIC1_MouseUp(PIC2->geometry().contains(mapFromGlobal(mouse->globalPosition()).toPoint()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void fLogin::PIC1_MouseDown() {
    m_pressed = true;
    PIC1->hide();
    // Hiding the pressed widget ends Qt's implicit grab, so the release goes to whatever
    // lies under the mouse; watch the whole application for it.
    qApp->installEventFilter(this);
}

void fLogin::PIC1_MouseUp(bool overButton) {
    if (!m_pressed) return;
    m_pressed = false;
    qApp->removeEventFilter(this);
    if (overButton)
        checkCode();
    else
        PIC1->show();
}

void fLogin::TXTcode_Click() { LAB3->setText(QString()); }

void fLogin::checkCode() {
    if (TXTcode->text() != QLatin1String(AccessCode)) {
        TXTcode->setText(QString());
        PIC1->show();
        LAB3->setText(QStringLiteral("密码不正确,请重新输入！"));
        return;
    }
    if (!m_main) {
        m_main = std::make_unique<fCal>(m_context);
        if (!m_main->Form_Load()) {
            // The load step has told the user which file failed; no half-working window.
            m_main.reset();
            hide();
            if (m_context.endProgram) m_context.endProgram(1);
            return;
        }
    }
    centreOnScreen(m_main.get());
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    hide();
    emit loggedIn();
}

void fLogin::closeEvent(QCloseEvent* event) {
    // Closing the login window leaves nothing to work with: the program ends.
    event->accept();
    if (m_context.endProgram) m_context.endProgram(0);
}

}  // namespace steam::ui
