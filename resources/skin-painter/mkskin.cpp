// Paints the skin's pictures (icons and button states) into a folder at build time,
// so the repository holds their drawing code instead of binary files; with --app-icons,
// the program's icon for the desktop menu in the sizes of an icon theme, and as SVG.
// Usage: korvane-mkskin OUTPUT_SKIN_FOLDER
//        korvane-mkskin --app-icons OUTPUT_ICON_THEME_FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

const QColor accent(0x04, 0x89, 0xF5);
const QColor glyphNormal(0xD8, 0xD8, 0xD8);
const QColor glyphHover(0xFF, 0xFF, 0xFF);
const QColor glyphDisabled(0x5A, 0x5A, 0x5A);

using Glyph = std::function<void(QPainter &, const QColor &)>;

QImage canvas(int nWidth, int nHeight)
{
    QImage image(nWidth, nHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool save(const QImage &image, const QString &strPath)
{
    const bool bOk = image.save(strPath, "PNG");
    if (!bOk)
        fprintf(stderr, "korvane-mkskin: cannot write %s\n", qPrintable(strPath));
    return bOk;
}

// Every glyph is drawn in a 100 x 100 box.
QImage drawGlyph(int nSize, const Glyph &glyph, const QColor &color, const QColor &background = Qt::transparent)
{
    QImage image = canvas(nSize, nSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(nSize / 100.0, nSize / 100.0);
    if (background.alpha()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(background);
        painter.drawRoundedRect(QRectF(4, 4, 92, 92), 14, 14);
    }
    glyph(painter, color);
    return image;
}

void fillPolygon(QPainter &p, const QColor &c, std::initializer_list<QPointF> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(QVector<QPointF>(points)));
}

void strokePath(QPainter &p, const QColor &c, const QPainterPath &path, qreal rWidth)
{
    p.setPen(QPen(c, rWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void play(QPainter &p, const QColor &c) { fillPolygon(p, c, {{34, 24}, {78, 50}, {34, 76}}); }

void pause(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(30, 24, 14, 52), 3, 3);
    p.drawRoundedRect(QRectF(56, 24, 14, 52), 3, 3);
}

void stop(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(28, 28, 44, 44), 5, 5);
}

void fast(QPainter &p, const QColor &c)
{
    fillPolygon(p, c, {{18, 28}, {50, 50}, {18, 72}});
    fillPolygon(p, c, {{50, 28}, {82, 50}, {50, 72}});
}

void slow(QPainter &p, const QColor &c)
{
    fillPolygon(p, c, {{82, 28}, {50, 50}, {82, 72}});
    fillPolygon(p, c, {{50, 28}, {18, 50}, {50, 72}});
}

void nextFrame(QPainter &p, const QColor &c)
{
    fillPolygon(p, c, {{26, 26}, {62, 50}, {26, 74}});
    p.drawRoundedRect(QRectF(66, 26, 10, 48), 2, 2);
}

void speaker(QPainter &p, const QColor &c)
{
    fillPolygon(p, c, {{16, 40}, {30, 40}, {50, 22}, {50, 78}, {30, 60}, {16, 60}});
}

void audioOn(QPainter &p, const QColor &c)
{
    speaker(p, c);
    QPainterPath waves;
    waves.arcMoveTo(QRectF(42, 34, 24, 32), 60);
    waves.arcTo(QRectF(42, 34, 24, 32), 60, -120);
    waves.arcMoveTo(QRectF(40, 20, 44, 60), 60);
    waves.arcTo(QRectF(40, 20, 44, 60), 60, -120);
    strokePath(p, c, waves, 6);
}

void audioOff(QPainter &p, const QColor &c)
{
    speaker(p, c);
    QPainterPath cross;
    cross.moveTo(60, 38);
    cross.lineTo(82, 62);
    cross.moveTo(82, 38);
    cross.lineTo(60, 62);
    strokePath(p, c, cross, 7);
}

// The speed glyph with its factor written below it.
Glyph withLabel(const Glyph &glyph, const QString &strLabel)
{
    return [glyph, strLabel](QPainter &p, const QColor &c) {
        p.save();
        p.translate(20, 2);
        p.scale(0.6, 0.6);
        glyph(p, c);
        p.restore();
        QFont font("DejaVu Sans");
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        p.setPen(c);
        p.drawText(QRectF(0, 58, 100, 40), Qt::AlignCenter, strLabel);
    };
}

void sysMin(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.moveTo(30, 60);
    path.lineTo(70, 60);
    strokePath(p, c, path, 6);
}

void sysMax(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.addRect(QRectF(30, 30, 40, 40));
    strokePath(p, c, path, 6);
}

void sysNormal(QPainter &p, const QColor &c)
{
    QPainterPath front;
    front.addRect(QRectF(28, 40, 32, 32));
    QPainterPath back;
    back.moveTo(40, 40);
    back.lineTo(40, 28);
    back.lineTo(72, 28);
    back.lineTo(72, 60);
    back.lineTo(60, 60);
    strokePath(p, c, front, 6);
    strokePath(p, c, back, 6);
}

void sysCfg(QPainter &p, const QColor &c)
{
    QPainterPath gear;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        gear.moveTo(50 + 20 * std::cos(a), 50 + 20 * std::sin(a));
        gear.lineTo(50 + 29 * std::cos(a), 50 + 29 * std::sin(a));
    }
    strokePath(p, c, gear, 9);
    QPainterPath ring;
    ring.addEllipse(QPointF(50, 50), 16, 16);
    strokePath(p, c, ring, 7);
}

void sysCls(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.moveTo(32, 32);
    path.lineTo(68, 68);
    path.moveTo(68, 32);
    path.lineTo(32, 68);
    strokePath(p, c, path, 6);
}

Glyph chevron(qreal rAngle)
{
    return [rAngle](QPainter &p, const QColor &c) {
        p.translate(50, 50);
        p.rotate(rAngle);
        QPainterPath path;
        path.moveTo(-18, 10);
        path.lineTo(0, -10);
        path.lineTo(18, 10);
        strokePath(p, c, path, 9);
    };
}

void disk(QPainter &p, const QColor &)
{
    QLinearGradient body(0, 20, 0, 80);
    body.setColorAt(0, QColor(0x9A, 0xA4, 0xB0));
    body.setColorAt(1, QColor(0x5C, 0x66, 0x72));
    p.setPen(QPen(QColor(0x2A, 0x2E, 0x34), 3));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8, 24, 84, 52), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x34, 0x3A));
    p.drawRoundedRect(QRectF(16, 56, 50, 10), 3, 3);
    p.setBrush(QColor(0x3C, 0xE0, 0x6A));
    p.drawEllipse(QPointF(78, 61), 6, 6);
}

void folder(QPainter &p, const QColor &)
{
    p.setPen(QPen(QColor(0x8A, 0x60, 0x10), 3));
    p.setBrush(QColor(0xE0, 0xA8, 0x30));
    QPainterPath back;
    back.moveTo(8, 26);
    back.lineTo(38, 26);
    back.lineTo(46, 34);
    back.lineTo(92, 34);
    back.lineTo(92, 82);
    back.lineTo(8, 82);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xF6, 0xC4, 0x50));
    p.drawRoundedRect(QRectF(8, 42, 84, 40), 4, 4);
}

void videoFile(QPainter &p, const QColor &)
{
    p.setPen(QPen(QColor(0x20, 0x4A, 0x7A), 3));
    p.setBrush(QColor(0xE8, 0xF0, 0xFA));
    QPainterPath page;
    page.moveTo(20, 8);
    page.lineTo(64, 8);
    page.lineTo(82, 26);
    page.lineTo(82, 92);
    page.lineTo(20, 92);
    page.closeSubpath();
    p.drawPath(page);
    fillPolygon(p, accent, {{38, 40}, {66, 56}, {38, 72}});
}

void logoMark(QPainter &p, const QColor &)
{
    QLinearGradient back(0, 0, 100, 100);
    back.setColorAt(0, QColor(0x2D, 0xA8, 0xFF));
    back.setColorAt(1, QColor(0x03, 0x5E, 0xB0));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 20, 20);
    QPainterPath k;
    k.moveTo(32, 24);
    k.lineTo(32, 76);
    k.moveTo(70, 24);
    k.lineTo(36, 52);
    k.lineTo(70, 76);
    strokePath(p, Qt::white, k, 11);
}

QImage splash()
{
    QImage image(520, 300, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 300);
    back.setColorAt(0, QColor(0x26, 0x2B, 0x33));
    back.setColorAt(1, QColor(0x12, 0x14, 0x18));
    p.fillRect(image.rect(), back);
    p.fillRect(QRect(0, 296, 520, 4), accent);
    p.save();
    p.translate(40, 96);
    p.scale(0.9, 0.9);
    logoMark(p, accent);
    p.restore();
    QFont title("DejaVu Sans");
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(150, 100, 360, 56), Qt::AlignLeft | Qt::AlignVCenter, "Korvane");
    QFont subtitle("DejaVu Sans");
    subtitle.setPixelSize(16);
    p.setFont(subtitle);
    p.setPen(QColor(0xB0, 0xB8, 0xC4));
    p.drawText(QRect(152, 156, 360, 28), Qt::AlignLeft | Qt::AlignVCenter, "WFS recorder disk viewer");
    return image;
}

QImage windowBackground()
{
    QImage image(320, 180, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(160, 90, 160);
    glow.setColorAt(0, QColor(0x1C, 0x20, 0x26));
    glow.setColorAt(1, QColor(0x05, 0x05, 0x06));
    p.fillRect(image.rect(), glow);
    const QColor faint(0x3A, 0x40, 0x48);
    p.setPen(Qt::NoPen);
    p.setBrush(faint);
    p.drawRoundedRect(QRectF(122, 68, 58, 44), 8, 8);
    p.drawPolygon(QPolygonF({QPointF(184, 82), QPointF(204, 70), QPointF(204, 110), QPointF(184, 98)}));
    return image;
}

struct Writer
{
    QString strRoot;
    bool bOk = true;

    void icon(const QString &strName, int nSize, const Glyph &glyph, const QColor &color = glyphNormal,
              const QColor &background = Qt::transparent)
    {
        bOk &= save(drawGlyph(nSize, glyph, color, background), strRoot + "/icons/" + strName + ".png");
    }
    void titleButton(const QString &strName, const Glyph &glyph, const QColor &hoverBackground)
    {
        icon(strName, 48, glyph);
        icon(strName + "_hover", 48, glyph, glyphHover, hoverBackground);
    }
    void button(const QString &strName, const Glyph &glyph)
    {
        const QString strBase = strRoot + "/buttons/" + strName;
        bOk &= save(drawGlyph(64, glyph, glyphNormal), strBase + "Normal.png");
        bOk &= save(drawGlyph(64, glyph, glyphHover, QColor(0x04, 0x89, 0xF5, 0x90)), strBase + "Hover.png");
        bOk &= save(drawGlyph(64, glyph, glyphDisabled), strBase + "Dis.png");
    }
};

void writeIcons(Writer &w)
{
    w.titleButton("sys_min", sysMin, QColor(0x50, 0x56, 0x60));
    w.titleButton("sys_max", sysMax, QColor(0x50, 0x56, 0x60));
    w.titleButton("sys_normal", sysNormal, QColor(0x50, 0x56, 0x60));
    w.titleButton("sys_cfg", sysCfg, QColor(0x50, 0x56, 0x60));
    w.titleButton("sys_cls", sysCls, QColor(0xD9, 0x30, 0x30));
    const QList<QPair<QString, qreal>> arrows = {{"ArrowUp", 0}, {"ArrowRight", 90}, {"ArrowDown", 180}, {"ArrowLeft", 270}};
    for (const auto &arrow : arrows) {
        w.icon(arrow.first, 32, chevron(arrow.second));
        w.icon(arrow.first + "_hover", 32, chevron(arrow.second), accent);
    }
    w.icon("Disk", 32, disk);
    w.icon("Dir", 32, folder);
    w.icon("File", 32, videoFile);
    w.icon("logo", 64, logoMark);
    w.icon("mainLogo", 24, logoMark);
    w.bOk &= save(splash(), w.strRoot + "/icons/StartLogo.png");
    w.bOk &= save(windowBackground(), w.strRoot + "/icons/wnd_backgroud.png");
}

void writeButtons(Writer &w)
{
    w.button("Play", play);
    w.button("Pause", pause);
    w.button("Stop", stop);
    w.button("Fast", fast);
    w.button("Slow", slow);
    w.button("NextFrame", nextFrame);
    w.button("AudioOn", audioOn);
    w.button("AudioOff", audioOff);
    for (int k : {2, 4, 8, 16}) {
        w.button(QString("Fast_%1X_").arg(k), withLabel(fast, QString("x%1").arg(k)));
        w.button(QString("Slow_1_%1X_").arg(k), withLabel(slow, QString("1/%1").arg(k)));
    }
    w.button("PreMonth", chevron(270));
    w.button("NextMonth", chevron(90));
}

// The icon theme's layout: <size>x<size>/apps/korvane.png and scalable/apps/korvane.svg.
bool writeAppIcons(const QString &strTheme)
{
    bool bOk = true;
    for (int nSize : {48, 128, 256}) {
        const QString strFolder = QString("%1/%2x%2/apps").arg(strTheme).arg(nSize);
        QDir().mkpath(strFolder);
        bOk &= save(drawGlyph(nSize, logoMark, accent), strFolder + "/korvane.png");
    }
    QDir().mkpath(strTheme + "/scalable/apps");
    QSvgGenerator svg;
    svg.setFileName(strTheme + "/scalable/apps/korvane.svg");
    svg.setSize(QSize(100, 100));
    svg.setViewBox(QRect(0, 0, 100, 100));
    svg.setTitle("Korvane");
    QPainter painter;
    bOk &= painter.begin(&svg);
    if (bOk) {
        painter.setRenderHint(QPainter::Antialiasing);
        logoMark(painter, accent);
        bOk &= painter.end();
    }
    if (!bOk) fprintf(stderr, "korvane-mkskin: cannot write the icons into %s\n", qPrintable(strTheme));
    return bOk;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && strcmp(argv[1], "--app-icons") == 0)
        return writeAppIcons(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc != 2) {
        fprintf(stderr, "usage: korvane-mkskin OUTPUT_SKIN_FOLDER\n"
                        "       korvane-mkskin --app-icons OUTPUT_ICON_THEME_FOLDER\n");
        return 2;
    }
    Writer writer{QString::fromLocal8Bit(argv[1])};
    QDir().mkpath(writer.strRoot + "/icons");
    QDir().mkpath(writer.strRoot + "/buttons");
    writeIcons(writer);
    writeButtons(writer);
    return writer.bOk ? 0 : 1;
}
