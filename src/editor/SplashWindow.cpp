#include "SplashWindow.h"

#include "ProgramPictures.h"

#include "platform/Clock.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

SplashWindow::SplashWindow(const Clock& clock, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_clock(clock)
    , m_panel(new QWidget(this))
    , m_bar(new QProgressBar(m_panel))
{
    setObjectName(QStringLiteral("SplashForm"));
    setAccessibleName(QStringLiteral("Démarrage"));
    setAccessibleDescription(QStringLiteral("Ardoisine démarre ; appuyez sur une touche pour continuer"));
    m_panel->setObjectName(QStringLiteral("SplashPnl"));
    m_panel->setAutoFillBackground(true);
    auto* image1 = new QLabel(m_panel);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(ProgramPictures::Picture(QStringLiteral("slate"), QSize(220, 150)));
    auto* image2 = new QLabel(m_panel);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(ProgramPictures::Picture(QStringLiteral("chalk"), QSize(120, 150)));
    auto* title = new QLabel(QStringLiteral("Ardoisine"), m_panel);
    QFont titleFont = title->font();
    titleFont.setPointSize(28);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* label1 = new QLabel(QStringLiteral("Appuyez sur une touche"), m_panel);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setTextFormat(Qt::PlainText);
    auto* version = new QLabel(Version, m_panel);
    version->setObjectName(QStringLiteral("VersionLbl"));
    m_bar->setObjectName(QStringLiteral("SplashPBar"));
    m_bar->setRange(0, Steps);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setAccessibleName(QStringLiteral("Progression du démarrage"));

    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(24, 24, 24, 16);
    grid->addWidget(image1, 0, 0, 2, 1);
    grid->addWidget(title, 0, 1, Qt::AlignCenter);
    grid->addWidget(image2, 1, 1, Qt::AlignCenter);
    grid->addWidget(label1, 2, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(m_bar, 3, 0, 1, 2);
    grid->addWidget(version, 4, 0, 1, 2, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    // A click on any part of the panel closes it, pictures and bar included.
    for (QWidget* child : m_panel->findChildren<QWidget*>())
        child->installEventFilter(this);
    m_panel->installEventFilter(this);

    m_timer.setSingleShot(true);
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::Tick);
}

int SplashWindow::Position() const
{
    return m_bar->value();
}

void SplashWindow::StartTicking()
{
    m_lastStep = m_clock.NowMs();
    m_timer.start();
}

int SplashWindow::Run()
{
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    StartTicking();
    if (m_closed)
        return 0;
    return exec();
}

void SplashWindow::Tick()
{
    m_timer.stop();
    if (m_closed)
        return;
    // A tick that comes early (a busy event loop delivers two at once) does
    // not count twice.
    if (m_clock.NowMs() - m_lastStep >= TickMs) {
        m_lastStep = m_clock.NowMs();
        if (m_bar->value() < Steps)
            m_bar->setValue(m_bar->value() + 1);
        else {
            CloseSplash();
            return;
        }
    }
    m_timer.start();
}

void SplashWindow::CloseSplash()
{
    m_timer.stop();
    m_closed = true;
    done(0);
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Without a window manager nothing gives the window the keyboard, and
    // "Appuyez sur une touche" must hold all the same.
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    CloseSplash();
}

void SplashWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    CloseSplash();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        CloseSplash();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
