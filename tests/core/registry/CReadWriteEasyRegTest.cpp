// What the registry class makes of the platform's error codes and failures, and its sort.

#include <gtest/gtest.h>

#include <stdexcept>

#include "registry/CReadWriteEasyReg.h"
#include "support/FakeUserInterface.h"

namespace marvok::test {
namespace {

using namespace std::string_literals;

// A registry whose every key exists, whose queries answer a set code and which can be made to
// throw, as an unexpected failure below the class would.
class ScriptedRegistry final : public platform::Registry {
  public:
    using Handle = platform::RegHandle;
    long OpenKey(std::uint32_t, std::string_view, Handle& key) override {
        key = ++lastHandle;
        return Call();
    }
    long CloseKey(Handle key) override {
        closed.push_back(key);
        return key == 0 ? platform::kErrorInvalidHandle : 0;
    }
    long CreateKey(Handle, std::string_view) override { return Call(); }
    long DeleteKey(Handle, std::string_view) override { return Call(); }
    long DeleteValue(Handle, std::string_view) override { return Call(); }
    long EnumKey(Handle, std::uint32_t index, std::string& name) override {
        Call();
        if (index < keyCount) {
            name = "k" + std::to_string(index);
            return 0;
        }
        return throwAfterTwo ? throw std::runtime_error("broken") : platform::kErrorNoMoreItems;
    }
    long EnumValue(Handle key, std::uint32_t index, std::string& name) override {
        return EnumKey(key, index, name);
    }
    long QueryValue(Handle, std::string_view, std::uint32_t& type, std::string& data) override {
        Call();
        type = platform::kRegSz;
        data = "x\0"s;
        return queryCode;
    }
    long SetValue(Handle, std::string_view, std::uint32_t, std::string_view) override {
        return Call();
    }
    long Call() {
        ++calls;
        return throwAll ? throw std::runtime_error("broken") : 0;
    }

    long queryCode = 0;
    bool throwAll = false;
    bool throwAfterTwo = false;
    std::uint32_t keyCount = 2;
    int calls = 0;
    Handle lastHandle = 0;
    std::vector<Handle> closed;
};

class EasyRegTest : public ::testing::Test {
  protected:
    ScriptedRegistry registry;
    FakeUserInterface ui;
};

TEST_F(EasyRegTest, QueryErrorCodesBecomeTexts) {
    const std::pair<long, std::optional<RegData>> cases[] = {
        {0, "x"s}, {2, std::nullopt}, {5, "Access Denied"s},
        {1018, "RegQueryValueEx Returned : (1018)"s}, {87, "RegQueryValueEx Returned : (87)"s}};
    CReadWriteEasyReg reg(registry, ui);
    ASSERT_TRUE(reg.OpenRegistry(platform::kHkeyLocalMachine, "Key"));
    for (const auto& [code, expected] : cases) {
        SCOPED_TRACE(code);
        registry.queryCode = code;
        EXPECT_EQ(reg.GetValue("v"), expected);
    }
}

TEST_F(EasyRegTest, ClosedObjectCallsNothingAndFailuresEndWithFixedResults) {
    CReadWriteEasyReg reg(registry, ui);
    reg.GetAllSubDirectories();
    reg.GetAllValues();
    reg.GetValue("v");
    reg.CreateDirectory("k");
    reg.deleteDirectory("k");
    reg.CreateValue("v", "x"s, 1);
    reg.DeleteValue("v");
    // No root: nothing is stored and nothing is called.
    EXPECT_FALSE(reg.OpenRegistry(0, "Key"));
    EXPECT_EQ(registry.calls, 0);

    // Far more keys than a 16-bit count holds.
    registry.keyCount = 40000;
    ASSERT_TRUE(reg.OpenRegistry(platform::kHkeyCurrentUser, "Key"));
    const auto names = reg.GetAllSubDirectories();
    ASSERT_EQ(names.value_or(RegList{}).size(), 40000u);
    EXPECT_EQ(names->back(), "k39999");
    // The names gathered before a failure are dropped.
    registry.keyCount = 2;
    registry.throwAfterTwo = true;
    EXPECT_EQ(reg.GetAllSubDirectories(), std::nullopt);
    EXPECT_EQ(reg.GetAllValues(), std::nullopt);
    registry.throwAll = true;
    EXPECT_EQ(reg.GetValue("v"), std::optional<RegData>(""s));
    EXPECT_FALSE(reg.OpenRegistry(platform::kHkeyCurrentUser, "Other"));
    EXPECT_FALSE(reg.IsOpen());
}

TEST_F(EasyRegTest, HandlesAreClosedOnceAndOnDestruction) {
    {
        CReadWriteEasyReg reg(registry, ui);
        ASSERT_TRUE(reg.OpenRegistry(platform::kHkeyCurrentUser, "A"));
        ASSERT_TRUE(reg.OpenRegistry(platform::kHkeyCurrentUser, "B"));  // closes A first
        EXPECT_EQ(registry.closed, (std::vector<platform::RegHandle>{1}));
    }
    EXPECT_EQ(registry.closed, (std::vector<platform::RegHandle>{1, 2}));

    registry.closed.clear();
    {
        CReadWriteEasyReg reg(registry, ui);
        ASSERT_TRUE(reg.OpenRegistry(platform::kHkeyCurrentUser, "C"));
        EXPECT_TRUE(reg.CloseRegistry());
        // A second close must not reach the handle the platform may have given to another key.
        EXPECT_FALSE(reg.CloseRegistry());
    }
    EXPECT_EQ(registry.closed, (std::vector<platform::RegHandle>{3, 0}));
}

TEST(SortArrayAscending, SortsLikeTheOriginalInsertionSort) {
    const auto list = [](std::vector<RegScalar> items, int lower = 0) {
        return SortInput(RegArray{lower, std::move(items)});
    };
    using W = std::int64_t;
    const struct {
        const char* label;
        SortInput input;
        SortInput expected;
    } cases[] = {
        {"numbers", list({W{3}, W{1}, W{2}}), list({W{1}, W{2}, W{3}})},
        {"texts by character codes", list({"b"s, "B"s, "a"s, "ab"s}),
         list({"B"s, "a"s, "ab"s, "b"s})},
        {"numbers before texts", list({"1"s, W{2}, "0"s, 1.5}), list({1.5, W{2}, "0"s, "1"s})},
        // Equal elements come out in the reverse of their input order.
        {"equal elements reversed", list({W{2}, 2.0, W{1}}), list({W{1}, 2.0, W{2}})},
        {"empty list", list({}), list({})},
        {"one element", list({"x"s}), list({"x"s})},
        {"a text that is no list", SortInput(RegScalar("single"s)),
         SortInput(RegScalar("single"s))},
        {"first index 1 stays unchanged", list({W{3}, W{1}, W{2}}, 1), list({W{3}, W{1}, W{2}}, 1)},
        // Index -1 is below the loop's range and stays where it is.
        {"first index -1", list({W{9}, W{3}, W{1}, W{2}}, -1), list({W{9}, W{1}, W{2}, W{3}}, -1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(CReadWriteEasyReg::SortArrayAscending(c.input), c.expected);
    }
}

}  // namespace
}  // namespace marvok::test
