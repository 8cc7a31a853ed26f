// zorvane-ico-thumbnailer: writes INPUT's icon as a PNG thumbnail for file managers.
#include "arguments.h"
#include "thumbnail.h"
#include "zorvane/version.h"

#include "extraction/extraction.h"

#include <cstdio>
#include <iostream>
#include <span>
#include <string_view>

namespace {

using namespace zorvane;

constexpr std::string_view programName = "zorvane-ico-thumbnailer";

enum class ExitStatus { Success = 0, Failure = 1, Usage = 2 };

constexpr std::string_view helpText =
    "用法：zorvane-ico-thumbnailer -s 像素 输入文件 输出文件\n"
    "把 Windows 可执行文件、库或 .ico 文件的第一个图标写成 PNG 缩略图，供文件管理器使用。\n"
    "\n"
    "  -s, --size=像素   缩略图的最大宽度和高度：取不大于该尺寸的最大图像，\n"
    "                    全都更大时取最小的并平滑缩小；从不放大\n"
    "  -h, --help        显示此帮助并退出\n"
    "      --version     显示版本信息并退出\n"
    "\n"
    "缩略图保留透明度。输出文件只在成功时才写入，失败时原有文件保持不变。\n"
    "\n"
    "退出状态：0 表示成功，1 表示输入文件没有图标、已损坏或无法写入输出文件，2 表示用法错误。\n";

int exitWith(ExitStatus status)
{
    return static_cast<int>(status);
}

int reportFailure(std::string_view path, const extraction::Error& error)
{
    std::cerr << programName << ": " << path << ": " << extraction::describe(error) << '\n';
    return exitWith(ExitStatus::Failure);
}

int writeThumbnail(const thumbnailer::ThumbnailRequest& request)
{
    const auto source = extraction::FileSource::open(request.inputPath);
    if (!source)
        return reportFailure(request.inputPath, source.error());
    const auto thumbnail = thumbnailer::makeThumbnail(*source, request.sizePx);
    if (!thumbnail)
        return reportFailure(request.inputPath, thumbnail.error());

    const QByteArray png = thumbnailer::encodePng(*thumbnail);
    if (png.isEmpty())
        return reportFailure(request.outputPath, extraction::Error{extraction::ErrorCode::DestinationUnwritable, 0});
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(png.constData()),
                          static_cast<std::size_t>(png.size()));
    const auto written = extraction::writeFileAtomically(request.outputPath, bytes);
    if (!written)
        return reportFailure(request.outputPath, written.error());
    return exitWith(ExitStatus::Success);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
    const auto parsed = thumbnailer::parseArguments(arguments);

    if (const auto* request = std::get_if<thumbnailer::ThumbnailRequest>(&parsed))
        return writeThumbnail(*request);
    if (const auto* info = std::get_if<thumbnailer::InfoRequest>(&parsed)) {
        if (*info == thumbnailer::InfoRequest::Help)
            std::cout << helpText;
        else
            std::cout << programName << " (ZorvaneICO) " << projectVersion << '\n';
        return exitWith(ExitStatus::Success);
    }
    std::cerr << programName << ": " << std::get<thumbnailer::UsageError>(parsed).message << '\n'
              << "请运行“" << programName << " --help”查看用法。" << '\n';
    return exitWith(ExitStatus::Usage);
}
