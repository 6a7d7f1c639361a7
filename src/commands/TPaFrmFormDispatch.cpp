// The palette's keys: the key-down and key-press of the docked panel, and
// the command that owns a key in the active group.
#include "TPaFrmForm.h"

#include "TDPanel.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptSpDr.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {
constexpr int kScrollStep = 10;
constexpr int kPenStep = 2;

bool IsEscape(int keyCode, int character)
{
    return keyCode == WindowsKeys::Escape || character == WindowsKeys::EscapeCharacter;
}

bool IsEnter(int keyCode, int character)
{
    return keyCode == WindowsKeys::Return || character == WindowsKeys::EnterCharacter;
}

// The colours of the colour commands, in the system's order (red in the
// low byte).
const struct {
    const char* suffix;
    quint32 value;
} kColours[] = {{"Black_Pnl", 0x000000}, {"Green_Pnl", 0x008000}, {"Blue_Pnl", 0xFF0000}, {"Red_Pnl", 0x0000FF},
    {"Orange_Pnl", 0x0080FF}, {"Yellow_Pnl", 0x00FFFF}};

// Keypad digit of a move command ("UpLeft" is 7).
const struct {
    const char* suffix;
    char digit;
} kMoves[] = {{"UpLeft_Pnl", '7'}, {"Up_Pnl", '8'}, {"UpRight_Pnl", '9'}, {"Left_Pnl", '4'}, {"Right_Pnl", '6'},
    {"DownLeft_Pnl", '1'}, {"Down_Pnl", '2'}, {"DownRight_Pnl", '3'}};
} // namespace

void TPaFrmForm::KeyDown(int keyCode, quint8 shift)
{
    if (m_mode == TextMode && m_textEdt->hasFocus() && m_textBoxTag != TextBoxForwardTag)
        return;
    PageScrollBox* box = ItemEditor ? ItemEditor->ScrollBox() : nullptr;
    const auto scroll = [&](QScrollBar* bar, int by) {
        if (bar)
            bar->setValue(bar->value() + by);
    };
    switch (keyCode) {
    case WindowsKeys::End:
        scroll(box ? box->horizontalScrollBar() : nullptr, kScrollStep);
        return;
    case WindowsKeys::Home:
        scroll(box ? box->horizontalScrollBar() : nullptr, -kScrollStep);
        return;
    case WindowsKeys::PageDown:
        scroll(box ? box->verticalScrollBar() : nullptr, kScrollStep);
        return;
    case WindowsKeys::PageUp:
        scroll(box ? box->verticalScrollBar() : nullptr, -kScrollStep);
        return;
    case WindowsKeys::F1 + 3:
        if (ActiveGroup)
            ActiveGroup->NavigateKey(keyCode);
        return;
    case WindowsKeys::F1 + 4:
        RedefineKey();
        return;
    case WindowsKeys::Space:
        if (ActiveGroup)
            if (TDPanel* command = ActiveGroup->DeepestSelected(); command && !command->IsGroup())
                command->Activate();
        return;
    case WindowsKeys::Back:
        if (ItemEditor && ItemEditor->Current()) {
            ItemEditor->KeyDown(keyCode, shift);
            EndItemEdit();
        }
        return;
    case WindowsKeys::Return:
        if (m_mode == TextMode) {
            m_textGroup->SelectControl(Control(QStringLiteral("TextContent_Pnl")));
            return;
        }
        break;
    case WindowsKeys::Escape:
        return;
    default:
        break;
    }
    TDPanel* highlighted = ActiveGroup ? ActiveGroup->DeepestSelected() : nullptr;
    if (!highlighted || highlighted == ActiveGroup)
        return;
    if (!ActiveGroup->NavigateKey(keyCode))
        Dispatch(keyCode, 0);
}

void TPaFrmForm::KeyPress(quint8 character)
{
    if (m_mode == TextMode && m_textEdt->hasFocus() && m_textBoxTag != TextBoxForwardTag)
        return;
    Dispatch(0, KeyTranslator::UpperCase(character));
}

void TPaFrmForm::KeyUp(int, quint8)
{
    // Commands act on the key going down; nothing waits for it to come up.
}

void TPaFrmForm::Dispatch(int keyCode, int character)
{
    if (!ItemEditor || !ActiveGroup)
        return;
    ++m_commandsFired;
    if (ActiveGroup == m_mainGroup) {
        if (IsEscape(keyCode, character))
            ClosePalette();
        else
            DispatchMain(keyCode, character);
        return;
    }
    if (ActiveGroup == m_itemGroup) {
        if (IsEscape(keyCode, character))
            EndItemEdit();
        else if (!IsEnter(keyCode, character))
            DispatchItem(keyCode, character);
        return;
    }
    if (ActiveGroup == m_textGroup) {
        if (IsEscape(keyCode, character))
            EndItemEdit();
        else if (!IsEnter(keyCode, character))
            DispatchText(keyCode, character);
    }
}

void TPaFrmForm::DispatchMain(int keyCode, int character)
{
    const auto matches
        = [&](const char* name) { return m_mainGroup->MatchesKey(keyCode, character, QString::fromLatin1(name)); };
    EP_ItEdt& editor = *ItemEditor;
    if (matches("Select_Txt_Pnl")) {
        m_settingTextBox = true;
        m_textEdt->clear();
        m_settingTextBox = false;
        editor.AddText(this, m_fontNames->currentText(), m_fontSizes->currentText().toInt());
        SetMode(TextMode);
    }
    const struct {
        const char* name;
        int mode;
    } drawings[] = {{"Select_HL_Pnl", TDPRptSpDr::SpHighLight}, {"Select_Rect_Pnl", TDPRptSpDr::SpRect},
        {"Select_Cross_Pnl", TDPRptSpDr::SpCross}, {"Select_HLine_Pnl", TDPRptSpDr::SpHLine},
        {"Select_Rel_Pnl", TDPRptSpDr::SpArrow}, {"Select_Circle_Pnl", TDPRptSpDr::SpBCircle},
        {"Select_Brackets_Pnl", TDPRptSpDr::SpBrackets}, {"Select_Lines_Pnl", TDPRptSpDr::SpLines}};
    for (const auto& drawing : drawings)
        if (matches(drawing.name)) {
            editor.AddDrawing(this, drawing.mode);
            editor.DrawSelection();
            SetMode(ItemMode);
            RefreshTextParams();
        }
    for (int level = 1; level <= 3; ++level)
        if (matches(QStringLiteral("Zoom%1_Pnl").arg(level).toLatin1().constData()) && OnZoom)
            Busy([&] {
                OnZoom(level);
                return true;
            });
    for (const bool previous : {true, false})
        if (matches(previous ? "PrevDoc_Pnl" : "NextDoc_Pnl") && OnSiblingDocument)
            if (!Busy([&] { return OnSiblingDocument(previous); }))
                m_messenger.Beep();
    for (const bool previous : {true, false})
        if (matches(previous ? "PrevIt_Pnl" : "NextIt_Pnl")) {
            Busy([&] { return editor.Navigate(this, previous ? EP_ItEdt::SelectPrevious : EP_ItEdt::SelectNext); });
            editor.ScrollToCurrent();
        }
    if (matches("EditIt_Pnl")) {
        if (editor.Current())
            SwitchToSelectedItem();
        else if (!Busy([&] { return editor.Navigate(this, EP_ItEdt::SelectLastEdited); }))
            m_messenger.Beep();
        else
            editor.ScrollToCurrent();
    }
    if (matches("Sup_Pnl") && !Busy([&] { return editor.Navigate(this, EP_ItEdt::DeleteAndSelectPrevious); }))
        m_messenger.Beep();
    if (matches("SoundC_Pnl") && OnPlaySound)
        OnPlaySound(QLatin1Char('C'));
    if (matches("SoundA_Pnl") && OnPlaySound)
        OnPlaySound(QLatin1Char('A'));
    if (matches("Imp_Pnl") && OnPrint)
        Busy([&] {
            OnPrint();
            return true;
        });
}

bool TPaFrmForm::DispatchMoves(TDPanel* member, const QString& prefix, int keyCode, int character)
{
    const auto matches = [&](const QString& suffix) { return member->MatchesKey(keyCode, character, prefix + suffix); };
    EP_ItEdt& editor = *ItemEditor;
    bool any = false;
    for (const auto& move : kMoves)
        if (matches(QString::fromLatin1(move.suffix))) {
            any = true;
            editor.MoveByDigit(QLatin1Char(move.digit), m_config.Session.MoveStep, true);
        }
    const struct {
        const char* suffix;
        char command;
    } steps[] = {{"Dep1_Pnl", '/'}, {"DepLess_Pnl", '-'}, {"DepMore_Pnl", '+'}, {"Dep20_Pnl", '*'}};
    for (const auto& step : steps)
        if (matches(QString::fromLatin1(step.suffix))) {
            any = true;
            SetMoveStep(QLatin1Char(step.command));
        }
    for (const auto& colour : kColours)
        if (matches(QString::fromLatin1(colour.suffix))) {
            any = true;
            if (!editor.SetColor(RgbColor(colour.value)))
                m_messenger.Beep();
        }
    return any;
}

void TPaFrmForm::DispatchItem(int keyCode, int character)
{
    TDPanel* member = m_itemGroup->SelectedChild();
    if (!member)
        return;
    const QString name = member->Name();
    const int kind = SelectedKind();
    if (name == QLatin1String("ItMovePnl")) {
        DispatchMoves(member, QStringLiteral("It"), keyCode, character);
        for (const bool thinner : {true, false})
            if (member->MatchesKey(
                    keyCode, character, thinner ? QStringLiteral("PenSizeLess_Pnl") : QStringLiteral("PenSizeMore_Pnl"))
                && !ItemEditor->ChangePenSize(thinner ? -kPenStep : kPenStep))
                m_messenger.Beep();
    } else if (name == QLatin1String("ItSizePnl") && kind != TDPRptSpDr::SpLines && kind != TDPRptSpDr::SpArrow) {
        DispatchSize(member, keyCode, character);
    } else if (name == QLatin1String("ArrowItFnctPnl") && kind == TDPRptSpDr::SpArrow) {
        DispatchArrow(member, keyCode, character);
    } else if (name == QLatin1String("CircleItTypePnl") && kind >= TDPRptSpDr::SpBCircle
        && kind <= TDPRptSpDr::SpFBCircle) {
        DispatchKind(member, keyCode, character, true);
    } else if (name == QLatin1String("RectItTypePnl") && kind >= TDPRptSpDr::SpRect && kind <= TDPRptSpDr::SpFBRect) {
        DispatchKind(member, keyCode, character, false);
    } else if (name == QLatin1String("ItLinesPnl") && kind == TDPRptSpDr::SpLines) {
        DispatchLines(member, keyCode, character);
    }
}

void TPaFrmForm::DispatchSize(TDPanel* member, int keyCode, int character)
{
    const bool switchKey = (EnlargeMode && character == '-') || (!EnlargeMode && character == '+');
    if (switchKey || member->MatchesKey(keyCode, character, QStringLiteral("ItSizeML_Pnl"))) {
        EnlargeMode = !EnlargeMode;
        m_sizeSign->setText(EnlargeMode ? QStringLiteral("+") : QStringLiteral("-"));
        m_sizeTitle->setText(EnlargeMode ? QStringLiteral("AGRANDIR") : QStringLiteral("DIMINUER"));
        return;
    }
    for (const int digit : {7, 8, 9, 4, 6, 1, 2, 3})
        if (member->MatchesKey(keyCode, character, QStringLiteral("ItSize%1_Pnl").arg(digit)) && !ResizeByDigit(digit))
            m_messenger.Beep();
}

bool TPaFrmForm::ResizeByDigit(int digit)
{
    EP_ItEdt& editor = *ItemEditor;
    const bool up = digit >= 7, down = digit <= 3, left = digit % 3 == 1, right = digit % 3 == 0;
    if (SelectedKind() == TDPRptSpDr::SpHLine && (up || down))
        return true; // a horizontal line only grows sideways
    const int step = m_config.Session.MoveStep;
    const int height = up || down ? step : 0;
    const int width = left || right ? step : 0;
    const int sign = EnlargeMode ? 1 : -1;
    // Enlarging: the named side or corner goes out first, then the item
    // grows. Shrinking: it shrinks, then the named side comes in. Every
    // step is tried before any is made.
    const auto moves = [&](bool apply) {
        bool ok = true;
        if (up)
            ok = ok && editor.Move(EnlargeMode ? EP_ItEdt::MoveUp : EP_ItEdt::MoveDown, step, apply);
        if (left)
            ok = ok && editor.Move(EnlargeMode ? EP_ItEdt::MoveLeft : EP_ItEdt::MoveRight, step, apply);
        return ok;
    };
    if (EnlargeMode) {
        if (!moves(false) || !editor.Resize(sign * height, sign * width, false))
            return false;
        moves(true);
        return editor.Resize(sign * height, sign * width, true);
    }
    if (!editor.Resize(sign * height, sign * width, false) || !moves(false))
        return false;
    editor.Resize(sign * height, sign * width, true);
    return moves(true);
}

void TPaFrmForm::DispatchLines(TDPanel* member, int keyCode, int character)
{
    EP_ItEdt& editor = *ItemEditor;
    auto* drawing = dynamic_cast<TDPRptSpDr*>(editor.Current());
    if (!drawing)
        return;
    for (const int digit : {7, 8, 9, 4, 6, 1, 2, 3}) {
        if (!member->MatchesKey(keyCode, character, QStringLiteral("DepL%1_Pnl").arg(digit)))
            continue;
        const int dx = digit % 3 == 1 ? -1 : digit % 3 == 0 ? 1 : 0;
        const int dy = digit >= 7 ? -1 : digit <= 3 ? 1 : 0;
        // The last point, in document units from the item's origin, moved
        // by one segment and given to the editor in pixels.
        const float scale = editor.RootScale();
        // A polyline without points starts from its origin.
        if (drawing->Points.isEmpty() && !editor.AddPoint(0, 0)) {
            m_messenger.Beep();
            continue;
        }
        const QPoint last = drawing->Points.last();
        const QPoint next = last + QPoint(dx, dy) * LineSegmentUnits;
        if (editor.AddPoint(qRound(next.x() * scale), qRound(next.y() * scale)))
            editor.DrawSelection();
        else
            m_messenger.Beep();
    }
    if (member->MatchesKey(keyCode, character, QStringLiteral("DepLP_Pnl")) && !editor.DeleteFirstPoint())
        m_messenger.Beep();
    if (member->MatchesKey(keyCode, character, QStringLiteral("DepLD_Pnl")) && !editor.DeleteLastPoint())
        m_messenger.Beep();
}

void TPaFrmForm::DispatchArrow(TDPanel* member, int keyCode, int character)
{
    EP_ItEdt& editor = *ItemEditor;
    const auto matches
        = [&](const char* name) { return member->MatchesKey(keyCode, character, QString::fromLatin1(name)); };
    // A tenth of the step, as a decimal: a step below 10 still turns.
    const float turn = float(m_config.Session.MoveStep) / 10.0f;
    const int step = m_config.Session.MoveStep;
    const auto refused = [&](bool done) {
        if (!done)
            m_messenger.Beep();
    };
    if (matches("ArrowNonClockWise_Pnl"))
        refused(editor.TurnArrow(turn));
    if (matches("ArrowClockWise_Pnl"))
        refused(editor.TurnArrow(-turn));
    if (matches("ArrowLengthening_Pnl"))
        refused(editor.ChangeArrowLength(step));
    if (matches("ArrowNarrowing_Pnl"))
        refused(editor.ChangeArrowLength(-step));
    if (matches("ArrowArrowT_Pnl"))
        refused(editor.SetArrowType(TDPRptSpDr::ArrowHead));
    if (matches("ArrowLineT_Pnl"))
        refused(editor.SetArrowType(TDPRptSpDr::ArrowLine));
    if (matches("ArrowRelT_Pnl"))
        refused(editor.SetArrowType(TDPRptSpDr::ArrowRel));
}

void TPaFrmForm::DispatchKind(TDPanel* member, int keyCode, int character, bool circles)
{
    const QStringList names = circles
        ? QStringList {QStringLiteral("Circle_Pnl"), QStringLiteral("SCircle_Pnl"), QStringLiteral("FullCircle_Pnl")}
        : QStringList {QStringLiteral("Rect_Pnl"), QStringLiteral("SRect_Pnl"), QStringLiteral("FullRect_Pnl")};
    const QList<int> modes = circles ? QList<int> {TDPRptSpDr::SpBCircle, TDPRptSpDr::SpFBCircle, TDPRptSpDr::SpFCircle}
                                     : QList<int> {TDPRptSpDr::SpRect, TDPRptSpDr::SpFBRect, TDPRptSpDr::SpFRect};
    for (int i = 0; i < 3; ++i)
        if (member->MatchesKey(keyCode, character, names[i])) {
            // The editor keeps the colour the pupil sees across kinds.
            if (ItemEditor->ChangeDrawingKind(modes[i]))
                ItemEditor->DrawSelection();
            else
                m_messenger.Beep();
        }
}

void TPaFrmForm::DispatchText(int keyCode, int character)
{
    TDPanel* member = m_textGroup->SelectedChild();
    if (!member)
        return;
    if (member->Name() == QLatin1String("TextMovePnl"))
        DispatchMoves(member, QStringLiteral("Text"), keyCode, character);
    else if (member->Name() == QLatin1String("TextParamsPnl"))
        DispatchTextParams(member, keyCode, character);
}
