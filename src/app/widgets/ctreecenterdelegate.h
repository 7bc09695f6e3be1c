// Draws tree and list items with their text centred in the cell.
#pragma once

#include <QStyledItemDelegate>

class CTreeCenterDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
