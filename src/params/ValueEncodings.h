#pragma once

#include "FontDescription.h"
#include "RgbColor.h"

#include <QRect>
#include <QString>

class Param_Obj;

// Text forms of booleans, colours, fonts and window rectangles in the
// configuration, settings and folder files.

QString BoolToParam(bool value);
// Recognises "YES"/"OUI" and "NO"/"NON" (trimmed, any case); other text
// gives false and leaves value unchanged.
bool ParamToBool(const QString& text, bool& value);
// True exactly for "OUI" and "YES"; a missing value gives the default.
bool ReadParamBool(const Param_Obj& params, const QString& heading, const QString& key, bool defaultValue);

// "r*g*b", system colours resolved first.
QString ColorToParam(RgbColor color);
// "r*g*b" with three components 0..255, or one decimal colour number.
bool ParamToColor(const QString& text, RgbColor& color);
// On failure (a missing value too) color is the default and the result false.
bool ReadParamColor(
    const Param_Obj& params, const QString& heading, const QString& key, RgbColor defaultValue, RgbColor& color);

// "size,name,COLOR:r*g*b" then ",Bold", ",Italic", ",Underline", ",StrikeOut";
// no font gives the empty text.
QString FontToParam(const FontDescription* font);
struct FontFieldsRead {
    bool size = false;
    bool name = false;
    bool color = false;
};
// Fields are applied in order; styles are only ever added. True when the
// text has at least three fields and one of size, name or colour was read.
bool ParamToFont(const QString& text, FontDescription& font, FontFieldsRead* read = nullptr);

// "(tlwh:" top "," left "," width "," height ")" of a window's geometry.
QString WindowToParam(const QRect& geometry);
// Width and height below 50 are raised to 50.
bool ParamToRect(const QString& text, int& top, int& left, int& width, int& height);
