#pragma once

#include <QWidget>

// Puts a control at its design position; without a width it takes its
// natural size, without a height its natural height.
template <typename Widget>
Widget* Place(Widget* widget, int x, int y, int width = -1, int height = -1)
{
    widget->move(x, y);
    if (width > 0)
        widget->resize(width, height > 0 ? height : widget->sizeHint().height());
    else
        widget->adjustSize();
    return widget;
}

// Gives a control or action its designer name as its object name, by which a
// reader of the form's description and the tests find it.
template <typename Object> Object* Named(Object* object, const char* designerName)
{
    object->setObjectName(QLatin1StringView(designerName));
    return object;
}
