#include "TEP_ToolsBarButton.h"

TEP_ToolsBarButton::TEP_ToolsBarButton(const QString& name, Role role, int value, int tag, int group, QWidget* parent)
    : QToolButton(parent)
    , m_role(role)
    , m_value(value)
    , m_tag(tag)
    , m_group(group)
{
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus); // the keyboard stays with the page
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setCheckable(group != 0);
    setAutoRaise(true);
}

void TEP_ToolsBarButton::SetDown(bool down)
{
    if (!isCheckable())
        setCheckable(true);
    setChecked(down);
}
