#include "ckorvane.h"

#include "catalogue/crecordlistmanage.h"
#include "cconfigdlg.h"
#include "common/cglobalappdata.h"
#include "playback/cdisplaybox.h"
#include "ctitlewidget.h"
#include "widgets/cmessagebox.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>

namespace {
constexpr int FADE_MS = 1000;
}

CKorvane::CKorvane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("CKorvane");
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(tr("Korvane"));
    setAttribute(Qt::WA_StyledBackground);
    createLayout();
    createConnections();
}

void CKorvane::createLayout()
{
    m_pTitleWidget = new CTitleWidget(this);
    m_pTitleWidget->setTitle(tr("Korvane"));
    m_pTitleWidget->setFixedHeight(36);

    m_pRecordList = new CRecordListManage(this);
    m_pRecordList->setObjectName("CRecordListManage");
    m_pRecordList->setFixedWidth(220);
    m_pRecordList->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    m_pDisplayBox = new CDisplayBox(this);
    m_pDisplayBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto *pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pTitleWidget, 0, 0, 1, 4);
    pLayout->addWidget(m_pRecordList, 1, 0);
    pLayout->addWidget(m_pDisplayBox, 1, 1, 1, 3);
}

void CKorvane::createConnections()
{
    connect(m_pTitleWidget, &CTitleWidget::closeSignal, this, &CKorvane::close);
    connect(m_pTitleWidget, &CTitleWidget::configSignal, this, &CKorvane::onBaseConfig);
    connect(CGlobalAppData::instance(), &CGlobalAppData::showConfig, this, &CKorvane::onBaseConfig);
    connect(m_pRecordList, QOverload<QString, bool>::of(&CRecordListManage::playRecord), m_pDisplayBox,
            &CDisplayBox::onPlayRecord);
    connect(m_pRecordList, &CRecordListManage::selectVideoWnd, m_pDisplayBox, &CDisplayBox::onSelectVideoWnd);
    connect(m_pRecordList, &CRecordListManage::changeWndMode, m_pDisplayBox, &CDisplayBox::onChangeWndMode);
    connect(m_pRecordList, &CRecordListManage::syncPlay, m_pDisplayBox, &CDisplayBox::onSyncPlay);
    connect(m_pRecordList, &CRecordListManage::diskChanged, m_pDisplayBox, &CDisplayBox::onDiskChanged);
    connect(m_pDisplayBox, &CDisplayBox::playRecordRequest, m_pRecordList, &CRecordListManage::onPlayRecordResponse);
    connect(m_pDisplayBox, &CDisplayBox::selectRecord, m_pRecordList, &CRecordListManage::onSelectRecord);
    connect(m_pDisplayBox, &CDisplayBox::updateGpsInfo, m_pRecordList, &CRecordListManage::onUpdateGpsInfo);
}

void CKorvane::start()
{
    resize(1080, 720);
    QScreen *pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    if (pScreen)
        move(pScreen->availableGeometry().center() - rect().center());
    setWindowOpacity(0.0);
    show();
    fade(0.0, 1.0);
    activateWindow();
}

QPropertyAnimation *CKorvane::fade(qreal rStart, qreal rEnd)
{
    auto *pAnimation = new QPropertyAnimation(this, "windowOpacity", this);
    pAnimation->setDuration(FADE_MS);
    pAnimation->setStartValue(rStart);
    pAnimation->setEndValue(rEnd);
    pAnimation->start(QAbstractAnimation::DeleteWhenStopped);
    return pAnimation;
}

void CKorvane::onBaseConfig()
{
    CConfigDlg dlg(this);
    dlg.exec();
}

bool CKorvane::confirmClose()
{
    const QString strQuestion = QString("%1?").arg(tr("Do you want to close"));
    return CMessageBox::prompt(this, strQuestion, tr("Yes"), tr("No")) == 0;
}

void CKorvane::onCloseWindow()
{
    if (!confirmClose())
        return;
    m_bCloseConfirmed = true;
    connect(fade(1.0, 0.0), &QPropertyAnimation::finished, this, &CKorvane::close);
}

void CKorvane::closeEvent(QCloseEvent *event)
{
    if (m_bCloseConfirmed || confirmClose()) {
        m_bCloseConfirmed = true;
        qDebug() << "main window closed";
        event->accept();
        return;
    }
    event->ignore();
}
