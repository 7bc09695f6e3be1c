// A combo box whose list holds check boxes, so several entries can be chosen; the
// field shows the chosen texts joined by ";". The list stays open while entries are
// ticked and closes on a click outside it.
#pragma once

#include <QComboBox>

class QStandardItemModel;

class CMyMulSelectComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CMyMulSelectComboBox(QWidget *parent = nullptr);

    void addSelectItem(const QString &strText, const QVariant &data = QVariant(), bool bChecked = false);
    void clearSelectItems();
    void setItemChecked(int nIndex, bool bChecked);
    bool isItemChecked(int nIndex) const;
    QList<int> checkedIndexes() const;
    QStringList checkedTexts() const;
    QVariantList checkedData() const;

signals:
    void selectionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateText();

    QStandardItemModel *m_model;
};
