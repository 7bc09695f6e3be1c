// The title bar of the frameless main window and of its dialogs: logo, title, the
// window buttons and dragging. A left double-click toggles maximised and normal.
#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QToolButton;

class CTitleWidget : public QWidget
{
    Q_OBJECT
public:
    // A dialog's title bar ("SubTitleWidget") has only the close button.
    explicit CTitleWidget(QWidget *parent = nullptr, bool bSubTitle = false);

    void setTitle(const QString &strTitle);
    QString title() const;
    bool isMaximized() const { return m_bMaximized; }
    QToolButton *maxButton() const { return m_pBtnMax; }
    // The maximised state and the look of its button ("SysNormal" while maximised), without
    // changing the window.
    void setMaximizedLook(bool bMaximized);

signals:
    void closeSignal();
    void configSignal();

public slots:
    void btnCloseClicked();
    void btnMaxClicked();
    void btnConfigClicked();
    void btnMinClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QToolButton *createButton(const QString &strName, const QString &strIcon, const QString &strTip);
    void applyButtonLook(QToolButton *pButton, const QString &strName, const QString &strIcon);

    bool m_bSubTitle;
    QLabel *m_pLogo = nullptr;
    QLabel *m_pTitle = nullptr;
    QToolButton *m_pBtnMin = nullptr;
    QToolButton *m_pBtnMax = nullptr;
    QToolButton *m_pBtnCfg = nullptr;
    QToolButton *m_pBtnCls = nullptr;
    bool m_bPressed = false;
    QPoint m_windowPos;
    QPoint m_mousePos;
    bool m_bMaximized = false;
};
