// Draws the pictures of the language libraries and the launcher's icon at build time, so that
// the repository holds their source rather than binary files.
//   qx4t_art lang <folder>      bitmaps/8105.png, icons/8103*.png, animations/8102.gif
//   qx4t_art launcher <folder>  icons/128_<size>.png
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <cstring>
#include <vector>

#include "GifWriter.h"

namespace {

using qx4t::art::GifFrame;

bool save(const QImage& image, const QString& folder, const QString& name) {
    const QString path = folder + "/" + name;
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "qx4t_art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Step list decoration: a chevron pointing to the next step. Drawn without smoothing on white,
// because the frame masks out pure white and a smoothed edge would leave a pale fringe.
QImage stepBitmap() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x6D, 0xB5));
    const QPoint outer[] = {{2, 4}, {5, 4}, {8, 8}, {11, 4}, {14, 4}, {8, 12}};
    p.drawPolygon(outer, 6);
    return image;
}

// Refresh button: a circular arrow.
QImage refreshIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor green(0x1E, 0x8C, 0x3A);
    QPen pen(green, 4.0, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
    // Arrow head at the open end of the arc, pointing along it.
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    const QPointF head[] = {{17.5, 1.5}, {26.5, 7.5}, {17.0, 12.5}};
    p.drawPolygon(head, 3);
    return image;
}

// The connect animation: a computer and a PLC; the cable's plug goes into the PLC, then data
// runs along the cable while the PLC's communication lamp blinks.
enum Ink : std::uint8_t {
    kClear,
    kOutline,
    kLaptop,
    kScreen,
    kScreenLight,
    kPlcBody,
    kPlcFront,
    kTerminal,
    kLampOn,
    kLampOff,
    kLampCom,
    kCable,
    kData,
    kMetal,
};
const std::vector<std::uint32_t> kPalette = {
    0xFFFFFF, 0x303840, 0x8A939C, 0x3A78C2, 0x9CC3EE, 0xDDE1E5, 0xB8BEC6,
    0x5C6670, 0x2ECC40, 0x46584A, 0xFF9F1A, 0x202020, 0xFFD000, 0xA0A8B0,
};
constexpr int kAnimWidth = 192;
constexpr int kAnimHeight = 80;

QImage drawAnimationFrame(int frame) {
    QImage image(kAnimWidth, kAnimHeight, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (std::uint32_t rgb : kPalette) {
        table.append(qRgb(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)));
    }
    image.setColorTable(table);
    image.fill(kClear);
    auto box = [&](int x, int y, int w, int h, Ink ink) {
        for (int yy = y; yy < y + h; ++yy) {
            for (int xx = x; xx < x + w; ++xx) {
                if (xx >= 0 && yy >= 0 && xx < kAnimWidth && yy < kAnimHeight) {
                    image.setPixel(xx, yy, ink);
                }
            }
        }
    };
    auto framed = [&](int x, int y, int w, int h, Ink fill) {
        box(x, y, w, h, kOutline);
        box(x + 1, y + 1, w - 2, h - 2, fill);
    };

    // Computer.
    framed(10, 12, 52, 38, kLaptop);
    box(14, 16, 44, 30, kScreen);
    box(17, 19, 14, 3, kScreenLight);
    box(17, 24, 22, 2, kScreenLight);
    framed(4, 50, 64, 8, kLaptop);

    // PLC with terminal rows, lamps (power, run, communication) and its port.
    framed(124, 8, 60, 62, kPlcBody);
    framed(130, 16, 48, 38, kPlcFront);
    for (int i = 0; i < 8; ++i) {
        box(128 + i * 7, 10, 4, 4, kTerminal);
        box(128 + i * 7, 64, 4, 4, kTerminal);
    }
    const bool connected = frame >= 4;
    box(136, 22, 5, 4, kLampOn);
    box(146, 22, 5, 4, connected ? kLampOn : kLampOff);
    box(156, 22, 5, 4, connected && frame % 2 == 1 ? kLampCom : kLampOff);
    box(121, 49, 4, 10, kOutline);

    // Cable from the computer, its plug moving into the PLC's port over the first frames.
    const int plugX = connected ? 116 : 96 + frame * 5;
    box(68, 43, 10, 2, kCable);
    box(68, 43, 2, 10, kCable);
    box(68, 53, plugX - 68, 2, kCable);
    box(plugX, 50, 8, 8, kMetal);
    box(plugX + 8, 52, 4, 4, kOutline);
    if (connected) {
        const int run = (frame - 4) * 9;
        box(72 + run, 52, 4, 4, kData);
        box(72 + (run + 27) % 45, 52, 4, 4, kData);
    }
    return image;
}

bool writeAnimation(const QString& folder) {
    std::vector<GifFrame> frames;
    for (int i = 0; i < 9; ++i) {
        const QImage image = drawAnimationFrame(i);
        GifFrame frame;
        frame.delayCs = i == 3 ? 40 : 20;
        frame.indices.reserve(static_cast<std::size_t>(kAnimWidth) * kAnimHeight);
        for (int y = 0; y < kAnimHeight; ++y) {
            const uchar* row = image.constScanLine(y);
            frame.indices.insert(frame.indices.end(), row, row + kAnimWidth);
        }
        frames.push_back(std::move(frame));
    }
    const QString path = folder + "/animations/8102.gif";
    QDir().mkpath(folder + "/animations");
    if (!qx4t::art::writeGif(path.toStdString(), kAnimWidth, kAnimHeight, kPalette, frames)) {
        std::fprintf(stderr, "qx4t_art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The program's icon: a PLC module with an upward arrow on a blue tile.
QImage launcherIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x5E, 0xA8));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setBrush(QColor(0xE6, 0xE9, 0xEC));
    p.drawRoundedRect(QRectF(40, 56, 120, 152), 12, 12);
    p.setBrush(QColor(0x5C, 0x66, 0x70));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(54 + i * 26, 68, 14, 14));
        p.drawRect(QRectF(54 + i * 26, 182, 14, 14));
    }
    p.setBrush(QColor(0x2E, 0xCC, 0x40));
    p.drawEllipse(QRectF(60, 110, 22, 22));
    p.setBrush(QColor(0xFF, 0x9F, 0x1A));
    p.drawEllipse(QRectF(96, 110, 22, 22));
    // The arrow: version up.
    p.setBrush(QColor(0xFF, 0xD0, 0x00));
    QPainterPath arrow;
    arrow.moveTo(196, 40);
    arrow.lineTo(240, 104);
    arrow.lineTo(212, 104);
    arrow.lineTo(212, 200);
    arrow.lineTo(180, 200);
    arrow.lineTo(180, 104);
    arrow.lineTo(152, 104);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1B, 0x3E, 0x6E), 6));
    p.drawPath(arrow);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qx4t_art lang|launcher <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    bool ok = true;
    if (std::strcmp(argv[1], "lang") == 0) {
        ok = save(stepBitmap(), folder, "bitmaps/8105.png") &&
             save(refreshIcon(16), folder, "icons/8103.png");
        for (int size : {16, 24, 32, 48}) {
            ok = ok && save(refreshIcon(size), folder, QString("icons/8103_%1.png").arg(size));
        }
        ok = ok && writeAnimation(folder);
    } else if (std::strcmp(argv[1], "launcher") == 0) {
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            ok = ok && save(launcherIcon(size), folder, QString("icons/128_%1.png").arg(size));
        }
    } else {
        std::fprintf(stderr, "qx4t_art: unknown set %s\n", argv[1]);
        return 2;
    }
    return ok ? 0 : 1;
}
