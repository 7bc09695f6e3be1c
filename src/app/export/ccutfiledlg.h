// The cut dialog: cuts a time range out of one exported recording (a file of the
// Local page) into a new raw file in the save folder, optionally converted to MP4.
// The cut itself runs on a worker thread; the dialog shows its progress.
#pragma once

#include <QDialog>

class CCutWorker;
class CMyThread;
class CTitleWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimeEdit;

class CCutFileDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int WORKER_WAIT_MS = 2000;

    CCutFileDlg(const QString &strFilePath, QWidget *parent = nullptr);
    ~CCutFileDlg() override;

    CCutWorker *worker() const { return m_pWorker; }
    bool isCutting() const;
    QLineEdit *savePathEdit() const { return m_pSavePath; }
    QTimeEdit *startTimeEdit() const { return m_pStartTime; }
    QTimeEdit *endTimeEdit() const { return m_pEndTime; }
    QComboBox *formatCombo() const { return m_pFormat; }
    QLabel *rangeLabel() const { return m_pRangeLabel; }
    QLabel *statusLabel() const { return m_pStatus; }
    QProgressBar *progressBar() const { return m_pProgress; }
    QPushButton *startButton() const { return m_pBtnOK; }
    QPushButton *cancelButton() const { return m_pBtnCancel; }

signals:
    void updateProcess(int nPos);
    void updateExportStatus(QString strStatus);
    void showMessage(QString strMessage);
    void convertFinishi(bool bSuccess);

public slots:
    void on_btnCancel_clicked();
    void on_btnBrowse_clicked();
    void on_btnOK_clicked();
    void onUpdateProcess(int nPos);
    void onUpdateStatus(QString strStatus);
    void onConvertFinish(bool bSuccess);
    void onShowMessage(QString strMsg);
    void reject() override;

private:
    static void workerBody(void *pDialog);
    void createWidgets();
    void createLayout();
    void stopWorker();

    CCutWorker *m_pWorker = nullptr;
    bool m_bCancelled = false;
    CMyThread *m_pThread = nullptr;
    CTitleWidget *m_pTitle = nullptr;
    QLineEdit *m_pSavePath = nullptr;
    QPushButton *m_pBtnBrowse = nullptr;
    QTimeEdit *m_pStartTime = nullptr;
    QTimeEdit *m_pEndTime = nullptr;
    QComboBox *m_pFormat = nullptr;
    QLabel *m_pRangeLabel = nullptr;
    QLabel *m_pStatus = nullptr;
    QProgressBar *m_pProgress = nullptr;
    QPushButton *m_pBtnOK = nullptr;
    QPushButton *m_pBtnCancel = nullptr;
};
