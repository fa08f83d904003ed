// The string table: every text the program loads by id, exactly, and no prompt where none belongs.
#include <gtest/gtest.h>

#include "resource.h"
#include "resource_reader.h"

using restest::LoadText;

namespace {

struct Text {
    int id;
    const char* text;
};

TEST(StringTable, MessagesOfTheSearchFormAndTheSaveDialog) {
    const Text texts[] = {
        {61205, "Please select a directory to search!"},
        {61206, "Please select a file type to search!"},
        {61207, "The directory [%s] does not exist!"},
        {61243, "Please select a folder!"},
        {61244, "[%s] is not exist, do you want to create it?"},
        {61245, "Save resource"},
        {61246, "Create [%s] failed!"},
        {61247, "Save [%s] failed!"},
        {61248, "Save [%s] ok!"},
        {61249, "[%s] is exsit, do you want to overwrite it?"},
    };
    for (const Text& t : texts)
        EXPECT_EQ(LoadText(t.id), t.text) << "string " << t.id;
}

TEST(StringTable, ApplicationTitlesAndDocumentTemplate) {
    EXPECT_EQ(LoadText(61252), "Quarvel v1.0");
    EXPECT_EQ(LoadText(57344), "Quarvel");
    EXPECT_EQ(LoadText(57345), "Ready");
    EXPECT_EQ(LoadText(128), "Quarvel\n\nQuarv\n\n\nQuarvel.Document\nQuarv Document");
}

TEST(StringTable, PromptsAndTooltipsOfCommands) {
    const Text texts[] = {
        {20156, "Save Icon as Windows Icon files or Bitmap files"},
        {57634, "Copy the selection and put it on the Clipboard\nCopy"},
        {57642, "Select the entire document\nSelect All"},
        {57665, "Quit the application; prompts to save documents\nExit"},
        {59392, "Show or hide the toolbar\nToggle ToolBar"},
        {59393, "Show or hide the status bar\nToggle StatusBar"},
        {32779, "Search Icons in a folder"},
    };
    for (const Text& t : texts)
        EXPECT_EQ(LoadText(t.id), t.text) << "string " << t.id;

    std::string about = LoadText(57664);
    ASSERT_NE(about.find('\n'), std::string::npos) << about;
    EXPECT_GT(about.find('\n'), 0u) << "About needs a status-bar prompt";
    EXPECT_EQ(about.substr(about.find('\n') + 1), "About");
}

TEST(StringTable, StatusBarIndicators) {
    EXPECT_EQ(LoadText(ID_INDICATOR_CAPS), "CAP");
    EXPECT_EQ(LoadText(ID_INDICATOR_NUM), "NUM");
    EXPECT_EQ(LoadText(ID_INDICATOR_SCRL), "SCRL");
}

TEST(StringTable, NavigationHelpAndWebPageHaveNoPromptOrTooltip) {
    for (int id : {ID_VIEW_BACK, ID_VIEW_FORWARD, ID_VIEW_UP, ID_VIEW_REFRESH, ID_HELP_FINDER,
                   ID_HELP_WEB_PAGE})
        EXPECT_EQ(LoadText(id), "<missing>") << "command " << id;
}

TEST(StringTable, StandardCommandsReachableByKeyHavePrompts) {
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_PASTE,
                   ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE}) {
        std::string text = LoadText(id);
        size_t split = text.find('\n');
        ASSERT_NE(split, std::string::npos) << "command " << id << ": " << text;
        EXPECT_GT(split, 0u) << "command " << id;
        EXPECT_LT(split + 1, text.size()) << "command " << id;
    }
}

TEST(StringTable, AboutBoxAddresses) {
    EXPECT_EQ(LoadText(IDS_WEB_PAGE_ADDRESS), "https://quarvel.example/");
    // The program puts "mailto:" in front of it itself.
    EXPECT_EQ(LoadText(IDS_SUPPORT_EMAIL), "support@quarvel.example");
}

} // namespace
