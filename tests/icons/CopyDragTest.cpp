// Copy and drag out of the icon panes, as other programs see them: the clipboard read by a second
// process, the drag's data object read without a mouse, and a drag dropped on a target of ours.
#include "IconPanes.h"

#include "ComUnknown.h"
#include "IconDataObject.h"
#include "SaveNameDialog.h"
#include "engine/DisplayIcon.h"
#include "engine/IconGroups.h"
#include "engine/IconPicture.h"
#include "engine/platform/AnsiText.h"
#include "engine/win32/KernelOwners.h"
#include "support/CliRunner.h"
#include "support/CursorData.h"
#include "support/PngDecoder.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

// What the second process read from the clipboard.
struct ClipboardSeen {
    std::vector<std::string> formats; // in the clipboard's order
    Bytes png, dibV5, dib;
    Picture bitmap;
};

ClipboardSeen ReadClipboardInOtherProcess(const TempFolder& folder) {
    const std::string out = folder.File("clipboard");
    CreateDirectoryA(out.c_str(), nullptr);
    std::string command = std::string("\"") + QUARVEL_CLIPBOARD_DUMP + "\" \"" + out + "\"";
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION started{};
    ClipboardSeen seen;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &start, &started)) {
        ADD_FAILURE() << "cannot start " << command;
        return seen;
    }
    const ScopedKernelHandle process(started.hProcess), thread(started.hThread);
    DWORD code = 1;
    EXPECT_EQ(WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeProcess(process.Get(), &code));
    EXPECT_EQ(code, 0u) << "the second process could not read every format";
    std::string text;
    for (std::uint8_t c : ReadFileBytes(out + "\\formats.txt"))
        text += static_cast<char>(c);
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        seen.formats.push_back(text.substr(at, end - at));
    seen.png = ReadFileBytes(out + "\\PNG.bin");
    seen.dibV5 = ReadFileBytes(out + "\\17.bin");
    seen.dib = ReadFileBytes(out + "\\8.bin");
    const Bytes bitmap = ReadFileBytes(out + "\\2.bin");
    if (bitmap.size() >= 8) {
        std::memcpy(&seen.bitmap.width, &bitmap[0], 4);
        std::memcpy(&seen.bitmap.height, &bitmap[4], 4);
        seen.bitmap.pixels.resize((bitmap.size() - 8) / 4);
        std::memcpy(seen.bitmap.pixels.data(), &bitmap[8], bitmap.size() - 8);
    }
    return seen;
}

void EmptyTheClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

int Position(const std::vector<std::string>& formats, const std::string& format) {
    const auto at = std::find(formats.begin(), formats.end(), format);
    return at == formats.end() ? -1 : static_cast<int>(at - formats.begin());
}

// The pixels of a packed CF_DIBV5 as top-down RGBA, after checking that its header is the one
// every reader of alpha understands; empty when it is not.
std::vector<std::uint8_t> DibV5Pixels(const Bytes& dib, int& width, int& height) {
    BITMAPV5HEADER header{};
    if (dib.size() < sizeof header)
        return {};
    std::memcpy(&header, dib.data(), sizeof header);
    width = header.bV5Width;
    height = header.bV5Height;
    EXPECT_EQ(header.bV5Size, sizeof header);
    EXPECT_EQ(header.bV5BitCount, 32);
    EXPECT_EQ(header.bV5Compression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(header.bV5AlphaMask, 0xFF000000u);
    EXPECT_EQ(header.bV5RedMask, 0x00FF0000u);
    EXPECT_GT(height, 0) << "bottom-up";
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (width <= 0 || height <= 0 || dib.size() != sizeof header + rowBytes * height)
        return {};
    std::vector<std::uint8_t> rgba(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = dib.data() + sizeof header + rowBytes * (height - 1 - y);
        std::uint8_t* out = rgba.data() + rowBytes * y;
        for (int x = 0; x < width; ++x, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    }
    return rgba;
}

// The "PNG" and CF_DIBV5 seen carry the same image: `width` wide, alpha included; a bitmap
// image shows its mask as fully transparent pixels next to opaque ones.
void ExpectSameImage(const ClipboardSeen& seen, int width, bool masked, const std::string& what) {
    SCOPED_TRACE(what);
    const auto png = DecodePng(seen.png);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, width);
    int dibWidth = 0, dibHeight = 0;
    EXPECT_EQ(DibV5Pixels(seen.dibV5, dibWidth, dibHeight), png->rgba);
    EXPECT_EQ(dibWidth, png->width);
    EXPECT_EQ(dibHeight, png->height);
    int clear = 0, opaque = 0;
    for (std::size_t i = 3; i < png->rgba.size(); i += 4) {
        clear += png->rgba[i] == 0;
        opaque += png->rgba[i] == 255;
    }
    if (masked) {
        EXPECT_GT(clear, 0);
    }
    EXPECT_GT(opaque, 0);
}

// The order decided for the clipboard: "PNG", CF_DIBV5, CF_DIB, CF_BITMAP; the CF_DIB is the
// image (its width), not one the system would make from the picture.
void ExpectClipboardOrder(const ClipboardSeen& seen, int width) {
    const std::vector<std::string>& formats = seen.formats;
    const int png = Position(formats, "PNG"), v5 = Position(formats, "17"),
              bitmap = Position(formats, "2"), dib = Position(formats, "8");
    EXPECT_EQ(png, 0);
    EXPECT_GT(v5, png);
    EXPECT_EQ(dib, v5 + 1);
    EXPECT_EQ(bitmap, dib + 1);
    {
        BITMAPINFOHEADER header{};
        ASSERT_GE(seen.dib.size(), sizeof header);
        std::memcpy(&header, seen.dib.data(), sizeof header);
        EXPECT_EQ(header.biWidth, width);
        EXPECT_EQ(Bytes(seen.dib.begin() + sizeof header, seen.dib.end()),
                  Bytes(seen.dibV5.begin() + std::min(seen.dibV5.size(), sizeof(BITMAPV5HEADER)),
                        seen.dibV5.end()));
    }
}

struct ImageCase {
    std::string name;
    Bytes image;
    int width, bitCount;
};

// A 16-pixel image first, then the case's image, which is the icon's largest.
std::vector<ImageCase> Cases() {
    return {
        {"1-bit", MakeBmpImage(32, 1, 1), 32, 1},    {"4-bit", MakeBmpImage(32, 4, 2), 32, 4},
        {"8-bit", MakeBmpImage(48, 8, 3), 48, 8},    {"24-bit", MakeBmpImage(32, 24, 4), 32, 24},
        {"32-bit", MakeBmpImage(48, 32, 5), 48, 32}, {"PNG", MakePngImage(256, 256, 6), 256, 32}};
}

Bytes BytesOf(HGLOBAL block) {
    const void* at = GlobalLock(block);
    Bytes bytes;
    if (at)
        bytes.assign(static_cast<const std::uint8_t*>(at),
                     static_cast<const std::uint8_t*>(at) + GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

// A format's block (a file's contents by index); nothing when the object refuses it.
std::optional<Bytes> GetBytes(IDataObject* data, UINT format, LONG index = -1) {
    FORMATETC asked{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, index,
                    TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&asked, &medium)))
        return std::nullopt;
    Bytes bytes = BytesOf(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
}

std::vector<UINT> FormatsOf(IDataObject* data) {
    std::vector<UINT> formats;
    IEnumFORMATETC* list = nullptr;
    if (FAILED(data->EnumFormatEtc(DATADIR_GET, &list)))
        return formats;
    FORMATETC format{};
    while (list->Next(1, &format, nullptr) == S_OK)
        formats.push_back(format.cfFormat);
    list->Release();
    return formats;
}

std::vector<std::string> DescribedNames(IDataObject* data) {
    std::vector<std::string> names;
    const auto block = GetBytes(data, FileDescriptorFormat());
    if (!block || block->size() < sizeof(FILEGROUPDESCRIPTORW))
        return names;
    const auto* group = reinterpret_cast<const FILEGROUPDESCRIPTORW*>(block->data());
    if (block->size() < sizeof(UINT) + group->cItems * sizeof(FILEDESCRIPTORW))
        return names;
    for (UINT i = 0; i < group->cItems; ++i)
        names.push_back(platform::NarrowFromWide(group->fgd[i].cFileName));
    return names;
}

const std::vector<UINT> kDragFormats() {
    return {FileDescriptorFormat(), FileContentsFormat(), PngClipboardFormat(), CF_DIBV5, CF_DIB};
}

std::string FileNameOfPath(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

} // namespace

// The icon panes showing one icon: a 16-pixel image, then a case's image.
class CopiedImages : public IconPanes {
protected:
    void ShowOnly(const ImageCase& c, std::string& path) {
        ResourceTree tree;
        AddIconGroup(tree, 1, 0x409, {MakeBmpImage(16, 4), c.image}, {16, c.width}, {4, c.bitCount},
                     1);
        path = WriteImage(c.name + ".dll", tree);
        List().RemoveAll();
        ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
        ClickItem(0);
    }
};

TEST_F(CopiedImages, CopyFromTheIconListGivesOtherProgramsTheLargestImageWhole) {
    for (const ImageCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::string path;
        ASSERT_NO_FATAL_FAILURE(ShowOnly(c, path));
        EmptyTheClipboard();
        iconList->SendMessage(WM_COMMAND, ID_EDIT_COPY);
        const ClipboardSeen seen = ReadClipboardInOtherProcess(folder);
        ExpectClipboardOrder(seen, c.width);

        const std::string cli = folder.File("cli-" + c.name);
        CreateDirectoryA(cli.c_str(), nullptr);
        ASSERT_EQ(RunCli({"extract", "--format", "png", "-o", cli, path}, folder.Path()).status, 0);
        EXPECT_EQ(seen.png, ReadFileBytes(cli + "\\" + c.name + ".dll#1.png"));
        ExpectSameImage(seen, c.width, c.name != "PNG", "icon list");
        // The bitmap is the list's picture, as before.
        const int picture = List().GetPicture(0);
        ASSERT_GE(picture, 0);
        const Picture shown = Picture::Of(List().GetPictures(), picture);
        EXPECT_EQ(seen.bitmap.width, shown.width);
        EXPECT_EQ(seen.bitmap.pixels, shown.pixels);
    }
}

TEST_F(CopiedImages, CopyFromTheSubIconViewGivesTheCaretImageAtItsOwnSize) {
    for (const ImageCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::string path;
        ASSERT_NO_FATAL_FAILURE(ShowOnly(c, path));
        ASSERT_EQ(Rows().GetCount(), 2);
        Rows().SetSel(-1, FALSE);
        Rows().SetSel(1);
        Rows().SetCaretIndex(1);
        EmptyTheClipboard();
        subIcons->SendMessage(WM_COMMAND, ID_EDIT_COPY);
        const ClipboardSeen seen = ReadClipboardInOtherProcess(folder);
        ExpectClipboardOrder(seen, c.width);

        std::vector<CString> written;
        ASSERT_TRUE(
            subIcons->SaveSelectedAsPng(folder.File(c.name + "-row.png").c_str(), &written));
        ASSERT_EQ(written.size(), 1u);
        EXPECT_EQ(seen.png, ReadFileBytes(std::string(written[0])));
        ExpectSameImage(seen, c.width, c.name != "PNG", "sub-icon view");
        // The bitmap is the row's icon on white at its own size, as before.
        const HICON icon = Rows().GetRow(1)->icon.Get();
        const int side = IconWidth(icon);
        const ScopedBitmap before =
            DrawIconPicture(icon, side, side, CellPlacement{0, 0, side, side},
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(seen.bitmap.width, side);
        EXPECT_EQ(seen.bitmap.pixels, Picture::Of(before.Get()).pixels);
    }
}

TEST_F(IconPanes, ADamagedImageCopiesNothing) {
    // The largest image is damaged; the list's picture comes from the 32-pixel one.
    Bytes damaged = MakeBmpImage(48, 8);
    damaged[14] = 7; // a depth no reader knows
    ResourceTree tree;
    AddIconGroup(tree, 1, 0x409, {MakeBmpImage(32, 4), damaged}, {32, 48}, {4, 8}, 1);
    const std::string path = WriteImage("damaged.dll", tree);
    ASSERT_EQ(List().AddGroupIcon(path.c_str(), 1, 0x409), 1);
    ClickItem(0);
    ASSERT_EQ(RowLabels().back(), "48x48x256 (damaged)");
    CopyTextToClipboard(nullptr, "kept");
    EXPECT_EQ(subIcons->CopyRowToClipboard(1), 0);
    EXPECT_EQ(ui::ClipboardText(), "kept");
    // The icon list still copies its picture, but no image it cannot read.
    // (The system may make a CF_DIBV5 of that picture.)
    ASSERT_TRUE(List().CopyFirstSelected());
    EXPECT_FALSE(IsClipboardFormatAvailable(PngClipboardFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(IconPanes, DraggingIconsOffersTheBatchSavesFilesAndTheFirstImage) {
    const std::string dll = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    const std::string ico = folder.Write(
        "tools.ico", MakeIcoFile({EntryFor(MakeBmpImage(24, 8), 24, 8, 1)}, {MakeBmpImage(24, 8)}));
    ASSERT_EQ(List().AddGroupIcon(dll.c_str(), 1, 0x409), 1);
    ASSERT_EQ(List().AddIconFile(ico.c_str()), 1);
    EXPECT_EQ(List().CreateSelectionData(), nullptr) << "nothing selected";
    List().SelectAll();
    const ScopedComPtr<IDataObject> data(List().CreateSelectionData());
    ASSERT_TRUE(data);
    EXPECT_EQ(FormatsOf(data.Get()), kDragFormats());

    // The names and bytes the batch save writes.
    const std::vector<std::string> names = DescribedNames(data.Get());
    ASSERT_EQ(names, (std::vector<std::string>{"three.dll#1.ico", "tools.ico"}));
    const std::string saved = folder.File("saved");
    CreateDirectoryA(saved.c_str(), nullptr);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::string(List().DefaultFileName(i, ".ico")), names[i]);
        const std::string target = saved + "\\" + names[i];
        ASSERT_EQ(List().SaveIcon(i, false, target.c_str(), false, kSaveAsIco), 1);
        EXPECT_EQ(GetBytes(data.Get(), FileContentsFormat(), i), ReadFileBytes(target)) << i;
    }
    EXPECT_FALSE(GetBytes(data.Get(), FileContentsFormat(), 2));
    EXPECT_FALSE(GetBytes(data.Get(), FileContentsFormat(), -1));
    EXPECT_FALSE(GetBytes(data.Get(), CF_BITMAP)) << "a drag offers no picture of the window";

    // The first icon's largest image, as the PNG export writes it.
    const std::string png = folder.File("first.png");
    ASSERT_EQ(List().SaveIcon(0, false, png.c_str(), false, kSaveAsPng), 1);
    EXPECT_EQ(GetBytes(data.Get(), PngClipboardFormat()), ReadFileBytes(png));
}

// A group cursor is dragged out as the .cur file its save writes, cursor files as they are.
TEST_F(IconPanes, DraggingCursorsOffersTheFilesTheirSavesWrite) {
    ResourceTree tree;
    AddCursorGroup(tree, 5, 0x409, {16, 32}, {{1, 2}, {7, 8}}, 10);
    const std::string dll = WriteImage("pointers.dll", tree);
    const std::string cur = folder.Write("two.cur", MakeCurFile({16, 32}, {{1, 2}, {5, 5}}));
    const std::string ani = folder.Write("busy.ani", BuildAni(MakeAniParts(3)));
    ASSERT_EQ(ListIconGroups(dll.c_str(), &List()), 1);
    ASSERT_EQ(List().AddCursorFile(cur.c_str()), 1);
    ASSERT_EQ(List().AddAnimatedCursorFile(ani.c_str()), 1);
    List().SelectAll();
    const ScopedComPtr<IDataObject> data(List().CreateSelectionData());
    ASSERT_TRUE(data);

    const std::vector<std::string> names = DescribedNames(data.Get());
    ASSERT_EQ(names, (std::vector<std::string>{"pointers.dll#5.cur", "two.cur", "busy.ani"}));
    const std::string saved = folder.File("saved");
    CreateDirectoryA(saved.c_str(), nullptr);
    for (int i = 0; i < 3; ++i) {
        const std::string target = saved + "\\" + names[i];
        ASSERT_EQ(List().SaveIcon(i, false, target.c_str(), false, kSaveAsIco), 1);
        EXPECT_EQ(GetBytes(data.Get(), FileContentsFormat(), i), ReadFileBytes(target)) << i;
    }
}

TEST_F(IconPanes, DraggingImagesOffersTheImageSavesPngFiles) {
    const std::string dll = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(dll.c_str(), 1, 0x409), 1);
    ClickItem(0);
    EXPECT_EQ(subIcons->CreateSelectionData(), nullptr) << "nothing selected";
    Rows().SetSel(0);
    Rows().SetSel(2);
    Rows().SetCaretIndex(2);
    const ScopedComPtr<IDataObject> data(subIcons->CreateSelectionData());
    ASSERT_TRUE(data);
    EXPECT_EQ(FormatsOf(data.Get()), kDragFormats());

    std::vector<CString> written;
    ASSERT_TRUE(subIcons->SaveSelectedAsPng(
        folder.File(std::string(subIcons->MakeSaveName()) + ".png").c_str(), &written));
    ASSERT_EQ(written.size(), 2u);
    const std::vector<std::string> names = DescribedNames(data.Get());
    ASSERT_EQ(names, (std::vector<std::string>{"three.dll#1_2-16x16x4.png",
                                               "three.dll#1_2-48x48x32.png"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(FileNameOfPath(std::string(written[i])), names[i]);
        EXPECT_EQ(GetBytes(data.Get(), FileContentsFormat(), i),
                  ReadFileBytes(std::string(written[i])));
    }
    EXPECT_EQ(GetBytes(data.Get(), PngClipboardFormat()), ReadFileBytes(std::string(written[0])));
}

// A hundred icons: the object is built from the list alone; each file is read when asked for,
// as it is then.
TEST_F(IconPanes, ADragOfManyIconsReadsEachOnlyWhenAskedFor) {
    constexpr int kIcons = 100;
    const auto icoFile = [](int width, std::uint8_t seed) {
        const Bytes image = MakeBmpImage(width, 8, seed);
        return MakeIcoFile({EntryFor(image, width, 8, 1)}, {image});
    };
    std::vector<std::string> paths;
    for (int i = 0; i < kIcons; ++i) {
        paths.push_back(folder.Write("icon" + std::to_string(i) + ".ico", icoFile(16, 1)));
        ASSERT_EQ(List().AddIconFile(paths.back().c_str()), 1);
    }
    List().SelectAll();
    const ScopedComPtr<IDataObject> data(List().CreateSelectionData());
    ASSERT_TRUE(data);
    ASSERT_EQ(DescribedNames(data.Get()).size(), static_cast<std::size_t>(kIcons));
    // Changed after the object was made: it gives the files as they are now.
    std::vector<Bytes> now;
    for (int i = 0; i < kIcons; ++i)
        now.push_back(icoFile(32, static_cast<std::uint8_t>(i + 2)));
    for (int i = 0; i < kIcons; ++i)
        folder.Write("icon" + std::to_string(i) + ".ico", now[i]);
    DeleteFileA(paths[50].c_str());
    for (int i = 0; i < kIcons; ++i) {
        if (i == 50)
            EXPECT_FALSE(GetBytes(data.Get(), FileContentsFormat(), i)) << "gone: no contents";
        else
            EXPECT_EQ(GetBytes(data.Get(), FileContentsFormat(), i), now[i]) << i;
    }
    const auto png = DecodePng(GetBytes(data.Get(), PngClipboardFormat()).value_or(Bytes()));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 32);
}

namespace {

// A drop target that takes every file dropped on it.
class FileDropTarget : public CComUnknown<IDropTarget, IID_IDropTarget> {
public:
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        entered = true;
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        names = DescribedNames(data);
        for (std::size_t i = 0; i < names.size(); ++i)
            contents.push_back(
                GetBytes(data, FileContentsFormat(), static_cast<LONG>(i)).value_or(Bytes()));
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    bool entered = false;
    std::vector<std::string> names;
    std::vector<Bytes> contents;
};

// Drops as soon as the target has been entered (the system looks for it under the cursor
// between two questions); gives up after about five seconds.
class DropOnTarget : public CComUnknown<IDropSource, IID_IDropSource> {
public:
    explicit DropOnTarget(const FileDropTarget& target) : m_target(target) {}
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        if (m_target.entered)
            return DRAGDROP_S_DROP;
        return ++m_asked > 100 ? DRAGDROP_S_CANCEL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    const FileDropTarget& m_target;
    int m_asked = 0;
};

} // namespace

TEST_F(IconPanes, ADragDroppedOnATargetGivesItTheFiles) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    const std::string dll = WriteGroupImage("three.dll", {16, 32, 48}, {4, 8, 32});
    ASSERT_EQ(List().AddGroupIcon(dll.c_str(), 1, 0x409), 1);
    ClickItem(0);
    // Not a static control: the system looks through those for the window under the cursor.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuarvelTestDropTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "drop here",
                                  WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    auto* target = new FileDropTarget;
    ASSERT_EQ(RegisterDragDrop(window, target), S_OK);
    SetCursorPos(200, 200);
    ui::PumpPending();
    ASSERT_EQ(WindowFromPoint(POINT{200, 200}), window);
    auto* source = new DropOnTarget(*target);
    EXPECT_EQ(List().DragSelection(source), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->names, std::vector<std::string>{"three.dll#1.ico"});
    const std::string saved = folder.File("saved.ico");
    ASSERT_EQ(List().SaveIcon(0, false, saved.c_str(), false, kSaveAsIco), 1);
    EXPECT_EQ(target->contents, std::vector<Bytes>{ReadFileBytes(saved)});

    // The same from the sub-icon view.
    Rows().SetSel(-1, FALSE);
    Rows().SetSel(1);
    Rows().SetCaretIndex(1);
    target->entered = false;
    target->names.clear();
    target->contents.clear();
    EXPECT_EQ(subIcons->DragSelection(source), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->names, std::vector<std::string>{"three.dll#1_1-32x32x8.png"});
    source->Release();
    RevokeDragDrop(window);
    target->Release();
    DestroyWindow(window);
    OleUninitialize();
}
