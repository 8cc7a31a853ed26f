// Start-up: MainWindow, shown until it is closed; the command line is not read.
#include "actions/extractionaction.h"
#include "application.h"
#include "mainwindow.h"
#include "qt/qtplatform.h"
#include "terminationrequest.h"

int main(int argc, char* argv[])
{
    zorvane::TerminationRequest termination;
    zorvane::Application application(argc, argv);
    zorvane::MainWindow window;
    zorvane::QtPlatform platform(window);
    zorvane::ExtractionAction action(platform);
    window.bind(zorvane::Handler::onButton1Click, [&action] { action.onButton1Click(); });
    termination.onRequest([&window] { window.close(); });
    window.show();
    return application.exec();
}
