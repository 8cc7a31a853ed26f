// The Qt application object, built without the command line.
#include "application.h"

#include <QLibraryInfo>
#include <QLocale>

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
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    // Without the translations installed, Qt's texts stay English; the program works all the same.
    if (m_qtTexts.load(chinese, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTexts);
}

}  // namespace zorvane
