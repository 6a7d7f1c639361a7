#pragma once

#include <QHash>
#include <QList>
#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;
class TEP_ToolsBar;
class TEP_ToolsBarButton;

// The holder of everything the toolbar shows: its 56 buttons, the eight
// separators, the drag handle and the reference sizes. It is never shown:
// the bar borrows its controls for the host panel of the main window and
// gives them back when it is laid out again or hidden. The buttons' handlers
// live here and act through the bar.
class TEP_ToolsBarFrm : public QWidget {
    Q_OBJECT
public:
    static inline const QString DragHint
        = QStringLiteral("Clic gauche + déplacement : modifier la position de la barre d'outils\n"
                         "clic droit : modifier la taille de la barre d'outils");
    static constexpr int SeparatorCount = 8;

    explicit TEP_ToolsBarFrm(TEP_ToolsBar& bar);
    ~TEP_ToolsBarFrm() override;

    TEP_ToolsBarButton* Button(const QString& name) const { return m_buttons.value(name); }
    const QList<TEP_ToolsBarButton*>& Buttons() const { return m_order; }
    QList<TEP_ToolsBarButton*> Group(int group) const;
    // The controls the bar may borrow: buttons, separators and the handle.
    QList<QWidget*> Controls() const;

    // --- Handlers ---
    // A press on a command button (negative position: a repeat), its
    // release.
    void GenSBtnMouseDown(TEP_ToolsBarButton* button, int x, int y);
    void GenSBtnMouseUp(TEP_ToolsBarButton* button);
    void OnCreationButton(TEP_ToolsBarButton* button);
    void CirclesOrRectsSBtnClick(TEP_ToolsBarButton* button);
    void ColorSBtnClick(TEP_ToolsBarButton* button);
    void ToolsBarDragPnlMouseDown(Qt::MouseButton button, int x, int y);
    void ToolsBarDragPnlMouseMove(int x, int y);
    void ToolsBarDragPnlMouseUp();
    // The repeat timer's tick (public for tests, which move a fake clock).
    void RepeatTick();
    void StopRepeat();
    bool IsRepeating() const { return ToolsBarTimer.isActive(); }
    bool IsDragging() const { return m_dragging; }

    TEP_ToolsBar& Bar;
    int DragX = 0;
    int DragY = 0;
    QTimer ToolsBarTimer;
    QToolButton* RefSBtn = nullptr;
    QFrame* SepPnlRef = nullptr;
    QFrame* ToolsBarDragPnl = nullptr;
    QLabel* ToolsBarMovingImg = nullptr;
    QList<QFrame*> SepPnls;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildButtons();
    void BuildHandle();
    TEP_ToolsBarButton* ButtonOf(QObject* object) const;
    // The command of a pressed button; false when refused.
    bool Press(TEP_ToolsBarButton& button);
    bool PressZoom(bool up);
    bool PressEdge(const QString& name);
    bool PressTextStyle(bool bold);
    bool PressSound(QChar letter);

    QHash<QString, TEP_ToolsBarButton*> m_buttons;
    QList<TEP_ToolsBarButton*> m_order;
    bool m_dragging = false;
    qint64 m_repeatDue = 0;
};
