#pragma once

#include <QPoint>
#include <QStringList>
#include <QtGlobal>

class QWidget;
class TDPanel;
class UserSettings;

// What a command panel asks of the palette that owns it: the keys a click
// fires, the news of a change of highlight, the presses that start a
// held command's repeat, the colours and the one-click choice of the
// user's settings, and the writing of a redefined key.
class TDPanelOwner {
public:
    virtual ~TDPanelOwner() = default;
    virtual void KeyDown(int keyCode, quint8 shift) = 0;
    virtual void KeyPress(quint8 character) = 0;
    virtual void PanelSelectionChanged(QWidget* control, bool selected) = 0;
    virtual void CommandPressed(TDPanel& command, QPoint globalPoint) = 0;
    virtual void CommandPointerMoved(TDPanel& command, QPoint globalPoint) = 0;
    virtual void CommandReleased(TDPanel& command) = 0;
    virtual const UserSettings& PanelSettings() const = 0;
    virtual void SaveCommandDefinition(const QString& name, const QStringList& fields) = 0;
};
