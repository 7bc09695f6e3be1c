// The settings dialog: language, record stream, map type and key, the record and
// picture folders, version and build texts, licences. Changes that only take
// effect at the next start end with the question whether to restart now.
#pragma once

#include <QDialog>

class CTitleWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CConfigDlg : public QDialog
{
    Q_OBJECT
public:
    // Shows the current settings; the main window makes a new dialog for every opening.
    explicit CConfigDlg(QWidget *parent = nullptr);

    // Stores the dialog's values; true when a change needs a restart to take effect.
    bool storeSettings();

    QComboBox *languageBox() const { return m_pLanguage; }
    QComboBox *recordStreamBox() const { return m_pRecordStream; }
    QComboBox *mapTypeBox() const { return m_pMapType; }
    QCheckBox *outChinaBox() const { return m_pOutChina; }
    QLineEdit *mapKeyEdit() const { return m_pMapKey; }
    QLineEdit *securityCodeEdit() const { return m_pSecurityCode; }
    QLabel *securityCodeLabel() const { return m_pSecurityLabel; }
    QLineEdit *recordPathEdit() const { return m_pRecordPath; }
    QLineEdit *picturePathEdit() const { return m_pPicturePath; }
    QLabel *serviceAgreementsLabel() const { return m_pServiceLink; }
    QListWidget *diskImageList() const { return m_pDiskImages; }
    // The images of the "Disk Images" list, in order.
    QStringList diskImages() const;
    // Lists an image file with what stands in the way of reading it; false when it is listed already.
    bool addDiskImage(const QString &strPath);
    void removeSelectedDiskImages();

public slots:
    void onMapTypeChanged(int nIndex);
    void onOkClicked();
    void onBrowseRecord();
    void onBrowsePicture();
    void onOpenSourceLicenses();
    void onServiceAgreements();
    void onAddDiskImage();

private:
    void createWidgets();
    void createLayout();
    void loadSettings();
    void fitHeight();
    QString browse(const QString &strTitle, const QString &strStart);
    QLineEdit *createLine(const QString &strName);
    QLabel *createLink(const QString &strText);
    QWidget *createDiskImageRow();

    CTitleWidget *m_pTitle = nullptr;
    QComboBox *m_pLanguage = nullptr;
    QComboBox *m_pRecordStream = nullptr;
    QComboBox *m_pMapType = nullptr;
    QCheckBox *m_pOutChina = nullptr;
    QLineEdit *m_pMapKey = nullptr;
    QLabel *m_pSecurityLabel = nullptr;
    QLineEdit *m_pSecurityCode = nullptr;
    QLineEdit *m_pRecordPath = nullptr;
    QPushButton *m_pRecordBrowse = nullptr;
    QLineEdit *m_pPicturePath = nullptr;
    QPushButton *m_pPictureBrowse = nullptr;
    QLabel *m_pVersion = nullptr;
    QLabel *m_pDate = nullptr;
    QLabel *m_pLegal = nullptr;
    QLabel *m_pLicenseLink = nullptr;
    QLabel *m_pLinkSeparator = nullptr;
    QLabel *m_pServiceLink = nullptr;
    QListWidget *m_pDiskImages = nullptr;
    QPushButton *m_pAddImage = nullptr;
    QPushButton *m_pRemoveImage = nullptr;
    QPushButton *m_pOk = nullptr;
    QPushButton *m_pCancel = nullptr;
    int m_nShownLanguage = -1, m_nShownFormat = -1, m_nShownMapType = -1; // as loadSettings selected them
};
