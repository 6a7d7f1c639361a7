#pragma once

class TEP_DocsNode;

// Told of every change to the nodes of a documents tree, by the tree's own
// operations, so that a view keeps its entries (expansion, selection)
// without rebuilding them, and so that whoever keeps a pointer to a node or
// its document lets go of it before the node is freed. Listeners register on
// the tree's root; a tree being destroyed tells nobody.
//
// Calls come in pairs around each change, the way a tree view wants them:
// "about to" while the tree is still as it was, then the change done. Rows
// are child indexes in the parent node.
class DocsTreeListener {
public:
    virtual ~DocsTreeListener() = default;

    // Children first..last of parent are coming (they are not there yet).
    virtual void NodesAboutToBeInserted(TEP_DocsNode& /*parent*/, int /*first*/, int /*last*/) { }
    virtual void NodesInserted(TEP_DocsNode& /*parent*/, int /*first*/, int /*last*/) { }
    // Children first..last of parent, with everything under them, leave the
    // tree: they are still valid during this call and freed (or handed to
    // the caller of TakeChild) right after it.
    virtual void NodesAboutToBeRemoved(TEP_DocsNode& /*parent*/, int /*first*/, int /*last*/) { }
    virtual void NodesRemoved(TEP_DocsNode& /*parent*/, int /*first*/, int /*last*/) { }
    // The child at fromRow of from goes to toRow of to, toRow counted in the
    // list as it will be once the move is done. Nodes and documents stay
    // the same objects.
    virtual void NodeAboutToBeMoved(TEP_DocsNode& /*from*/, int /*fromRow*/, TEP_DocsNode& /*to*/, int /*toRow*/) { }
    virtual void NodeMoved(TEP_DocsNode& /*node*/) { }
    // The node's name, and for a folder the paths of everything under it,
    // changed.
    virtual void NodeRenamed(TEP_DocsNode& /*node*/) { }
    // The children of parent are put in another order (a folder's stored
    // display order applied).
    virtual void ChildrenAboutToBeReordered(TEP_DocsNode& /*parent*/) { }
    virtual void ChildrenReordered(TEP_DocsNode& /*parent*/) { }
    // A folder is brought up to date with the disk; the changes in between
    // come as inserts and removals.
    virtual void RescanStarted(TEP_DocsNode& /*folder*/) { }
    virtual void RescanFinished(TEP_DocsNode& /*folder*/) { }
};
