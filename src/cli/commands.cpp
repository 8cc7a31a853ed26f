// The three things zorvane-ico-extract does (write one icon, list, write them all), each going on past
// a bad file and reporting every failure as one line on standard error.
#include "commands.h"

#include "commandline.h"
#include "helptext.h"
#include "listing.h"

#include "extraction/extraction.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <variant>

namespace zorvane::cli {
namespace {

namespace fs = std::filesystem;
namespace ex = extraction;

// Collects the outcome of a batch while its failures are reported.
class Batch {
public:
    Batch(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    std::ostream& out() { return m_out; }

    void fail(std::string_view subject, std::string_view reason)
    {
        m_err << programName << ": " << subject << ": " << reason << '\n';
        m_failed = true;
    }

    // Output that could not be written (a full disk, a closed pipe) is a failure like any other.
    ExitStatus finish()
    {
        m_out.flush();
        if (!m_out && !m_outputFailureReported) {
            m_err << programName << ": " << "无法写入标准输出" << '\n';
            m_failed = true;
        }
        return m_failed ? ExitStatus::Failure : ExitStatus::Success;
    }

    void outputFailureReported() { m_outputFailureReported = true; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_failed = false;
    bool m_outputFailureReported = false;
};

// A failure to write names the destination too, since a batch writes many.
std::string reason(const ex::Error& error, const fs::path& destination)
{
    if (ex::kindOf(error.code) == ex::ErrorKind::CannotWriteDestination) {
        return ex::describe(error) + "：" + destination.string();
    }
    return ex::describe(error);
}

fs::path baseName(const std::string& source)
{
    return fs::path(source).stem();
}

fs::path defaultDestination(const std::string& source, const std::optional<std::string>& given)
{
    fs::path name = baseName(source);
    name += ".ico";
    if (!given) {
        return name;
    }
    std::error_code ignored;
    return fs::is_directory(*given, ignored) ? fs::path(*given) / name : fs::path(*given);
}

// The icons of `source`, or nothing after reporting why there are none.
std::optional<std::vector<ex::IconSummary>> iconsOf(const std::string& source, Batch& batch)
{
    ex::Result<ex::FileSource> file = ex::FileSource::open(source);
    if (!file) {
        batch.fail(source, ex::describe(file.error()));
        return std::nullopt;
    }
    ex::Result<std::vector<ex::IconSummary>> icons = ex::listIcons(*file);
    if (!icons) {
        batch.fail(source, ex::describe(icons.error()));
        return std::nullopt;
    }
    if (icons->empty()) {
        batch.fail(source, ex::message(ex::ErrorCode::NoIcons));
        return std::nullopt;
    }
    return std::move(icons).value();
}

void writeToStandardOutput(const Request& request, Batch& batch)
{
    const std::string& source = request.sources.front();
    ex::Result<ex::FileSource> file = ex::FileSource::open(source);
    if (!file) {
        batch.fail(source, ex::describe(file.error()));
        return;
    }
    ex::Result<ex::Icon> icon = ex::readIcon(*file, request.iconNumber, request.sizePx);
    if (!icon) {
        batch.fail(source, ex::describe(icon.error()));
        return;
    }
    ex::Result<std::vector<std::uint8_t>> bytes = ex::encodeIco(*icon);
    if (!bytes) {
        batch.fail(source, ex::describe(bytes.error()));
        return;
    }
    batch.out().write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    if (!batch.out().flush()) {
        batch.fail(source, std::string(ex::message(ex::ErrorCode::DestinationUnwritable)) + "：标准输出");
        batch.outputFailureReported();
    }
}

void extractOne(const Request& request, Batch& batch)
{
    if (request.destination == "-") {
        writeToStandardOutput(request, batch);
        return;
    }
    const std::string& source = request.sources.front();
    const fs::path destination = defaultDestination(source, request.destination);
    const ex::Result<void> written = ex::extractIconToFile(source, request.iconNumber, destination, request.sizePx);
    if (!written) {
        batch.fail(source, reason(written.error(), destination));
    }
}

void list(const Request& request, Batch& batch)
{
    const bool nameEachLine = request.sources.size() > 1;
    for (const std::string& source : request.sources) {
        const std::optional<std::vector<ex::IconSummary>> icons = iconsOf(source, batch);
        for (const ex::IconSummary& icon : icons.value_or(std::vector<ex::IconSummary>{})) {
            if (nameEachLine) {
                batch.out() << source << '\t';
            }
            batch.out() << listingLine(icon) << '\n';
        }
    }
}

// Whether writing `destination` would overwrite one of the batch's sources, perhaps one not read yet.
bool isOneOf(const fs::path& destination, const std::vector<std::string>& sources)
{
    std::error_code error;
    return std::any_of(sources.begin(), sources.end(), [&](const std::string& source) {
        return fs::equivalent(destination, source, error);
    });
}

void extractAll(const Request& request, Batch& batch)
{
    const fs::path directory(request.outputDirectory);
    std::error_code error;
    fs::create_directories(directory, error);
    if (!fs::is_directory(directory, error)) {
        batch.fail(request.outputDirectory, "不是目录，也无法创建");
        return;
    }
    // Two sources with one base name would overwrite each other's icons; the later one is refused.
    std::map<fs::path, std::string> claimedBy;
    for (const std::string& source : request.sources) {
        const std::optional<std::vector<ex::IconSummary>> icons = iconsOf(source, batch);
        if (!icons) {
            continue;
        }
        const fs::path base = baseName(source);
        const auto [claim, isNew] = claimedBy.emplace(base, source);
        if (!isNew) {
            batch.fail(source, "与“" + claim->second + "”的基本名相同，输出文件会互相覆盖，已跳过");
            continue;
        }
        for (const ex::IconSummary& icon : *icons) {
            const fs::path destination = directory / (base.string() + "-" + std::to_string(icon.number) + ".ico");
            const std::string what = "图标 " + std::to_string(icon.number) + "：";
            if (isOneOf(destination, request.sources)) {
                batch.fail(source, what + std::string(ex::message(ex::ErrorCode::DestinationIsSource)) + "："
                                       + destination.string());
                continue;
            }
            const ex::Result<void> written = ex::extractIconToFile(source, icon.number, destination, request.sizePx);
            if (!written) {
                batch.fail(source, what + reason(written.error(), destination));
            }
        }
    }
}

} // namespace

ExitStatus runCommandLine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err)
{
    const std::variant<Request, UsageError> parsed = parseCommandLine(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << programName << ": " << usage->message << '\n'
            << "请运行“" << programName << " --help”查看用法。" << '\n';
        return ExitStatus::Usage;
    }
    const Request& request = std::get<Request>(parsed);
    Batch batch(out, err);
    switch (request.mode) {
    case Mode::Help:
        out << helpText();
        break;
    case Mode::Version:
        out << versionText();
        break;
    case Mode::Extract:
        extractOne(request, batch);
        break;
    case Mode::List:
        list(request, batch);
        break;
    case Mode::All:
        extractAll(request, batch);
        break;
    }
    return batch.finish();
}

} // namespace zorvane::cli
