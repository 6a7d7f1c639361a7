#pragma once

#include <QList>
#include <QString>

class TDPanel;

// An ordered list of command panels. Lookups go by the control's name and
// by key; the first entry in list order wins, which is what makes the order
// of a group's members the tie-break of every key lookup. Holds no panel:
// the palette owns them.
class TDPanelTbl {
public:
    virtual ~TDPanelTbl() = default;

    int Count() const { return int(m_children.size()); }
    // None for an index outside the list.
    TDPanel* Child(int index) const;
    virtual void Add(TDPanel* panel);
    void Remove(TDPanel* panel);
    bool Contains(const TDPanel* panel) const { return m_children.contains(const_cast<TDPanel*>(panel)); }
    int IndexOf(const TDPanel* panel) const { return int(m_children.indexOf(const_cast<TDPanel*>(panel))); }
    const QList<TDPanel*>& Children() const { return m_children; }

    // Names trimmed and compared in upper case.
    TDPanel* FindByName(const QString& name) const;
    // None for 0.
    TDPanel* FindByKeyCode(int keyCode) const;
    // Characters compared in upper case (Windows-1252); none for 0.
    TDPanel* FindByKeyChar(int character) const;

protected:
    QList<TDPanel*> m_children;
};
