#include "carrowbutton.h"

#include "common/cglobalappdata.h"

CArrowButton::CArrowButton(const QString &strIcon, QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(strIcon);
    setFixedSize(16, 16);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QString("QToolButton{border:0px;border-image:url(%1/skin/icons/%2.png);}"
                          "QToolButton:hover{border:0px;border-image:url(%1/skin/icons/%2_hover.png);}")
                      .arg(CGlobalAppData::instance()->appPath(), strIcon));
}
