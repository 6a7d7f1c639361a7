#include "TDPanelTbl.h"

#include "TDPanel.h"

#include "platform/KeyTranslator.h"

#include <QWidget>

TDPanel* TDPanelTbl::Child(int index) const
{
    return index >= 0 && index < Count() ? m_children[index] : nullptr;
}

void TDPanelTbl::Add(TDPanel* panel)
{
    Q_ASSERT(panel);
    if (panel && !m_children.contains(panel))
        m_children.append(panel);
}

void TDPanelTbl::Remove(TDPanel* panel)
{
    m_children.removeAll(panel);
}

TDPanel* TDPanelTbl::FindByName(const QString& name) const
{
    const QString wanted = name.trimmed().toUpper();
    for (TDPanel* child : m_children)
        if (child->Name().trimmed().toUpper() == wanted)
            return child;
    return nullptr;
}

TDPanel* TDPanelTbl::FindByKeyCode(int keyCode) const
{
    if (keyCode == 0)
        return nullptr;
    for (TDPanel* child : m_children)
        if (child->KeyCode == keyCode)
            return child;
    return nullptr;
}

TDPanel* TDPanelTbl::FindByKeyChar(int character) const
{
    if (character == 0)
        return nullptr;
    const quint8 wanted = KeyTranslator::UpperCase(quint8(character));
    for (TDPanel* child : m_children)
        if (child->KeyChar != 0 && KeyTranslator::UpperCase(child->KeyChar) == wanted)
            return child;
    return nullptr;
}
