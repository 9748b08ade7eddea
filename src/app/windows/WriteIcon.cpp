// Writes the program's icon, as the windows draw it, into a Windows .ico file (PNG images at the
// sizes Explorer asks for). Run by scripts/make-icon.sh; the result is kept in the tree because the
// Windows build cannot run a Linux program to make it.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <vector>

#include "ui/Icons.h"

namespace {

void PutLE(QByteArray& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.ico>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QIcon icon = marvok::ui::ProgramIcon();
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    std::vector<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        icon.pixmap(size, size).toImage().save(&buffer, "PNG");
        images.push_back(png);
    }
    QByteArray out;
    PutLE(out, 0, 2);  // reserved
    PutLE(out, 1, 2);  // an icon
    PutLE(out, static_cast<unsigned>(sizes.size()), 2);
    unsigned offset = static_cast<unsigned>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const unsigned side = sizes[i] >= 256 ? 0 : static_cast<unsigned>(sizes[i]);  // 0 is 256
        PutLE(out, side, 1);
        PutLE(out, side, 1);
        PutLE(out, 0, 1);   // no palette
        PutLE(out, 0, 1);   // reserved
        PutLE(out, 1, 2);   // planes
        PutLE(out, 32, 2);  // bits per pixel
        PutLE(out, static_cast<unsigned>(images[i].size()), 4);
        PutLE(out, offset, 4);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
