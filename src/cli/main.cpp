// zorvane-ico-extract: takes icons out of Windows executables and .ico files from the command line.
#include "commands.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return static_cast<int>(zorvane::cli::runCommandLine(arguments, std::cout, std::cerr));
}
