// The size of a text button of the skin: the size its window gives it, wider only when its
// text (a long translation) needs more room inside the skin's padding.
#pragma once

#include <QSize>

class QAbstractButton;

class CButtonSize
{
public:
    // Padding and border of the skin on either side of a button's text.
    static constexpr int TextMargin = 11;

    // Fixes the button's size: size, or wider for its current text.
    static void fit(QAbstractButton *pButton, const QSize &size);
};
