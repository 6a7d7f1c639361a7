#include "TDPRptText.h"

#include "ReportCanvas.h"
#include "SpDrPainter.h"
#include "TDPRptPrintParams.h"
#include "TextKeys.h"
#include "params/Numbers.h"
#include "params/StrFields.h"

#include <QPainter>
#include <algorithm>

namespace {

int R(double value)
{
    return RoundHalfEven(value);
}

// The text after the first ":" of a part.
QString AfterColon(const QString& part)
{
    const qsizetype colon = part.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : StrTrim(part.mid(colon + 1));
}

// Cell sizes count as set above a tenth of a unit.
bool IsSet(float size)
{
    return size > 0.1f;
}

QString Whole(double value)
{
    return QString::number(RoundHalfEven(value));
}

} // namespace

TDPRptText::TDPRptText()
{
    ResetTextFields();
}

void TDPRptText::ResetTextFields()
{
    Value.clear();
    SetVAlign(TextLayout::VDefault);
    HAlignFlags = 0;
    HMargin = 20;
    CharWidth = 0;
    WordWidth = 0;
    CharHeight = 0;
    TextDrawMode = PlainText;
    LeftBorder = 0;
    RightBorder = 0;
    BottomBorder = 0;
    CellSeparator = NoSeparator;
    Pad = 0;
    CellBorderColor = RgbColor(0xFFFFFF);
    WordWrap = true;
}

void TDPRptText::Reset()
{
    TDPRptRect::Reset();
    ResetTextFields();
}

float TDPRptText::DefaultOffset(int flags)
{
    const float k = OffsetUnit;
    const float r = TextLayout::LetterRatio;
    if (flags & TextLayout::VBottom) {
        if (flags & TextLayout::VTop)
            return 0.0f;
        return (flags & TextLayout::VLetter) ? (1.0f - r) * k : k;
    }
    if (flags & TextLayout::VTop)
        return k;
    return (flags & TextLayout::VLetter) ? k * r : 0.0f;
}

void TDPRptText::SetVAlign(int flags)
{
    VAlignFlags = flags & ~TextLayout::VExplicitOffset;
    VOffset = DefaultOffset(VAlignFlags);
}

bool TDPRptText::SetValue(const QVariantList& arguments)
{
    if (arguments.size() != 1 || arguments[0].typeId() != QMetaType::QString)
        return false;
    Value = arguments[0].toString();
    return true;
}

// --- Keys ---------------------------------------------------------------------------

void TDPRptText::ReadVAlign(const QString& value)
{
    bool bottom = false;
    int position = TextLayout::VDefault;
    std::optional<int> offset;
    for (const QString& part : StrSplitFields(value.toUpper(), QStringLiteral(","))) {
        if (part.contains(QLatin1String("WORDWRAP"))) {
            WordWrap = AfterColon(part) != QLatin1String("FALSE");
        } else if (part.contains(QLatin1String("VOFFSET"))) {
            const std::optional<double> read = TextToDecimal(AfterColon(part));
            if (read && *read >= 0)
                offset = R(*read);
        } else if (part.contains(QLatin1String("VWRITEPOS"))) {
            const QString where = AfterColon(part);
            position = where == QLatin1String("TOP") ? TextLayout::VTop
                : where == QLatin1String("LETTER")   ? TextLayout::VLetter
                                                     : TextLayout::VDefault;
        } else if (part == QLatin1String("VBOTTOM")) {
            bottom = true;
        }
    }
    SetVAlign((bottom ? TextLayout::VBottom : 0) | position);
    if (offset)
        VOffset = float(*offset);
    if (R(VOffset) != R(DefaultOffset(VAlignFlags)))
        VAlignFlags |= TextLayout::VExplicitOffset;
}

void TDPRptText::ReadHAlign(const QString& value)
{
    HAlignFlags = 0;
    for (const QString& part : StrSplitFields(value.toUpper(), QStringLiteral(","))) {
        if (part.contains(QLatin1String("HMARGIN"))) {
            if (const std::optional<double> margin = TextToDecimal(AfterColon(part)); margin && *margin >= 0)
                HMargin = float(*margin);
        } else if (part == QLatin1String("HRIGHTALIGN")) {
            HAlignFlags |= TextLayout::HRight;
        } else if (part == QLatin1String("HCENTERED")) {
            HAlignFlags |= TextLayout::HCentered;
        }
    }
}

void TDPRptText::ReadDrawMode(const QString& value)
{
    const QString upper = value.toUpper();
    if (upper.contains(QLatin1String("BOTTOMHALFRECT"))) {
        TextDrawMode = BottomHalfRect;
        return;
    }
    const qsizetype custom = upper.indexOf(QLatin1String("(CUSTOMDRAW["));
    if (custom < 0)
        return;
    TextDrawMode = CustomDraw;
    const qsizetype open = upper.indexOf(QLatin1Char('['), custom);
    const qsizetype close = upper.indexOf(QLatin1Char(']'), open);
    const QString list = upper.mid(open + 1, close < 0 ? -1 : close - open - 1);
    for (const auto& [name, part] : StrNameValuePairs(list)) {
        const int width = part == QLatin1String("NORMAL") ? NormalBorder
            : part == QLatin1String("BOLD")               ? BoldBorder
                                                          : std::max(0, TextToInt(part).value_or(0));
        if (name == QLatin1String("LEFTBD"))
            LeftBorder = width;
        else if (name == QLatin1String("RIGHTBD"))
            RightBorder = width;
        else if (name == QLatin1String("BOTTOMBD"))
            BottomBorder = width;
        else if (name == QLatin1String("BSEP"))
            CellSeparator = part == QLatin1String("MAX") ? SeparatorMax
                : part == QLatin1String("HALF")          ? SeparatorHalf
                                                         : NoSeparator;
        else if (name == QLatin1String("BCOLOR"))
            CellBorderColor = RgbColor(quint32(TextToInt(part).value_or(0xFFFFFF)));
    }
}

bool TDPRptText::LoadKey(const QString& key, const QString& value, const QString& line)
{
    if (key == QLatin1String("FONT")) {
        TextKeys::ReadFont(value, Font);
    } else if (key == QLatin1String("TEXTVALIGN")) {
        ReadVAlign(value);
    } else if (key == QLatin1String("TEXTHALIGN")) {
        ReadHAlign(value);
    } else if (key == QLatin1String("CHARWIDTH") || key == QLatin1String("WORDWIDTH")
        || key == QLatin1String("CHARHEIGHT")) {
        if (const std::optional<double> size = TextToDecimal(value)) {
            float& field = key == QLatin1String("CHARWIDTH") ? CharWidth
                : key == QLatin1String("WORDWIDTH")          ? WordWidth
                                                             : CharHeight;
            field = float(*size);
        }
    } else if (key == QLatin1String("STRINGFMT")) {
        if (value.startsWith(QLatin1Char('(')) && value.endsWith(QLatin1Char(')')))
            for (const auto& [name, part] : StrNameValuePairs(value.mid(1, value.size() - 2)))
                if (name == QLatin1String("PAD"))
                    Pad = std::max(0, TextToInt(part).value_or(0));
    } else if (key == QLatin1String("TEXTDRAWMODE")) {
        ReadDrawMode(value);
    } else if (key == QLatin1String("VALUE")) {
        Value = TextKeys::ReadValue(line);
    } else {
        return TDPRptRect::LoadKey(key, value, line);
    }
    return true;
}

QString TDPRptText::VAlignText() const
{
    QString text;
    if (VAlignFlags & TextLayout::VBottom)
        text += QLatin1String(",VBOTTOM");
    if (VAlignFlags & TextLayout::VExplicitOffset)
        text += QLatin1String(",VOFFSET:") + Whole(VOffset);
    if (VAlignFlags & TextLayout::VTop)
        text += QLatin1String(",VWRITEPOS:TOP");
    if (VAlignFlags & TextLayout::VLetter)
        text += QLatin1String(",VWRITEPOS:LETTER");
    if (!WordWrap)
        text += QLatin1String(",WORDWRAP:FALSE");
    return text.mid(1);
}

QString TDPRptText::HAlignText() const
{
    QString text;
    if (HMargin != 20.0f)
        text += QLatin1String(",HMARGIN:") + Whole(HMargin);
    if (HAlignFlags & TextLayout::HRight)
        text += QLatin1String(",HRIGHTALIGN");
    if (HAlignFlags & TextLayout::HCentered)
        text += QLatin1String(",HCENTERED");
    return text.mid(1);
}

QString TDPRptText::DrawModeText() const
{
    if (TextDrawMode == BottomHalfRect)
        return QStringLiteral("(BOTTOMHALFRECT)");
    if (TextDrawMode != CustomDraw)
        return QString();
    const auto width = [](int w) {
        return w == NormalBorder ? QStringLiteral("NORMAL")
            : w == BoldBorder    ? QStringLiteral("BOLD")
                                 : QString::number(w);
    };
    QStringList parts;
    if (LeftBorder > 0)
        parts << QLatin1String("LEFTBD:") + width(LeftBorder);
    if (RightBorder > 0)
        parts << QLatin1String("RIGHTBD:") + width(RightBorder);
    if (BottomBorder > 0)
        parts << QLatin1String("BOTTOMBD:") + width(BottomBorder);
    if (CellSeparator == SeparatorMax)
        parts << QStringLiteral("BSEP:MAX");
    else if (CellSeparator == SeparatorHalf)
        parts << QStringLiteral("BSEP:HALF");
    if (CellBorderColor.Value() != 0xFFFFFF)
        parts << QStringLiteral("BCOLOR:%1").arg(CellBorderColor.Number());
    return QStringLiteral("(CUSTOMDRAW[") + parts.join(QLatin1Char(',')) + QStringLiteral("])");
}

bool TDPRptText::SaveKeys(QStringList& lines) const
{
    if (!TDPRptRect::SaveKeys(lines))
        return false;
    lines << QStringLiteral("FONT=") + TextKeys::FontText(Font);
    const auto append = [&lines](const char* key, const QString& text) {
        if (!text.isEmpty())
            lines << QLatin1String(key) + QLatin1Char('=') + text;
    };
    append("TEXTVALIGN", VAlignText());
    append("TEXTHALIGN", HAlignText());
    append("CHARWIDTH", IsSet(CharWidth) ? Whole(CharWidth) : QString());
    append("WORDWIDTH", IsSet(WordWidth) ? Whole(WordWidth) : QString());
    append("CHARHEIGHT", IsSet(CharHeight) ? Whole(CharHeight) : QString());
    append("STRINGFMT", Pad > 0 ? QStringLiteral("(PAD:%1)").arg(Pad) : QString());
    append("TEXTDRAWMODE", DrawModeText());
    lines << TextKeys::ValueLine(Value);
    return true;
}

std::unique_ptr<TDPRptItem> TDPRptText::CreateEmpty() const
{
    return std::make_unique<TDPRptText>();
}

bool TDPRptText::CopyFrom(const TDPRptItem& source)
{
    if (auto* text = dynamic_cast<const TDPRptText*>(&source)) {
        Value = text->Value;
        VAlignFlags = text->VAlignFlags;
        VOffset = text->VOffset;
        HAlignFlags = text->HAlignFlags;
        HMargin = text->HMargin;
        CharWidth = text->CharWidth;
        WordWidth = text->WordWidth;
        CharHeight = text->CharHeight;
        TextDrawMode = text->TextDrawMode;
        LeftBorder = text->LeftBorder;
        RightBorder = text->RightBorder;
        BottomBorder = text->BottomBorder;
        CellSeparator = text->CellSeparator;
        Pad = text->Pad;
        CellBorderColor = text->CellBorderColor;
        WordWrap = text->WordWrap;
    }
    return TDPRptRect::CopyFrom(source);
}

// --- Layout and drawing -----------------------------------------------------------------

TextLayout::Settings TDPRptText::LayoutSettings(const QRect& rect) const
{
    const double s = Scale;
    TextLayout::Settings settings;
    settings.rect = rect;
    settings.margin = R(HMargin * s);
    settings.hAlign = HAlignFlags;
    settings.vAlign = VAlignFlags;
    settings.offset = R(VOffset * s);
    settings.wordWrap = WordWrap;
    settings.lineHeight = IsSet(CharHeight) ? R(CharHeight * s) : 0;
    settings.cellWidth = IsSet(CharWidth) ? std::max(1, R(CharWidth * s)) : 0;
    // Word i starts at round(i x WordWidth x scale): rounding each word's
    // width instead would drift a pixel every few words.
    settings.wordPitch = !IsSet(CharWidth) && IsSet(WordWidth) ? std::max(1.0, WordWidth * s) : 0;
    settings.pad = Pad;
    return settings;
}

TextLayout TDPRptText::LayoutIn(const QRect& rect, const QFont& font) const
{
    return TextLayout(Value, QFontMetrics(font), LayoutSettings(rect));
}

int TDPRptText::CaretPositionAt(QPoint point, int fontResolution) const
{
    const QFont font = ReportCanvas::FontAt(Font, fontResolution);
    const TextLayout layout = LayoutIn(QRect(QPoint(0, 0), PixelRect.size()), font);
    return std::clamp(layout.PositionAt(point), 0, int(Value.size()));
}

int TDPRptText::BorderPixels(int width) const
{
    // "NORMAL" is a fine line (0.2 mm), "BOLD" a thick one (0.5 mm); both stay
    // visible at every zoom.
    if (width == NormalBorder)
        return std::max(1, R(2 * Scale));
    if (width == BoldBorder)
        return std::max(2, R(5 * Scale));
    return std::max(1, R(width * double(Scale)));
}

void TDPRptText::DrawCells(QPainter& painter, const TextLayout& layout, const QFont& font, const QRect& visible) const
{
    const QFontMetrics metrics(font);
    const int height = layout.LineHeight();
    const QColor borderColor = CellBorderColor.ToQColor();
    const auto x = [](qint64 position) { return TextLayout::ToPixel(position); };
    for (const TextLayout::Line& line : layout.Lines()) {
        const int baseline = line.y + metrics.ascent();
        if (!IsSet(CharWidth)) { // words in cells
            const QStringList words = line.text.split(QLatin1Char(','));
            for (int i = 0; i < words.size(); ++i)
                painter.drawText(x(layout.WordLeft(line, i)), baseline, words[i]);
            continue;
        }
        // Only the cells the visible area shows are drawn: a file may claim
        // millions of them.
        const qint64 cell = layout.Config().cellWidth;
        const qint64 first = std::max<qint64>(0, (qint64(visible.left()) - line.x) / cell - 1);
        const qint64 last = std::min<qint64>(line.cells - 1, (qint64(visible.right()) - line.x) / cell + 1);
        for (qint64 i = first; i <= last && i < line.text.size(); ++i) {
            const QChar c = line.text[qsizetype(i)];
            painter.drawText(
                x(layout.CharLeft(line, i) + (cell - metrics.horizontalAdvance(c)) / 2), baseline, QString(c));
        }
        // Borders and separators as bands in 64 bits, filled where visible.
        const qint64 right = line.x + line.width - 1;
        const qint64 top = line.y, bottom = qint64(line.y) + height - 1;
        const auto band = [&](qint64 l, qint64 t, qint64 r, qint64 b) {
            l = std::max<qint64>(l, visible.left());
            t = std::max<qint64>(t, visible.top());
            r = std::min<qint64>(r, visible.right());
            b = std::min<qint64>(b, visible.bottom());
            if (r >= l && b >= t)
                painter.fillRect(QRect(QPoint(int(l), int(t)), QPoint(int(r), int(b))), painter.pen().color());
        };
        if (TextDrawMode == BottomHalfRect) {
            // A one-pixel frame round the lower half of the cells.
            const qint64 middle = top + height / 2;
            band(line.x, middle, right, middle);
            band(line.x, bottom, right, bottom);
            band(line.x, middle, line.x, bottom);
            band(right, middle, right, bottom);
        } else if (TextDrawMode == CustomDraw) {
            painter.save();
            painter.setPen(borderColor);
            if (BottomBorder > 0)
                band(line.x, bottom - BorderPixels(BottomBorder) + 1, right, bottom);
            if (LeftBorder > 0)
                band(line.x, top, line.x + BorderPixels(LeftBorder) - 1, bottom);
            if (RightBorder > 0)
                band(right - BorderPixels(RightBorder) + 1, top, right, bottom);
            const qint64 separator = BorderPixels(NormalBorder);
            for (qint64 i = std::max<qint64>(1, first); CellSeparator != NoSeparator && i <= last; ++i) {
                const qint64 left = layout.CharLeft(line, i) - separator / 2;
                band(left, CellSeparator == SeparatorHalf ? top + height / 2 : top, left + separator - 1, bottom);
            }
            painter.restore();
        }
    }
}

bool TDPRptText::DrawContent(const QRect& clip, ReportCanvas& canvas, TDPRptPrintParams* params, float)
{
    QRect placed, visible;
    if (!PlaceTransparent(clip, canvas, params, placed, visible))
        return true;
    QPainter& painter = canvas.Painter();

    const QFont font = canvas.FontFor(Font);
    const TextLayout layout = LayoutIn(placed, font);

    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(Font.Color.ToQColor());
    painter.setBrush(Qt::NoBrush);
    if (layout.Lines().isEmpty() || (!IsSet(CharWidth) && !IsSet(WordWidth))) {
        const int ascent = QFontMetrics(font).ascent();
        for (const TextLayout::Line& line : layout.Lines())
            painter.drawText(TextLayout::ToPixel(line.x), line.y + ascent, line.text);
    } else {
        DrawCells(painter, layout, font, visible);
    }
    if (EditState.CaretVisible) {
        const QPoint caret = layout.CaretPoint(std::clamp(EditState.CaretPosition, 0, int(Value.size())));
        const int width = std::max(2, R(QFontMetrics(font).height() / 15.0));
        painter.fillRect(QRect(caret.x(), caret.y(), width, layout.LineHeight()), Font.Color.ToQColor());
    }
    painter.restore();
    return true;
}

bool TDPRptText::DrawBorders(const QRect& parentRect, ReportCanvas& canvas, TDPRptPrintParams* params)
{
    TDPRptRect::DrawBorders(parentRect, canvas, params);
    QRect frame, visible;
    if (EditState.SelectionVisible && PlacedRects(parentRect, frame, visible)) {
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setClipRect(visible, Qt::IntersectClip);
        SpDrPainter::DrawSelectionFrame(painter, frame, params ? params->Selection : SelectionLook());
        painter.restore();
    }
    return true;
}
