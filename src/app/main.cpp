// Start-up: MainWindow, shown until it is closed; the command line is not read.
#include "application.h"
#include "mainwindow.h"
#include "terminationrequest.h"

int main(int argc, char* argv[])
{
    zorvane::TerminationRequest termination;
    zorvane::Application application(argc, argv);
    zorvane::MainWindow window;
    termination.onRequest([&window] { window.close(); });
    window.show();
    return application.exec();
}
