// The program's prompt: a modal frameless dialog with a title, a text, an optional
// standard icon and one to three buttons; exec() returns the 0-based index of the
// button pressed, or -1 when the dialog is dismissed without one (Escape).
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QStringList>

class QLabel;
class QToolButton;

class CMessageBox : public QDialog
{
    Q_OBJECT
public:
    CMessageBox(QWidget *parent, const QString &strTitle, const QString &strText,
                const QStringList &buttons = QStringList(), QMessageBox::Icon icon = QMessageBox::NoIcon);

    // The usual prompt: title "Prompt", first button "OK" unless named.
    static int prompt(QWidget *parent, const QString &strText, const QString &strFirst = QString(),
                      const QString &strSecond = QString(), QMessageBox::Icon icon = QMessageBox::NoIcon);
    static int message(QWidget *parent, const QString &strTitle, const QString &strText,
                       const QStringList &buttons = QStringList(), QMessageBox::Icon icon = QMessageBox::NoIcon);

    QString text() const;
    QList<QToolButton *> buttons() const { return m_buttons; }

    enum { MaxButtons = 3, NoButton = -1 };

protected:
    void showEvent(QShowEvent *event) override;

public slots:
    void reject() override;

private slots:
    void onButtonClicked();

private:
    QWidget *createButtonRow(const QStringList &buttons);
    void centre();

    QLabel *m_textLabel = nullptr;
    QList<QToolButton *> m_buttons;
};
