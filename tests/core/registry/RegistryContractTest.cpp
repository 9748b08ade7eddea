// One set of registry behaviours, held against every backend: the Wine file store everywhere and,
// on Windows (under Wine in the test run), advapi32.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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

std::vector<std::string> BackendNames() {
    std::vector<std::string> names;
    for (const auto& backend : Backends()) {
        names.push_back(backend.name);
    }
    return names;
}

class RegistryContract : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        for (const auto& backend : Backends()) {
            if (backend.name == GetParam()) {
                sandbox_ = backend.make();
            }
        }
        ASSERT_NE(sandbox_, nullptr);
    }

    platform::Registry& Reg() { return sandbox_->Registry(); }
    std::string Path(const std::string& below = {}) const { return sandbox_->Path(below); }

    void MakeKey(std::uint32_t root, const std::string& path) {
        platform::RegHandle rootKey = 0;
        ASSERT_EQ(0, Reg().OpenKey(root, "", rootKey));
        ASSERT_EQ(0, Reg().CreateKey(rootKey, path));
        Reg().CloseKey(rootKey);
    }

    // Writes a value through the backend alone, in any type and form.
    void Put(std::uint32_t root, const std::string& path, const std::string& name,
             std::uint32_t type, const std::string& data) {
        MakeKey(root, path);
        platform::RegHandle key = 0;
        ASSERT_EQ(0, Reg().OpenKey(root, path, key));
        ASSERT_EQ(0, Reg().SetValue(key, name, type, data));
        Reg().CloseKey(key);
    }

    struct Stored {
        std::uint32_t type;
        std::string data;
    };
    std::optional<Stored> Get(std::uint32_t root, const std::string& path,
                              const std::string& name) {
        platform::RegHandle key = 0;
        if (Reg().OpenKey(root, path, key) != 0) {
            return std::nullopt;
        }
        Stored stored{};
        const long code = Reg().QueryValue(key, name, stored.type, stored.data);
        Reg().CloseKey(key);
        if (code != 0) {
            return std::nullopt;
        }
        return stored;
    }

    bool KeyExists(std::uint32_t root, const std::string& path) {
        platform::RegHandle key = 0;
        if (Reg().OpenKey(root, path, key) != 0) {
            return false;
        }
        Reg().CloseKey(key);
        return true;
    }

    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }

    std::unique_ptr<RegistrySandbox> sandbox_;
    FakeUserInterface ui;
};

struct TypeCase {
    const char* label;
    std::uint32_t type;
    std::string data;
    bool returnBinStr;
    RegData expected;
};

TEST_P(RegistryContract, EachTypeReadsAsItsText) {
    const std::vector<TypeCase> cases = {
        {"sz", 1, "hello\0"s, false, "hello"s},
        {"sz stored with no bytes", 1, ""s, false, ""s},
        {"sz stored without its NUL keeps its last character", 1, "abc"s, false, "abc"s},
        {"sz beyond ASCII", 1, "Müller – 10€\0"s, false, "Müller – 10€"s},
        {"expand sz keeps references", 2, "%SystemRoot%\\x\0"s, false, "%SystemRoot%\\x"s},
        {"binary as hex text", 3, "\x01\xff\x00\x0a"s, false, "01 FF 00 0A "s},
        {"binary raw", 3, "\x01\xff\x00"s, true, "\x01\xff\x00"s},
        {"dword 1 low byte first", 4, "\x01\x00\x00\x00"s, false, "01 00 00 00 "s},
        {"dword raw", 4, "\x01\x00\x00\x00"s, true, "\x01\x00\x00\x00"s},
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

TEST_P(RegistryContract, OpenCloseAndStoredPath) {
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
    EXPECT_TRUE(reg.CloseRegistry());
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_FALSE(reg.CloseRegistry());

    // The empty path opens the root itself.
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, ""));
    EXPECT_TRUE(reg.GetAllSubDirectories().has_value());
}

TEST_P(RegistryContract, OneBackOnKeyMovesToTheParent) {
    Put(kHkeyCurrentUser, Path("Parent"), "atParent", 1, "p\0"s);
    MakeKey(kHkeyCurrentUser, Path("Parent\\Child"));
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("Parent\\Child")));
    reg.OneBackOnKey();
    EXPECT_TRUE(reg.IsOpen());
    EXPECT_EQ(reg.SubDirectory(), Path("Parent"));
    EXPECT_EQ(reg.GetValue("atParent"), std::optional<RegData>("p"s));

    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, "Software"));
    EXPECT_THROW(reg.OneBackOnKey(), std::invalid_argument);
    EXPECT_TRUE(reg.IsOpen());
    EXPECT_EQ(reg.SubDirectory(), "Software");
}

TEST_P(RegistryContract, EnumeratesEveryKeyAndValue) {
    MakeKey(kHkeyCurrentUser, Path("b"));
    MakeKey(kHkeyCurrentUser, Path("A"));
    MakeKey(kHkeyCurrentUser, Path("c\\deeper"));
    Put(kHkeyCurrentUser, Path(), "first", 1, "1\0"s);
    // Data longer than any fixed buffer must not hide the values after it.
    Put(kHkeyCurrentUser, Path(), "long", 3, std::string(300, 'x'));
    Put(kHkeyCurrentUser, Path(), "m" + std::string(299, 'n'), 1, "long name\0"s);
    Put(kHkeyCurrentUser, Path(), "zlast", 4, "\x05\x00\x00\x00"s);
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    EXPECT_EQ(Sorted(*reg.GetAllSubDirectories()), (RegList{"A", "b", "c"}));
    EXPECT_EQ(Sorted(*reg.GetAllValues()),
              (RegList{"first", "long", "m" + std::string(299, 'n'), "zlast"}));

    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("A")));
    EXPECT_EQ(reg.GetAllSubDirectories(), std::optional<RegList>(RegList{}));
    EXPECT_EQ(reg.GetAllValues(), std::optional<RegList>(RegList{}));
}

TEST_P(RegistryContract, CreatesAndDeletesKeysAndValues) {
    MakeKey(kHkeyCurrentUser, Path());
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    EXPECT_TRUE(reg.CreateDirectory("x\\y\\z"));
    EXPECT_TRUE(KeyExists(kHkeyCurrentUser, Path("x\\y\\z")));
    EXPECT_TRUE(reg.CreateDirectory("x\\y"));  // already there
    EXPECT_EQ(reg.SubDirectory(), Path());     // the object stays where it was

    EXPECT_FALSE(reg.deleteDirectory("missing"));
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path("x\\y")));
    EXPECT_TRUE(reg.deleteDirectory("z"));
    EXPECT_FALSE(KeyExists(kHkeyCurrentUser, Path("x\\y\\z")));
    EXPECT_TRUE(KeyExists(kHkeyCurrentUser, Path("x\\y")));

    EXPECT_TRUE(reg.CreateValue("v", "text"s, 1));
    EXPECT_TRUE(reg.DeleteValue("v"));
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_FALSE(Get(kHkeyCurrentUser, Path("x\\y"), "v").has_value());
}

struct WriteCase {
    const char* label;
    std::uint32_t type;
    RegScalar data;
    std::optional<MultiSzStrings> more;
    std::string stored;  // empty: nothing may be written
};

TEST_P(RegistryContract, CreateValueStoresTheTypesForm) {
    const std::vector<WriteCase> cases = {
        {"sz", 1, "abc"s, std::nullopt, "abc\0"s},
        {"sz from a number", 1, std::int64_t{42}, std::nullopt, "42\0"s},
        {"expand sz", 2, "%TEMP%\\a"s, std::nullopt, "%TEMP%\\a\0"s},
        {"dword from text", 4, " 42 "s, std::nullopt, "\x2a\x00\x00\x00"s},
        {"dword negative", 4, std::int64_t{-2}, std::nullopt, "\xfe\xff\xff\xff"s},
        {"dword rounds half to even", 4, 6.5, std::nullopt, "\x06\x00\x00\x00"s},
        {"dword text with a fraction", 4, "7.5"s, std::nullopt, "\x08\x00\x00\x00"s},
        {"dword not a number", 4, "abc"s, std::nullopt, ""},
        {"dword too large", 4, "3000000000"s, std::nullopt, ""},
        {"multi sz skips empty and null", 7, "first"s,
         MultiSzStrings{""s, "x"s, std::nullopt, "\0"s}, "first\0x\0\0"s},
        {"multi sz empty first string", 7, ""s, std::nullopt, "\0\0"s},
        {"multi sz single further string", 7, "a"s, MultiSzStrings{"b"s}, "a\0b\0\0"s},
    };
    MakeKey(kHkeyCurrentUser, Path());
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(reg.CreateValue(c.label, c.data, c.type, c.more), !c.stored.empty());
        const auto stored = Get(kHkeyCurrentUser, Path(), c.label);
        if (c.stored.empty()) {
            EXPECT_FALSE(stored.has_value());
            continue;
        }
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->type, c.type);
        EXPECT_EQ(stored->data, c.stored);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, UnsupportedTypesAreRefusedWithAMessage) {
    MakeKey(kHkeyCurrentUser, Path());
    CReadWriteEasyReg reg(Reg(), ui);
    ASSERT_TRUE(reg.OpenRegistry(kHkeyCurrentUser, Path()));
    for (std::uint32_t type : {0u, 3u, 5u, 6u, 8u, 11u}) {
        SCOPED_TRACE(type);
        ui.messages.clear();
        EXPECT_FALSE(reg.CreateValue("v", "01"s, type));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Unable to process that Type of data.");
        EXPECT_EQ(ui.messages[0].title, "Marvok");
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
        EXPECT_FALSE(Get(kHkeyCurrentUser, Path(), "v").has_value());
    }
}

// Looking writes nothing: a missing key reads as empty, silently, and is not created.
TEST_P(RegistryContract, ReadingMissingKeysCreatesNothing) {
    const auto names = mRegStuff::ReadAllValueNames(Reg(), ui, Path("Game\\Key"));
    EXPECT_EQ(names, std::optional<RegList>(RegList{}));
    EXPECT_FALSE(KeyExists(kHkeyLocalMachine, Path("Game")));

    EXPECT_EQ(mRegStuff::ReadValue(Reg(), ui, Path("Other"), "missing"), "");
    EXPECT_FALSE(KeyExists(kHkeyLocalMachine, Path("Other")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, ReadValueGivesTextForEveryType) {
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

TEST_P(RegistryContract, WriteValueCreatesEveryMissingKey) {
    EXPECT_TRUE(mRegStuff::WriteValue(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("a\\b\\c"),
                                      "Name", "data"));
    EXPECT_TRUE(mRegStuff::WriteValue(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("a\\b\\c"), "",
                                      "default"));
    const auto stored = Get(kHkeyCurrentUser, Path("a\\b\\c"), "Name");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, 1u);
    EXPECT_EQ(stored->data, "data\0"s);
    EXPECT_EQ(Get(kHkeyCurrentUser, Path("a\\b\\c"), "")->data, "default\0"s);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(RegistryContract, DeleteSubKeyLeavesTheParentBehind) {
    EXPECT_FALSE(
        mRegStuff::DeleteSubKey(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("Parent"), "Missing"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(KeyExists(kHkeyCurrentUser, Path("Parent")));

    MakeKey(kHkeyCurrentUser, Path("Parent\\Child"));
    EXPECT_TRUE(
        mRegStuff::DeleteSubKey(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("Parent"), "Child"));
    EXPECT_FALSE(KeyExists(kHkeyCurrentUser, Path("Parent\\Child")));
}

TEST_P(RegistryContract, RootsThatCannotBeOpenedShowBothMessages) {
    // No root at all, and a handle value that names no predefined key.
    for (std::string_view root : {"0", "-2147483600"}) {
        SCOPED_TRACE(root);
        ui.messages.clear();
        EXPECT_FALSE(mRegStuff::WriteValue(Reg(), ui, root, Path(), "v", "x"));
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].text, "Couldn't create registry");
        EXPECT_EQ(ui.messages[1].text, "Couldn't create registry value");
        for (const auto& message : ui.messages) {
            EXPECT_EQ(message.title, "Marvok");
            EXPECT_EQ(message.icon, MessageIcon::None);
            EXPECT_EQ(message.buttons, MessageButtons::Ok);
        }
    }
    ui.messages.clear();
    EXPECT_FALSE(mRegStuff::DeleteSubKey(Reg(), ui, "0", Path(), "x"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Couldn't open registry value");
}

TEST_P(RegistryContract, WriteValueListWritesTheFirstCountPairsInOrder) {
    mMyRegStuff::WriteValueList(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("List"),
                                {"a", "b", "c"}, {"1", "2", "3"}, 0);
    EXPECT_FALSE(KeyExists(kHkeyCurrentUser, Path("List")));
    mMyRegStuff::WriteValueList(Reg(), ui, mRegStuff::kHkeyCurrentUser, Path("List"),
                                {"a", "b", "c"}, {"1", "2", "3"}, 2);
    EXPECT_EQ(Get(kHkeyCurrentUser, Path("List"), "a")->data, "1\0"s);
    EXPECT_EQ(Get(kHkeyCurrentUser, Path("List"), "b")->data, "2\0"s);
    EXPECT_FALSE(Get(kHkeyCurrentUser, Path("List"), "c").has_value());
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(BackendNames()),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace marvok::test
