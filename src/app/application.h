// The Qt application object, built without the command line.
#pragma once

#include <QApplication>
#include <QTranslator>

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
// Every text of the program is Simplified Chinese, so Qt's own texts (the file dialogs' labels, the
// message boxes' buttons) are too, whatever the user's locale.
class Application : private ProgramNameArgument, public QApplication {
public:
    Application(int argc, char** argv);

private:
    QTranslator m_qtTexts;
};

}  // namespace zorvane
