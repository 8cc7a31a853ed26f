// The Qt application object, built without the command line.
#include "application.h"

#include <string_view>

namespace zorvane {

namespace {

// What Qt gets when the program was started without even its own name (argc 0).
constexpr std::string_view fallbackProgramName = "zorvane-ico";

}  // namespace

ProgramNameArgument::ProgramNameArgument(int argc, char** argv)
    : m_programName(argc > 0 && argv[0] != nullptr ? argv[0] : fallbackProgramName.data())
{
    m_argv[0] = m_programName.data();
}

Application::Application(int argc, char** argv)
    : ProgramNameArgument(argc, argv)
    , QApplication(m_argc, m_argv.data())
{
}

}  // namespace zorvane
