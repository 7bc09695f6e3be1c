#include "cconfigdlg.h"

#include "common/cdiskimage.h"
#include "common/cglobalappdata.h"
#include "common/crestarthelper.h"
#include "cshowlicensedlg.h"
#include "ctitlewidget.h"
#include "widgets/cbuttonsize.h"
#include "widgets/cmessagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int LINE_HEIGHT = 25;
constexpr int IMAGE_LIST_HEIGHT = 72;

void selectData(QComboBox *pBox, const QVariant &value)
{
    const int nIndex = pBox->findData(value);
    pBox->setCurrentIndex(nIndex < 0 ? 0 : nIndex);
}

} // namespace

CConfigDlg::CConfigDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("DialogFrame");
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(tr("Settings"));
    createWidgets();
    createLayout();
    connect(m_pMapType, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &CConfigDlg::onMapTypeChanged);
    connect(m_pOk, &QPushButton::clicked, this, &CConfigDlg::onOkClicked);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pTitle, &CTitleWidget::closeSignal, this, &QDialog::reject);
    connect(m_pRecordBrowse, &QPushButton::clicked, this, &CConfigDlg::onBrowseRecord);
    connect(m_pPictureBrowse, &QPushButton::clicked, this, &CConfigDlg::onBrowsePicture);
    connect(m_pLicenseLink, &QLabel::linkActivated, this, &CConfigDlg::onOpenSourceLicenses);
    connect(m_pServiceLink, &QLabel::linkActivated, this, &CConfigDlg::onServiceAgreements);
    connect(m_pAddImage, &QPushButton::clicked, this, &CConfigDlg::onAddDiskImage);
    connect(m_pRemoveImage, &QPushButton::clicked, this, &CConfigDlg::removeSelectedDiskImages);
    loadSettings();
    fitHeight();
}

QLineEdit *CConfigDlg::createLine(const QString &strName)
{
    auto *pLine = new QLineEdit(this);
    pLine->setObjectName(strName);
    pLine->setFixedHeight(LINE_HEIGHT);
    return pLine;
}

QLabel *CConfigDlg::createLink(const QString &strText)
{
    auto *pLabel = new QLabel(QString("<a href=\"#\" style=\"color:#0489F5;\">%1</a>").arg(strText), this);
    pLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    return pLabel;
}

void CConfigDlg::createWidgets()
{
    m_pTitle = new CTitleWidget(this, true);
    m_pTitle->setTitle(tr("Settings"));
    m_pTitle->setFixedHeight(32);

    m_pLanguage = new QComboBox(this);
    m_pLanguage->setObjectName("Language");
    const QStringList texts = {tr("English"), tr("SimpChinese"), tr("TradChinese"), tr("Russian"),
                               tr("Turkish"),  tr("Arabic"),             tr("Japanese"),            tr("Spanish"),
                               tr("German"),   tr("Portuguese")};
    const QStringList names = CGlobalAppData::languageNames();
    for (int i = 0; i < names.size(); ++i)
        m_pLanguage->addItem(texts[i], names[i]);

    m_pRecordStream = new QComboBox(this);
    m_pRecordStream->setObjectName("RecordStream");
    m_pRecordStream->addItem(tr("Main Stream"), 0);
    m_pRecordStream->addItem(tr("Sub Stream"), 1);
    m_pRecordStream->addItem(tr("Timelapse Video"), 5);

    m_pMapType = new QComboBox(this);
    m_pMapType->setObjectName("MapType");
    m_pMapType->addItem(tr("Baidu"), 0);
    m_pMapType->addItem(tr("Gaode"), 1);
    m_pMapType->addItem(tr("Google"), 2);
    m_pMapType->addItem(tr("OpenStreetMap"), CGlobalAppData::mapOpenStreetMap);
    for (QComboBox *pBox : {m_pLanguage, m_pRecordStream, m_pMapType})
        pBox->setFixedHeight(LINE_HEIGHT);

    m_pOutChina = new QCheckBox(tr("Is Out China"), this);
    m_pMapKey = createLine("lineEditMapKey");
    m_pSecurityLabel = new QLabel(tr("Security Code"), this);
    m_pSecurityCode = createLine("lineEditSecurityCode");
    m_pRecordPath = createLine("lineEditRecordPath");
    m_pPicturePath = createLine("lineEditPicturePath");
    m_pRecordBrowse = new QPushButton(tr("Browse"), this);
    m_pPictureBrowse = new QPushButton(tr("Browse"), this);

    m_pVersion = new QLabel(this);
    m_pVersion->setObjectName("labelVersion");
    m_pDate = new QLabel(this);
    m_pDate->setObjectName("labelDate");
    m_pLegal = new QLabel(tr("This program only reads recorder disks; it never writes to them. "
                             "Use the recordings it shows in accordance with the law."),
                          this);
    m_pLegal->setObjectName("labelLegal");
    m_pLegal->setWordWrap(true);
    m_pLicenseLink = createLink(tr("Open Source Licenses"));
    m_pLinkSeparator = new QLabel("|", this);
    m_pServiceLink = createLink(tr("Service Agreements"));

    m_pDiskImages = new QListWidget(this);
    m_pDiskImages->setObjectName("DiskImages");
    m_pDiskImages->setFixedHeight(IMAGE_LIST_HEIGHT);
    m_pDiskImages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pAddImage = new QPushButton(tr("Add..."), this);
    m_pRemoveImage = new QPushButton(tr("Remove"), this);

    m_pOk = new QPushButton(tr("OK"), this);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    for (QPushButton *pButton : {m_pOk, m_pCancel, m_pRecordBrowse, m_pPictureBrowse, m_pAddImage, m_pRemoveImage})
        CButtonSize::fit(pButton, QSize(75, 25));
    m_pOk->setDefault(true);
}

void CConfigDlg::createLayout()
{
    auto *pGrid = new QGridLayout;
    pGrid->setContentsMargins(20, 12, 20, 4);
    pGrid->setHorizontalSpacing(10);
    pGrid->setVerticalSpacing(8);
    int nRow = 0;
    const auto addRow = [&](const QString &strLabel, QWidget *pField, QWidget *pExtra = nullptr) {
        pGrid->addWidget(new QLabel(strLabel, this), nRow, 0);
        pGrid->addWidget(pField, nRow, 1, 1, pExtra ? 1 : 2);
        if (pExtra)
            pGrid->addWidget(pExtra, nRow, 2);
        ++nRow;
    };
    addRow(tr("Language"), m_pLanguage);
    addRow(tr("Record Stream"), m_pRecordStream);
    addRow(tr("Map Type"), m_pMapType);
    pGrid->addWidget(m_pOutChina, nRow++, 1, 1, 2);
    addRow(tr("Map Key"), m_pMapKey);
    pGrid->addWidget(m_pSecurityLabel, nRow, 0);
    pGrid->addWidget(m_pSecurityCode, nRow++, 1, 1, 2);
    addRow(tr("Record Path"), m_pRecordPath, m_pRecordBrowse);
    addRow(tr("Picture Path"), m_pPicturePath, m_pPictureBrowse);
    auto *pImageLabel = new QLabel(tr("Disk Images"), this);
    pImageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pGrid->addWidget(pImageLabel, nRow, 0);
    pGrid->addWidget(m_pDiskImages, nRow, 1);
    pGrid->addWidget(createDiskImageRow(), nRow++, 2, Qt::AlignTop);
    addRow(tr("Version"), m_pVersion);
    addRow(tr("Build Date"), m_pDate);
    pGrid->addWidget(m_pLegal, nRow++, 0, 1, 3);

    auto *pLinks = new QHBoxLayout;
    pLinks->addWidget(m_pLicenseLink);
    pLinks->addWidget(m_pLinkSeparator);
    pLinks->addWidget(m_pServiceLink);
    pLinks->addStretch();
    pGrid->addLayout(pLinks, nRow++, 0, 1, 3);

    auto *pButtons = new QHBoxLayout;
    pButtons->setContentsMargins(20, 4, 20, 14);
    pButtons->addStretch();
    pButtons->addWidget(m_pOk);
    pButtons->addWidget(m_pCancel);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pTitle);
    pLayout->addLayout(pGrid);
    pLayout->addLayout(pButtons);
    setFixedWidth(480);
}

QWidget *CConfigDlg::createDiskImageRow()
{
    auto *pButtons = new QWidget(this);
    auto *pLayout = new QVBoxLayout(pButtons);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(6);
    pLayout->addWidget(m_pAddImage);
    pLayout->addWidget(m_pRemoveImage);
    pLayout->addStretch();
    return pButtons;
}

void CConfigDlg::loadSettings()
{
    const CGlobalAppData *pData = CGlobalAppData::instance();
    selectData(m_pLanguage, pData->language());
    selectData(m_pRecordStream, pData->recordFormat());
    const int nMapType = pData->mapType();
    const int nShownType = m_pMapType->findData(nMapType) >= 0 ? nMapType : int(CGlobalAppData::mapGoogle);
    selectData(m_pMapType, nShownType); // anything else is the Google page
    m_nShownLanguage = m_pLanguage->currentIndex();
    m_nShownFormat = m_pRecordStream->currentIndex();
    m_nShownMapType = m_pMapType->currentIndex();
    m_pVersion->setText(pData->version());
    m_pDate->setText(pData->buildTime());
    m_pMapKey->setText(pData->mapKey());
    m_pSecurityCode->setText(pData->securityCode());
    m_pOutChina->setChecked(pData->outChina() != 0);
    m_pRecordPath->setText(pData->recordPath());
    m_pPicturePath->setText(pData->capturePath());
    m_pServiceLink->setVisible(pData->license() != 0);
    m_pLinkSeparator->setVisible(pData->license() != 0);
    for (const QString &strImage : pData->diskImages())
        addDiskImage(strImage);
    onMapTypeChanged(m_pMapType->currentIndex());
}

QStringList CConfigDlg::diskImages() const
{
    QStringList images;
    for (int i = 0; i < m_pDiskImages->count(); ++i)
        images << m_pDiskImages->item(i)->data(Qt::UserRole).toString();
    return images;
}

bool CConfigDlg::addDiskImage(const QString &strPath)
{
    if (strPath.isEmpty() || diskImages().contains(strPath))
        return false;
    const CDiskImage::Problem problem = CDiskImage::check(strPath);
    auto *pItem = new QListWidgetItem(strPath, m_pDiskImages);
    pItem->setData(Qt::UserRole, strPath);
    pItem->setToolTip(strPath);
    if (problem != CDiskImage::problemNone) {
        const QString strProblem = CDiskImage::problemText(problem);
        pItem->setText(QString("%1  (%2)").arg(strPath, strProblem));
        pItem->setToolTip(QString("%1\n%2").arg(strPath, strProblem));
        pItem->setForeground(QColor(240, 160, 60));
    }
    return true;
}

void CConfigDlg::removeSelectedDiskImages()
{
    qDeleteAll(m_pDiskImages->selectedItems());
}

void CConfigDlg::onAddDiskImage()
{
    const QStringList images = diskImages();
    const QString strStart = images.isEmpty() ? QDir::homePath() : QFileInfo(images.last()).absolutePath();
    const QString strPath = QFileDialog::getOpenFileName(this, tr("Open Disk Image"), strStart,
                                                         CDiskImage::fileFilter());
    if (!strPath.isEmpty())
        addDiskImage(QFileInfo(strPath).absoluteFilePath());
}

void CConfigDlg::onMapTypeChanged(int nIndex)
{
    const int nMapType = m_pMapType->itemData(nIndex).toInt();
    const bool bNeedsKey = CGlobalAppData::mapTypeNeedsKey(nMapType);
    // Leaving the map without a key, the lines show the chosen page's own key and code,
    // so OK never writes an empty key over them.
    if (bNeedsKey && !m_pMapKey->isEnabled()) {
        QString strKey, strCode;
        CGlobalAppData::readMapKey(CGlobalAppData::instance()->appPath() + CGlobalAppData::mapPageName(nMapType),
                                   nMapType, strKey, strCode);
        m_pMapKey->setText(strKey);
        m_pSecurityCode->setText(strCode);
    }
    m_pOutChina->setEnabled(nMapType != 0 && bNeedsKey);
    m_pMapKey->setEnabled(bNeedsKey);
    m_pSecurityCode->setVisible(nMapType == 1);
    m_pSecurityLabel->setVisible(nMapType == 1);
    fitHeight();
}

// The wrapped notice makes the rows' height depend on the width: the dialog takes the height
// its rows need at its fixed width (in every language, with or without the security code row).
void CConfigDlg::fitHeight()
{
    setFixedHeight(heightForWidth(width()));
}

bool CConfigDlg::storeSettings()
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setRecordPath(m_pRecordPath->text());
    pData->setCapturePath(m_pPicturePath->text());
    pData->setOutChina(m_pOutChina->isChecked() ? 1 : 0);
    pData->setDiskImages(diskImages()); // takes effect at once: the Disk page reloads

    // Only what the user changed is stored, so a stored value outside the lists stays as it is.
    const bool bLanguage = m_pLanguage->currentIndex() != m_nShownLanguage;
    const bool bFormat = m_pRecordStream->currentIndex() != m_nShownFormat;
    const bool bMapType = m_pMapType->currentIndex() != m_nShownMapType;
    const bool bKeyChanged = m_pMapKey->text() != pData->mapKey() || m_pSecurityCode->text() != pData->securityCode();
    if (!bLanguage && !bFormat && !bMapType && !bKeyChanged)
        return false;
    if (bFormat) pData->setRecordFormat(m_pRecordStream->currentData().toInt());
    if (bLanguage) pData->setLanguage(m_pLanguage->currentData().toString());
    const int nMapType = bMapType ? m_pMapType->currentData().toInt() : pData->mapType();
    // A key the user typed must not be lost silently when its page cannot be written.
    if ((bMapType || bKeyChanged) && !pData->setMapSettings(nMapType, m_pMapKey->text(), m_pSecurityCode->text()) &&
        bKeyChanged)
        CMessageBox::prompt(this, tr("The map key could not be saved into %1.").arg(pData->mapPath()));
    return true;
}

void CConfigDlg::onOkClicked()
{
    const bool bNeedsRestart = storeSettings();
    CGlobalAppData::instance()->saveSettings(); // kept even if the program never ends cleanly
    if (bNeedsRestart) {
        const int nAnswer = CMessageBox::prompt(this, tr("The change will take effect after a restart of Korvane."),
                                                tr("Restart"), tr("Later"));
        if (nAnswer == 0) {
            accept();
            QApplication::exit(CRestartHelper::RESTART_EXIT_CODE);
            return;
        }
    }
    accept();
}

QString CConfigDlg::browse(const QString &strTitle, const QString &strStart)
{
    return QFileDialog::getExistingDirectory(this, strTitle, strStart, QFileDialog::ShowDirsOnly);
}

void CConfigDlg::onBrowseRecord()
{
    const QString strPath = browse(tr("Select the path for record"), m_pRecordPath->text());
    if (!strPath.isEmpty())
        m_pRecordPath->setText(strPath);
}

void CConfigDlg::onBrowsePicture()
{
    const QString strPath = browse(tr("Select the path for capture"), m_pPicturePath->text());
    if (!strPath.isEmpty())
        m_pPicturePath->setText(strPath);
}

void CConfigDlg::onOpenSourceLicenses()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(CGlobalAppData::instance()->appPath() + "/license"));
}

void CConfigDlg::onServiceAgreements()
{
    const QString strFile = CGlobalAppData::instance()->appPath() + "/copyright/copyright_zh.txt";
    CShowLicenseDlg dlg(this, tr("Service Agreements"), strFile);
    dlg.exec();
}
