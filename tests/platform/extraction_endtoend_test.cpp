// The extraction on the real window: the real dialogs and message boxes, a real executable, real files.
#include "actions/extractionaction.h"
#include "extraction/error.h"
#include "mainwindow.h"
#include "qt/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

namespace zorvane {
namespace {

// What a user saw of one dialog or box.
struct Seen {
    QString title;
    QString text;  // message boxes only
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;

    bool operator==(const Seen&) const = default;
};

// Answers each modal dialog as it opens with the next answer, once the dialog's own event loop runs, so
// that exec() returns without anyone at the keyboard; a dialog nobody expected is cancelled.
class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QDialog&)>;

    explicit ModalAnswers(std::deque<Answer> answers) : m_answers(std::move(answers))
    {
        QApplication::instance()->installEventFilter(this);
    }
    ~ModalAnswers() override { QApplication::instance()->removeEventFilter(this); }

    std::vector<Seen> seen;
    bool allGiven() const { return m_answers.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isModal())
            QTimer::singleShot(0, dialog, [this, dialog] { answer(*dialog); });
        return false;
    }

private:
    void answer(QDialog& dialog)
    {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        seen.push_back({dialog.windowTitle(), box ? box->text() : QString(), box ? box->icon() : QMessageBox::NoIcon,
                        box ? static_cast<int>(box->buttons().size()) : 0});
        if (m_answers.empty()) {
            dialog.reject();
            return;
        }
        const Answer next = std::move(m_answers.front());
        m_answers.pop_front();
        next(dialog);
    }

    std::deque<Answer> m_answers;
};

ModalAnswers::Answer chooseFile(const QString& path)
{
    // Typed into the file name box, as a user would; selectFile() leaves a focused box alone.
    return [path](QDialog& dialog) {
        auto* fileName = dynamic_cast<QFileDialog&>(dialog).findChild<QLineEdit*>("fileNameEdit");
        if (!fileName) {
            dialog.reject();
            return;
        }
        fileName->setText(path);
        // Through QDialog, where accept() is public: QFileDialog's own checks still run.
        dialog.accept();
    };
}

ModalAnswers::Answer cancel()
{
    return [](QDialog& dialog) { dialog.reject(); };
}

ModalAnswers::Answer press(QMessageBox::StandardButton button)
{
    return [button](QDialog& dialog) { dynamic_cast<QMessageBox&>(dialog).button(button)->click(); };
}

const QString openTitle = "请选择要提取图标的EXE文件";
const QString saveTitle = "选择保存的地址";
const Seen openDialog{openTitle, {}, QMessageBox::NoIcon, 0};
const Seen saveDialog{saveTitle, {}, QMessageBox::NoIcon, 0};

Seen notice(const QString& text, QMessageBox::Icon icon)
{
    return {"提示", text, icon, 1};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString fixture(const char* name)
{
    return QFINDTESTDATA(QString("../fixtures/") + name);
}

// The window with the action bound to its button, as the program starts it.
class Program {
public:
    Program() : m_platform(m_window), m_action(m_platform)
    {
        m_window.bind(Handler::onButton1Click, [this] { m_action.onButton1Click(); });
        m_window.show();
    }

    void clickButton1() { QTest::mouseClick(m_window.findChild<QPushButton*>("按钮1"), Qt::LeftButton); }
    QImage picture() const { return m_window.findChild<QLabel*>("图片框1")->pixmap().toImage(); }

private:
    MainWindow m_window;
    QtPlatform m_platform;
    ExtractionAction m_action;
};

} // namespace

class ExtractionEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    // Destinations are typed without an extension: the save dialog adds ".ico".
    void extractsTheIconWritesItAndShowsIt_data()
    {
        QTest::addColumn<QString>("sourceName");
        QTest::addColumn<QString>("destinationStem");
        QTest::newRow("plain names") << "program.exe" << "icon";
        QTest::newRow("names outside GBK") << "图标🎨テスト.exe" << "图标🎨テスト";
    }

    void extractsTheIconWritesItAndShowsIt()
    {
        QFETCH(QString, sourceName);
        QFETCH(QString, destinationStem);
        QTemporaryDir folder;
        const QString source = folder.filePath(sourceName);
        QVERIFY(QFile::copy(fixture("pe32_icons.exe"), source));

        Program program;
        ModalAnswers answers({chooseFile(source), chooseFile(folder.filePath(destinationStem)),
                              press(QMessageBox::Ok)});
        program.clickButton1();

        QVERIFY(answers.allGiven());
        QCOMPARE(answers.seen, (std::vector<Seen>{openDialog, saveDialog, notice("提取成功", QMessageBox::Information)}));
        QCOMPARE(readAll(folder.filePath(destinationStem + ".ico")), readAll(fixture("expected/named.ico")));
        QCOMPARE(program.picture().size(), QSize(32, 32));
    }

    // The save dialog asks before it replaces a file; the action then writes over it.
    void replacesAnExistingFileOnlyOnceConfirmed()
    {
        QTemporaryDir folder;
        const QString destination = folder.filePath("icon.ico");
        QVERIFY(writeAll(destination, "an older file"));

        Program program;
        ModalAnswers answers({chooseFile(fixture("pe32_icons.exe")), chooseFile(destination),
                              press(QMessageBox::Yes), press(QMessageBox::Ok)});
        program.clickButton1();

        QVERIFY(answers.allGiven());
        QCOMPARE(answers.seen.size(), std::size_t{4});
        QCOMPARE(answers.seen[2].icon, QMessageBox::Warning);
        QCOMPARE(answers.seen[3], notice("提取成功", QMessageBox::Information));
        QCOMPARE(readAll(destination), readAll(fixture("expected/named.ico")));
    }

    void tellsWhyNothingWasExtracted()
    {
        QTemporaryDir folder;
        const QString source = folder.filePath("not really.exe");
        QVERIFY(writeAll(source, "plain text, no executable"));
        const QString destination = folder.filePath("icon.ico");

        Program program;
        const QImage banner = program.picture();
        ModalAnswers answers({chooseFile(source), chooseFile(destination), press(QMessageBox::Ok)});
        program.clickButton1();

        QVERIFY(answers.allGiven());
        const std::string_view reason = extraction::message(extraction::ErrorCode::NotExecutable);
        QCOMPARE(answers.seen,
                 (std::vector<Seen>{openDialog, saveDialog, notice("提取失败：" + QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size())),
                                                                      QMessageBox::Critical)}));
        QVERIFY(!QFile::exists(destination));
        QCOMPARE(program.picture(), banner);
    }

    void cancellingAsksForCompleteInformation()
    {
        Program program;
        const QImage banner = program.picture();
        ModalAnswers answers({chooseFile(fixture("pe32_icons.exe")), cancel(), press(QMessageBox::Ok)});
        program.clickButton1();

        QVERIFY(answers.allGiven());
        QCOMPARE(answers.seen, (std::vector<Seen>{openDialog, saveDialog, notice("请提供完整信息", QMessageBox::Warning)}));
        QCOMPARE(program.picture(), banner);
    }
};

} // namespace zorvane

QTEST_MAIN(zorvane::ExtractionEndToEndTest)
#include "extraction_endtoend_test.moc"
