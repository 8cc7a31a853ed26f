// Runs the real zorvane-ico-thumbnailer the way a file manager does and looks at the PNG it leaves.
#include "testpaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace zorvane::test;

constexpr int processTimeoutMs = 30000;

struct Run {
    int exitCode = -1;
    QString errors;
};

Run runThumbnailer(const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(thumbnailerProgram), arguments);
    if (!process.waitForFinished(processTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QString fixture(const QString& name)
{
    return QDir(QString::fromUtf8(fixturesDir)).filePath(name);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The value of `key` in the .thumbnailer file (a desktop-entry-style key file with one group).
QString entryValue(const QString& key)
{
    const QString prefix = key + '=';
    const QStringList lines = QString::fromUtf8(readAll(QString::fromUtf8(thumbnailerEntry))).split('\n');
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

// A one-image .ico of a red square, `bitCount` 24 or 32 with zero alpha, whose AND mask makes the
// left `maskedColumns` columns transparent: how icons stored transparency before they had alpha.
QByteArray maskedIcon(int side, quint16 bitCount, int maskedColumns)
{
    const auto put16 = [](QByteArray& out, quint16 value) {
        out.append(char(value & 0xff)).append(char(value >> 8));
    };
    const auto put32 = [&](QByteArray& out, quint32 value) {
        put16(out, quint16(value & 0xffff));
        put16(out, quint16(value >> 16));
    };
    const int colourStride = (side * bitCount + 31) / 32 * 4;
    const int maskStride = (side + 31) / 32 * 4;

    QByteArray image;
    for (const quint32 field : {40U, quint32(side), quint32(side * 2)})
        put32(image, field);
    put16(image, 1);
    put16(image, bitCount);
    image.append(24, '\0');
    for (int y = 0; y < side; ++y) {
        QByteArray row(colourStride, '\0');
        for (int x = 0; x < side; ++x)
            row[x * bitCount / 8 + 2] = char(0xff);
        image += row;
    }
    for (int y = 0; y < side; ++y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < maskedColumns; ++x)
            row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        image += row;
    }

    QByteArray ico;
    for (const quint16 field : {quint16(0), quint16(1), quint16(1)})
        put16(ico, field);
    ico.append(char(side)).append(char(side)).append(2, '\0');
    put16(ico, 1);
    put16(ico, bitCount);
    put32(ico, quint32(image.size()));
    put32(ico, 22);
    return ico + image;
}

} // namespace

class ThumbnailerTest : public QObject {
    Q_OBJECT

private slots:
    void writesFittedTransparentPng_data();
    void writesFittedTransparentPng();
    void takesTransparencyFromTheMask_data();
    void takesTransparencyFromTheMask();
    void badInputLeavesOutputAlone_data();
    void badInputLeavesOutputAlone();
    void rejectsBadCommandLine_data();
    void rejectsBadCommandLine();
    void failsWhenOutputCannotBeWritten();
    void entryRunsTheThumbnailerAsFileManagersDo();
    void entryCoversTheTypesOfExecutables();
};

void ThumbnailerTest::writesFittedTransparentPng_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expectedSide");

    // pe32*_icons.exe: icon 0 has a 16 × 16 32-bit image and a 32 × 32 4-bit one.
    QTest::newRow("pe32, larger than the icon: not enlarged") << "pe32_icons.exe" << 256 << 32;
    QTest::newRow("pe32+, exact size, 32-bit alpha") << "pe32plus_icons.exe" << 16 << 16;
    QTest::newRow("between sizes: the largest not above") << "pe32plus_renamed_rsrc.exe" << 24 << 16;
    QTest::newRow("smaller than every image: scaled down") << "pe32_icons.exe" << 8 << 8;
    // colours.ico: 16 4-bit, 32 8-bit, 32 32-bit, 48 24-bit and a 256 PNG image.
    QTest::newRow("PNG image") << "source/colours.ico" << 256 << 256;
    QTest::newRow("24-bit with its mask") << "source/colours.ico" << 128 << 48;
    QTest::newRow("32-bit preferred at equal size") << "source/colours.ico" << 32 << 32;
    QTest::newRow("1 pixel") << "source/colours.ico" << 1 << 1;
    QTest::newRow("1-bit") << "source/mono.ico" << 32 << 32;
    QTest::newRow("8-bit") << "source/language_en.ico" << 16 << 16;
}

void ThumbnailerTest::writesFittedTransparentPng()
{
    QFETCH(QString, input);
    QFETCH(int, size);
    QFETCH(int, expectedSide);
    QTemporaryDir dir;
    const QString output = dir.filePath("thumbnail.png");

    const Run run = runThumbnailer({"-s", QString::number(size), fixture(input), output});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

    QImageReader reader(output);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), QSize(expectedSide, expectedSide));
    QVERIFY(image.hasAlphaChannel());
    if (expectedSide >= 8) {
        const int last = expectedSide - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QCOMPARE(qAlpha(image.pixel(expectedSide / 2, expectedSide / 2)), 255);
    }
}

void ThumbnailerTest::takesTransparencyFromTheMask_data()
{
    QTest::addColumn<int>("bitCount");

    QTest::newRow("24-bit") << 24;
    QTest::newRow("32-bit, alpha all zero") << 32;
}

void ThumbnailerTest::takesTransparencyFromTheMask()
{
    QFETCH(int, bitCount);
    constexpr int side = 16;
    constexpr int maskedColumns = 4;
    QTemporaryDir dir;
    const QString input = dir.filePath("masked.ico");
    const QString output = dir.filePath("thumbnail.png");
    writeAll(input, maskedIcon(side, quint16(bitCount), maskedColumns));

    const Run run = runThumbnailer({"-s", QString::number(side), input, output});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QImage image(output);
    QCOMPARE(image.size(), QSize(side, side));
    for (int x = 0; x < side; ++x) {
        const QRgb pixel = image.pixel(x, side / 2);
        QCOMPARE(qAlpha(pixel), x < maskedColumns ? 0 : 255);
        if (x >= maskedColumns)
            QCOMPARE(qRed(pixel), 255);
    }
}

void ThumbnailerTest::badInputLeavesOutputAlone_data()
{
    QTest::addColumn<QByteArray>("content");

    const QByteArray executable = readAll(fixture("pe32_icons.exe"));
    QVERIFY(executable.size() > 4096);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("MZ alone") << executable.left(2);
    QTest::newRow("DOS header, PE header cut off") << executable.left(64);
    QTest::newRow("headers without the resources") << executable.left(1024);
    QTest::newRow("not an executable") << QByteArray("This is a text file, not an executable.\n");
    QTest::newRow("icon file without images") << QByteArray("\0\0\1\0\0\0", 6);
}

void ThumbnailerTest::badInputLeavesOutputAlone()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString input = dir.filePath("input.exe");
    const QString output = dir.filePath("thumbnail.png");
    writeAll(input, content);

    Run run = runThumbnailer({"-s", "128", input, output});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.errors.isEmpty());
    QVERIFY(!QFile::exists(output));

    const QByteArray previous = "a thumbnail made earlier";
    writeAll(output, previous);
    run = runThumbnailer({"-s", "128", input, output});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(readAll(output), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"input.exe", "thumbnail.png"}));
}

void ThumbnailerTest::rejectsBadCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");

    const QString input = fixture("pe32_icons.exe");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("no size") << QStringList({input, "out.png"});
    QTest::newRow("size without value") << QStringList({"-s"});
    QTest::newRow("zero size") << QStringList({"-s", "0", input, "out.png"});
    QTest::newRow("negative size") << QStringList({"-s", "-5", input, "out.png"});
    QTest::newRow("size not a number") << QStringList({"-s", "12px", input, "out.png"});
    QTest::newRow("size beyond int") << QStringList({"-s", "99999999999", input, "out.png"});
    QTest::newRow("no output") << QStringList({"-s", "128", input});
    QTest::newRow("extra argument") << QStringList({"-s", "128", input, "out.png", "more.png"});
    QTest::newRow("unknown option") << QStringList({"-x", "-s", "128", input, "out.png"});
}

void ThumbnailerTest::rejectsBadCommandLine()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));

    const Run run = runThumbnailer(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.errors.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void ThumbnailerTest::failsWhenOutputCannotBeWritten()
{
    QTemporaryDir dir;
    const Run run = runThumbnailer(
        {"-s", "128", fixture("pe32_icons.exe"), dir.filePath("no such folder/thumbnail.png")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.errors.isEmpty());
}

void ThumbnailerTest::entryRunsTheThumbnailerAsFileManagersDo()
{
    QStringList command = QProcess::splitCommand(entryValue("Exec"));
    QCOMPARE(entryValue("TryExec"), command.value(0));

    QTemporaryDir dir;
    const QString output = dir.filePath("thumbnail.png");
    command.removeFirst();
    command.replaceInStrings("%s", "128").replaceInStrings("%i", fixture("pe32plus_icons.exe"))
        .replaceInStrings("%o", output);
    const Run run = runThumbnailer(command);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(QImage(output).size(), QSize(32, 32));
}

void ThumbnailerTest::entryCoversTheTypesOfExecutables()
{
    const QStringList types = entryValue("MimeType").split(';', Qt::SkipEmptyParts);
    QVERIFY(!types.isEmpty());
    const QMimeDatabase database;
    for (const QString name : {"pe32_icons.exe", "pe32plus_icons.exe", "pe32plus_renamed_rsrc.exe"}) {
        const QMimeType type = database.mimeTypeForFile(fixture(name));
        QVERIFY2(types.contains(type.name()), qPrintable(name + " is " + type.name()));
        // Libraries (.dll) have no name pattern in the database here: their type comes from their content.
        const QMimeType byContent = database.mimeTypeForData(readAll(fixture(name)));
        QVERIFY2(types.contains(byContent.name()), qPrintable(name + " by content is " + byContent.name()));
    }
}

QTEST_GUILESS_MAIN(ThumbnailerTest)
#include "thumbnailertest.moc"
