// The conversion of Windows-style file dialog settings into QFileDialog's.
#include "filedialogsettings.h"

#include <QTest>

#include <string>

class FileDialogSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void nameFilters_data();
    void nameFilters();
    void defaultSuffix_data();
    void defaultSuffix();
};

void FileDialogSettingsTest::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one entry") << "可执行文件|*.exe" << QStringList{"可执行文件 (*.exe)"};
    QTest::newRow("two entries") << "ICO文件|*.ico|所有文件|*.*"
                                 << QStringList{"ICO文件 (*.ico)", "所有文件 (*.*)"};
    QTest::newRow("several patterns") << "程序|*.exe;*.dll;" << QStringList{"程序 (*.exe *.dll)"};
    QTest::newRow("no description") << "|*.ico" << QStringList{"*.ico"};
    QTest::newRow("description without pattern") << "ICO文件|*.ico|多余" << QStringList{"ICO文件 (*.ico)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void FileDialogSettingsTest::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    const std::string utf8 = filter.toStdString();
    QCOMPARE(zorvane::qtNameFilters(utf8), expected);
}

void FileDialogSettingsTest::defaultSuffix_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("wildcard and dot") << "*.ico" << "ico";
    QTest::newRow("dot") << ".ico" << "ico";
    QTest::newRow("bare") << "ico" << "ico";
    QTest::newRow("empty") << "" << "";
}

void FileDialogSettingsTest::defaultSuffix()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    const std::string utf8 = pattern.toStdString();
    QCOMPARE(zorvane::qtDefaultSuffix(utf8), expected);
}

QTEST_GUILESS_MAIN(FileDialogSettingsTest)
#include "filedialogsettingstest.moc"
