// A tree view that reports which item a mouse press landed on: the item under the
// pointer becomes current, then a left press emits leftClicked and a right press
// rightClicked, as long as there is an item there.
#pragma once

#include <QTreeView>

class CMyTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit CMyTreeView(QWidget *parent = nullptr);

signals:
    void leftClicked(const QModelIndex &index);
    void rightClicked(const QModelIndex &index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
