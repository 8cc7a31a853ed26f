// The texts of --help and --version.
#include "helptext.h"

#include "zorvane/version.h"

namespace zorvane::cli {

std::string_view helpText()
{
    return "用法：zorvane-ico-extract [-i 编号] [-s 像素] 源文件 [目标文件]\n"
           "      zorvane-ico-extract -l 源文件...\n"
           "      zorvane-ico-extract -a 目录 [-s 像素] 源文件...\n"
           "从 Windows 可执行文件（PE32、PE32+、16 位 NE）或 .ico 文件中取出图标，保存为 .ico 文件。\n"
           "\n"
           "  -i, --icon=编号   要取出的图标（默认 0）：0 或正数为按资源目录顺序的序号，\n"
           "                    负数 -N 为资源 ID 是 N 的图标\n"
           "  -s, --size=像素   只写入最适合该尺寸的一幅图像：不大于该尺寸的最大图像，\n"
           "                    同样大小时取颜色最深的，全都更大时取最小的；\n"
           "                    不给出时写入图标的全部图像\n"
           "  -l, --list        列出每个源文件的图标，每个图标一行，以制表符分隔：\n"
           "                    序号、资源 ID 或名称（.ico 文件为“-”）、语言、\n"
           "                    各图像（宽×高、位深、PNG 或 BMP、字节数）；\n"
           "                    有多个源文件时，每行以源文件名开头\n"
           "  -a, --all=目录    把每个源文件的每个图标写入该目录（不存在时创建），\n"
           "                    文件名为“源文件基本名-序号.ico”\n"
           "  -h, --help        显示此帮助并退出\n"
           "      --version     显示版本信息并退出\n"
           "\n"
           "目标文件默认为当前目录下的“源文件基本名.ico”；为已有目录时写入该目录下的同名文件；\n"
           "为“-”时写到标准输出。目标文件只在成功时才被替换，失败时原有文件保持不变。\n"
           "批量处理时遇到出错的文件会继续处理其余文件，每个失败在标准错误输出一行：\n"
           "  zorvane-ico-extract: 源文件: 原因\n"
           "\n"
           "退出状态：0 表示全部成功，1 表示有文件失败，2 表示用法错误。\n";
}

std::string versionText()
{
    return std::string(programName) + " (ZorvaneICO) " + std::string(projectVersion) + "\n";
}

} // namespace zorvane::cli
