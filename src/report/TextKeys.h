#pragma once

#include <QString>

struct FontDescription;

// The FONT and VALUE keys shared by text and vertical text items.
namespace TextKeys {

// "size,name[,BOLD][,ITALIC][,UNDERLINE][,STRIKEOUT][,COLOR:n]"; a size that
// is not a positive integer makes the whole value ignored (false).
bool ReadFont(const QString& value, FontDescription& font);
// "size,name" then ",Bold", ",Italic", ",Underline", ",StrikeOut" and
// ",COLOR:n" when the colour is not 0.
QString FontText(const FontDescription& font);

// The whole text after the first "=" of the line, its surrounding double
// quotes removed.
QString ReadValue(const QString& line);
// "VALUE=" and the text, quoted where reading would otherwise change it.
QString ValueLine(const QString& text);

} // namespace TextKeys
