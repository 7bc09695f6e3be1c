// The main window: a frameless window with the title bar on top, the record list
// panel on the left and the display box on the right, between them a splitter, wired
// together. Its edges resize it; size and splitter are kept for the next start.
#pragma once

#include "playback/cdisplaybox.h"

#include <QWidget>

class CFramelessResizer;
class CRecordListManage;
class CTitleWidget;
class QPropertyAnimation;
class QSplitter;

class CKorvane : public QWidget
{
    Q_OBJECT
public:
    explicit CKorvane(QWidget *parent = nullptr);

    static constexpr int kDefaultWidth = 1080;
    static constexpr int kDefaultHeight = 720;
    static constexpr int kRecordListWidth = 220;

    // Takes the size and record list width last left (1080 x 720 and 220 the first time),
    // centres on its screen, shows and fades in.
    void start();
    // Keeps the size and the record list width for the next start.
    void storeGeometry() const;
    CTitleWidget *titleWidget() const { return m_pTitleWidget; }
    CRecordListManage *recordList() const { return m_pRecordList; }
    CDisplayBox *displayBox() const { return m_pDisplayBox; }
    QSplitter *splitter() const { return m_pSplitter; }

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
    QSplitter *m_pSplitter = nullptr;
    CFramelessResizer *m_pResizer = nullptr;
    bool m_bCloseConfirmed = false;
};
