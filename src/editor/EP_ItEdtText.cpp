// The item editor: text items, their fonts, the caret and typing.
#include "EP_ItEdt.h"

#include "ImageWidget.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "params/Numbers.h"
#include "platform/Clock.h"
#include "platform/WindowsKeys.h"
#include "report/ReportCanvas.h"
#include "report/TDPRptText.h"

#include <QFontMetrics>
#include <QRect>

namespace {
const QChar kLineMark(0x00B6); // ¶
const QString kSizingSample = QStringLiteral("gfP_m");
const QString kHeightSample = QStringLiteral("IF9gj}");

// Start and end of the line (cut at the line marks) holding a position.
void LineAround(const QString& value, int position, int& start, int& end)
{
    start = int(value.lastIndexOf(kLineMark, position - 1)) + 1;
    const qsizetype mark = value.indexOf(kLineMark, position);
    end = mark < 0 ? int(value.size()) : int(mark);
}

// How many units make the character before (or after) a position: two for
// the halves of a character beyond the first 65536.
int UnitsBefore(const QString& value, int position)
{
    return position >= 2 && value[position - 1].isLowSurrogate() && value[position - 2].isHighSurrogate() ? 2 : 1;
}
int UnitsAfter(const QString& value, int position)
{
    return position + 1 < value.size() && value[position].isHighSurrogate() && value[position + 1].isLowSurrogate() ? 2
                                                                                                                    : 1;
}
} // namespace

// --- Size and text --------------------------------------------------------------

QSize EP_ItEdt::TextPixelSize(const TDPRptText& text, const QString& value) const
{
    const QFont font = ReportCanvas::FontAt(text.Font, FontResolution());
    const QFontMetrics metrics(font);
    const int lineHeight = std::max(metrics.height(), metrics.boundingRect(kHeightSample).height());
    const QStringList lines = (value.isEmpty() ? kSizingSample : value).split(kLineMark);
    int width = 0;
    for (const QString& line : lines) {
        // Measured as the layout measures: character by character.
        int lineWidth = 0;
        for (const QChar c : line)
            lineWidth += metrics.horizontalAdvance(c);
        width = std::max(width, lineWidth);
    }
    const double scale = RootScale();
    const int margin = RoundHalfEven(text.HMargin * scale);
    const int caret = std::max(2, RoundHalfEven(metrics.height() / 15.0));
    const int offset = std::max(0, RoundHalfEven(text.VOffset * scale));
    // One pixel more than the text: the layout wraps a line that fills
    // its room exactly.
    return QSize(width + 2 * margin + caret + 1, offset + int(lines.size()) * lineHeight + 1);
}

bool EP_ItEdt::FitText(TDPRptText& text, const QString& value, bool sample)
{
    const QSize size = TextPixelSize(text, sample ? QString() : value);
    if (!sample && !InsidePage(QRect(SurfaceRect().topLeft(), size)))
        return false;
    if (size.width() > MaxSurfaceSide || size.height() > MaxSurfaceSide)
        return false;
    const double scale = RootScale();
    text.Width = float(size.width() / scale);
    text.Height = float(size.height() / scale);
    text.Value = sample ? QString() : value;
    text.EditState.CaretPosition = std::clamp(text.EditState.CaretPosition, 0, int(text.Value.size()));
    SetSurfaceRect(QRect(SurfaceRect().topLeft(), size));
    DrawSelection();
    return true;
}

bool EP_ItEdt::SetText(const QString& value)
{
    TDPRptText* text = CurrentText();
    return text && ChangeText(*text, value, !Busy && !Sizing);
}

bool EP_ItEdt::ChangeText(TDPRptText& text, const QString& value, bool record)
{
    const QSize size = TextPixelSize(text, value);
    if (!InsidePage(QRect(SurfaceRect().topLeft(), size)))
        return false;
    // The text before the change is what undo gives back.
    if (record)
        m_undo.RecordText();
    if (!FitText(text, value, false))
        return false;
    m_changed = true;
    if (TextCallback)
        TextCallback(text.Value);
    return true;
}

// --- Fonts ------------------------------------------------------------------------

bool EP_ItEdt::RefitFont(TDPRptText& text, const std::function<void()>& change, const std::function<void()>& undo)
{
    // One undo step brings the whole font back.
    const TEP_Undo* record = m_undo.BeginGroup(TEP_Undo::Modify);
    change();
    if (FitText(text, text.Value, false)) {
        m_changed = true;
        return true;
    }
    undo();
    m_undo.Cancel(record);
    FitText(text, text.Value, false);
    return false;
}

bool EP_ItEdt::NextFont()
{
    return StepFont(+1);
}

bool EP_ItEdt::PreviousFont()
{
    return StepFont(-1);
}

bool EP_ItEdt::LargerFont()
{
    return StepFontSize(+1);
}

bool EP_ItEdt::SmallerFont()
{
    return StepFontSize(-1);
}

bool EP_ItEdt::StepFont(int step)
{
    TDPRptText* text = CurrentText();
    if (!text)
        return false;
    TEP_Fonts& fonts = m_config.Fonts;
    fonts.SelectByName(text->Font.Name);
    const QString before = text->Font.Name;
    if (!fonts.StepFont(step))
        return false;
    return RefitFont(
        *text, [&] { text->Font.Name = fonts.CurrentName(); },
        [&] {
            text->Font.Name = before;
            fonts.StepFont(-step);
        });
}

bool EP_ItEdt::StepFontSize(int step)
{
    TDPRptText* text = CurrentText();
    if (!text)
        return false;
    TEP_Fonts& fonts = m_config.Fonts;
    const int listSize = fonts.Size;
    const int before = text->Font.Size;
    // The list steps from the item's own size; it keeps the new size only
    // when the item takes it.
    fonts.Size = before;
    if (!fonts.StepSize(step)) {
        fonts.Size = listSize;
        return false;
    }
    const int size = fonts.Size;
    return RefitFont(
        *text, [&] { text->Font.Size = size; },
        [&] {
            text->Font.Size = before;
            fonts.Size = listSize;
        });
}

bool EP_ItEdt::ToggleBold()
{
    TDPRptText* text = CurrentText();
    if (!text)
        return false;
    const auto flip = [text] { text->Font.Styles ^= FontDescription::Bold; };
    return RefitFont(*text, flip, flip);
}

bool EP_ItEdt::ToggleUnderline()
{
    TDPRptText* text = CurrentText();
    if (!text)
        return false;
    const auto flip = [text] { text->Font.Styles ^= FontDescription::Underline; };
    return RefitFont(*text, flip, flip);
}

// --- Caret and text entry ----------------------------------------------------------

void EP_ItEdt::ShowCaret(TDPRptText& text)
{
    text.EditState.CaretVisible = true;
    m_lastCaretToggle = m_clock->NowMs();
    DrawSelection();
}

void EP_ItEdt::StartTextEntry(int entry)
{
    TDPRptText* text = CurrentText();
    if (!text)
        return;
    TextEntry = entry;
    text->EditState.CaretPosition = int(text->Value.size());
    m_caretTimer.start();
    ShowCaret(*text);
}

void EP_ItEdt::BeginTextEntry()
{
    if (CurrentText() && TextEntry == 0)
        StartTextEntry(2);
}

void EP_ItEdt::StopTextEntry()
{
    TDPRptText* text = CurrentText();
    if (!text)
        return;
    text->EditState.CaretVisible = false;
    m_caretTimer.stop();
    TextEntry = 0;
    DrawSelection();
}

void EP_ItEdt::SetCaret(int position, bool record)
{
    TDPRptText* text = CurrentText();
    if (!text)
        return;
    if (record)
        m_undo.RecordCaret();
    text->EditState.CaretPosition = std::clamp(position, 0, int(text->Value.size()));
    if (TextEntry > 0 || m_undo.Replaying)
        m_caretTimer.start();
    ShowCaret(*text);
}

void EP_ItEdt::PlaceCaretAt(int x, int y)
{
    TDPRptText* text = CurrentText();
    if (!text)
        return;
    const int position = text->CaretPositionAt(QPoint(x, y), FontResolution());
    if (position != text->EditState.CaretPosition)
        m_undo.RecordCaret();
    text->EditState.CaretPosition = position;
    m_caretTimer.start();
    ShowCaret(*text);
}

bool EP_ItEdt::TextEntryKey(TDPRptText& text, int key)
{
    const QString value = text.Value;
    const int caret = std::clamp(text.EditState.CaretPosition, 0, int(value.size()));
    switch (key) {
    case WindowsKeys::Back:
        if (caret > 0) {
            const int units = UnitsBefore(value, caret);
            if (SetText(QString(value).remove(caret - units, units)))
                text.EditState.CaretPosition = caret - units;
        }
        break;
    case WindowsKeys::Delete:
        if (caret < value.size())
            SetText(QString(value).remove(caret, UnitsAfter(value, caret)));
        break;
    case WindowsKeys::Left:
        m_undo.RecordCaret();
        text.EditState.CaretPosition = caret > 0 ? caret - UnitsBefore(value, caret) : 0;
        break;
    case WindowsKeys::Right:
        m_undo.RecordCaret();
        text.EditState.CaretPosition = caret < value.size() ? caret + UnitsAfter(value, caret) : caret;
        break;
    case WindowsKeys::Home:
        m_undo.RecordCaret();
        text.EditState.CaretPosition = 0;
        break;
    case WindowsKeys::End:
        m_undo.RecordCaret();
        text.EditState.CaretPosition = int(value.size());
        break;
    case WindowsKeys::Up:
    case WindowsKeys::Down: {
        int start = 0, end = 0;
        LineAround(value, caret, start, end);
        const bool up = key == WindowsKeys::Up;
        if (up ? start == 0 : end == value.size())
            break;
        // The column is kept where the other line is long enough, else
        // the caret goes to that line's end.
        int otherStart = 0, otherEnd = 0;
        LineAround(value, up ? start - 1 : end + 1, otherStart, otherEnd);
        m_undo.RecordCaret();
        text.EditState.CaretPosition = std::min(otherStart + (caret - start), otherEnd);
        break;
    }
    default:
        return false;
    }
    ShowCaret(text);
    return true;
}

bool EP_ItEdt::TypeCharacter(TDPRptText& text, const QString& typed)
{
    if (typed.isEmpty())
        return false;
    const QChar first = typed[0];
    const bool enter = first == QChar(WindowsKeys::EnterCharacter);
    if (first == QChar(WindowsKeys::EscapeCharacter)) {
        StopTextEntry();
        return true;
    }
    // Control characters, and the character X11 gives the Delete key, are
    // keys, not text.
    if ((first.unicode() < 32 && !enter) || first.unicode() == WindowsKeys::DeleteCharacter)
        return false;
    if (enter && TextEntry == 1) {
        TextEntry = 2;
        return true;
    }
    TextEntry = 2;
    const QString value = text.Value;
    const int caret = std::clamp(text.EditState.CaretPosition, 0, int(value.size()));
    const QString inserted = enter ? QString(kLineMark) : typed;
    const TEP_Undo* record = m_undo.RecordText();
    if (ChangeText(text, QString(value).insert(caret, inserted), false)) {
        text.EditState.CaretPosition = caret + int(inserted.size());
    } else {
        m_undo.Cancel(record);
        m_messenger.Beep();
    }
    ShowCaret(text);
    return true;
}
