#pragma once

#include "TDPanelOwner.h"
#include "TDPanelTbl.h"

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class EP_ItEdt;
class Messenger;
class QCheckBox;
class QComboBox;
class KeyDefinitionDialog;
class QDialog;
class QFont;
class QLabel;
class QLineEdit;
class TDPanel;
class TEP_Config;

// The tools palette: the pupil's large command panels for adding and
// changing items, reached by keys, clicks, a held mouse button or arrow
// navigation followed by Space. One of its three top panels (the main
// panel, the text panel, the item panel) is docked into the main window
// while a worksheet is open; the palette follows the item editor and
// switches panel when an item is selected or its edit ends.
class TPaFrmForm : public QWidget, public TDPanelOwner {
    Q_OBJECT
public:
    enum Mode { MainMode = 1, TextMode = 2, ItemMode = 4 };
    static inline const QString Caption = QStringLiteral("Ajout et suppression des éléments");
    static constexpr int TextBoxForwardTag = 9999;
    static constexpr int IdleRepeatDelay = 1000000;
    static constexpr int TextTimerMs = 100;
    static constexpr int MouseTimerMs = 20;
    static constexpr int EditTextMemoTimerMs = 5;
    static constexpr int TextCursorTimerMs = 200;
    // A polyline segment drawn by a digit: 5 mm, in document units.
    static constexpr int LineSegmentUnits = 50;
    static inline const QString LineMark = QStringLiteral("\u00B6");

    TPaFrmForm(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent = nullptr);
    ~TPaFrmForm() override;

    // --- Operations ---
    void AttachEditor(EP_ItEdt& editor);
    void OpenPalette();
    void ClosePalette();
    void EditorEvent(QObject* owner, int event, EP_ItEdt& editor);
    void SetMode(int mode);
    void KeyDown(int keyCode, quint8 shift) override;
    void KeyPress(quint8 character) override;
    void KeyUp(int keyCode, quint8 shift);
    void Dispatch(int keyCode, int character);
    void SetMoveStep(QChar command);
    void EndItemEdit();
    bool AllowsUndo() const;
    void OpenTextBox();
    void RedefineKey();
    void RestoreStandardKeys();
    // Every command back to its initial key, then the current user's
    // stored redefinitions applied over them.
    void ApplyUserDefinitions();

    // --- Callbacks of the main window (one not set is skipped) ---
    std::function<void(QWidget* panel)> OnDockPanel;
    std::function<void()> OnPrint;
    std::function<void(int level)> OnZoom;
    std::function<void(QChar sound)> OnPlaySound;
    std::function<bool(bool previous)> OnSiblingDocument;
    std::function<bool()> OnAccessCheck;
    // Runs a modal dialog (the program's execs it; tests answer it).
    std::function<int(QDialog& dialog)> RunDialog;
    // The font dialog; false when cancelled.
    std::function<bool(QFont& font, QWidget* parent)> ChooseFont;

    // --- State ---
    EP_ItEdt* ItemEditor = nullptr;
    int ObserverIndex = -1;
    bool PaletteOpen = false;
    bool CommandBusy = false;
    TDPanel* ActiveGroup = nullptr;
    QWidget* ShownPanel = nullptr;
    TDPanelTbl GroupsList;
    bool EnlargeMode = true;
    TDPanel* RepeatPanel = nullptr;
    qint64 RepeatStart = 0;
    qint64 RepeatDelay = IdleRepeatDelay;
    bool TextTimerWasOn = false;
    quint16 PendingKeyCode = 0;
    quint8 PendingKeyChar = 0;

    QTimer TextTimer;
    QTimer MouseTimer;
    QTimer EditTextMemoTimer;
    QTimer TextCursorTimer;

    // --- Parts (for the main window, the tests and the screen readers) ---
    // The command or group of that name, in any group of the groups list.
    TDPanel* Panel(const QString& name) const;
    TDPanel* Group(const QString& name) const;
    QLabel* Control(const QString& name) const;
    QWidget* MainPnl() const { return m_mainPnl; }
    QWidget* TextPnl() const { return m_textPnl; }
    QWidget* ItEditPnl() const { return m_itEditPnl; }
    QLineEdit* TextEdt() const { return m_textEdt; }
    QComboBox* FontNamesCBox() const { return m_fontNames; }
    QComboBox* FontSizesCBox() const { return m_fontSizes; }
    QCheckBox* UnderlineCBox() const { return m_underline; }
    QCheckBox* BoldCBox() const { return m_bold; }
    QLabel* MVStep1Pnl() const { return m_step1; }
    QLabel* MVStep2Pnl() const { return m_step2; }
    QLabel* SizeTitle() const { return m_sizeTitle; }
    QLabel* SizeSignTitle() const { return m_sizeSign; }
    int Mode() const { return m_mode; }
    // The width the main window's tools area takes for a docked panel: the
    // right edge of the sub-panel that matches what is edited.
    int DockedWidth(QWidget* panel) const;
    // Whether the sound pictures show their enabled form.
    bool SoundShown(QChar sound) const;
    int CommandsFired() const { return m_commandsFired; }

    // One tick of the held command's timer (the timer calls it; tests too).
    void MouseTimerTick();
    void TextCursorTick();

    // --- TDPanelOwner ---
    void PanelSelectionChanged(QWidget* control, bool selected) override;
    void CommandPressed(TDPanel& command, QPoint globalPoint) override;
    void CommandPointerMoved(TDPanel& command, QPoint globalPoint) override;
    void CommandReleased(TDPanel& command) override;
    const UserSettings& PanelSettings() const override;
    void SaveCommandDefinition(const QString& name, const QStringList& fields) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (TPaFrmFormLayout.cpp)
    void BuildPanels();
    void BuildMainPanel();
    void BuildTextPanel();
    void BuildItemPanel();
    void BuildMovePanel(TDPanel* top, QWidget* parent, bool text);
    void BuildGroupsList();
    void SetFixedNeighbours();
    TDPanel* MakeGroup(TDPanel* parent, QWidget* host, const QString& name, QRect geometry, const QString& title);
    TDPanel* MakeCommand(TDPanel* group, const QString& name, QRect geometry, const QString& face,
        const QString& picture, const QString& caption, const QFont& font, const QString& does);
    QLabel* MakeTitle(QWidget* parent, const QString& text, QRect geometry);
    // Commands (TPaFrmFormDispatch.cpp)
    void DispatchMain(int keyCode, int character);
    void DispatchItem(int keyCode, int character);
    void DispatchText(int keyCode, int character);
    bool DispatchMoves(TDPanel* member, const QString& prefix, int keyCode, int character);
    void DispatchSize(TDPanel* member, int keyCode, int character);
    void DispatchLines(TDPanel* member, int keyCode, int character);
    void DispatchArrow(TDPanel* member, int keyCode, int character);
    void DispatchKind(TDPanel* member, int keyCode, int character, bool circles);
    void DispatchTextParams(TDPanel* member, int keyCode, int character);
    bool ResizeByDigit(int digit);
    bool Busy(const std::function<bool()>& call);
    void SwitchToSelectedItem();
    int SelectedKind() const;
    // Modes (TPaFrmForm.cpp)
    void MainModeRefresh();
    void RebuildItemGroup();
    void UpdateSoundPictures();
    void ShowPanel(QWidget* panel);
    // Text (TPaFrmFormText.cpp)
    void RefreshTextParams();
    void TextContentHighlighted(bool on);
    bool TextBoxKey(QKeyEvent* event);
    void TextBoxChanged(const QString& text);
    void RunTextMemo();
    // Vocabulary (TPaFrmFormKeys.cpp)
    void RememberInitialKeys();
    void ResetToInitialKeys();
    TDPanel* FindInGroups(const QString& name) const;
    bool RedefineOnce(TDPanel& command, KeyDefinitionDialog& dialog);
    // Mouse (TPaFrmFormMouse.cpp)
    void StopRepeat();

    TEP_Config& m_config;
    Messenger& m_messenger;
    const Clock& m_clock;
    std::vector<std::unique_ptr<TDPanel>> m_panels;
    TDPanel* m_mainGroup = nullptr;
    TDPanel* m_textGroup = nullptr;
    TDPanel* m_itemGroup = nullptr;
    QWidget* m_mainPnl = nullptr;
    QWidget* m_textPnl = nullptr;
    QWidget* m_itEditPnl = nullptr;
    QLineEdit* m_textEdt = nullptr;
    QComboBox* m_fontNames = nullptr;
    QComboBox* m_fontSizes = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_bold = nullptr;
    QLabel* m_step1 = nullptr;
    QLabel* m_step2 = nullptr;
    QLabel* m_sizeTitle = nullptr;
    QLabel* m_sizeSign = nullptr;
    int m_mode = 0;
    int m_textBoxTag = 0;
    bool m_soundC = false;
    bool m_soundA = false;
    bool m_settingTextBox = false;
    QString m_definitionsUser;
    QHash<QString, QStringList> m_initialDefinitions;
    QWidget* m_repeatPanel = nullptr; // the top panel of the held command
    QPoint m_pointer;
    int m_commandsFired = 0;
};
