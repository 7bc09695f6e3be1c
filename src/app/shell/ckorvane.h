// The main window: a frameless window with the title bar on top, the record list
// panel on the left and the display box's place on the right, wired together.
#pragma once

#include "playback/cdisplaybox.h"

#include <QWidget>

class CRecordListManage;
class CTitleWidget;
class QPropertyAnimation;

class CKorvane : public QWidget
{
    Q_OBJECT
public:
    explicit CKorvane(QWidget *parent = nullptr);

    // Resizes to 1080 x 720, centres on its screen, shows and fades in.
    void start();
    CTitleWidget *titleWidget() const { return m_pTitleWidget; }
    CRecordListManage *recordList() const { return m_pRecordList; }
    CDisplayBox *displayBox() const { return m_pDisplayBox; }

public slots:
    void onBaseConfig();
    void onCloseWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createLayout();
    void createConnections();
    bool confirmClose();
    QPropertyAnimation *fade(qreal rStart, qreal rEnd);

    CTitleWidget *m_pTitleWidget = nullptr;
    CRecordListManage *m_pRecordList = nullptr;
    CDisplayBox *m_pDisplayBox = nullptr;
    bool m_bCloseConfirmed = false;
};
