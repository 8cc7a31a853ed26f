// The extraction action against a platform that plays a script and records every call.
#include "actions/extractionaction.h"

#include "extraction/error.h"

#include <gtest/gtest.h>

#include <charconv>
#include <deque>
#include <map>

namespace zorvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes icoBytes{0x00, 0x00, 0x01, 0x00, 0x01, 0x00};
const Bytes otherIcoBytes{0x00, 0x00, 0x01, 0x00, 0x02, 0x00};
const Bytes textBytes{'h', 'e', 'l', 'l', 'o'};

// What the platform answers, in the order the action asks.
struct Script {
    std::deque<bool> dialogAnswers;
    std::map<Control, std::optional<std::string>> fileNames;
    std::optional<extraction::ErrorCode> extractionError;
    std::deque<std::optional<Bytes>> readBacks;
};

std::string hex(std::uint32_t value)
{
    char digits[8];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value, 16).ptr;
    return "0x" + std::string(digits, end);
}

std::string name(Control control)
{
    switch (control) {
    case Control::FileDialog1: return "通用对话框1";
    case Control::FileDialog2: return "通用对话框2";
    case Control::PictureBox1: return "图片框1";
    }
    return "?";
}

class FakePlatform final : public Platform {
public:
    explicit FakePlatform(Script script) : m_script(std::move(script)) {}

    std::vector<std::string> calls;
    std::optional<Bytes> picture;  // nothing: still the banner

    bool showFileDialog(Control dialog) override
    {
        calls.push_back("showFileDialog(" + name(dialog) + ")");
        const bool answer = m_script.dialogAnswers.front();
        m_script.dialogAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> getFileName(Control dialog) override
    {
        calls.push_back("getFileName(" + name(dialog) + ")");
        return m_script.fileNames.at(dialog);
    }
    extraction::Result<void> extractIconToFile(const std::string& sourcePath, int iconNumber,
                                               const std::string& destinationPath,
                                               std::optional<int> sizePx) override
    {
        calls.push_back("extractIconToFile(" + sourcePath + ", " + std::to_string(iconNumber) + ", " + destinationPath +
                        ", " + (sizePx ? std::to_string(*sizePx) : "-") + ")");
        if (m_script.extractionError)
            return extraction::Error{*m_script.extractionError, 0};
        return {};
    }
    std::optional<Bytes> readFileBytes(const std::string& path) override
    {
        calls.push_back("readFileBytes(" + path + ")");
        auto bytes = m_script.readBacks.front();
        m_script.readBacks.pop_front();
        return bytes;
    }
    // Only what starts like an .ico file counts as an image here.
    bool setPictureBytes(Control control, const Bytes& bytes) override
    {
        calls.push_back("setPictureBytes(" + name(control) + ", " + std::to_string(bytes.size()) + " bytes)");
        if (bytes.size() < 4 || !std::equal(icoBytes.begin(), icoBytes.begin() + 4, bytes.begin()))
            return false;
        picture = bytes;
        return true;
    }
    void showMessageBox(const std::string& message, std::uint32_t style, const std::string& title) override
    {
        calls.push_back("showMessageBox(" + message + ", " + hex(style) + ", " + title + ")");
    }

private:
    Script m_script;
};

std::string failureBox(std::string_view reason)
{
    return "showMessageBox(提取失败：" + std::string(reason) + ", 0x10, 提示)";
}

const std::string incompleteBox = "showMessageBox(请提供完整信息, 0x30, 提示)";
const std::string succeededBox = "showMessageBox(提取成功, 0x40, 提示)";
const std::string readBackFailedBox = failureBox("无法读回保存的文件");
const std::string notAnImageBox = failureBox("保存的文件不是可以显示的图标");

const std::map<Control, std::optional<std::string>> bothNames{
    {Control::FileDialog1, "/home/u/程序.exe"}, {Control::FileDialog2, "/home/u/图标.ico"}};

const std::vector<std::string> upToExtraction{
    "showFileDialog(通用对话框1)",
    "showFileDialog(通用对话框2)",
    "getFileName(通用对话框1)",
    "getFileName(通用对话框2)",
    "extractIconToFile(/home/u/程序.exe, 0, /home/u/图标.ico, -)",
};

std::vector<std::string> concat(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::vector<std::string> readBack{"getFileName(通用对话框2)", "readFileBytes(/home/u/图标.ico)"};

struct Scenario {
    std::string name;
    Script script;
    int runs = 1;
    std::vector<std::string> expectedCalls;
    std::optional<Bytes> expectedPicture;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class ExtractionActionTest : public testing::TestWithParam<Scenario> {};

TEST_P(ExtractionActionTest, CallsThePlatformInOrderAndTellsTheUser)
{
    const Scenario& scenario = GetParam();
    FakePlatform platform(scenario.script);
    ExtractionAction action(platform);
    for (int run = 0; run < scenario.runs; ++run)
        action.onButton1Click();
    EXPECT_EQ(platform.calls, scenario.expectedCalls);
    EXPECT_EQ(platform.picture, scenario.expectedPicture);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ExtractionActionTest, testing::Values(
    Scenario{"FirstDialogCancelledSoTheSecondIsNotShown",
             {{false}, bothNames, {}, {}}, 1,
             {"showFileDialog(通用对话框1)", incompleteBox}, std::nullopt},
    Scenario{"SecondDialogCancelled",
             {{true, false}, bothNames, {}, {}}, 1,
             {"showFileDialog(通用对话框1)", "showFileDialog(通用对话框2)", incompleteBox}, std::nullopt},
    Scenario{"BothConfirmedThenExtractedReadBackShownAndSucceeded",
             {{true, true}, bothNames, {}, {icoBytes}}, 1,
             concat(concat(upToExtraction, readBack), {"setPictureBytes(图片框1, 6 bytes)", succeededBox}),
             icoBytes},
    Scenario{"ServiceFailsWithItsReasonNoReadBackPictureUnchanged",
             {{true, true}, bothNames, extraction::ErrorCode::NotExecutable, {}}, 1,
             concat(upToExtraction, {failureBox(extraction::message(extraction::ErrorCode::NotExecutable))}),
             std::nullopt},
    Scenario{"ReadBackAbsent",
             {{true, true}, bothNames, {}, {std::nullopt}}, 1,
             concat(concat(upToExtraction, readBack), {readBackFailedBox}), std::nullopt},
    Scenario{"ReadBackEmpty",
             {{true, true}, bothNames, {}, {Bytes{}}}, 1,
             concat(concat(upToExtraction, readBack), {readBackFailedBox}), std::nullopt},
    Scenario{"ReadBackIsNoImage",
             {{true, true}, bothNames, {}, {textBytes}}, 1,
             concat(concat(upToExtraction, readBack), {"setPictureBytes(图片框1, 5 bytes)", notAnImageBox}),
             std::nullopt},
    Scenario{"ConfirmedDialogYieldsNoNameSoTheEmptyPathGoes",
             {{true, true},
              {{Control::FileDialog1, std::nullopt}, {Control::FileDialog2, "/home/u/图标.ico"}},
              extraction::ErrorCode::InvalidArgument, {}}, 1,
             {"showFileDialog(通用对话框1)", "showFileDialog(通用对话框2)", "getFileName(通用对话框1)",
              "getFileName(通用对话框2)", "extractIconToFile(, 0, /home/u/图标.ico, -)",
              failureBox(extraction::message(extraction::ErrorCode::InvalidArgument))},
             std::nullopt},
    Scenario{"TwoRunsInARowAndTheSecondFileIsShown",
             {{true, true, true, true}, bothNames, {}, {icoBytes, otherIcoBytes}}, 2,
             concat(concat(concat(upToExtraction, readBack), {"setPictureBytes(图片框1, 6 bytes)", succeededBox}),
                    concat(concat(upToExtraction, readBack), {"setPictureBytes(图片框1, 6 bytes)", succeededBox})),
             otherIcoBytes}),
    [](const testing::TestParamInfo<Scenario>& row) { return row.param.name; });

} // namespace
} // namespace zorvane
