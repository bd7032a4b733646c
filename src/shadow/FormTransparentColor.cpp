#include "shadow/FormTransparentColor.h"

#include <QVariant>
#include <QWidget>

namespace FormTransparentColor {

void Set(QWidget *form, bool on, const QColor &value)
{
    SetValue(form, value);
    SetOn(form, on);
}

void SetOn(QWidget *form, bool on)
{
    form->setProperty(OnProperty, on);
}

void SetValue(QWidget *form, const QColor &value)
{
    form->setProperty(ValueProperty, value);
}

bool IsOn(const QWidget *form)
{
    return form->property(OnProperty).toBool();
}

QColor Value(const QWidget *form)
{
    const QVariant value = form->property(ValueProperty);
    return value.isValid() ? value.value<QColor>() : QColor(Qt::black);
}

} // namespace FormTransparentColor
