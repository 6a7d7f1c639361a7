#include "TEP_DocsTree.h"

#include "DocsTreeDelegate.h"
#include "DocsTreeIcons.h"
#include "DocsTreeModel.h"
#include "DragScroller.h"

#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_DocsNode.h"

#include <QDataStream>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

// Dragging an entry onto another: the rules of where it may go, the
// scrolling near the edges, and the move of the data then of the entry.

// --- What a drag carries --------------------------------------------------------------------

QMimeData* TEP_DocsTree::DragData(const TEP_DocsNode& node)
{
    // The names from the root down: found again at the drop, even after the
    // tree changed under the drag.
    QStringList names;
    for (const TEP_DocsNode* at = &node; at && at->Parent(); at = at->Parent())
        names.prepend(at->Name());
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << names;
    auto* data = new QMimeData;
    data->setData(DragFormat, bytes);
    return data;
}

TEP_DocsNode* TEP_DocsTree::DraggedNode(const QMimeData* mimeData) const
{
    if (!mimeData || !mimeData->hasFormat(DragFormat) || !Root())
        return nullptr;
    QStringList names;
    QDataStream stream(mimeData->data(DragFormat));
    stream >> names;
    if (stream.status() != QDataStream::Ok || names.isEmpty())
        return nullptr;
    TEP_DocsNode* node = Root();
    for (const QString& name : names) {
        TEP_DocsNode* next = nullptr;
        // The exact name first: a folder copied from Linux may hold two
        // names that differ only by letter case.
        for (int i = 0; i < node->ChildCount() && !next; ++i)
            if (node->ChildAt(i)->Name() == name)
                next = node->ChildAt(i);
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

// --- The rules -------------------------------------------------------------------------------

bool TEP_DocsTree::AcceptsDrop(const TEP_DocsNode* dragged, const TEP_DocsNode* target) const
{
    if (!dragged || !target || dragged == target || !m_model->HasEntry(target) || !MayDrag(dragged))
        return false;
    // Into its own folder it is already there.
    if (!target->IsDocument() && dragged->Parent() == target)
        return false;
    // A folder never goes inside itself.
    for (const TEP_DocsNode* above = target->Parent(); above; above = above->Parent())
        if (above == dragged)
            return false;
    return true;
}

bool TEP_DocsTree::DropOn(TEP_DocsNode* dragged, TEP_DocsNode* target)
{
    if (!AcceptsDrop(dragged, target))
        return false;
    if (handlers.beforeDrop && !handlers.beforeDrop(dragged, target))
        return false;
    TEP_DocsNode* from = dragged->Parent();
    TEP_DocsNode* destination = target->IsDocument() ? target->Parent() : target;
    int placement = TEP_DocsNode::NotMoved;
    Outcome outcome;
    const TEP_DocsNode* same = destination->FindChildByName(dragged->Name());
    if (destination != from && same)
        outcome.Fail(
            QStringLiteral("Le document ou dossier %1 existe déja.").arg(MessageText::Quoted(dragged->Name())));
    else
        outcome = from->Move(dragged, target, placement);
    const bool moved = placement != TEP_DocsNode::NotMoved;
    if (moved) {
        if (placement == TEP_DocsNode::FirstInFolder) {
            expand(IndexOf(target));
            SelectNode(target);
        } else {
            SelectNode(dragged);
        }
        outcome.Merge(CheckAgreement(from));
        if (destination != from)
            outcome.Merge(CheckAgreement(destination));
    }
    if (outcome.HasMessages())
        m_messenger.ShowLines(TransferErrorsTitle, outcome.Messages());
    if (handlers.afterDrop)
        handlers.afterDrop(dragged, moved);
    return moved;
}

// --- The drag ----------------------------------------------------------------------------------

void TEP_DocsTree::SetDropTarget(TEP_DocsNode* node)
{
    const QModelIndex index = IndexOf(node);
    if (index == m_dropTarget)
        return;
    m_dropTarget = index;
    viewport()->update();
}

void TEP_DocsTree::EndDrag()
{
    m_scroller->Stop();
    SetDropTarget(nullptr);
}

void TEP_DocsTree::startDrag(Qt::DropActions)
{
    TEP_DocsNode* node = SelectedNode();
    if (!MayDrag(node))
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(DragData(*node));
    const int size = DocsTreeDelegate::IconSize(fontMetrics());
    drag->setPixmap(DocsTreeIcons::Icon(DocsTreeIcons::KindOf(*node), size, devicePixelRatioF()));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    EndDrag();
}

void TEP_DocsTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedNode(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TEP_DocsTree::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint position = event->position().toPoint();
    m_scroller->PointerAt(position);
    TEP_DocsNode* target = NodeAt(indexAt(position));
    if (AcceptsDrop(DraggedNode(event->mimeData()), target)) {
        SetDropTarget(target);
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        SetDropTarget(nullptr);
        event->ignore();
    }
}

void TEP_DocsTree::dragLeaveEvent(QDragLeaveEvent* event)
{
    EndDrag();
    event->accept();
}

void TEP_DocsTree::dropEvent(QDropEvent* event)
{
    EndDrag();
    TEP_DocsNode* dragged = DraggedNode(event->mimeData());
    TEP_DocsNode* target = NodeAt(indexAt(event->position().toPoint()));
    if (!AcceptsDrop(dragged, target)) {
        event->ignore();
        return;
    }
    // The entries follow the data through the tree's notifications: the
    // drag's source has nothing left to do.
    event->setDropAction(Qt::MoveAction);
    event->accept();
    DropOn(dragged, target);
}
