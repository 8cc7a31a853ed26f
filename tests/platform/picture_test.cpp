// What the picture box shows: the choice among an icon's images, and the decoded picture for real .ico files.
#include "extraction/bytesource.h"
#include "extraction/extraction.h"
#include "qt/iconchoice.h"
#include "qt/picture.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <array>
#include <span>
#include <vector>

namespace zorvane {
namespace {

constexpr QSize pictureBox(104, 40);
constexpr BoxSize pictureBoxSize{104, 40};

extraction::IconImageInfo image(std::uint32_t width, std::uint32_t height, std::uint16_t bitCount)
{
    extraction::IconImageInfo info;
    info.width = width;
    info.height = height;
    info.bitCount = bitCount;
    return info;
}

struct ChoiceRow {
    const char* name;
    std::vector<extraction::IconImageInfo> images;
    std::optional<std::size_t> expected;
};

const std::array<ChoiceRow, 8> choiceRows{{
    {"no images", {}, std::nullopt},
    {"the largest that fits", {image(16, 16, 32), image(48, 48, 32), image(32, 32, 32)}, 2},
    {"the deepest colours among equals", {image(32, 32, 8), image(32, 32, 32), image(32, 32, 4)}, 1},
    {"exactly the box fits", {image(32, 32, 32), image(104, 40, 8)}, 1},
    {"a small image that fits beats a large one", {image(256, 256, 32), image(16, 16, 4)}, 1},
    {"too wide does not fit", {image(105, 20, 32), image(16, 16, 32)}, 1},
    {"none fits: the smallest larger one", {image(256, 256, 32), image(48, 48, 24), image(64, 64, 32)}, 1},
    {"none fits, equal sizes: the deepest", {image(48, 48, 8), image(48, 48, 32), image(256, 256, 32)}, 1},
}};

QByteArray fixture(const QString& name)
{
    QFile file(QFINDTESTDATA("../fixtures/" + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

// The same icon with only the images at `keep`.
QByteArray icoWithImages(const QByteArray& ico, std::initializer_list<std::size_t> keep)
{
    const extraction::MemorySource source(bytesOf(ico));
    const auto icon = extraction::readIcon(source, 0);
    extraction::Icon subset;
    for (const std::size_t index : keep)
        subset.images.push_back(icon->images.at(index));
    const auto encoded = extraction::encodeIco(subset);
    return QByteArray(reinterpret_cast<const char*>(encoded->data()), static_cast<qsizetype>(encoded->size()));
}

QImage decoded(const QByteArray& bytes) { return QImage::fromData(bytes); }

QImage scaledIntoBox(const QImage& image)
{
    return image.scaled(pictureBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QByteArray banner()
{
    QImage image(103, 35, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return jpeg;
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void choosesTheImageForTheBox_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < static_cast<int>(choiceRows.size()); ++row)
            QTest::newRow(choiceRows[static_cast<std::size_t>(row)].name) << row;
    }

    void choosesTheImageForTheBox()
    {
        QFETCH(int, row);
        const ChoiceRow& choice = choiceRows[static_cast<std::size_t>(row)];
        QCOMPARE(chooseIconImage(choice.images, pictureBoxSize), choice.expected);
    }

    // colours.ico holds 16 × 16 4-bit, 32 × 32 8-bit, 32 × 32 32-bit, 48 × 48 24-bit and PNG 256 × 256.
    void showsTheBestImageOfAnIcoFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected");

        const QByteArray colours = fixture("expected/colours.ico");
        const QByteArray mono = fixture("expected/mono.ico");
        QTest::newRow("several sizes and depths: 32 × 32 in 32 bits")
            << colours << decoded(fixture("expected/colours-32px.ico"));
        QTest::newRow("only small ones: the larger, 32 × 32") << mono << decoded(icoWithImages(mono, {0}));
        const QByteArray large = icoWithImages(colours, {4, 3});
        QTest::newRow("only large ones: 48 × 48 scaled down")
            << large << scaledIntoBox(pictureForBox(bytesOf(large), QSize(48, 48)));
        QTest::newRow("PNG-compressed 256 × 256 scaled down")
            << fixture("expected/colours-300px.ico") << scaledIntoBox(decoded(fixture("expected/colours-300px.ico")));
        QTest::newRow("a single 16 × 16") << fixture("expected/colours-8px.ico")
                                          << decoded(fixture("expected/colours-8px.ico"));
        QTest::newRow("a JPEG banner at natural size") << banner() << decoded(banner());
    }

    void showsTheBestImageOfAnIcoFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QImage, expected);
        const QImage picture = pictureForBox(bytesOf(bytes), pictureBox);
        QCOMPARE(picture.size(), expected.size());
        QCOMPARE(picture.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
    }

    // Qt's own ICO reader drops the AND mask of 24-bit images.
    void keepsTheTransparencyOfA24BitMask()
    {
        const QByteArray bytes = icoWithImages(fixture("expected/colours.ico"), {3});
        const QImage picture = pictureForBox(bytesOf(bytes), QSize(256, 256));
        QVERIFY(!picture.isNull());
        const int last = picture.width() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QCOMPARE(qAlpha(picture.pixel(corner)), 0);
        QCOMPARE(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
    }

    void refusesWhatIsNoImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("an .ico cut short") << fixture("expected/colours.ico").left(40);
        QTest::newRow("an executable") << fixture("pe32_icons.exe");
    }

    void refusesWhatIsNoImage()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(pictureForBox(bytesOf(bytes), pictureBox).isNull());
    }
};

} // namespace zorvane

QTEST_MAIN(zorvane::PictureTest)
#include "picture_test.moc"
