// The registry text reader: what it answers for a missing key or value, an empty value, one
// stored without its zero, REG_EXPAND_SZ, a value of another type and values around the length
// asked for; and the default value of a key as the shell's class keys hold it.
#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char kTestKey[] = "Software\\QuarvelFrameworkTest\\Registry";

// A key of the test's own under HKEY_CURRENT_USER, removed with everything in it when it goes.
class TestKey {
public:
    TestKey() : m_key(CreateRegKey(HKEY_CURRENT_USER, kTestKey, KEY_SET_VALUE)) {}
    ~TestKey() {
        m_key.Reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuarvelFrameworkTest");
    }
    explicit operator bool() const { return static_cast<bool>(m_key); }
    // Stores `size` bytes of data as a value of the given type (name null: the default value).
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(m_key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetText(const char* name, const std::string& text, DWORD type = REG_SZ) {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

private:
    ScopedRegKey m_key;
};

LONG Read(const char* name, std::size_t maxLength, std::string& text,
          RegText kinds = RegText::PlainOnly) {
    return ReadRegistryText(HKEY_CURRENT_USER, kTestKey, name, maxLength, kinds, text);
}
} // namespace

TEST(RegistryText, MissingEmptyUnterminatedAndExpandableValues) {
    std::string text = "unchanged";
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, "Software\\QuarvelFrameworkTest\\Missing", "v",
                               100, RegText::PlainOnly, text),
              ERROR_FILE_NOT_FOUND);
    EXPECT_NE(ReadRegistryDefault(HKEY_CURRENT_USER, "Software\\QuarvelFrameworkTest\\Missing", 100,
                                  text),
              ERROR_SUCCESS);
    EXPECT_EQ(text, "unchanged") << "a failed read leaves the text alone";

    TestKey key;
    ASSERT_TRUE(key);
    EXPECT_EQ(Read("absent", 100, text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRegistryDefault(HKEY_CURRENT_USER, kTestKey, 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "") << "a key without a default value reads as empty";

    key.SetText("empty", "");
    text = "unchanged";
    EXPECT_EQ(Read("empty", 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "");
    key.Set("nothing", REG_SZ, "", 0); // not even a zero
    text = "unchanged";
    EXPECT_EQ(Read("nothing", 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "");

    // Stored without its zero (the byte after the data is not one, or the registry would count
    // it): read whole, and nothing of the memory after it.
    key.Set("unterminated", REG_SZ, "abcX", 3);
    EXPECT_EQ(Read("unterminated", 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(Read("unterminated", 3, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "abc");
    key.Set("zeros", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(Read("zeros", 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "ab") << "the text ends at its first zero";

    // REG_EXPAND_SZ is taken as stored, its variables unexpanded, where the caller takes it.
    key.SetText("expandable", "%SystemRoot%\\system32\\shell32.dll,-3", REG_EXPAND_SZ);
    EXPECT_EQ(Read("expandable", 100, text, RegText::OrExpandable), ERROR_SUCCESS);
    EXPECT_EQ(text, "%SystemRoot%\\system32\\shell32.dll,-3");
    text = "unchanged";
    EXPECT_EQ(Read("expandable", 100, text), ERROR_INVALID_DATA);
    key.SetText(nullptr, "%1", REG_EXPAND_SZ);
    EXPECT_EQ(ReadRegistryDefault(HKEY_CURRENT_USER, kTestKey, 100, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "%1");

    const DWORD number = 7;
    key.Set("number", REG_DWORD, &number, sizeof number);
    text = "unchanged";
    EXPECT_EQ(Read("number", 100, text, RegText::OrExpandable), ERROR_INVALID_DATA);
    EXPECT_EQ(text, "unchanged");
}

TEST(RegistryText, AValueLongerThanAskedForIsRefusedWholeNeverCut) {
    TestKey key;
    ASSERT_TRUE(key);
    std::string text;
    const std::string fits(300, 'a');
    key.SetText("fits", fits);
    EXPECT_EQ(Read("fits", 300, text), ERROR_SUCCESS);
    EXPECT_EQ(text, fits);
    text = "unchanged";
    EXPECT_EQ(Read("fits", 299, text), ERROR_MORE_DATA);
    EXPECT_EQ(text, "unchanged");

    // One more than asked for, without its zero: it fills the room kept for the zero.
    const std::string longer = std::string(301, 'b') + "X";
    key.Set("longer", REG_SZ, longer.c_str(), 301);
    EXPECT_EQ(Read("longer", 300, text), ERROR_MORE_DATA);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(Read("longer", 301, text), ERROR_SUCCESS);
    EXPECT_EQ(text, std::string(301, 'b'));

    const std::string large(20000, 'c');
    key.SetText("large", large);
    EXPECT_EQ(Read("large", 32767, text), ERROR_SUCCESS);
    EXPECT_EQ(text, large);
    EXPECT_EQ(Read("large", MAX_PATH, text), ERROR_MORE_DATA);
}
