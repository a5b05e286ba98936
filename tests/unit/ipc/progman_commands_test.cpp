#include "tools/progman/progman_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Accepted {
    const char* text;
    std::vector<ProgmanCommand> commands;
};

TEST(ProgmanCommands, WellFormedTextsGiveTheirCommandsAndArguments) {
    const Accepted cases[] = {
        {"[CreateGroup(Vintrel Tesmara 98)]", {{"CreateGroup", {"Vintrel Tesmara 98"}}}},
        {"[ShowGroup(StartUp, 2)]", {{"ShowGroup", {"StartUp", "2"}}}},
        {"[AddItem(\"C:\\Program Files\\Tesmara 98\\Tesmara.exe\",\"Tesmara 98 Taskbar Icon\",,0)]",
         {{"AddItem", {"C:\\Program Files\\Tesmara 98\\Tesmara.exe", "Tesmara 98 Taskbar Icon", "", "0"}}}},
        {"[AddItem(\"C:\\a (x), [b]\\p.exe\",\"Cap (1), [2]\")]",
         {{"AddItem", {"C:\\a (x), [b]\\p.exe", "Cap (1), [2]"}}}},
        {" [DeleteGroup(A)] \r\n[CreateGroup( B )]", {{"DeleteGroup", {"A"}}, {"CreateGroup", {"B"}}}},
        {"[ExitProgman]", {{"ExitProgman", {}}}},
    };
    for (const Accepted& c : cases) {
        std::vector<ProgmanCommand> commands;
        ASSERT_TRUE(ParseProgmanCommands(c.text, &commands)) << c.text;
        ASSERT_EQ(commands.size(), c.commands.size()) << c.text;
        for (size_t i = 0; i < commands.size(); ++i) {
            EXPECT_EQ(commands[i].name, c.commands[i].name) << c.text;
            EXPECT_EQ(commands[i].args, c.commands[i].args) << c.text;
        }
    }
}

TEST(ProgmanCommands, MalformedOrOverlongTextsAreRefusedWhole) {
    const std::string refused[] = {
        "",
        "   ",
        "CreateGroup(A)",
        "[CreateGroup(A)",
        "[CreateGroup(A]",
        "[CreateGroup(\"A)]",
        "[Create Group(A)]",
        "[(A)]",
        "[CreateGroup(A)]x",
        "[ShowGroup(Vintrel Tesmara 98),2]",  // the show command outside the parentheses
        "[CreateGroup(A)][",
        "[CreateGroup(A(B))]",
        "[CreateGroup(A]B)]",
        "[AddItem(\"a\"b)]",
        "[CreateGroup(A\x01)]",
        std::string("[CreateGroup(A\0B)]", 18),
        "[CreateGroup(" + std::string(2000, 'x') + ")]",
        "[AddItem(1,2,3,4,5,6,7,8,9,10,11,12,13)]",
        std::string(9000, ' ') + "[CreateGroup(A)]",
        "[" + std::string(40, 'A') + "]",
    };
    std::string many;
    for (int i = 0; i < 65; ++i) many += "[CreateGroup(A)]";
    std::vector<std::string> all(std::begin(refused), std::end(refused));
    all.push_back(many);
    for (const std::string& text : all) {
        std::vector<ProgmanCommand> commands{{"stale", {}}};
        EXPECT_FALSE(ParseProgmanCommands(text, &commands)) << text.substr(0, 60);
        EXPECT_TRUE(commands.empty());
    }
}

// Random texts over the language's own characters: whatever comes, the parser
// ends and either refuses or gives named commands.
TEST(ProgmanCommands, RandomTextsNeverBreakTheParser) {
    const std::string alphabet = "[](),\" \\/.AaZz09\t\x01";
    std::mt19937 random(1998);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int length = random() % 48;
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        if (round % 3 == 0) text = "[AddItem(" + text + ")]";
        std::vector<ProgmanCommand> commands;
        if (!ParseProgmanCommands(text, &commands)) continue;
        for (const ProgmanCommand& command : commands) {
            EXPECT_FALSE(command.name.empty()) << text;
        }
    }
}

}  // namespace
