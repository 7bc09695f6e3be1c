#include "ckorvane.h"

#include "catalogue/crecordlistmanage.h"
#include "cconfigdlg.h"
#include "common/cglobalappdata.h"
#include "playback/cdisplaybox.h"
#include "ctitlewidget.h"
#include "widgets/cframelessresizer.h"
#include "widgets/cmessagebox.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSplitter>

namespace {
constexpr int FADE_MS = 1000;
constexpr int MIN_WIDTH = 720;
constexpr int MIN_HEIGHT = 480;
constexpr int MIN_LIST_WIDTH = 180;
constexpr int MAX_LIST_WIDTH = 600;
} // namespace

CKorvane::CKorvane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("CKorvane");
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(tr("Korvane"));
    setAttribute(Qt::WA_StyledBackground);
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
    createLayout();
    createConnections();
    m_pResizer = new CFramelessResizer(this);
}

void CKorvane::createLayout()
{
    m_pTitleWidget = new CTitleWidget(this);
    m_pTitleWidget->setTitle(tr("Korvane"));
    m_pTitleWidget->setFixedHeight(36);

    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName("MainSplitter");
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->setHandleWidth(3);

    m_pRecordList = new CRecordListManage(m_pSplitter);
    m_pRecordList->setObjectName("CRecordListManage");
    m_pRecordList->setMinimumWidth(MIN_LIST_WIDTH);
    m_pRecordList->setMaximumWidth(MAX_LIST_WIDTH);
    m_pRecordList->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    m_pDisplayBox = new CDisplayBox(m_pSplitter);
    m_pDisplayBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_pSplitter->addWidget(m_pRecordList);
    m_pSplitter->addWidget(m_pDisplayBox);
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);

    auto *pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pTitleWidget, 0, 0, 1, 4);
    pLayout->addWidget(m_pSplitter, 1, 0, 1, 4);
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
    const CGlobalAppData *pData = CGlobalAppData::instance();
    QScreen *pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    QSize size = pData->windowSize().isValid() ? pData->windowSize() : QSize(kDefaultWidth, kDefaultHeight);
    if (pScreen)
        size = size.boundedTo(pScreen->availableGeometry().size());
    resize(size.expandedTo(minimumSize()));
    if (pScreen)
        move(pScreen->availableGeometry().center() - rect().center());
    const int nListWidth = qBound(MIN_LIST_WIDTH, pData->recordListWidth() > 0 ? pData->recordListWidth()
                                                                                : kRecordListWidth, MAX_LIST_WIDTH);
    m_pSplitter->setSizes({nListWidth, width() - nListWidth - m_pSplitter->handleWidth()});
    setWindowOpacity(0.0);
    if (pData->windowMaximized()) {
        showMaximized();
        m_pTitleWidget->setMaximizedLook(true);
    } else {
        show();
    }
    fade(0.0, 1.0);
    activateWindow();
}

void CKorvane::storeGeometry() const
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setWindowMaximized(isMaximized());
    pData->setWindowSize(isMaximized() ? normalGeometry().size() : size());
    pData->setRecordListWidth(m_pRecordList->width());
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
        storeGeometry();
        qDebug() << "main window closed";
        event->accept();
        return;
    }
    event->ignore();
}
