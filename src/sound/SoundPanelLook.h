#pragma once

#include <QColor>
#include <QIcon>

class QWidget;

// The pictures and colours of the sound panel, drawn here so the panel looks
// the same whatever icon theme the desktop has.
namespace SoundPanelLook {

enum class Glyph { Play, Pause, Stop, Record, Delete };

QIcon ButtonIcon(Glyph glyph);
// The worksheet has its instruction sound: green; its help sound: yellow.
QColor InstructionColour();
QColor HelpColour();
// Paints a label's background, or gives it back the panel's colour when
// colour is invalid.
void SetBackground(QWidget* widget, const QColor& colour);

} // namespace SoundPanelLook
