#include "sound/RecordingWaitDialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

RecordingWaitDialog::RecordingWaitDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("RecordingWaitDlg"));
    setModal(true);
    setAccessibleName(QStringLiteral("Enregistrement en cours"));
    setAccessibleDescription(QStringLiteral("Frappez une touche pour arrêter l'enregistrement."));
    RecordingWaitPnl = new QFrame(this);
    RecordingWaitPnl->setObjectName(QStringLiteral("RecordingWaitPnl"));
    RecordingWaitPnl->setFrameShape(QFrame::Box);
    RecordingWaitPnl->setLineWidth(2);
    RecordingWaitPnl->setFixedSize(380, 110);
    QFont font = RecordingWaitPnl->font();
    font.setPointSize(16);
    font.setBold(true);
    auto* column = new QVBoxLayout(RecordingWaitPnl);
    for (const QString& text :
        {QStringLiteral("Frappez une touche"), QStringLiteral("pour arrêter l'enregistrement.")}) {
        auto* line = new QLabel(text, RecordingWaitPnl);
        line->setFont(font);
        line->setAlignment(Qt::AlignCenter);
        column->addWidget(line);
    }
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(RecordingWaitPnl);
    setFixedSize(RecordingWaitPnl->size());
}

void RecordingWaitDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->geometry().center() - rect().center());
    activateWindow();
    setFocus();
}

void RecordingWaitDialog::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (!event->isAutoRepeat())
        accept();
}

void RecordingWaitDialog::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void RecordingWaitDialog::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    accept();
}
