#include "cmymulselectcombobox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStandardItemModel>

CMyMulSelectComboBox::CMyMulSelectComboBox(QWidget *parent)
    : QComboBox(parent), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    view()->viewport()->installEventFilter(this);
    connect(m_model, &QStandardItemModel::itemChanged, this, [this] {
        updateText();
        emit selectionChanged();
    });
}

void CMyMulSelectComboBox::addSelectItem(const QString &strText, const QVariant &data, bool bChecked)
{
    QStandardItem *item = new QStandardItem(strText);
    item->setData(data, Qt::UserRole);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
    m_model->appendRow(item);
    updateText();
}

void CMyMulSelectComboBox::clearSelectItems()
{
    m_model->clear();
    updateText();
}

void CMyMulSelectComboBox::setItemChecked(int nIndex, bool bChecked)
{
    if (QStandardItem *item = m_model->item(nIndex)) item->setCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
}

bool CMyMulSelectComboBox::isItemChecked(int nIndex) const
{
    QStandardItem *item = m_model->item(nIndex);
    return item && item->checkState() == Qt::Checked;
}

QList<int> CMyMulSelectComboBox::checkedIndexes() const
{
    QList<int> indexes;
    for (int i = 0; i < m_model->rowCount(); ++i)
        if (isItemChecked(i)) indexes.append(i);
    return indexes;
}

QStringList CMyMulSelectComboBox::checkedTexts() const
{
    QStringList texts;
    for (int i : checkedIndexes()) texts.append(m_model->item(i)->text());
    return texts;
}

QVariantList CMyMulSelectComboBox::checkedData() const
{
    QVariantList data;
    for (int i : checkedIndexes()) data.append(m_model->item(i)->data(Qt::UserRole));
    return data;
}

// A release on an entry toggles it and is consumed, which keeps the list open.
bool CMyMulSelectComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != view()->viewport() || event->type() != QEvent::MouseButtonRelease)
        return QComboBox::eventFilter(watched, event);
    QModelIndex index = view()->indexAt(static_cast<QMouseEvent *>(event)->pos());
    if (index.isValid()) setItemChecked(index.row(), !isItemChecked(index.row()));
    return true;
}

void CMyMulSelectComboBox::updateText()
{
    QString text = checkedTexts().join(';');
    lineEdit()->setText(text);
    lineEdit()->setToolTip(text);
}
