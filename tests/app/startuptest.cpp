// Start-up: the command line does not reach Qt, and a SIGTERM closes the window with exit code 0.
#include "application.h"
#include "mainwindow.h"
#include "terminationrequest.h"
#include "testpaths.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QStyle>
#include <QTest>

#include <array>
#include <string>
#include <vector>

#include <signal.h>

namespace {

// Options that QApplication acts on when it sees them, and one it does not know.
const QStringList optionsQtWouldTake{"-reverse", "-geometry", "10x10+0+0", "-style", "windows",
                                     "--anything"};

// The SigBlk line of /proc/<pid>/status tells whether the program has blocked SIGTERM, that is,
// whether it has got as far as to turn the request into closing its window.
bool blocksTermination(qint64 processId)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(processId));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigBlk:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask & (1ULL << (SIGTERM - 1))) != 0;
        }
    }
    return false;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void qtSeesNoOption();
    void windowIsTheSameWithOptions();
    void qtTextsAreChinese();
    void terminationRequestIsAnsweredInTheEventLoop();
    void programClosedByRequestEndsWithZero();
};

void StartupTest::qtSeesNoOption()
{
    QCOMPARE(QCoreApplication::arguments().size(), 1);
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    QVERIFY(QApplication::style()->name().compare(u"windows", Qt::CaseInsensitive) != 0);
}

void StartupTest::windowIsTheSameWithOptions()
{
    zorvane::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), QRect(50, 50, 155, 188));
    QCOMPARE(window.layoutDirection(), Qt::LeftToRight);
    auto* button = window.findChild<QWidget*>(QStringLiteral("按钮1"));
    QVERIFY(button);
    QCOMPARE(button->geometry(), QRect(16, 72, 128, 32));
}

// The test runs with LANG=C.UTF-8: Qt's own texts follow the program's language, not the locale's.
void StartupTest::qtTextsAreChinese()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(dialog.labelText(QFileDialog::Reject), QStringLiteral("取消"));
}

void StartupTest::terminationRequestIsAnsweredInTheEventLoop()
{
    zorvane::TerminationRequest request;
    // Sent to this thread before anyone listens: it must wait, not end the test.
    QCOMPARE(raise(SIGTERM), 0);
    int answers = 0;
    request.onRequest([&answers] { ++answers; });
    QCOMPARE(answers, 0);
    QTRY_COMPARE(answers, 1);
    QCOMPARE(raise(SIGTERM), 0);
    QTRY_COMPARE(answers, 2);
}

void StartupTest::programClosedByRequestEndsWithZero()
{
    QProcess program;
    program.setProgram(QString::fromUtf8(zorvane::test::programPath.data(),
                                         qsizetype(zorvane::test::programPath.size())));
    QStringList arguments = optionsQtWouldTake;
    arguments.replace(arguments.indexOf("windows"), "nonexistent");  // Qt would complain of it
    program.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    // A TerminationRequest of this process may have left SIGTERM blocked, and children inherit that.
    program.setChildProcessModifier([] {
        sigset_t terminate;
        sigemptyset(&terminate);
        sigaddset(&terminate, SIGTERM);
        pthread_sigmask(SIG_UNBLOCK, &terminate, nullptr);
    });

    program.start();
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY(blocksTermination(program.processId()));
    program.terminate();
    QVERIFY(program.waitForFinished());

    const QByteArray errors = program.readAllStandardError();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(!errors.contains("style"), errors.constData());
}

int main(int argc, char* argv[])
{
    // Every test here runs under an application that was started with the options.
    std::vector<std::string> startedWith{argv[0]};
    for (const QString& option : optionsQtWouldTake) {
        startedWith.push_back(option.toStdString());
    }
    std::vector<char*> startArguments;
    for (std::string& argument : startedWith) {
        startArguments.push_back(argument.data());
    }
    startArguments.push_back(nullptr);
    zorvane::Application application(static_cast<int>(startedWith.size()), startArguments.data());
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "startuptest.moc"
