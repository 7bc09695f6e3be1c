#include "playback/cvideownd.h"

#include "playback/cvideoframe.h"

#include <QVBoxLayout>

namespace {
const char *const kNormalStyle = "#VideoWnd{background-color:rgb(0,0,0);border:1px solid #828282;}";
const char *const kActiveStyle = "#VideoWnd{background-color:rgb(0,0,0);border:1px solid #0489F5;}";
const char *const kInactiveStyle = "#VideoWnd{background-color:rgb(0,0,0);border:0px solid #828282;}";
} // namespace

CVideoWnd::CVideoWnd(int nIndex, QWidget *parent)
    : QWidget(parent)
{
    m_pInner = new QWidget(this);
    m_pInner->setObjectName("VideoWnd");
    m_pInner->setAttribute(Qt::WA_StyledBackground);
    m_pInner->setStyleSheet(kNormalStyle);
    m_pFrame = new CVideoFrame(nIndex, m_pInner);
    auto *pInnerLayout = new QVBoxLayout(m_pInner);
    pInnerLayout->setContentsMargins(1, 1, 1, 1);
    pInnerLayout->addWidget(m_pFrame);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pInner);
    connect(m_pFrame, &CVideoFrame::doubleClicked, this, &CVideoWnd::doubleClicked);
    connect(m_pFrame, &CVideoFrame::activeWnd, this, &CVideoWnd::activeWnd);
    connect(m_pFrame, &CVideoFrame::sig_RectanglePoint, this, &CVideoWnd::sig_RectanglePoint);
    connect(m_pFrame, &CVideoFrame::sig_selectRegion, this, &CVideoWnd::sig_selectRegion);
}

void CVideoWnd::setActive(bool bActive)
{
    m_pInner->setStyleSheet(bActive ? kActiveStyle : kInactiveStyle);
}

QString CVideoWnd::frameStyle() const
{
    return m_pInner->styleSheet();
}
