#include "cmessagebox.h"

#include "cbuttonsize.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QSize BUTTON_SIZE(70, 25);
const int ICON_SIZE = 32;

QPixmap standardIcon(QMessageBox::Icon icon)
{
    QStyle::StandardPixmap kind;
    switch (icon) {
    case QMessageBox::Information: kind = QStyle::SP_MessageBoxInformation; break;
    case QMessageBox::Warning: kind = QStyle::SP_MessageBoxWarning; break;
    case QMessageBox::Critical: kind = QStyle::SP_MessageBoxCritical; break;
    case QMessageBox::Question: kind = QStyle::SP_MessageBoxQuestion; break;
    default: return QPixmap();
    }
    return QApplication::style()->standardIcon(kind).pixmap(ICON_SIZE, ICON_SIZE);
}
} // namespace

CMessageBox::CMessageBox(QWidget *parent, const QString &strTitle, const QString &strText,
                         const QStringList &buttons, QMessageBox::Icon icon)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("DialogFrame");
    setModal(true);
    setWindowTitle(strTitle);

    QLabel *title = new QLabel(strTitle, this);
    title->setObjectName("DialogTitle");

    m_textLabel = new QLabel(strText, this);
    m_textLabel->setWordWrap(Qt::mightBeRichText(strText));
    m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QHBoxLayout *body = new QHBoxLayout;
    QPixmap picture = standardIcon(icon);
    if (!picture.isNull()) {
        QLabel *iconLabel = new QLabel(this);
        iconLabel->setPixmap(picture);
        body->addWidget(iconLabel, 0, Qt::AlignTop);
    }
    body->addWidget(m_textLabel, 1);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->addWidget(title);
    layout->addLayout(body, 1);
    layout->addWidget(createButtonRow(buttons));
    setMinimumWidth(260);
}

QWidget *CMessageBox::createButtonRow(const QStringList &buttons)
{
    QStringList texts = buttons.mid(0, MaxButtons);
    if (texts.isEmpty()) texts << QString();
    if (texts.first().isEmpty()) texts.first() = tr("OK");

    QWidget *row = new QWidget(this);
    QHBoxLayout *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    for (const QString &text : texts) {
        QToolButton *button = new QToolButton(row);
        button->setObjectName("NormalToolButton");
        button->setText(text);
        CButtonSize::fit(button, BUTTON_SIZE);
        connect(button, &QToolButton::clicked, this, &CMessageBox::onButtonClicked);
        layout->addWidget(button);
        m_buttons.append(button);
    }
    return row;
}

int CMessageBox::prompt(QWidget *parent, const QString &strText, const QString &strFirst,
                        const QString &strSecond, QMessageBox::Icon icon)
{
    QStringList buttons{strFirst};
    if (!strSecond.isEmpty()) buttons << strSecond;
    return message(parent, tr("Prompt"), strText, buttons, icon);
}

int CMessageBox::message(QWidget *parent, const QString &strTitle, const QString &strText,
                         const QStringList &buttons, QMessageBox::Icon icon)
{
    CMessageBox box(parent, strTitle, strText, buttons, icon);
    return box.exec();
}

QString CMessageBox::text() const
{
    return m_textLabel->text();
}

void CMessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centre();
}

void CMessageBox::reject()
{
    done(NoButton);
}

void CMessageBox::onButtonClicked()
{
    done(m_buttons.indexOf(qobject_cast<QToolButton *>(sender())));
}

void CMessageBox::centre()
{
    adjustSize();
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) move(area.center() - rect().center());
}
