// The banner and the program icon: the files the program carries are what they are said to be.
#include "testpaths.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 bigEndian16(const QByteArray& bytes, qsizetype offset)
{
    return qFromBigEndian<quint16>(bytes.constData() + offset);
}

quint16 littleEndian16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

struct JpegFacts {
    bool jfif = false;
    int densityUnits = -1;
    int xDensity = 0;
    int yDensity = 0;
    int frameMarker = 0;  // 0xC0 for baseline
};

// Walks the marker segments up to the start of the scan.
JpegFacts jpegFacts(const QByteArray& bytes)
{
    JpegFacts facts;
    qsizetype offset = 2;
    while (offset + 4 <= bytes.size() && quint8(bytes[offset]) == 0xFF) {
        const int marker = quint8(bytes[offset + 1]);
        const qsizetype length = bigEndian16(bytes, offset + 2);
        if (marker == 0xDA || length < 2 || offset + 2 + length > bytes.size()) {
            break;
        }
        const QByteArray segment = bytes.mid(offset + 4, length - 2);
        if (marker == 0xE0 && segment.startsWith(QByteArray("JFIF", 5)) && segment.size() >= 12) {
            facts.jfif = true;
            facts.densityUnits = quint8(segment[7]);
            facts.xDensity = bigEndian16(segment, 8);
            facts.yDensity = bigEndian16(segment, 10);
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            facts.frameMarker = marker;
        }
        offset += 2 + length;
    }
    return facts;
}

QString iconPath(int size)
{
    return QString::fromUtf8(zorvane::test::resourcesDirectory.data(),
                             qsizetype(zorvane::test::resourcesDirectory.size()))
           + QStringLiteral("/icons/%1.png").arg(size);
}

// The symbol as drawn: a disc, black on its left, white on its right, a white dot in the upper
// half and a black one in the lower, nothing around it.
void verifyYinYang(const QImage& icon)
{
    const int size = icon.width();
    const double centre = size / 2.0;
    auto at = [&](double x, double y) { return icon.pixelColor(int(x), int(y)); };
    const QColor black(Qt::black);
    const QColor white(Qt::white);

    for (const QPoint& corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1),
                                 QPoint(size - 1, size - 1)}) {
        QCOMPARE(icon.pixelColor(corner).alpha(), 0);
    }
    QCOMPARE(at(centre * 0.3, centre), black);
    QCOMPARE(at(centre * 1.7, centre), white);
    QCOMPARE(at(centre, centre * 0.55), white);
    QCOMPARE(at(centre, centre * 1.45), black);

    int blackPixels = 0;
    int whitePixels = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor colour = icon.pixelColor(x, y);
            QVERIFY2(colour.red() == colour.green() && colour.green() == colour.blue(),
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            const double distance = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            if (distance < size * 0.43) {
                QCOMPARE(colour.alpha(), 255);
            } else if (distance > size * 0.5) {
                QCOMPARE(colour.alpha(), 0);
            }
            if (colour.alpha() == 255) {
                (colour.lightness() < 128 ? blackPixels : whitePixels) += 1;
            }
        }
    }
    // The black ring round the disc tips the balance a little.
    QVERIFY(blackPixels > whitePixels);
    QVERIFY(whitePixels * 10 > blackPixels * 7);
}

}  // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void bannerIsABaselineJfifAt96Dpi();
    void bannerShowsBlackTextOnWhite();
    void programIconIsATwoColourIco();
    void iconRenditionsAreTheSameSymbol_data();
    void iconRenditionsAreTheSameSymbol();
};

void ResourcesTest::bannerIsABaselineJfifAt96Dpi()
{
    const QByteArray bytes = contents(QStringLiteral(":/banner.jpg"));
    QVERIFY(bytes.startsWith("\xFF\xD8"));
    const JpegFacts facts = jpegFacts(bytes);
    QVERIFY(facts.jfif);
    QCOMPARE(facts.densityUnits, 1);  // dots per inch
    QCOMPARE(facts.xDensity, 96);
    QCOMPARE(facts.yDensity, 96);
    QCOMPARE(facts.frameMarker, 0xC0);
}

void ResourcesTest::bannerShowsBlackTextOnWhite()
{
    const QImage banner(QStringLiteral(":/banner.jpg"));
    QCOMPARE(banner.size(), QSize(103, 35));

    // Hard edges: every pixel is close to black or to white, and the dark ones are the text.
    QRect ink;
    for (int y = 0; y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x) {
            const QColor colour = banner.pixelColor(x, y);
            QVERIFY(std::abs(colour.red() - colour.green()) <= 8);
            QVERIFY(std::abs(colour.green() - colour.blue()) <= 8);
            const int grey = colour.lightness();
            QVERIFY2(grey < 64 || grey > 192, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            if (grey < 64) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    // Columns 11 to 94 and rows 14 to 26; no frame, so nothing dark elsewhere.
    QCOMPARE(ink, QRect(QPoint(11, 14), QPoint(94, 26)));
}

void ResourcesTest::programIconIsATwoColourIco()
{
    const QByteArray bytes = contents(QStringLiteral(":/icons/zorvane-ico.ico"));
    QVERIFY(bytes.size() >= 6 + 16);
    QCOMPARE(littleEndian16(bytes, 0), 0);  // reserved
    QCOMPARE(littleEndian16(bytes, 2), 1);  // icon
    QCOMPARE(littleEndian16(bytes, 4), 1);  // one image
    QCOMPARE(quint8(bytes[6]), 32);          // width
    QCOMPARE(quint8(bytes[7]), 32);          // height
    QCOMPARE(quint8(bytes[8]), 2);           // colours
    QCOMPARE(littleEndian16(bytes, 12), 1);  // bits per pixel

    QImage icon;
    QVERIFY(icon.loadFromData(bytes, "ICO"));
    QCOMPARE(icon.size(), QSize(32, 32));
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            QVERIFY(qAlpha(pixel) == 0 || pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255));
        }
    }
    verifyYinYang(icon);

    // The 32 px rendition for the desktop is the very same picture.
    const QImage rendition = QImage(iconPath(32)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(rendition, icon);
}

void ResourcesTest::iconRenditionsAreTheSameSymbol_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {48, 64, 128, 256}) {
        QTest::addRow("%d px", size) << size;
    }
}

void ResourcesTest::iconRenditionsAreTheSameSymbol()
{
    QFETCH(int, size);
    QImage icon;
    QVERIFY(icon.loadFromData(contents(iconPath(size)), "PNG"));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    verifyYinYang(icon.convertToFormat(QImage::Format_ARGB32));
}

QTEST_GUILESS_MAIN(ResourcesTest)
#include "resourcestest.moc"
