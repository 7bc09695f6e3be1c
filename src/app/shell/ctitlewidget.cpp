#include "ctitlewidget.h"

#include "common/cglobalappdata.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

CTitleWidget::CTitleWidget(QWidget *parent, bool bSubTitle)
    : QWidget(parent)
    , m_bSubTitle(bSubTitle)
{
    setObjectName(bSubTitle ? "SubTitleWidget" : "CTitleWidget");
    setAttribute(Qt::WA_StyledBackground);
    const QString strAppPath = CGlobalAppData::instance()->appPath();

    auto *pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(8, 0, 4, 0);
    pLayout->setSpacing(4);
    m_pLogo = new QLabel(this);
    m_pLogo->setObjectName("TitleLogo");
    m_pLogo->setPixmap(QPixmap(strAppPath + "/skin/icons/mainLogo.png"));
    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName("TitleLabel");
    pLayout->addWidget(m_pLogo);
    pLayout->addWidget(m_pTitle);
    pLayout->addStretch();

    if (!bSubTitle) {
        m_pBtnCfg = createButton("SysCfg", "sys_cfg", tr("Settings"));
        m_pBtnMin = createButton("SysMin", "sys_min", tr("Minimize"));
        m_pBtnMax = createButton("SysMax", "sys_max", tr("Maximize"));
        connect(m_pBtnCfg, &QToolButton::clicked, this, &CTitleWidget::btnConfigClicked);
        connect(m_pBtnMin, &QToolButton::clicked, this, &CTitleWidget::btnMinClicked);
        connect(m_pBtnMax, &QToolButton::clicked, this, &CTitleWidget::btnMaxClicked);
    }
    m_pBtnCls = createButton("SysCls", "sys_cls", tr("Close"));
    connect(m_pBtnCls, &QToolButton::clicked, this, &CTitleWidget::btnCloseClicked);
}

QToolButton *CTitleWidget::createButton(const QString &strName, const QString &strIcon, const QString &strTip)
{
    auto *pButton = new QToolButton(this);
    pButton->setFixedSize(24, 24);
    pButton->setToolTip(strTip);
    pButton->setFocusPolicy(Qt::NoFocus);
    applyButtonLook(pButton, strName, strIcon);
    layout()->addWidget(pButton);
    return pButton;
}

void CTitleWidget::applyButtonLook(QToolButton *pButton, const QString &strName, const QString &strIcon)
{
    const QString strStyle = QString("#%1{background:transparent;border-image:url(%2/skin/icons/%3.png);}"
                                     "#%1:hover{background:transparent;border-image:url(%2/skin/icons/%3_hover.png);}"
                                     "#%1:pressed{background:transparent;border-image:url(%2/skin/icons/%3_hover.png);}")
                                 .arg(strName, CGlobalAppData::instance()->appPath(), strIcon);
    pButton->setObjectName(strName);
    pButton->setStyleSheet(strStyle);
}

void CTitleWidget::setTitle(const QString &strTitle)
{
    m_pTitle->setText(strTitle);
}

QString CTitleWidget::title() const
{
    return m_pTitle->text();
}

void CTitleWidget::btnCloseClicked()
{
    emit closeSignal();
}

void CTitleWidget::btnConfigClicked()
{
    emit configSignal();
}

void CTitleWidget::btnMinClicked()
{
    window()->showMinimized();
}

void CTitleWidget::setMaximizedLook(bool bMaximized)
{
    if (m_bSubTitle)
        return;
    m_bMaximized = bMaximized;
    if (m_bMaximized) {
        applyButtonLook(m_pBtnMax, "SysNormal", "sys_normal");
        m_pBtnMax->setToolTip(tr("Restore"));
    } else {
        applyButtonLook(m_pBtnMax, "SysMax", "sys_max");
        m_pBtnMax->setToolTip(tr("Maximize"));
    }
}

void CTitleWidget::btnMaxClicked()
{
    if (m_bSubTitle)
        return;
    if (m_bMaximized)
        window()->showNormal();
    else
        window()->showMaximized();
    setMaximizedLook(!m_bMaximized);
}

void CTitleWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bPressed = true;
        m_windowPos = window()->pos();
        m_mousePos = event->globalPos();
    }
    QWidget::mousePressEvent(event);
}

void CTitleWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bPressed && !m_bMaximized)
        window()->move(m_windowPos + event->globalPos() - m_mousePos);
    QWidget::mouseMoveEvent(event);
}

void CTitleWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_bPressed = false;
    QWidget::mouseReleaseEvent(event);
}

void CTitleWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        btnMaxClicked();
    QWidget::mouseDoubleClickEvent(event);
}
