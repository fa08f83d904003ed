// The single-document template: New and Open (also of a file being written), the caption,
// failures, the command line and the recent-file list in the per-user profile.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string tempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    if (FILE* file = std::fopen(path.c_str(), "wb"))
        std::fclose(file);
    return path;
}
} // namespace

TEST(DocTemplate, NewShowsTheDocumentTitleBeforeTheFrameTitle) {
    TestDocumentWindow window;
    ASSERT_NE(window.doc, nullptr);
    EXPECT_EQ(window.frame->GetWindowText(), "Test Doc - Test Frame");
    window.doc->SetTitle("Renamed");
    EXPECT_EQ(window.frame->GetWindowText(), "Renamed - Test Frame");
    EXPECT_EQ(AfxGetMainWnd(), window.frame);
    // New again reuses the document and the frame and updates the views once more.
    CDocument* again = window.docTemplate->OpenDocumentFile(nullptr);
    EXPECT_EQ(again, window.doc);
    EXPECT_EQ(static_cast<CTestView*>(window.doc->GetViews().front())->m_initialUpdates, 2);
    EXPECT_EQ(window.frame->GetWindowText(), "Test Doc - Test Frame");
}

TEST(DocTemplate, OpenNamesTheFileAndAFileThatCannotBeOpenedIsReported) {
    TestDocumentWindow window;
    std::string path = tempFile("quarvel opened.txt");
    EXPECT_EQ(window.docTemplate->OpenDocumentFile(path.c_str()), window.doc);
    EXPECT_EQ(window.frame->GetWindowText(), "quarvel opened.txt - Test Frame");
    EXPECT_STRCASEEQ(window.doc->GetPathName(), path.c_str());

    ui::DialogAnswerer answerer(IDOK);
    EXPECT_EQ(window.docTemplate->OpenDocumentFile("C:\\no such folder\\missing.txt"), nullptr);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_NE(answerer.Seen()[0].text.find("missing.txt"), std::string::npos);
    EXPECT_TRUE(IsWindow(window.frame->m_hWnd)); // the open document stays
    std::remove(path.c_str());
}

TEST(DocTemplate, AFileAnotherProgramIsWritingOpens) {
    TestDocumentWindow window;
    const std::string path = tempFile("quarvel being written.txt");
    {
        // The writer shares reading only, and may rename or delete the file.
        const ScopedFile writer(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer);
        ui::DialogAnswerer answerer(IDOK);
        EXPECT_EQ(window.docTemplate->OpenDocumentFile(path.c_str()), window.doc);
        EXPECT_TRUE(answerer.Seen().empty());
    }
    std::remove(path.c_str());
}

TEST(DocTemplate, AFirstOpenThatFailsLeavesNoWindow) {
    ui::DialogAnswerer answerer(IDOK);
    CSingleDocTemplate docTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(CTestDoc),
                                   RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView));
    EXPECT_EQ(docTemplate.OpenDocumentFile("C:\\no such folder\\missing.txt"), nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(answerer.Seen().size(), 1u);
}

TEST(Application, CommandLineNamesTheFileToOpen) {
    CWinApp* app = AfxGetApp();
    CCommandLineInfo plain;
    app->m_lpCmdLine = "";
    app->ParseCommandLine(plain);
    EXPECT_EQ(plain.m_nShellCommand, CCommandLineInfo::FileNew);

    CCommandLineInfo named;
    app->m_lpCmdLine = "/flag \"C:\\some folder\\a file.txt\" second";
    app->ParseCommandLine(named);
    EXPECT_EQ(named.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_STREQ(named.m_strFileName, "C:\\some folder\\a file.txt");
    app->m_lpCmdLine = "";
}

TEST(Application, RecentFileListKeepsTheNewestFourInTheProfile) {
    CWinApp* app = AfxGetApp();
    app->LoadStdProfileSettings(4);
    for (const char* path :
         {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d.txt", "C:\\e.txt", "C:\\B.TXT"})
        app->AddToRecentFileList(path);
    ASSERT_EQ(app->GetRecentFiles().size(), 4u);
    EXPECT_STREQ(app->GetRecentFiles()[0], "C:\\B.TXT");
    EXPECT_STREQ(app->GetRecentFiles()[1], "C:\\e.txt");
    EXPECT_STREQ(app->GetRecentFiles()[3], "C:\\c.txt");
    app->SaveStdProfileSettings();

    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER,
                           "Software\\Quarvel Framework Tests\\Framework Tests\\Recent File List",
                           "File2", RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "C:\\e.txt");
    app->LoadStdProfileSettings(4);
    EXPECT_EQ(app->GetRecentFiles().size(), 4u);
    EXPECT_STREQ(app->GetRecentFiles()[0], "C:\\B.TXT");
}

TEST(DocTemplate, SaveAsksForAFileOnceAndNeverRewritesAnUnchangedOne) {
    TestDocumentWindow window;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string target = std::string(folder) + "quarvel saved.txt";
    std::remove(target.c_str());
    {
        ui::DialogAnswerer answerer([&](HWND dialog, const ui::SeenDialog&) {
            SetDlgItemTextA(dialog, 0x47C, target.c_str());
            return IDOK;
        });
        window.frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
        EXPECT_EQ(answerer.Seen().size(), 1u);
    }
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(window.frame->GetWindowText(), "quarvel saved.txt - Test Frame");

    // An opened file with content stays as it is: the document has nothing to write.
    std::string kept = tempFile("quarvel kept.txt");
    if (FILE* file = std::fopen(kept.c_str(), "wb")) {
        std::fputs("content", file);
        std::fclose(file);
    }
    ASSERT_NE(window.docTemplate->OpenDocumentFile(kept.c_str()), nullptr);
    ui::DialogAnswerer refuseAll(IDCANCEL);
    window.frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_TRUE(refuseAll.Seen().empty());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(kept.c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, 7u);
    std::remove(target.c_str());
    std::remove(kept.c_str());
}
