// The window as built against the window definition: controls, settings, banner and fixed layout.
#include "mainwindow.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

using zorvane::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsMatchTheDefinition_data();
    void controlsMatchTheDefinition();
    void fileDialogsAreConfigured_data();
    void fileDialogsAreConfigured();
    void pictureBoxShowsTheBannerCentred();
    void labelIsCutOffByTheRightEdge();
    void buttonCaptionFits();
    void windowKeepsItsSizeAndLayout();
    void clickRunsTheBoundProcedure();

private:
    template <typename Control>
    Control* control(const char* name) const
    {
        return m_window->findChild<Control*>(QString::fromUtf8(name));
    }

    std::unique_ptr<MainWindow> m_window;
};

void MainWindowTest::init()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void MainWindowTest::cleanup()
{
    m_window.reset();
}

void MainWindowTest::controlsMatchTheDefinition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("qtClass");
    QTest::addColumn<QRect>("geometry");  // null for the dialogs, which have no place on the window
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("focusPolicy");  // -1 where taking focus is no question
    QTest::addColumn<QString>("text");     // caption, label text or dialog title

    constexpr int notAsked = -1;
    QTest::newRow("MainWindow") << "MainWindow" << QByteArray("zorvane::MainWindow")
                                << QRect(50, 50, 155, 188) << true << notAsked
                                << "ZorvaneICO提取器";
    QTest::newRow("标签1") << "标签1" << QByteArray("QLabel") << QRect(0, 112, 160, 24) << true
                         << int(Qt::NoFocus) << "从EXE文件中取出图标";
    QTest::newRow("图片框1") << "图片框1" << QByteArray("QLabel") << QRect(24, 16, 104, 40) << true
                          << int(Qt::NoFocus) << "";
    QTest::newRow("通用对话框2") << "通用对话框2" << QByteArray("QFileDialog") << QRect() << false
                            << notAsked << "选择保存的地址";
    QTest::newRow("通用对话框1") << "通用对话框1" << QByteArray("QFileDialog") << QRect() << false
                            << notAsked << "请选择要提取图标的EXE文件";
    QTest::newRow("按钮1") << "按钮1" << QByteArray("QPushButton") << QRect(16, 72, 128, 32) << true
                         << int(Qt::StrongFocus) << "选择要提取图标的EXE文件";
}

void MainWindowTest::controlsMatchTheDefinition()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, qtClass);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(int, focusPolicy);
    QFETCH(QString, text);

    QWidget* widget = m_window->objectName() == name ? m_window.get()
                                                     : m_window->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QByteArray(widget->metaObject()->className()), qtClass);
    QCOMPARE(widget->isVisible(), visible);
    if (geometry.isNull()) {
        QVERIFY(widget->isWindow());
        QCOMPARE(widget->parentWidget(), m_window.get());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
    if (focusPolicy != -1) {
        QCOMPARE(int(widget->focusPolicy()), focusPolicy);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), text);
    } else {
        QCOMPARE(widget->windowTitle(), text);
    }
}

void MainWindowTest::fileDialogsAreConfigured_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("acceptMode");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::addColumn<QString>("defaultSuffix");

    QTest::newRow("通用对话框1") << "通用对话框1" << int(QFileDialog::AcceptOpen)
                            << int(QFileDialog::ExistingFile) << QStringList{"可执行文件 (*.exe)"} << "";
    QTest::newRow("通用对话框2") << "通用对话框2" << int(QFileDialog::AcceptSave)
                            << int(QFileDialog::AnyFile) << QStringList{"ICO文件 (*.ico)"} << "ico";
}

void MainWindowTest::fileDialogsAreConfigured()
{
    QFETCH(QString, name);
    QFETCH(int, acceptMode);
    QFETCH(int, fileMode);
    QFETCH(QStringList, nameFilters);
    QFETCH(QString, defaultSuffix);

    auto* dialog = m_window->findChild<QFileDialog*>(name);
    QVERIFY(dialog);
    QCOMPARE(int(dialog->acceptMode()), acceptMode);
    QCOMPARE(int(dialog->fileMode()), fileMode);
    QCOMPARE(dialog->nameFilters(), nameFilters);
    QCOMPARE(dialog->defaultSuffix(), defaultSuffix);
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

void MainWindowTest::pictureBoxShowsTheBannerCentred()
{
    auto* pictureBox = control<QLabel>("图片框1");
    QVERIFY(pictureBox);
    const QImage banner(QStringLiteral(":/banner.jpg"));
    QCOMPARE(banner.size(), QSize(103, 35));
    QCOMPARE(pictureBox->pixmap().size(), banner.size());

    // At natural size in the middle of the 104 × 40 box; Qt puts the odd pixel left over before it.
    const QImage shown = pictureBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(104, 40));
    QCOMPARE(shown.copy(1, 3, 103, 35), banner.convertToFormat(QImage::Format_RGB32));
    const QRgb background = pictureBox->palette().color(QPalette::Window).rgb();
    for (const QPoint& outside : {QPoint(0, 20), QPoint(50, 2), QPoint(50, 38)}) {
        QCOMPARE(shown.pixel(outside), background);
    }
}

void MainWindowTest::labelIsCutOffByTheRightEdge()
{
    auto* label = control<QLabel>("标签1");
    QVERIFY(label);
    const int hidden = label->geometry().right() - m_window->rect().right();
    QVERIFY2(hidden >= 5, qPrintable(QString::number(hidden)));
    QCOMPARE(label->visibleRegion().boundingRect().width(), m_window->width());

    // What is cut off is the label's margin, not its one line of text.
    QVERIFY(!label->text().contains(u'\n'));
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
    QVERIFY(label->x() + (label->width() + textWidth) / 2 <= m_window->width());
}

void MainWindowTest::buttonCaptionFits()
{
    auto* button = control<QPushButton>("按钮1");
    QVERIFY(button);
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= room.width(),
             qPrintable(button->font().toString()));
}

void MainWindowTest::windowKeepsItsSizeAndLayout()
{
    QCOMPARE(m_window->minimumSize(), QSize(155, 188));
    QCOMPARE(m_window->maximumSize(), QSize(155, 188));
    QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    const QList<QWidget*> controls = m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QList<QRect> before;
    for (const QWidget* widget : controls) {
        before.append(widget->geometry());
    }
    m_window->resize(300, 300);
    QCOMPARE(m_window->size(), QSize(155, 188));

    // As a window manager might resize it anyway.
    m_window->windowHandle()->resize(300, 300);
    QTRY_COMPARE(m_window->size(), QSize(300, 300));
    for (qsizetype index = 0; index < controls.size(); ++index) {
        QCOMPARE(controls[index]->geometry(), before[index]);
    }
}

void MainWindowTest::clickRunsTheBoundProcedure()
{
    auto* button = control<QPushButton>("按钮1");
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);  // nothing bound yet: nothing happens

    int runs = 0;
    m_window->bind(zorvane::Handler::onButton1Click, [&runs] { ++runs; });
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(runs, 1);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(runs, 2);
}

QTEST_MAIN(MainWindowTest)
#include "mainwindowtest.moc"
