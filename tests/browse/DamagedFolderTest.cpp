// A folder of damaged files in the started application: shown, every icon focused, saved as .ico
// and .bmp and copied, from the icon list and from the sub-icon list. The process survives, every
// file written is complete or absent, and the counts agree with quarvel-cli.
#include "AppFixture.h"

#include "DamagedFolder.h"
#include "SaveNameDialog.h"
#include "engine/IconItem.h"
#include "support/CliRunner.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace {
std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (std::uint32_t{bytes[at + 3]} << 24);
}

// A .bmp file as the writer makes it: "BM" and a file size that is the file's own.
bool IsCompleteBmp(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    return U32At(bytes, 2) == bytes.size();
}

// An .ico file as the writers make it: the header (as the group stored it), the directory, and
// every image its entries count, back to back to the last byte.
bool IsCompleteIco(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 6)
        return false;
    const std::size_t count = bytes[4] | (bytes[5] << 8);
    std::uint64_t end = 6 + 16 * std::uint64_t{count};
    if (bytes.size() < end)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (U32At(bytes, 6 + 16 * i + 12) != end)
            return false;
        end += U32At(bytes, 6 + 16 * i + 8);
    }
    return end == bytes.size();
}
// A PNG file as the writer makes it: the signature, and the IEND chunk last.
bool IsCompletePng(const std::vector<std::uint8_t>& bytes) {
    static const std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static const std::uint8_t kEnd[] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    return bytes.size() >= 8 + 12 && std::equal(kSignature, kSignature + 8, bytes.begin()) &&
           std::equal(kEnd, kEnd + 8, bytes.end() - 8);
}

bool EndsWith(const std::string& name, const char* end) {
    const std::size_t length = std::strlen(end);
    return name.size() >= length && name.compare(name.size() - length, length, end) == 0;
}

// Where the saves of item `index` go: its number, then the suffix.
std::string SavedAs(const quarvel::test::TempFolder& saved, int index, const char* suffix) {
    return saved.File(std::to_string(index) + suffix);
}
} // namespace

class DamagedFolder : public QuarvelStarted {
protected:
    CFileListCtrl& Files() { return frame->GetFileList()->GetListCtrl(); }
    CIconListCtrl& Icons() { return frame->GetIconList()->GetListCtrl(); }
    CSubIconView* SubIcons() { return frame->GetSubIconView(); }
    // Only `index` selected and focused: the sub-icon list shows its images.
    void FocusOnly(int index) {
        Icons().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Icons().SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
};

TEST_F(DamagedFolder, SurvivesShowingSavingAndCopyingEveryIcon) {
    ASSERT_TRUE(Start());
    quarvel::test::TempFolder folder, saved, scratch;
    const auto inputs = quarvel::fuzz::DamagedFolderInputs();
    for (const auto& input : inputs)
        folder.Write(input.name, input.bytes);

    const auto listing = quarvel::test::RunCli({"list", folder.Path()}, scratch.Path());
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::map<std::string, int> expected; // lower-case path -> icons listed
    for (const std::string& line : listing.OutLines())
        ++expected[lower(line.substr(0, line.find('\t')))];

    frame->ShowFolder(folder.Path().c_str());
    ASSERT_TRUE(Filled());
    ASSERT_EQ(Files().GetItemCount(), static_cast<int>(inputs.size()));
    int listedIcons = 0, listedCursors = 0;
    for (int row = 0; row < Files().GetItemCount(); ++row) {
        const std::string path = lower(Files().GetFullPath(row).GetString());
        const auto found = expected.find(path);
        const int count = std::atoi(Files().GetItemText(row, kIconsColumn));
        EXPECT_EQ(count, found == expected.end() ? 0 : found->second) << path;
        listedIcons += count;
        listedCursors += std::atoi(Files().GetItemText(row, kCursorsColumn));
    }
    ASSERT_EQ(static_cast<int>(listing.OutLines().size()), listedIcons);
    // The icon list holds the group cursors of the image files too, after each file's icons.
    ASSERT_EQ(Icons().GetItemCount(), listedIcons + listedCursors);

    int pictures = 0, imageRows = 0, damagedRows = 0;
    const auto savedAs = [&](int index, const char* suffix) {
        return SavedAs(saved, index, suffix);
    };
    for (int i = 0; i < Icons().GetItemCount(); ++i) {
        FocusOnly(i);
        pictures += Icons().GetPicture(i) >= 0;
        Icons().SaveIcon(i, false, savedAs(i, ".ico").c_str(), true, quarvel::kSaveAsIco);
        Icons().SaveIcon(i, false, savedAs(i, ".bmp").c_str(), true, quarvel::kSaveAsBmp);
        Icons().CopyFirstSelected();

        CIconListBox& rows = SubIcons()->GetListBox();
        imageRows += rows.GetCount();
        for (int row = 0; row < rows.GetCount(); ++row)
            damagedRows += !rows.GetRow(row)->icon;
        if (rows.HasRows()) {
            rows.SelectAll();
            SubIcons()->SaveSelectedAsIco(savedAs(i, "-images.ico").c_str());
            SubIcons()->SaveCurrentAsBmp(savedAs(i, "-image.bmp").c_str());
            SubIcons()->SendMessage(WM_COMMAND, ID_EDIT_COPY);
        }
        if (i % 64 == 0)
            ui::PumpPending(); // the lists paint what they hold so far
    }
    std::printf("damaged folder: %zu files, %d icons, %d pictures, %d image rows (%d damaged)\n",
                inputs.size(), listedIcons, pictures, imageRows, damagedRows);
    EXPECT_GT(pictures, 0);
    EXPECT_GT(damagedRows, 0);

    // Complete or absent: an .ico whose directory and images fill it exactly (or, for an .ico
    // item, the source's bytes as they are), a .bmp whose size is its own; nothing else.
    int written = 0;
    for (const std::string& name : saved.Names()) {
        const std::string path = saved.File(name);
        const auto bytes = quarvel::test::ReadFileBytes(path);
        ++written;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
            EXPECT_TRUE(IsCompleteBmp(bytes)) << name;
        } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ico") == 0) {
            const int index = std::atoi(name.c_str());
            const bool copied =
                name.find('-') == std::string::npos &&
                Icons().GetIconItem(index)->GetKind() == quarvel::CIconItem::IconFile;
            if (copied)
                EXPECT_EQ(bytes,
                          quarvel::test::ReadFileBytes(Icons().GetIconItem(index)->GetPath()))
                    << name;
            else
                EXPECT_TRUE(IsCompleteIco(bytes)) << name;
        } else {
            ADD_FAILURE() << "left behind: " << name;
        }
    }
    EXPECT_GT(written, 0);
}

TEST_F(DamagedFolder, ACursorFolderSurvivesShowingSavingAndCopyingEveryCursor) {
    ASSERT_TRUE(Start());
    quarvel::test::TempFolder folder, saved;
    const auto inputs = quarvel::fuzz::DamagedCursorFolderInputs();
    ASSERT_GT(inputs.size(), 100u);
    for (const auto& input : inputs)
        folder.Write(input.name, input.bytes);

    frame->ShowFolder(folder.Path().c_str());
    ASSERT_TRUE(Filled());
    ASSERT_EQ(Files().GetItemCount(), static_cast<int>(inputs.size()));
    // Cursor files are listed by name, sound or not: one cursor and no icon on each row.
    for (int row = 0; row < Files().GetItemCount(); ++row) {
        EXPECT_STREQ(Files().GetItemText(row, kCursorsColumn), "1") << row;
        EXPECT_STREQ(Files().GetItemText(row, kIconsColumn), "0") << row;
    }
    ASSERT_EQ(Icons().GetItemCount(), static_cast<int>(inputs.size()));

    int pictures = 0, imageRows = 0, damagedRows = 0;
    std::set<std::string> damagedLabels;
    const auto savedAs = [&](int index, const char* suffix) {
        return SavedAs(saved, index, suffix);
    };
    for (int i = 0; i < Icons().GetItemCount(); ++i) {
        FocusOnly(i);
        const quarvel::CIconItem* item = Icons().GetIconItem(i);
        ASSERT_TRUE(item->IsCursor());
        pictures += Icons().GetPicture(i) >= 0;
        const std::string own =
            item->GetKind() == quarvel::CIconItem::AnimatedCursorFile ? ".ani" : ".cur";
        Icons().SaveIcon(i, false, savedAs(i, own.c_str()).c_str(), true, quarvel::kSaveAsIco);
        Icons().SaveIcon(i, false, savedAs(i, ".bmp").c_str(), true, quarvel::kSaveAsBmp);
        Icons().SaveIcon(i, false, savedAs(i, ".png").c_str(), true, quarvel::kSaveAsPng);
        Icons().CopyFirstSelected();

        CIconListBox& rows = SubIcons()->GetListBox();
        imageRows += rows.GetCount();
        for (int row = 0; row < rows.GetCount(); ++row)
            if (!rows.GetRow(row)->icon) {
                ++damagedRows;
                damagedLabels.insert(rows.GetRow(row)->label);
            }
        if (rows.HasRows()) {
            rows.SelectAll();
            SubIcons()->SaveSelectedAsIco(savedAs(i, "-images.cur").c_str());
            SubIcons()->SaveSelectedAsPng(savedAs(i, "-frames.png").c_str());
            SubIcons()->SaveCurrentAsBmp(savedAs(i, "-image.bmp").c_str());
            SubIcons()->SendMessage(WM_COMMAND, ID_EDIT_COPY);
        }
        if (i % 64 == 0)
            ui::PumpPending();
    }
    std::printf("damaged cursors: %zu files, %d pictures, %d image rows (%d damaged)\n",
                inputs.size(), pictures, imageRows, damagedRows);
    for (const std::string& label : damagedLabels)
        std::printf("  damaged row: %s\n", label.c_str());
    EXPECT_GT(pictures, 0);
    EXPECT_GT(damagedRows, 0);

    // Complete or absent: a copy is its source's bytes, a written .cur fills its directory
    // exactly, a .bmp or .png is whole.
    int written = 0;
    for (const std::string& name : saved.Names()) {
        const auto bytes = quarvel::test::ReadFileBytes(saved.File(name));
        ++written;
        const bool copy = name.find('-') == std::string::npos;
        if (EndsWith(name, ".bmp"))
            EXPECT_TRUE(IsCompleteBmp(bytes)) << name;
        else if (EndsWith(name, ".png"))
            EXPECT_TRUE(IsCompletePng(bytes)) << name;
        else if (copy && (EndsWith(name, ".cur") || EndsWith(name, ".ani")))
            EXPECT_EQ(bytes, quarvel::test::ReadFileBytes(
                                 Icons().GetIconItem(std::atoi(name.c_str()))->GetPath()))
                << name;
        else if (EndsWith(name, ".cur"))
            EXPECT_TRUE(IsCompleteIco(bytes)) << name;
        else
            ADD_FAILURE() << "left behind: " << name;
    }
    EXPECT_GT(written, 0);
}
