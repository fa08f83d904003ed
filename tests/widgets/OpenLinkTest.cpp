// Opening links: the browser command built from the program registered for ".htm" (placeholder
// quoted, bare or absent; programs found safely; targets passed as one argument), the registry
// read, and a real fallback start under Wine.
#include "OpenLink.h"
#include "UiHarness.h"
#include "WidgetsTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string systemFolder() {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return folder;
}
const std::string kReg = systemFolder() + "\\reg.exe";

std::string launchOf(const std::string& command, const char* target,
                     std::string* program = nullptr) {
    BrowserLaunch launch;
    if (!BuildBrowserLaunch(command.c_str(), target, launch))
        return "<refused>";
    if (program)
        *program = launch.program.str();
    return launch.commandLine.str();
}

// Points HKCR\.htm at a file type of the test's own while alive, then puts the old one back.
class HtmAssociation {
public:
    explicit HtmAssociation(const std::string& command) {
        m_hadOld = ReadClassesDefault(HKEY_CLASSES_ROOT, ".htm", m_old) == ERROR_SUCCESS;
        setDefault(".htm", "QuarvelTestPage");
        if (!command.empty())
            setDefault("QuarvelTestPage\\shell\\open\\command", command.c_str());
    }
    ~HtmAssociation() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "QuarvelTestPage");
        if (m_hadOld)
            setDefault(".htm", m_old);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }

private:
    static void setDefault(const char* subkey, const char* value) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
        RegCloseKey(key);
    }
    bool m_hadOld = false;
    CString m_old;
};
} // namespace

TEST(BrowserCommand, ThePlaceholderQuotedOrBareIsCutAndTheTargetAppendedQuoted) {
    const char* target = "https://quarvel.example/";
    std::string program;
    EXPECT_EQ(launchOf("\"" + kReg + "\" -nohome \"%1\"", target, &program),
              "\"" + kReg + "\" -nohome \"https://quarvel.example/\"");
    EXPECT_EQ(program, kReg);
    EXPECT_EQ(launchOf(kReg + " -nohome %1 -after", target),
              "\"" + kReg + "\" -nohome \"https://quarvel.example/\"");
    EXPECT_EQ(launchOf("\"" + kReg + "\" -nohome", target),
              "\"" + kReg + "\" -nohome \"https://quarvel.example/\"");
    EXPECT_EQ(launchOf("\"" + kReg + "\"", target),
              "\"" + kReg + "\" \"https://quarvel.example/\"");
    // The target is text, never a format: its percent signs stay as they are.
    EXPECT_EQ(launchOf("\"" + kReg + "\" \"%1\"", "https://q.example/%s%n%1%%"),
              "\"" + kReg + "\" \"https://q.example/%s%n%1%%\"");
}

TEST(BrowserCommand, ProgramsAreFoundByFullPathOrInTheSystemFoldersNeverInTheCurrentFolder) {
    const char* target = "https://quarvel.example/";
    std::string program;
    EXPECT_EQ(launchOf("reg.exe \"%1\"", target, &program),
              "\"" + kReg + "\" \"https://quarvel.example/\"");
    EXPECT_EQ(program, kReg);
    EXPECT_EQ(launchOf("tools\\reg.exe %1", target), "<refused>");
    EXPECT_EQ(launchOf("\"C:\\no such folder\\browser.exe\" %1", target), "<refused>");
    EXPECT_EQ(launchOf("\"" + kReg + " %1", target), "<refused>"); // unclosed quotation mark
    EXPECT_EQ(launchOf("", target), "<refused>");

    // A program in the current folder is not taken for a bare name.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "quarvel links";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string planted = folder + "\\planted.exe";
    ASSERT_TRUE(CopyFileA(kReg.c_str(), planted.c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(folder.c_str());
    EXPECT_EQ(launchOf("planted.exe %1", target), "<refused>");
    SetCurrentDirectoryA(previous);

    // An unquoted path with blanks: the longest run of words naming a file wins over a shorter
    // planted one ("...\quarvel" beside "...\quarvel links\").
    std::string shorter = std::string(temp) + "quarvel";
    HANDLE file =
        CreateFileA(shorter.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(launchOf(planted + " -new %1", target, &program),
              "\"" + planted + "\" -new \"https://quarvel.example/\"");
    EXPECT_EQ(program, planted);
    DeleteFileA(shorter.c_str());
    DeleteFileA(planted.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(BrowserCommand, ATargetThatCannotBeOneArgumentIsRefused) {
    std::string command = "\"" + kReg + "\" \"%1\"";
    EXPECT_EQ(launchOf(command, "https://q.example/\" /evil"), "<refused>");
    EXPECT_EQ(launchOf(command, "https://q.example/\r\n"), "<refused>");
    EXPECT_EQ(launchOf(command, "https://q.example/a b"),
              "\"" + kReg + "\" \"https://q.example/a b\"");
}

TEST(BrowserCommand, TheRegisteredHtmBrowserIsReadFromTheRegistry) {
    BrowserLaunch launch;
    {
        HtmAssociation quoted("\"" + kReg + "\" -nohome \"%1\"");
        ASSERT_TRUE(RegisteredBrowserLaunch("https://quarvel.example/", launch));
        EXPECT_EQ(launch.commandLine.str(),
                  "\"" + kReg + "\" -nohome \"https://quarvel.example/\"");
    }
    {
        HtmAssociation bare(kReg + " %1");
        ASSERT_TRUE(RegisteredBrowserLaunch("mailto:support@quarvel.example", launch));
        EXPECT_EQ(launch.commandLine.str(), "\"" + kReg + "\" \"mailto:support@quarvel.example\"");
    }
    {
        HtmAssociation noCommand("");
        EXPECT_FALSE(RegisteredBrowserLaunch("https://quarvel.example/", launch));
    }
}

TEST(BrowserCommand, ReadClassesDefaultReadsOnlyWhatFits) {
    CString value = "unchanged";
    EXPECT_NE(ReadClassesDefault(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Missing", value),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "unchanged");

    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Read", 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadClassesDefault(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Read", value),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "") << "no default value reads as empty";

    std::string fits(260, 'a'), tooLong(261, 'b');
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(fits.c_str()), 261);
    EXPECT_EQ(ReadClassesDefault(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Read", value),
              ERROR_SUCCESS);
    EXPECT_EQ(value.str(), fits);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()), 262);
    EXPECT_NE(ReadClassesDefault(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Read", value),
              ERROR_SUCCESS);
    EXPECT_EQ(value.str(), fits);
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest");
}

TEST(OpenLink, ABareNameIsNeverHandedToTheShell) {
    EXPECT_EQ(OpenLink("notepad", SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(OpenLink("", SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(OpenLink(nullptr, SW_SHOW), SE_ERR_FNF);
}

TEST(OpenLink, WhenTheShellCannotOpenTheTargetTheRegisteredBrowserGetsIt) {
    // The "browser" records what it was given in the registry.
    HtmAssociation recorder(
        "\"" + kReg + "\" add HKCU\\Software\\QuarvelWidgetsTest\\Opened /v target /d \"%1\"");
    ui::DialogAnswerer anyBox(IDOK);
    INT_PTR result = OpenLink("quarvel-no-such-scheme:page-1", SW_SHOW);
    ASSERT_GT(result, 32);
    CString recorded;
    bool seen = ui::PumpUntil(
        [&] {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest\\Opened", 0,
                              KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
                return false;
            char text[300] = "";
            DWORD size = sizeof text - 1;
            bool read = RegQueryValueExA(key, "target", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
            RegCloseKey(key);
            recorded = text;
            return read;
        },
        15000);
    EXPECT_TRUE(seen);
    EXPECT_STREQ(recorded, "quarvel-no-such-scheme:page-1");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuarvelWidgetsTest");
}
