// A text file shown in a read-only dialog with one button ("I already know").
#pragma once

#include <QDialog>

class QPlainTextEdit;

class CShowLicenseDlg : public QDialog
{
    Q_OBJECT
public:
    CShowLicenseDlg(QWidget *parent, const QString &strTitle, const QString &strFilePath);

    QString text() const;

private:
    QPlainTextEdit *m_pText = nullptr;
};
