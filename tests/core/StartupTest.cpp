#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "app/ConsoleUserInterface.h"
#include "app/Startup.h"
#include "support/FakeUserInterface.h"
#include "support/SessionFixture.h"
#include "support/Utf16File.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;
const std::string kOldPodIni = "1\r\na.pod\r\n";

class StartupTest : public test::SessionFixture {
protected:
    StartupTest() {
        game.WriteSized("monster.exe", 2925568);
        Pods({"a.pod", "b.pod", "c.pod", "free.pod"});
    }

    Startup::Result Start(std::vector<std::string> arguments) {
        platform::CommandLineInput input;
        input.arguments = std::move(arguments);
        services.standardError = &errors;
        return Startup::FormLoad(session, game.Folder(), input, services);
    }

    Startup::Services services;
    std::ostringstream errors;
};

// A plain start reads pod.ini; /open replaces the list in memory only.
TEST_F(StartupTest, APlainStartLoadsPodIniAndOpenReplacesTheListInMemoryOnly) {
    game.Write("pod.ini", "2\r\nb.pod\r\na.pod\r\n");
    EXPECT_TRUE(Start({}).showWindow);
    EXPECT_EQ(session.Caption + " " + std::to_string(session.PodLimit), "MTM2 Patched 100");
    EXPECT_EQ(session.List1.Items(), (Names{"b.pod", "a.pod"}));
    EXPECT_EQ(session.List2.Items(), (Names{"c.pod", "free.pod"}));
    EXPECT_EQ(session.PodIniPath + "|" + session.MonsterIniPath,
              game.Folder() + "\\pod.ini|" + game.Folder() + "\\system\\Monster.ini");
    game.Write("ini\\race.ini", "2\r\nb.pod\r\nc.pod\r\n");
    EXPECT_TRUE(Start({"/open", game.Native("ini\\race.ini").string()}).showWindow);
    EXPECT_EQ(session.List1.Items(), (Names{"b.pod", "c.pod"}));
    EXPECT_EQ(game.Read("pod.ini"), "2\r\nb.pod\r\na.pod\r\n");
    EXPECT_EQ(session.List2.Items(), (Names{"a.pod", "free.pod"}));
}

// Notepad's "UTF-8" and "Unicode" too; pod.ini is then written in the game's code page. A
// missing pod left out is in the command line tests of the program itself.
TEST_F(StartupTest, InstallWritesWhatCanBeMountedAsPodIniAndEnds) {
    Pods({"café.pod"});
    const std::string cafe = "2\r\ncafé.pod\r\nb.pod\r\n";
    const std::tuple<std::string, const char*, bool> cases[] = {  // quiet: no standard error
        {"0\r\n", "0\r\n", true},
        {"1\r\nnothere.pod\r\n", "0\r\n", false},
        {"\xef\xbb\xbf" + cafe, "2\r\ncaf\xe9.pod\r\nb.pod\r\n", true},
        {test::Utf16File(cafe), "2\r\ncaf\xe9.pod\r\nb.pod\r\n", true}};
    for (const auto& [list, podIni, quiet] : cases) {
        game.Write("pod.ini", kOldPodIni);
        game.Write("race.ini", list);
        errors.str("");
        const auto started = Start({"/i", "race.ini"});
        EXPECT_TRUE(!started.showWindow && started.exitCode == 0) << list;
        EXPECT_EQ(game.Read("pod.ini"), podIni) << list;
        EXPECT_EQ(errors.str().empty(), quiet) << errors.str();
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupTest, InstallWritesAtMostThePodLimit) {
    game.WriteSized("monster.exe", 2920448);  // unpatched: 30 pods
    std::string list = "31\r\n";
    for (int i = 0; i < 31; ++i) {
        const std::string name = "p" + std::to_string(i) + ".pod";
        game.Write(name, "POD");
        list += name + "\r\n";
    }
    game.Write("big.ini", list);
    EXPECT_EQ(Start({"/i", "big.ini"}).exitCode, 0);
    EXPECT_EQ(game.Read("pod.ini").substr(0, 4), "30\r\n");
    EXPECT_EQ(errors.str(),
              "Marvok: 1 entry of big.ini was not mounted (1 left out: MTM2 Unpatched pod limit "
              "is 30 pods):\n  \"p30.pod\": beyond the pod limit\n");
}

TEST_F(StartupTest, AFileThatIsNoPodListIsRefusedByInstallAndShownAsSuchByOpen) {
    const std::pair<std::string, const char*> refused[] = {
        {"", "not a pod list"},
        {"[.ShellClassInfo]\r\nIconResource=C:\\x.dll,3\r\n", "not a pod list"},
        // Cut at the limit, this list would install as empty.
        {"1\r\n" + std::string(16u << 20, '\n') + "b.pod\r\n", "16 MiB"},
        {"", "broken.ini"}};  // a folder: exists, cannot be read as a file
    game.MakeFolder("broken.ini");
    for (const auto& [bytes, says] : refused) {
        const char* list = std::string_view(says) == "broken.ini" ? "broken.ini" : "list.ini";
        game.Write("pod.ini", kOldPodIni);
        if (*list == 'l') {
            game.Write("list.ini", bytes);
        }
        ui.messages.clear();
        const auto installed = Start({"/install", list});
        EXPECT_TRUE(!installed.showWindow && installed.exitCode != 0) << says;
        EXPECT_EQ(game.Read("pod.ini"), kOldPodIni);
        EXPECT_TRUE(ui.messages.size() == 1 && Said(0, says)) << says;
        EXPECT_EQ(ui.messages.at(0).icon, MessageIcon::Critical);
        EXPECT_TRUE(Start({"/open", list}).showWindow);
        EXPECT_EQ(session.List1.Items(), Names{"a.pod"});
        EXPECT_TRUE(ui.messages.size() == 2 && Said(1, says)) << says;
    }
}

TEST_F(StartupTest, InstallThatCannotWritePodIniFails) {
    game.MakeFolder("pod.ini");  // pod.ini cannot be replaced
    game.Write("race.ini", kOldPodIni);
    ui.answers = {MessageAnswer::Ok, MessageAnswer::No};
    EXPECT_NE(Start({"/install", "race.ini"}).exitCode, 0);
    EXPECT_TRUE(Said(0, "pod.ini"));
}

TEST_F(StartupTest, AnUnreadablePodIniOrAnUnusableCommandLineStillShowsTheWindow) {
    game.Write("pod.ini", kOldPodIni);
    EXPECT_TRUE(Start({"/install", "missing.ini"}).showWindow);
    EXPECT_EQ(game.Read("pod.ini"), kOldPodIni);
    EXPECT_EQ(session.List1.Items(), Names{"a.pod"});
    game.Write("pod.ini", kOldPodIni + std::string(16u << 20, '\n'));
    ui.messages.clear();
    EXPECT_TRUE(Start({}).showWindow);
    EXPECT_TRUE(ui.messages.size() == 1 && Said(0, "16 MiB"));
}

TEST_F(StartupTest, DesktopMakesTheShortcutWithoutReadingTheList) {
    game.Write("race.ini", "1\r\nb.pod\r\n");
    std::string made;
    bool canMake = true;
    services.createListShortcut = [&](Session&, const std::string& file) {
        made = file;
        return canMake;
    };
    // Without pod.ini it asks first, and Yes writes an empty list.
    const auto started = Start({"/desktop", "race.ini"});
    EXPECT_TRUE(ui.messages.size() == 1 && Said(0, "Pod.ini does not exist"));
    EXPECT_EQ(game.Read("pod.ini"), "0\r\n");
    EXPECT_TRUE(!started.showWindow && started.exitCode == 0);
    EXPECT_EQ(made, "race.ini");
    game.Write("pod.ini", kOldPodIni);
    EXPECT_EQ(Start({"/d", "race.ini"}).exitCode, 0);
    EXPECT_EQ(game.Read("pod.ini"), kOldPodIni);
    canMake = false;  // a shortcut that could not be made is not a success
    EXPECT_NE(Start({"/d", "race.ini"}).exitCode, 0);
}

// A user interface that answers each question, and each file dialog as "file", by a function.
struct AnsweringUserInterface final : UserInterface {
    MessageAnswer ShowMessage(std::string_view, std::string_view text, MessageIcon, MessageButtons,
                              int) override {
        return answer(text);
    }
    std::string ShowFileDialog(const FileDialogRequest&) override {
        return answer("file") == MessageAnswer::Yes ? "race.ini" : "";
    }
    std::function<MessageAnswer(std::string_view)> answer;
};

MessageAnswer Ask(UserInterface& ui, const char* text) {
    return ui.ShowMessage("Marvok", text, MessageIcon::Question, MessageButtons::YesNo);
}

TEST(UserInterfaceRelayTest, TheWorksQuestionsAreAnsweredHereAfterTheForegroundInTheirOrder) {
    AnsweringUserInterface target;
    std::atomic<bool> asking = false;
    std::atomic<bool> foregroundDone = false;
    std::vector<std::string> asked;  // "!" marks one answered elsewhere or too early
    const std::thread::id home = std::this_thread::get_id();
    target.answer = [&](std::string_view text) {
        const bool rightTime = std::this_thread::get_id() == home && foregroundDone;
        asked.push_back(std::string(text) + (rightTime ? "" : "!"));
        return text == "one" ? MessageAnswer::No : MessageAnswer::Yes;
    };
    Startup::UserInterfaceRelay relay(target);
    std::vector<std::string> answers;
    const Startup::Result result = relay.RunBeside(
        [&] {
            asking = true;
            answers.push_back(Ask(relay, "one") == MessageAnswer::No ? "no" : "yes");
            answers.push_back(relay.ShowFileDialog({}));
            answers.push_back(Ask(relay, "two") == MessageAnswer::Yes ? "yes" : "no");
            return Startup::Result{false, 7};
        },
        [&] {
            // Give the work time to ask before the foreground ends.
            while (!asking) {
                std::this_thread::yield();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            foregroundDone = true;
        });
    EXPECT_TRUE(!result.showWindow && result.exitCode == 7);
    EXPECT_EQ(answers, (std::vector<std::string>{"no", "race.ini", "yes"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"one", "file", "two"}));
    Ask(relay, "three");  // outside RunBeside a question goes straight through
    EXPECT_EQ(asked.back(), "three");
}

TEST(UserInterfaceRelayTest, AFailureOnEitherSideReachesTheCallerAfterTheWorkHasEnded) {
    test::FakeUserInterface target;
    Startup::UserInterfaceRelay relay(target);
    EXPECT_THROW(
        relay.RunBeside([]() -> Startup::Result { throw std::runtime_error("work"); }, [] {}),
        std::runtime_error);
    std::atomic<bool> workEnded = false;
    EXPECT_THROW(relay.RunBeside(
                     [&] {
                         Ask(relay, "asked");
                         workEnded = true;
                         return Startup::Result{};
                     },
                     [] { throw std::logic_error("foreground"); }),
                 std::logic_error);
    EXPECT_TRUE(workEnded);
    EXPECT_EQ(target.messages.size(), 1u);
    // A question that fails fails in the work that asked it, which may catch it.
    AnsweringUserInterface throwing;
    throwing.answer = [](std::string_view) -> MessageAnswer {
        throw std::runtime_error("no display");
    };
    Startup::UserInterfaceRelay failing(throwing);
    const Startup::Result caught = failing.RunBeside(
        [&] {
            try {
                Ask(failing, "asked");
            } catch (const std::runtime_error&) {
                return Startup::Result{false, 5};
            }
            return Startup::Result{};
        },
        [] {});
    EXPECT_EQ(caught.exitCode, 5);
}

TEST(ConsoleUserInterface, PrintsEachMessageOnOneLineAndTakesTheDefaultAnswer) {
    std::ostringstream out;
    ConsoleUserInterface console(out);
    const struct {
        MessageButtons buttons;
        int defaultButton;
        MessageAnswer answer;
        const char* shown;
    } cases[] = {
        {MessageButtons::Ok, 0, MessageAnswer::Ok, ""},
        {MessageButtons::OkCancel, 0, MessageAnswer::Ok, " [OK]"},
        {MessageButtons::OkCancel, 1, MessageAnswer::Cancel, " [Cancel]"},
        {MessageButtons::YesNo, 0, MessageAnswer::Yes, " [Yes]"},
        {MessageButtons::YesNo, 1, MessageAnswer::No, " [No]"},
        {MessageButtons::YesNoCancel, 2, MessageAnswer::Cancel, " [Cancel]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        out.str("");
        EXPECT_EQ(console.ShowMessage("Marvok", "two\nlines", MessageIcon::Question, c.buttons,
                                      c.defaultButton),
                  c.answer);
        EXPECT_EQ(out.str(), std::string("Marvok: two lines") + c.shown + "\n");
    }
    EXPECT_EQ(console.ShowFileDialog({}), "");  // no one to ask: cancelled
}

}  // namespace
}  // namespace marvok
