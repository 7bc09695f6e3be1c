#include "carrowbutton.h"

#include "common/cglobalappdata.h"

namespace {
// Right to left (Arabic), the button for "earlier" stands on the right: its arrow points there.
QString pictureFor(const QString &strIcon, bool bRightToLeft)
{
    if (!bRightToLeft) return strIcon;
    if (strIcon == "ArrowLeft") return "ArrowRight";
    if (strIcon == "ArrowRight") return "ArrowLeft";
    return strIcon;
}
} // namespace

CArrowButton::CArrowButton(const QString &strIcon, QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(strIcon);
    setFixedSize(16, 16);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QString("QToolButton{border:0px;border-image:url(%1/skin/icons/%2.png);}"
                          "QToolButton:hover{border:0px;border-image:url(%1/skin/icons/%2_hover.png);}")
                      .arg(CGlobalAppData::instance()->appPath(), pictureFor(strIcon, isRightToLeft())));
}
