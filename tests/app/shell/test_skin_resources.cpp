// The resources beside the executable: every picture the program names exists and
// loads, the style sheet's pictures exist (the translations: test_translations.cpp).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString binDir = QStringLiteral(KORVANE_BIN_DIR);

QStringList requiredPictures()
{
    QStringList pictures;
    for (const char *pName : {"Disk", "Dir", "File", "logo", "mainLogo", "StartLogo", "wnd_backgroud"})
        pictures << QString("icons/%1.png").arg(pName);
    for (const char *pName : {"sys_min", "sys_max", "sys_normal", "sys_cfg", "sys_cls", "ArrowUp", "ArrowDown",
                              "ArrowLeft", "ArrowRight"})
        pictures << QString("icons/%1.png").arg(pName) << QString("icons/%1_hover.png").arg(pName);
    QStringList buttons = {"Stop", "Play", "Pause", "Slow", "Fast", "NextFrame", "AudioOn", "AudioOff",
                           "PreMonth", "NextMonth"};
    for (int k : {2, 4, 8, 16})
        buttons << QString("Fast_%1X_").arg(k) << QString("Slow_1_%1X_").arg(k);
    for (const QString &strButton : buttons) {
        for (const char *pState : {"Normal", "Hover", "Dis"})
            pictures << QString("buttons/%1%2.png").arg(strButton, pState);
    }
    return pictures;
}

TEST(SkinResources, EveryNamedPictureExistsAndLoads)
{
    for (const QString &strPicture : requiredPictures()) {
        const QImage image(binDir + "/skin/" + strPicture);
        EXPECT_FALSE(image.isNull()) << strPicture.toStdString();
    }
}

TEST(SkinResources, StyleSheetPicturesExist)
{
    QFile file(binDir + "/skin/style.ss");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString strStyle = QString::fromUtf8(file.readAll());
    for (const char *pName : {"#MainFrame", "#DialogFrame", "#TabButton", "#NormalToolButton", "#VideoWnd"})
        EXPECT_TRUE(strStyle.contains(pName)) << pName;
    QRegularExpressionMatchIterator it = QRegularExpression("url\\(@skinpath/([^)]+)\\)").globalMatch(strStyle);
    int nCount = 0;
    for (; it.hasNext(); ++nCount) {
        const QString strPicture = it.next().captured(1);
        EXPECT_TRUE(QFile::exists(binDir + "/skin/" + strPicture)) << strPicture.toStdString();
    }
    EXPECT_GT(nCount, 0);
}

// The Map button stays disabled until a map is set; it must not look like the working Calendar button.
TEST(SkinResources, ADisabledTabButtonLooksDisabled)
{
    QFile file(binDir + "/skin/style.ss");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QWidget holder;
    holder.setStyleSheet(QString::fromUtf8(file.readAll()).replace("@skinpath", binDir + "/skin"));
    auto *pLayout = new QVBoxLayout(&holder);
    QToolButton *pButtons[2];
    for (QToolButton *&pButton : pButtons) {
        pButton = new QToolButton(&holder);
        pButton->setObjectName("TabButton");
        pButton->setText("Map");
        pButton->setFixedSize(120, 20);
        pLayout->addWidget(pButton);
    }
    pButtons[1]->setEnabled(false);
    holder.show();
    const QImage enabled = pButtons[0]->grab().toImage();
    const QImage disabled = pButtons[1]->grab().toImage();
    EXPECT_NE(enabled.pixelColor(2, 10), disabled.pixelColor(2, 10)) << "the ground differs";
    EXPECT_NE(enabled, disabled);
}

TEST(SkinResources, AgreementTextIsBesideTheProgram)
{
    EXPECT_TRUE(QFile::exists(binDir + "/copyright/copyright_zh.txt"));
    EXPECT_TRUE(QDirIterator(binDir + "/license", QDir::Files).hasNext());
}

} // namespace
