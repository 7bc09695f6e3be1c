#include "cshowlicensedlg.h"

#include "ctitlewidget.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CShowLicenseDlg::CShowLicenseDlg(QWidget *parent, const QString &strTitle, const QString &strFilePath)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("DialogFrame");
    setAttribute(Qt::WA_StyledBackground);
    resize(560, 420);
    auto *pTitle = new CTitleWidget(this, true);
    pTitle->setTitle(strTitle);
    pTitle->setFixedHeight(32);
    connect(pTitle, &CTitleWidget::closeSignal, this, &QDialog::reject);

    m_pText = new QPlainTextEdit(this);
    m_pText->setReadOnly(true);
    QFile file(strFilePath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        m_pText->setPlainText(QString::fromUtf8(file.readAll()));
    else
        m_pText->setPlainText(tr("The file %1 could not be opened.").arg(strFilePath));

    auto *pButton = new QPushButton(tr("I already know"), this);
    pButton->setFixedHeight(25);
    connect(pButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 10);
    pLayout->addWidget(pTitle);
    auto *pBody = new QVBoxLayout;
    pBody->setContentsMargins(10, 6, 10, 0);
    pBody->addWidget(m_pText);
    pBody->addWidget(pButton, 0, Qt::AlignHCenter);
    pLayout->addLayout(pBody);
}

QString CShowLicenseDlg::text() const
{
    return m_pText->toPlainText();
}
