// The icon of a message box for each Windows style word.
#include "platform.h"
#include "qt/messageboxstyle.h"

#include <QTest>

namespace zorvane {

class MessageBoxStyleTest : public QObject {
    Q_OBJECT

private slots:
    void mapsTheIconBits_data()
    {
        QTest::addColumn<uint>("style");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("0x10 error") << uint{0x10} << QMessageBox::Critical;
        QTest::newRow("0x20 question") << uint{0x20} << QMessageBox::Question;
        QTest::newRow("0x30 warning") << uint{0x30} << QMessageBox::Warning;
        QTest::newRow("0x40 information") << uint{0x40} << QMessageBox::Information;
        QTest::newRow("0 no icon") << uint{0x00} << QMessageBox::NoIcon;
        QTest::newRow("an unknown icon") << uint{0x70} << QMessageBox::NoIcon;
        QTest::newRow("button bits do not change the icon") << uint{0x34} << QMessageBox::Warning;
        QTest::newRow("bits above the icon are ignored") << uint{0x1040} << QMessageBox::Information;
    }

    void mapsTheIconBits()
    {
        QFETCH(uint, style);
        QFETCH(QMessageBox::Icon, icon);
        QCOMPARE(messageBoxIcon(style), icon);
    }
};

} // namespace zorvane

QTEST_MAIN(zorvane::MessageBoxStyleTest)
#include "messageboxstyle_test.moc"
