// One set of registry behaviours, held against every backend: the Wine file store everywhere and,
// on Windows (under Wine in the test run), advapi32.

#include <gtest/gtest.h>

#include <algorithm>

#include "RegistrySandbox.h"
#include "registry/CReadWriteEasyReg.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/FakeUserInterface.h"

namespace marvok::test {
namespace {

using namespace std::string_literals;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
constexpr auto kUser = mRegStuff::kHkeyCurrentUser;
using Set = std::set<std::string>;

class RegistryContract : public ::testing::TestWithParam<std::string> {
  protected:
    platform::Registry& Reg() { return sandbox_.Registry(); }
    std::string Path(const std::string& below = {}) const { return sandbox_.Path(below); }
    void MakeKey(std::uint32_t root, const std::string& path) {
        ASSERT_EQ(test::MakeKey(Reg(), root, path), 0);
    }
    void Put(std::uint32_t root, const std::string& path, const std::string& name,
             std::uint32_t type, const std::string& data) {
        ASSERT_EQ(test::Put(Reg(), root, path, name, type, data), 0);
    }
    bool Exists(const std::string& below, std::uint32_t root = kHkeyCurrentUser) {
        return KeyExists(Reg(), root, Path(below));
    }
    static RegList Sorted(RegList names) {
        std::sort(names.begin(), names.end());
        return names;
    }
    // The texts of the messages shown since the last call, one a line.
    std::string Said() {
        std::string texts;
        for (const auto& message : ui.messages) {
            texts += (texts.empty() ? "" : "\n") + message.text;
        }
        ui.messages.clear();
        return texts;
    }

    RegistrySandbox sandbox_{GetParam()};
    FakeUserInterface ui;
};

TEST_P(RegistryContract, EachTypeReadsAsItsText) {
    const struct {
        const char* label;
        std::uint32_t type;
        std::string data;
        bool returnBinStr;
        RegData expected;
    } cases[] = {
        {"sz", 1, "hello\0"s, false, "hello"s},
        {"sz stored with no bytes", 1, ""s, false, ""s},
        {"sz stored without its NUL keeps its last character", 1, "abc"s, false, "abc"s},
        {"sz beyond ASCII", 1, "Müller – 10€\0"s, false, "Müller – 10€"s},
        {"expand sz keeps references", 2, "%SystemRoot%\\x\0"s, false, "%SystemRoot%\\x"s},
        {"binary as hex text", 3, "\x01\xff\x00\x0a"s, false, "01 FF 00 0A "s},
        {"binary raw", 3, "\x01\xff\x00"s, true, "\x01\xff\x00"s},
        {"dword 1 low byte first", 4, "\x01\x00\x00\x00"s, false, "01 00 00 00 "s},
        {"big endian always raw", 5, "\x00\x00\x00\x02"s, false, "\x00\x00\x00\x02"s},
        {"none", 0, "x"s, false, "Not defined value_type=REG_NONE"s},
        {"link", 6, "x"s, false, "Not defined value_type=REG_LINK"s},
        {"multi sz ends in an empty element", 7, "a\0b\0\0"s, false, RegList{"a", "b", ""}},
        {"multi sz without a NUL at its end", 7, "a\0b"s, false, ""s},
        {"resource list", 8, "x"s, false, "Not defined value_type=REG_RESOURCE_LIST"s},
        {"full resource descriptor", 9, "x"s, false,
         "Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR"s},
        {"requirements list", 10, "x"s, false,
         "Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST"s},
        {"other type in decimal", 0x1234, "x"s, false, "value_type=4660"s},
    };
    CReadWriteEasyReg reg(Reg(), ui);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Put(kHkeyCurrentUser, Path(), c.label, c.type, c.data);
        ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
        EXPECT_EQ(reg.GetValue(c.label, c.returnBinStr), std::optional<RegData>(c.expected));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, OpenCloseOneBackAndTheStoredPath) {
    Put(kHkeyCurrentUser, Path("Parent"), "atParent", 1, "p\0"s);
    MakeKey(kHkeyCurrentUser, Path("Parent\\Child"));
    CReadWriteEasyReg reg(Reg(), ui);
    EXPECT_FALSE(reg.OpenRegistry(0, Path()));
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_EQ(reg.RegistryRootKey(), 0u);
    EXPECT_EQ(reg.SubDirectory(), "");

    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("Parent\\Child")));
    EXPECT_TRUE(reg.IsOpen());
    // A failing open closes the key that was open and keeps what it was asked for.
    EXPECT_FALSE(reg.OpenRegistry(kHkeyCurrentUser, Path("Missing")));
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_EQ(reg.RegistryRootKey(), kHkeyCurrentUser);
    EXPECT_EQ(reg.SubDirectory(), Path("Missing"));
    EXPECT_EQ(reg.GetValue("anything"), std::nullopt);

    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("Parent\\Child")));
    reg.OneBackOnKey();
    EXPECT_TRUE(reg.IsOpen());
    EXPECT_EQ(reg.SubDirectory(), Path("Parent"));
    EXPECT_EQ(reg.GetValue("atParent"), std::optional<RegData>("p"s));
    EXPECT_TRUE(reg.CloseRegistry());
    EXPECT_FALSE(reg.IsOpen());

    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, "Software"));
    EXPECT_THROW(reg.OneBackOnKey(), std::invalid_argument);
    EXPECT_TRUE(reg.IsOpen());
    EXPECT_EQ(reg.SubDirectory(), "Software");
    // The empty path opens the root itself.
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, ""));
    EXPECT_TRUE(reg.GetAllSubDirectories().has_value());
}

TEST_P(RegistryContract, EnumeratesEveryKeyAndValue) {
    MakeKey(kHkeyCurrentUser, Path("b"));
    MakeKey(kHkeyCurrentUser, Path("A"));
    MakeKey(kHkeyCurrentUser, Path("c\\deeper"));
    const std::string longName = "m" + std::string(299, 'n');
    Put(kHkeyCurrentUser, Path(), "first", 1, "1\0"s);
    // Data longer than any fixed buffer must not hide the values after it.
    Put(kHkeyCurrentUser, Path(), "long", 3, std::string(300, 'x'));
    Put(kHkeyCurrentUser, Path(), longName, 1, "long name\0"s);
    Put(kHkeyCurrentUser, Path(), "zlast", 4, "\x05\x00\x00\x00"s);
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    EXPECT_EQ(Sorted(*reg.GetAllSubDirectories()), (RegList{"A", "b", "c"}));
    EXPECT_EQ(Sorted(*reg.GetAllValues()), (RegList{"first", "long", longName, "zlast"}));
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("A")));
    EXPECT_EQ(reg.GetAllSubDirectories(), std::optional<RegList>(RegList{}));
    EXPECT_EQ(reg.GetAllValues(), std::optional<RegList>(RegList{}));
}

TEST_P(RegistryContract, CreatesAndDeletesKeysAndValues) {
    MakeKey(kHkeyCurrentUser, Path());
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    EXPECT_TRUE(reg.CreateDirectory("x\\y\\z"));
    EXPECT_TRUE(Exists("x\\y\\z"));
    EXPECT_TRUE(reg.CreateDirectory("x\\y"));  // already there
    EXPECT_EQ(reg.SubDirectory(), Path());     // the object stays where it was

    EXPECT_FALSE(reg.deleteDirectory("missing"));
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("x\\y")));
    EXPECT_TRUE(reg.deleteDirectory("z"));
    EXPECT_FALSE(Exists("x\\y\\z"));
    EXPECT_TRUE(Exists("x\\y"));

    EXPECT_TRUE(reg.CreateValue("v", "text"s, 1));
    EXPECT_TRUE(reg.DeleteValue("v"));
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_FALSE(Get(Reg(), kHkeyCurrentUser, Path("x\\y"), "v").has_value());
}

TEST_P(RegistryContract, CreateValueStoresTheTypesFormOrRefusesIt) {
    const std::string unsupported = "Unable to process that Type of data.";
    const struct {
        const char* label;
        std::uint32_t type;
        RegScalar data;
        std::optional<MultiSzStrings> more;
        std::string stored;  // empty: nothing may be written
        std::string message;
    } cases[] = {
        {"sz", 1, "abc"s, std::nullopt, "abc\0"s, ""},
        {"sz from a number", 1, std::int64_t{42}, std::nullopt, "42\0"s, ""},
        {"expand sz", 2, "%TEMP%\\a"s, std::nullopt, "%TEMP%\\a\0"s, ""},
        {"dword from text", 4, " 42 "s, std::nullopt, "\x2a\x00\x00\x00"s, ""},
        {"dword negative", 4, std::int64_t{-2}, std::nullopt, "\xfe\xff\xff\xff"s, ""},
        {"dword rounds half to even", 4, 6.5, std::nullopt, "\x06\x00\x00\x00"s, ""},
        {"dword text with a fraction", 4, "7.5"s, std::nullopt, "\x08\x00\x00\x00"s, ""},
        {"dword not a number", 4, "abc"s, std::nullopt, "", ""},
        {"dword largest", 4, std::int64_t{2147483647}, std::nullopt, "\xff\xff\xff\x7f"s, ""},
        {"dword largest text", 4, "2147483647"s, std::nullopt, "\xff\xff\xff\x7f"s, ""},
        {"dword one beyond", 4, std::int64_t{2147483648}, std::nullopt, "", ""},
        {"dword rounds beyond", 4, 2147483647.5, std::nullopt, "", ""},
        {"dword smallest", 4, std::int64_t{-2147483648}, std::nullopt, "\x00\x00\x00\x80"s, ""},
        {"dword smallest real", 4, -2147483648.0, std::nullopt, "\x00\x00\x00\x80"s, ""},
        {"dword one below", 4, std::int64_t{-2147483649}, std::nullopt, "", ""},
        {"dword one below text", 4, "-2147483649"s, std::nullopt, "", ""},
        {"multi sz skips empty and null", 7, "first"s,
         MultiSzStrings{""s, "x"s, std::nullopt, "\0"s}, "first\0x\0\0"s, ""},
        {"multi sz empty first string", 7, ""s, std::nullopt, "\0\0"s, ""},
        {"none", 0, "01"s, std::nullopt, "", unsupported},
        {"binary", 3, "01"s, std::nullopt, "", unsupported},
        {"qword", 11, "01"s, std::nullopt, "", unsupported},
    };
    MakeKey(kHkeyCurrentUser, Path());
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(reg.CreateValue(c.label, c.data, c.type, c.more), !c.stored.empty());
        const auto stored = Get(Reg(), kHkeyCurrentUser, Path(), c.label);
        EXPECT_EQ(stored ? stored->data : "", c.stored);
        EXPECT_EQ(stored ? stored->type : c.type, c.type);
        EXPECT_EQ(Said(), c.message);
    }
}

// Looking writes nothing: a missing key reads as empty, silently, and is not created.
TEST_P(RegistryContract, ReadValueGivesTextAndCreatesNothing) {
    EXPECT_EQ(mRegStuff::ReadAllValueNames(Reg(), ui, Path("Game\\Key")), RegList{});
    EXPECT_FALSE(Exists("Game", kHkeyLocalMachine));
    EXPECT_EQ(mRegStuff::ReadValue(Reg(), ui, Path("Other"), "missing"), "");
    EXPECT_FALSE(Exists("Other", kHkeyLocalMachine));

    Put(kHkeyLocalMachine, Path(), "sz", 1, "C:\\Games\\MTM2\0"s);
    Put(kHkeyLocalMachine, Path(), "dword", 4, "\x01\x00\x00\x00"s);
    Put(kHkeyLocalMachine, Path(), "multi", 7, "a\0b\0\0"s);
    EXPECT_EQ(mRegStuff::ReadValue(Reg(), ui, Path(), "sz"), "C:\\Games\\MTM2");
    EXPECT_EQ(mRegStuff::ReadValue(Reg(), ui, Path(), "dword"), "01 00 00 00 ");
    // A list of strings has no single text: the row stays empty.
    EXPECT_EQ(mRegStuff::ReadValue(Reg(), ui, Path(), "multi"), "");
    EXPECT_EQ(Sorted(*mRegStuff::ReadAllValueNames(Reg(), ui, Path())),
              (RegList{"dword", "multi", "sz"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, WritesMakeEveryMissingKeyAndDeletesLeaveTheParent) {
    EXPECT_TRUE(mRegStuff::WriteValue(Reg(), ui, kUser, Path("a\\b\\c"), "Name", "data"));
    EXPECT_TRUE(mRegStuff::WriteValue(Reg(), ui, kUser, Path("a\\b\\c"), "", "default"));
    // Texts with their NUL: Dump leaves the NUL off a REG_SZ only.
    EXPECT_EQ(Dump(Reg(), kHkeyCurrentUser, Path("a")), (Set{"b\\c|=default", "b\\c|Name=data"}));

    EXPECT_FALSE(mRegStuff::DeleteSubKey(Reg(), ui, kUser, Path("Parent"), "Missing"));
    EXPECT_TRUE(Exists("Parent"));
    MakeKey(kHkeyCurrentUser, Path("Parent\\Child"));
    EXPECT_TRUE(mRegStuff::DeleteSubKey(Reg(), ui, kUser, Path("Parent"), "Child"));
    EXPECT_FALSE(Exists("Parent\\Child"));
    EXPECT_TRUE(Exists("Parent"));

    mMyRegStuff::WriteValueList(Reg(), ui, kUser, Path("List"), {"a", "b", "c"}, {"1", "2", "3"},
                                0);
    EXPECT_FALSE(Exists("List"));
    mMyRegStuff::WriteValueList(Reg(), ui, kUser, Path("List"), {"a", "b", "c"}, {"1", "2", "3"},
                                2);
    EXPECT_EQ(Dump(Reg(), kHkeyCurrentUser, Path("List")), (Set{"|a=1", "|b=2"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, RootsThatCannotBeOpenedShowBothMessages) {
    // No root at all, and a handle value that names no predefined key.
    for (std::string_view root : {"0", "-2147483600"}) {
        SCOPED_TRACE(root);
        EXPECT_FALSE(mRegStuff::WriteValue(Reg(), ui, root, Path(), "v", "x"));
        EXPECT_EQ(Said(), "Couldn't create registry\nCouldn't create registry value");
    }
    EXPECT_FALSE(mRegStuff::DeleteSubKey(Reg(), ui, "0", Path(), "x"));
    EXPECT_EQ(Said(), "Couldn't create registry\nCouldn't open registry value");
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(BackendNames()),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace marvok::test
