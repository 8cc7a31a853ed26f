// The Qt application object, built without the command line.
#pragma once

#include <QApplication>

#include <array>
#include <string>

namespace zorvane {

// Holds the one argument that QApplication is given; a base so that it is built before it.
class ProgramNameArgument {
protected:
    ProgramNameArgument(int argc, char** argv);

    int m_argc = 1;
    std::string m_programName;
    std::array<char*, 2> m_argv{};
};

// QApplication given the program's name alone. The program reads no command line, and Qt would
// otherwise act on options such as -reverse, -geometry, -style or -platform.
class Application : private ProgramNameArgument, public QApplication {
public:
    Application(int argc, char** argv);
};

}  // namespace zorvane
