#pragma once

#include "TDPanelTbl.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QLabel;
class QWidget;
class TDPanelOwner;

// One command panel of the palette, or a group of them: a group is a panel
// with children. A command stands for an on-screen control named after it
// ("Select_Txt_Pnl"), answers to one key (a Windows key code or a
// character), shows its key caption on a label or an inner panel, and is
// highlighted when selected. Presses on the control and on its caption and
// picture reach the palette as presses on the command.
class TDPanel : public QObject, public TDPanelTbl {
    Q_OBJECT
public:
    // companions, told apart by the end of their object names: "...Lbl"
    // is the caption label (Lbl), "...Img" a picture (only wired), any
    // other the inner panel that shows the caption (SubPnl). Every control
    // is a QLabel, so that a group, a command or its inner panel can show
    // a caption of its own.
    TDPanel(QLabel* control, bool autoRepeat, QWidget* companion1, QWidget* companion2, quint8 shiftState,
        quint8 keyChar, quint16 keyCode, QWidget* right, QWidget* left, QWidget* down, QWidget* up,
        TDPanelOwner* owner);
    ~TDPanel() override;

    QString Name() const;
    bool IsGroup() const { return Count() > 0; }

    void Add(TDPanel* panel) override;
    // A key-down (code, character 0) or key-press (code 0, upper-cased
    // character) belongs to the named command of the group; the command
    // found is highlighted.
    bool MatchesKey(int keyCode, int character, const QString& name);
    bool SelectControl(QWidget* control);
    void ClearSelection();
    TDPanel* SelectedChild() const;
    TDPanel* DeepestSelected() const;
    TDPanel* FirstLeaf();
    TDPanel* Top();
    bool NavigateKey(int keyCode);
    void Activate();
    void Fire();
    QStringList GetDefinition() const;
    void ApplyDefinition(const QStringList& fields);
    void SaveDefinition() const;
    void BuildNeighbours();
    void RefreshColours(bool recursive);
    void SetNeighbours(QWidget* right, QWidget* left, QWidget* down, QWidget* up);

    // The caption as stored ("&&" for one "&") and the control showing it.
    QString Caption() const;
    void SetCaption(const QString& stored);
    QLabel* CaptionControl() const;
    // One "&" shown for each stored "&&"; a single "&" (an accelerator
    // mark elsewhere) is not shown.
    static QString DisplayedCaption(const QString& stored);

    int Depth = 0;
    QPointer<QWidget> Ctrl;
    TDPanel* ParentPnl = nullptr;
    QPointer<QWidget> RightPnl, LeftPnl, UpPnl, DownPnl;
    quint16 KeyCode = 0;
    quint8 KeyChar = 0;
    quint8 ShiftState = 0;
    bool AutoRepeat = false;
    QPointer<QLabel> Lbl;
    QPointer<QLabel> SubPnl;
    TDPanelOwner* Owner = nullptr;
    TDPanel* CurrentChild = nullptr;
    bool Selected = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Wire(QWidget* widget);
    bool MarkPath(QWidget* control);
    void CollectFlags(QList<QPair<TDPanel*, bool>>& flags);
    void EnterMember(TDPanel* member);

    QString m_caption;
};
