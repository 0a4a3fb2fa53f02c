#pragma once

#include <QString>
#include <QWidget>

// Creates a child widget of type T named `name` at (left, top) of `parent`,
// as the window layouts place their controls by hand. With a width, it is
// also resized: to `height`, or to its preferred height when none is given.
template <typename T>
T* Place(QWidget* parent, const char* name, int left, int top, int width = -1, int height = -1)
{
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    w->move(left, top);
    if (width >= 0)
        w->resize(width, height >= 0 ? height : w->sizeHint().height());
    return w;
}
