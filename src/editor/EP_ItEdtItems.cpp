// The item editor: finding, creating, navigating and deleting items, and
// the keys that act on the selected item as a whole.
#include "EP_ItEdt.h"

#include "ImageWidget.h"
#include "PageScrollBox.h"

#include "config/TEP_Config.h"
#include "platform/Clock.h"
#include "platform/WindowsKeys.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QList>
#include <QPair>
#include <algorithm>
#include <climits>

namespace {
constexpr int kHitReach = 10; // pixels: a drawing counts under this distance
constexpr int kNewItemTop = 50;
} // namespace

// --- Finding ---------------------------------------------------------------------

TDPRptItem* EP_ItEdt::ItemAt(int x, int y) const
{
    if (!m_root)
        return nullptr;
    QList<QPair<QString, TDPRptItem*>> found;
    m_root->ItemsAtPoint(x, y, found);
    // Walked from the topmost item down; the keys sort text items first,
    // then drawings from the nearest, the topmost first on equal keys.
    QList<QPair<QString, TDPRptItem*>> keyed;
    for (qsizetype i = found.size() - 1; i >= 0; --i) {
        TDPRptItem* item = found[i].second;
        if (item == m_current)
            continue;
        if (dynamic_cast<TDPRptSpDr*>(item)) {
            const int distance = item->HitDistance(x, y);
            if (distance < kHitReach)
                keyed.append({QStringLiteral("%1").arg(distance, 6, 10, QLatin1Char('0')), item});
            continue;
        }
        const QString name = item->Name.toUpper();
        if (name.startsWith(QLatin1String("DM_")) || name.startsWith(QLatin1String("DMLT_"))) {
            keyed = {{QString(), item}};
            break;
        }
        if (item->Name == QLatin1String("DMRECT")) {
            keyed.clear();
            break;
        }
        if (dynamic_cast<TDPRptText*>(item))
            keyed.append({QString(), item});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return keyed.isEmpty() ? nullptr : keyed.first().second;
}

// --- New items -------------------------------------------------------------------

QPoint EP_ItEdt::NewItemPlace(QSize size) const
{
    // The default place is in view: near the top of the box, centred.
    const QPoint scroll = m_scrollBox ? m_scrollBox->ScrollOffset() : QPoint();
    const QSize client = m_scrollBox ? m_scrollBox->ClientSize() : PageRect().size();
    const int pageTopInView = PageRect().top() - scroll.y();
    int top = kNewItemTop + std::max(0, pageTopInView) + scroll.y();
    int left = client.width() / 2 - size.width() / 2 + scroll.x();
    if (NewItemPosition) {
        int askedLeft = left, askedTop = top;
        if (NewItemPosition(size.height(), size.width(), askedLeft, askedTop)) {
            left = askedLeft;
            top = askedTop;
        }
    }
    return QPoint(left, top);
}

QPoint EP_ItEdt::KeepInsidePage(QRect rect, int gap) const
{
    const QRect page = PageRect();
    // The bottom and right edges stay strictly inside the page.
    const int far = std::max(gap, 1);
    if (rect.top() < page.top())
        rect.moveTop(page.top() + gap);
    if (rect.left() < page.left())
        rect.moveLeft(page.left() + gap);
    if (rect.top() + rect.height() >= page.top() + page.height())
        rect.moveTop(page.top() + page.height() - rect.height() - far);
    if (rect.left() + rect.width() >= page.left() + page.width())
        rect.moveLeft(page.left() + page.width() - rect.width() - far);
    return rect.topLeft();
}

void EP_ItEdt::Introduce(std::unique_ptr<TDPRptItem> owned, QPoint place)
{
    TDPRptItem* item = owned.get();
    const QString name = item->Name;
    item->EditState.HiddenWhileEdited = true;
    item->EditState.SelectionVisible = true;
    if (!m_root->AddChild(name, std::move(owned)))
        return;
    m_current = item;
    item->SetScale(RootScale());
    SetSurfaceRect(QRect(place, item->PixelRect.size().boundedTo(QSize(MaxSurfaceSide, MaxSurfaceSide))));
    SyncPosition(*item);
    TakeColorAndPen(*item);
    m_lastBlink = m_clock->NowMs();
    m_blinkTimer.start();
    Modified = true;
    m_changed = true;
    DrawSelection();
    m_undo.RecordCreation();
    ScrollToCurrent();
}

bool EP_ItEdt::AddDrawing(QObject* owner, int mode)
{
    Q_ASSERT(m_root && mode >= TDPRptSpDr::SpRect && mode <= TDPRptSpDr::SpArrow);
    if (!m_root || mode < TDPRptSpDr::SpRect || mode > TDPRptSpDr::SpArrow)
        return false;
    EndEdit(owner, true);
    m_owner = owner;
    const UserSettings& settings = m_config.Settings;
    auto drawing = std::make_unique<TDPRptSpDr>();
    drawing->SpDrMode = mode;
    drawing->PenSize = settings.ItemPenSize;
    // The outlined fills take the pen colour as their fill, with a black
    // outline.
    const bool outlined = mode == TDPRptSpDr::SpFBRect || mode == TDPRptSpDr::SpFBCircle;
    drawing->ForeColors[0] = outlined ? RgbColor(0) : settings.ItemForeground;
    drawing->BackColors[0] = outlined ? settings.ItemForeground : settings.ItemBackground;
    drawing->Name = NewItemName(m_root);
    drawing->SetTag(true, settings.SelectionDisplayMode);
    const QSize size = settings.DefaultSize(mode);
    drawing->Width = float(size.width());
    drawing->Height = float(mode == TDPRptSpDr::SpHLine || mode == TDPRptSpDr::SpHRel ? 20 : size.height());
    if (mode == TDPRptSpDr::SpArrow) {
        drawing->Angle = 0;
        drawing->Length = 200;
        drawing->ArrowType = TDPRptSpDr::ArrowHead;
    }
    // Laid out once, away from the page's edges, to know its size in
    // pixels (an arrow's comes from its geometry), then placed.
    drawing->PosX = drawing->PosY = 1000;
    drawing->SetScale(RootScale());
    const QSize pixels = drawing->PixelRect.size();
    const QPoint place = KeepInsidePage(QRect(NewItemPlace(pixels), pixels), EdgeKeep);
    Introduce(std::move(drawing), place);
    Notify(Selected);
    return m_current != nullptr;
}

bool EP_ItEdt::AddText(QObject* owner, const QString& fontName, int fontSize)
{
    Q_ASSERT(m_root);
    if (!m_root)
        return false;
    EndEdit(owner, true);
    m_owner = owner;
    const TEP_Fonts& fonts = m_config.Fonts;
    auto text = std::make_unique<TDPRptText>();
    text->Name = NewItemName(m_root);
    text->SetTag(true, m_config.Settings.SelectionDisplayMode);
    // Written over the worksheet, which shows between the letters.
    text->Transparent = true;
    text->Font.Name = fontName.trimmed().isEmpty() ? fonts.CurrentName() : fontName.trimmed();
    text->Font.Size = fontSize > 0 ? fontSize : fonts.Size;
    text->Font.Color = m_config.Session.CurrentColor;
    text->Font.Styles = (fonts.Bold ? FontDescription::Bold : 0) | (fonts.Underline ? FontDescription::Underline : 0);
    text->Width = 1;
    text->Height = 1;
    text->SetScale(RootScale());
    const QSize pixels = TextPixelSize(*text, QString());
    const QPoint place = KeepInsidePage(QRect(NewItemPlace(pixels), pixels), 0);
    TDPRptText* added = text.get();
    const double scale = RootScale();
    added->Width = float(pixels.width() / scale);
    added->Height = float(pixels.height() / scale);
    Sizing = true;
    Introduce(std::move(text), place);
    if (m_current == added)
        FitText(*added, QString(), true);
    Sizing = false;
    TextEntry = 0;
    Notify(Selected);
    return m_current != nullptr;
}

// --- Navigation and deletion ---------------------------------------------------------

bool EP_ItEdt::SelectChild(QObject* owner, int index)
{
    if (!m_root || index < 1 || index >= m_root->ChildCount())
        return false;
    return Select(owner, m_root->ChildAt(index));
}

void EP_ItEdt::RemoveCurrent(bool recordDeletion)
{
    if (!m_current)
        return;
    TDPRptItem* item = m_current;
    const QString name = item->Name;
    const int index = m_root->IndexOfChild(item);
    // The edit ends keeping the item, even an empty one, so that it is
    // removed once, here.
    EndEdit(m_owner, false);
    std::unique_ptr<TDPRptItem> removed = m_root->TakeChild(name, item);
    if (recordDeletion)
        m_undo.RecordDeletion(name, index, std::move(removed));
    if (m_lastEditedName == name)
        m_lastEditedName.clear();
}

bool EP_ItEdt::DeleteSelected(QObject* owner, bool selectPrevious)
{
    if (!m_current)
        return false;
    m_owner = owner;
    const int index = m_root->IndexOfChild(m_current);
    RemoveCurrent(true);
    if (selectPrevious) {
        if (index >= 2)
            SelectChild(owner, index - 1);
        else
            Navigate(owner, SelectLast);
    }
    if (!m_current)
        Redraw();
    return true;
}

bool EP_ItEdt::Navigate(QObject* owner, int operation)
{
    if (!m_root)
        return false;
    const int count = m_root->ChildCount();
    const int index = m_current ? m_root->IndexOfChild(m_current) : -1;
    switch (operation) {
    case SelectLast:
        return count >= 2 && SelectChild(owner, count - 1);
    case SelectNext:
        if (!m_current)
            return Navigate(owner, SelectFirst);
        return count >= 3 && SelectChild(owner, index + 1 < count ? index + 1 : 1);
    case SelectPrevious:
        if (!m_current)
            return Navigate(owner, SelectLast);
        return count >= 3 && SelectChild(owner, index - 1 >= 1 ? index - 1 : count - 1);
    case SelectFirst:
        return count >= 2 && SelectChild(owner, 1);
    case SelectLastEdited:
        if (m_current)
            return false;
        if (TDPRptItem* last = LastEdited())
            return Select(owner, last);
        return Navigate(owner, SelectLast);
    case Delete:
        return DeleteSelected(owner, false);
    case DeleteAndSelectPrevious:
        return DeleteSelected(owner, true);
    default:
        Q_ASSERT(false);
        return false;
    }
}

// --- Keys --------------------------------------------------------------------------

bool EP_ItEdt::KeyDown(int key, quint8 shift)
{
    if (shift != 0 || !m_current)
        return false;
    if (TDPRptText* text = CurrentText()) {
        if (TextEntry > 0 && TextEntryKey(*text, key))
            return true;
        if (TextEntry == 0 && key == WindowsKeys::Return) {
            StartTextEntry(1);
            return true;
        }
    }
    if (TextEntry > 0)
        return false;
    switch (key) {
    case WindowsKeys::Delete:
    case WindowsKeys::Back:
        DeleteSelected(m_owner, false);
        if (AfterDelete)
            AfterDelete();
        return true;
    case WindowsKeys::Left:
        Move(MoveLeft, m_config.Session.MoveStep, true);
        return false;
    case WindowsKeys::Right:
        Move(MoveRight, m_config.Session.MoveStep, true);
        return false;
    case WindowsKeys::Up:
        Move(MoveUp, m_config.Session.MoveStep, true);
        return false;
    case WindowsKeys::Down:
        Move(MoveDown, m_config.Session.MoveStep, true);
        return false;
    default:
        return false;
    }
}

bool EP_ItEdt::KeyPress(QChar character)
{
    if (!m_current)
        return false;
    if (TDPRptText* text = CurrentText())
        return TextEntry > 0 && TypeCharacter(*text, QString(character));
    // Digits move a drawing by 10 pixels; the caller still sees them.
    MoveByDigit(character, 10, true);
    return false;
}

bool EP_ItEdt::KeyPressText(const QString& text)
{
    TDPRptText* item = CurrentText();
    if (!item || TextEntry == 0) {
        bool taken = false;
        for (const QChar c : text)
            taken = KeyPress(c) || taken;
        return taken;
    }
    bool taken = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the first 65536 comes as a pair of halves,
        // which go in together.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        taken = TypeCharacter(*item, text.mid(i, length)) || taken;
        i += length - 1;
        if (!CurrentText())
            break;
    }
    return taken;
}
