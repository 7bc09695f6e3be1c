#include "ccutfiledlg.h"

#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "export/cconverttomp4.h"
#include "export/ccutworker.h"
#include "shell/ctitlewidget.h"
#include "widgets/cbuttonsize.h"
#include "widgets/cmessagebox.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const int TITLE_HEIGHT = 36;
const int LINE_HEIGHT = 25;
const int BUTTON_WIDTH = 75;
const int BUTTON_HEIGHT = 25;
const int PROGRESS_HEIGHT = 10;

QPushButton *createButton(const QString &strText, QWidget *parent)
{
    auto *pButton = new QPushButton(strText, parent);
    pButton->setObjectName("NormalToolButton");
    CButtonSize::fit(pButton, QSize(BUTTON_WIDTH, BUTTON_HEIGHT));
    return pButton;
}
} // namespace

CCutFileDlg::CCutFileDlg(const QString &strFilePath, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("DialogFrame");
    setAttribute(Qt::WA_StyledBackground);
    setModal(true);
    setWindowTitle("CCutFileDlg");
    m_pWorker = new CCutWorker(this);
    m_pWorker->setSource(strFilePath);
    m_pThread = new CMyThread(&CCutFileDlg::workerBody, this, this);
    createWidgets();
    createLayout();

    connect(m_pWorker, &CCutWorker::updateProcess, this, &CCutFileDlg::updateProcess);
    connect(m_pWorker, &CCutWorker::updateExportStatus, this, &CCutFileDlg::updateExportStatus);
    connect(m_pWorker, &CCutWorker::showMessage, this, &CCutFileDlg::showMessage);
    connect(m_pWorker, &CCutWorker::convertFinishi, this, &CCutFileDlg::convertFinishi);
    connect(this, &CCutFileDlg::updateExportStatus, this, &CCutFileDlg::onUpdateStatus);
    connect(this, &CCutFileDlg::updateProcess, this, &CCutFileDlg::onUpdateProcess);
    connect(this, &CCutFileDlg::showMessage, this, &CCutFileDlg::onShowMessage);
    connect(this, &CCutFileDlg::convertFinishi, this, &CCutFileDlg::onConvertFinish);
}

CCutFileDlg::~CCutFileDlg()
{
    stopWorker();
}

void CCutFileDlg::workerBody(void *pDialog)
{
    static_cast<CCutFileDlg *>(pDialog)->m_pWorker->run();
}

void CCutFileDlg::createWidgets()
{
    m_pTitle = new CTitleWidget(this, true);
    m_pTitle->setTitle(tr("Cut"));
    m_pTitle->setFixedHeight(TITLE_HEIGHT);
    connect(m_pTitle, &CTitleWidget::closeSignal, this, &CCutFileDlg::on_btnCancel_clicked);

    m_pSavePath = new QLineEdit(CGlobalAppData::instance()->recordPath(), this);
    m_pSavePath->setFixedHeight(LINE_HEIGHT);
    m_pBtnBrowse = createButton(tr("Browse"), this);
    m_pStartTime = new QTimeEdit(m_pWorker->fileBegin(), this);
    m_pEndTime = new QTimeEdit(m_pWorker->fileEnd(), this);
    for (QTimeEdit *pEdit : {m_pStartTime, m_pEndTime}) {
        pEdit->setDisplayFormat("hh:mm:ss");
        pEdit->setFixedHeight(LINE_HEIGHT);
    }
    m_pFormat = new QComboBox(this);
    m_pFormat->addItems({tr("H264/H265"), tr("MP4")});
    m_pFormat->setCurrentIndex(0);
    m_pRangeLabel = new QLabel(QString("%1(%2_%3)")
                                   .arg(tr("Cut Range "), m_pWorker->fileBegin().toString("hh:mm:ss"),
                                        m_pWorker->fileEnd().toString("hh:mm:ss")),
                               this);
    m_pStatus = new QLabel(this);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setFixedHeight(PROGRESS_HEIGHT);
    m_pProgress->setRange(0, CCutWorker::PROGRESS_END);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pBtnOK = createButton(tr("Start"), this);
    m_pBtnCancel = createButton(tr("Cancel"), this);
    connect(m_pBtnBrowse, &QPushButton::clicked, this, &CCutFileDlg::on_btnBrowse_clicked);
    connect(m_pBtnOK, &QPushButton::clicked, this, &CCutFileDlg::on_btnOK_clicked);
    connect(m_pBtnCancel, &QPushButton::clicked, this, &CCutFileDlg::on_btnCancel_clicked);
}

void CCutFileDlg::createLayout()
{
    auto *pForm = new QGridLayout;
    pForm->addWidget(new QLabel(tr("FilePath"), this), 0, 0);
    pForm->addWidget(m_pSavePath, 0, 1);
    pForm->addWidget(m_pBtnBrowse, 0, 2);
    pForm->addWidget(new QLabel(tr("Start Time"), this), 1, 0);
    pForm->addWidget(m_pStartTime, 1, 1);
    pForm->addWidget(new QLabel(tr("End Time"), this), 2, 0);
    pForm->addWidget(m_pEndTime, 2, 1);
    pForm->addWidget(new QLabel(tr("Format"), this), 3, 0);
    pForm->addWidget(m_pFormat, 3, 1);
    pForm->addWidget(m_pRangeLabel, 4, 0, 1, 3);
    pForm->addWidget(m_pStatus, 5, 0, 1, 3);
    pForm->addWidget(m_pProgress, 6, 0, 1, 3);

    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pBtnOK);
    pButtons->addWidget(m_pBtnCancel);

    auto *pBody = new QVBoxLayout;
    pBody->setContentsMargins(16, 8, 16, 12);
    pBody->addLayout(pForm);
    pBody->addLayout(pButtons);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pTitle);
    pLayout->addLayout(pBody);
    setMinimumWidth(480);
}

bool CCutFileDlg::isCutting() const
{
    return m_pThread->isRunning();
}

void CCutFileDlg::on_btnBrowse_clicked()
{
    const QString strDir = QFileDialog::getExistingDirectory(this, tr("Select the path for record"),
                                                             CGlobalAppData::instance()->recordPath(),
                                                             QFileDialog::ShowDirsOnly);
    if (strDir.isEmpty()) return;
    m_pSavePath->setText(strDir);
    m_pSavePath->setCursorPosition(0);
}

void CCutFileDlg::on_btnOK_clicked()
{
    if (isCutting()) return;
    if (!m_pWorker->hasTimes()) {
        CMessageBox::prompt(this, tr("The file name holds no time range; it cannot be cut"), tr("OK"));
        return;
    }
    m_pProgress->setRange(0, CCutWorker::PROGRESS_END);
    const QTime begin = m_pStartTime->time(), end = m_pEndTime->time();
    if (!m_pWorker->rangeAllowed(begin, end)) {
        CMessageBox::prompt(this, tr("Abnormal time"), tr("OK"));
        return;
    }
    m_pWorker->setChoices(m_pSavePath->text(), begin, end, m_pFormat->currentIndex() == 1);
    m_pBtnOK->setEnabled(false);
    m_pThread->wait();
    m_pThread->start();
}

void CCutFileDlg::on_btnCancel_clicked()
{
    if (isCutting()) {
        const int nAnswer = CMessageBox::prompt(this, tr("Whether to cancel cut recording"), tr("OK"), tr("NO"));
        if (nAnswer != 0) return;
        m_bCancelled = true;
        stopWorker();
    }
    QDialog::reject();
}

void CCutFileDlg::reject()
{
    on_btnCancel_clicked();
}

// The cut stops within a chunk and a running conversion is cancelled; the dialog never
// goes while its worker runs.
void CCutFileDlg::stopWorker()
{
    if (!m_pThread->isRunning()) return;
    m_pWorker->stop();
    CConvertToMp4::instance()->cancelBlocking();
    if (!m_pThread->wait(QDeadlineTimer(WORKER_WAIT_MS))) {
        qWarning() << "cut worker still busy after" << WORKER_WAIT_MS << "ms; waiting for its read to end";
        m_pThread->wait();
    }
}

void CCutFileDlg::onUpdateProcess(int nPos)
{
    m_pProgress->setValue(nPos);
}

void CCutFileDlg::onUpdateStatus(QString strStatus)
{
    m_pStatus->setText(strStatus);
}

void CCutFileDlg::onConvertFinish(bool bSuccess)
{
    if (m_bCancelled) return;
    if (!bSuccess) {
        onShowMessage(tr("Convert Failed"));
        return;
    }
    QFile::remove(m_pWorker->outputPath());
    onShowMessage(tr("Cut Success"));
}

// A cut that ended just as it was cancelled says nothing more.
void CCutFileDlg::onShowMessage(QString strMsg)
{
    if (m_bCancelled) return;
    CMessageBox::prompt(this, strMsg, tr("OK"));
    m_pThread->wait();
    accept();
}
