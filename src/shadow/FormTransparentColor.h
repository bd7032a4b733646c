#pragma once

#include <QColor>

class QWidget;

// A form's transparent colour: while it is on, the client pixels of that colour
// count as see-through, and the shadow shows through them. Kept as two
// properties of the form widget, so that any form can carry one.
namespace FormTransparentColor {

inline constexpr char OnProperty[] = "TransparentColor";
inline constexpr char ValueProperty[] = "TransparentColorValue";

void Set(QWidget *form, bool on, const QColor &value);
void SetOn(QWidget *form, bool on);
void SetValue(QWidget *form, const QColor &value);
bool IsOn(const QWidget *form);
// Black when never set.
QColor Value(const QWidget *form);

} // namespace FormTransparentColor
