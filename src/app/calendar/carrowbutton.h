// A borderless tool button drawn with a skin picture, with a brighter picture on hover.
#pragma once

#include <QToolButton>

class CArrowButton : public QToolButton
{
    Q_OBJECT
public:
    // strIcon names the picture: "ArrowUp", "ArrowDown", "ArrowRight" or "ArrowLeft" (in a
    // right-to-left layout "ArrowRight" and "ArrowLeft" show each other's picture).
    CArrowButton(const QString &strIcon, QWidget *parent = nullptr);
};
