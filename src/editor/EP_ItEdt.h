#pragma once

#include "TEP_UndoList.h"

#include "params/RgbColor.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class ImageWidget;
class Messenger;
class PageScrollBox;
class TDPRptItem;
class TDPRptSpDr;
class TDPRptText;
class TEP_Config;
class TEP_Doc;

// The item editor: the one place where the pupil's items on the open
// worksheet are created, selected, moved, resized, recoloured, reshaped,
// typed into and deleted, each change recorded in its undo list.
//
// The selected item is not drawn on the page: it is drawn alone, in its
// selected look, on the edit surface placed over the page image at the
// item's place. Changes redraw that surface only; the page is drawn again
// when the edit ends. Positions of the surfaces are in the coordinates of
// the scroll box's content.
//
// Callers (the key and mouse dispatch, the palette, the toolbar) hear of
// selections through observers; every refused change reports false and the
// caller beeps, except Resize, which beeps itself.
class EP_ItEdt : public QObject {
    Q_OBJECT
public:
    enum Event { Attached = 0, Selected = 1, EditEnded = 2, Detaching = 3 };
    enum Direction { MoveLeft = 1, MoveRight = 2, MoveUp = 4, MoveDown = 8 };
    enum NavigateOperation {
        SelectLast = 0,
        SelectNext,
        SelectPrevious,
        SelectFirst,
        SelectLastEdited,
        Delete,
        DeleteAndSelectPrevious
    };
    enum PointOperation { NoPointOperation = 0, DeleteFirst = 1, DeleteLast = 2 };
    static constexpr int NoPoint = -99999;
    static constexpr int MaxSurfaceSide = 3000; // pixels
    static constexpr int EdgeKeep = 15; // a new drawing stays this far inside the page
    static constexpr int MinPenSize = 5;
    static constexpr int MaxPenSize = 100;
    static constexpr int BlinkUnitMs = 500;
    static constexpr int CaretTickMs = 30;
    static constexpr int CaretFlipMs = 350;

    using Observer = std::function<void(QObject* owner, int event, EP_ItEdt& editor)>;

    // The editor reads and writes the user's settings and session values in
    // the configuration; messages and beeps go to the messenger; timer rules
    // read the clock (the system's when none is given).
    EP_ItEdt(TEP_Config& config, Messenger& messenger, const Clock* clock = nullptr, QObject* parent = nullptr);
    ~EP_ItEdt() override;

    // --- Worksheet ---
    void Attach(
        QObject* owner, TEP_Doc* document, PageScrollBox* scrollBox, ImageWidget* editImage, ImageWidget* pageImage);
    // The same on an item tree without a document (a second editor carrying
    // an item, the tests).
    void AttachTree(QObject* owner, TDPRptItem* root, PageScrollBox* scrollBox, ImageWidget* editImage,
        ImageWidget* pageImage, const QString& documentPath = QString());
    void Detach(QObject* owner);

    // --- Selection ---
    bool Select(QObject* owner, TDPRptItem* item, int y = 0, int x = 0, bool placeCaret = false);
    void EndEdit(QObject* owner, bool removeEmpty);
    bool IsEditing() const { return m_current != nullptr; }
    bool IsTextEntry() const;
    // The item under a point of the page image (page pixels), text first,
    // then the nearest drawing; none when nothing is there.
    TDPRptItem* ItemAt(int x, int y) const;
    bool Navigate(QObject* owner, int operation);

    // --- New items ---
    bool AddDrawing(QObject* owner, int mode);
    // The fonts list's font and size unless a name or size is given (the
    // palette and the toolbar pass the ones they show).
    bool AddText(QObject* owner, const QString& fontName = QString(), int fontSize = 0);

    // --- Changes of the selected item ---
    bool SetColor(RgbColor color);
    bool ChangePenSize(int delta);
    // The palette's and toolbar's type panels: a rectangle or circle becomes
    // another kind of its family (outlined, filled, filled with an outline).
    bool ChangeDrawingKind(int mode);
    bool ModifyDrawing(
        int penDelta, int length, float angle, int typeOrPointOperation, int x = NoPoint, int y = NoPoint);
    // The arrow commands: turn by degrees (counter-clockwise positive),
    // length by a change, end type 0, 1 or 2.
    bool TurnArrow(float degrees);
    bool ChangeArrowLength(int delta);
    bool SetArrowType(int type);
    // A polyline point at a place given in pixels from the item's origin.
    bool AddPoint(int x, int y);
    bool DeleteFirstPoint();
    bool DeleteLastPoint();
    bool Move(int directions, int step, bool apply);
    // A mouse drag moves by different distances across and down.
    bool Move(int directions, int horizontalStep, int verticalStep, bool apply);
    bool MoveByDigit(QChar digit, int step, bool apply);
    bool Resize(int heightChange, int widthChange, bool apply);

    // --- Text items ---
    bool SetText(const QString& text);
    bool NextFont();
    bool PreviousFont();
    bool LargerFont();
    bool SmallerFont();
    bool ToggleBold();
    bool ToggleUnderline();
    void StopTextEntry();
    // Text entry started otherwise than by the Enter key (a double click,
    // the toolbar): the next Enter is typed.
    void BeginTextEntry();
    // The size a text item needs for a text in its font at the page's
    // scale, margins included ("gfP_m" for an empty text).
    QSize TextPixelSize(const TDPRptText& text, const QString& value) const;
    void SetCaret(int position, bool record);
    // A point of the edit surface: the caret goes to the nearest place of
    // the line under it.
    void PlaceCaretAt(int x, int y);

    // --- Keys (Windows key codes and shift bits) ---
    bool KeyDown(int key, quint8 shift);
    bool KeyPress(QChar character);
    // Text an input method composed ("ê" from a dead key): each character
    // as if typed; true when any was taken.
    bool KeyPressText(const QString& text);

    // --- Resize squares (edit surface coordinates) ---
    // 1 top-left, 2 top-right, 3 bottom-right, 4 bottom-left (polyline
    // points and arrow tips have their own numbers); 0 when none.
    int SquareAt(int x, int y) const;
    bool SquareCentre(int square, QPoint& centre) const;
    // Before the first drag of a square: the snapshot undo goes back to.
    // mode: the resize mode for this start (-1 keeps the editor's).
    bool StartSquareResize(int mode = -1);
    bool DragSquare(int square, int dx, int dy);
    void ToggleResizeMode();

    // --- Display ---
    void ScrollToCurrent();
    void DrawSelection();
    int AddObserver(Observer observer);
    void RemoveObserver(int index);
    // The palette's hooks: whether the selected item changed since it was
    // selected, and the end of its edit.
    bool HasPendingChange() const { return m_current && m_changed; }
    void CommitEdit(QObject* owner) { EndEdit(owner, true); }

    // Timer ticks (public for tests, which move a fake clock).
    void BlinkTick();
    void CaretTick();

    // --- State ---
    TDPRptItem* Current() const { return m_current; }
    TDPRptItem* LastEdited() const;
    TDPRptItem* Root() const { return m_root; }
    TEP_Doc* Document() const { return m_document; }
    QString DocumentPath() const { return m_documentPath; }
    bool DocumentChanged() const { return m_documentChanged; }
    TEP_UndoList& UndoList() { return m_undo; }
    TEP_Config& Config() const { return m_config; }
    ImageWidget* EditImage() const { return m_editImage; }
    ImageWidget* PageImage() const { return m_pageImage; }
    PageScrollBox* ScrollBox() const { return m_scrollBox; }
    // The edit surface relative to the page image.
    QRect SurfaceOnPage() const;
    // Puts the edit surface at a place relative to the page image and
    // draws the item there; the item's stored place follows.
    void PlaceSurface(QPoint onPage);
    float RootScale() const;
    bool IsCaretTimerActive() const { return m_caretTimer.isActive(); }
    bool IsBlinkTimerActive() const { return m_blinkTimer.isActive(); }

    int TextEntry = 0;
    int ResizeMode = 0;
    bool CaretAtClick = false;
    bool Modified = false;
    bool Sizing = false;
    bool Busy = false;

    // (item height, item width) in pixels -> left, top in the scroll box's
    // content (the toolbar answers the page image's place plus the click);
    // false leaves the editor's place.
    std::function<bool(int height, int width, int& left, int& top)> NewItemPosition;
    std::function<void()> RedrawPage;
    std::function<void()> AfterDelete;
    // Told the selected text item's text after each change of it.
    std::function<void(const QString& text)> TextCallback;

private:
    friend class TEP_UndoList;

    void Take(QObject* owner, TEP_Doc* document, TDPRptItem* root, PageScrollBox* scrollBox, ImageWidget* editImage,
        ImageWidget* pageImage, const QString& documentPath);
    void Notify(int event);
    void Redraw();
    QRect PageRect() const;
    QRect SurfaceRect() const;
    void SetSurfaceRect(const QRect& rect);
    // Moves the surface only (the item's place is already right).
    void PutSurface(QPoint onPage);
    bool InsidePage(const QRect& rect) const;
    TDPRptSpDr* CurrentDrawing() const;
    TDPRptText* CurrentText() const;
    static bool IsEmptyItem(const TDPRptItem& item);
    void SyncPosition(TDPRptItem& item);
    void RememberModeSize(const TDPRptSpDr& drawing);
    int FontResolution() const;
    void TakeColorAndPen(TDPRptItem& item);
    void RemoveCurrent(bool recordDeletion);
    QPoint NewItemPlace(QSize size) const;
    QPoint KeepInsidePage(QRect rect, int gap) const;
    void Introduce(std::unique_ptr<TDPRptItem> item, QPoint place);
    bool SelectChild(QObject* owner, int index);
    bool DeleteSelected(QObject* owner, bool selectPrevious);
    void ApplyColor(TDPRptItem& item, RgbColor color);
    bool ApplyShapeChange(TDPRptSpDr& drawing, QPoint originBefore, bool sizeChanged);
    bool FitText(TDPRptText& text, const QString& value, bool sample);
    bool ChangeText(TDPRptText& text, const QString& value, bool record);
    bool StepFont(int step);
    bool StepFontSize(int step);
    bool RefitFont(TDPRptText& text, const std::function<void()>& change, const std::function<void()>& undo);
    bool TextEntryKey(TDPRptText& text, int key);
    bool TypeCharacter(TDPRptText& text, const QString& typed);
    void ShowCaret(TDPRptText& text);
    void StartTextEntry(int entry);
    void RestoreSaved(TDPRptItem& item, TDPRptItem& saved);
    bool PointsInsidePage(const TDPRptSpDr& drawing, QPoint surfaceAt) const;

    TEP_Config& m_config;
    Messenger& m_messenger;
    std::unique_ptr<Clock> m_ownClock;
    const Clock* m_clock;
    QObject* m_owner = nullptr;
    TEP_Doc* m_document = nullptr;
    QString m_documentPath;
    bool m_documentChanged = false;
    TDPRptItem* m_root = nullptr;
    TDPRptItem* m_current = nullptr;
    QString m_lastEditedName;
    QPointer<PageScrollBox> m_scrollBox;
    QPointer<ImageWidget> m_pageImage;
    QPointer<ImageWidget> m_editImage;
    TEP_UndoList m_undo;
    QTimer m_caretTimer;
    QTimer m_blinkTimer;
    qint64 m_lastCaretToggle = 0;
    qint64 m_lastBlink = 0;
    bool m_changed = false;
    std::vector<Observer> m_observers;
    int m_notifyDepth = 0;
};
