// A second process for the copy tests: writes what the clipboard holds into a folder, as another
// program would read it.
//     clipboard_dump.exe <folder>
// formats.txt: one line per format in the clipboard's order (a registered format by its name, a
// standard one by its number); PNG.bin, 17.bin (CF_DIBV5) and 8.bin (CF_DIB): the blocks' bytes;
// 2.bin (CF_BITMAP): width, height (4 bytes each), then its pixels as 32-bit top-down rows.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool WriteFile(const std::string& path, const void* bytes, std::size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

std::string FormatName(UINT format) {
    char name[256] = {};
    if (format >= 0xC000 && GetClipboardFormatNameA(format, name, sizeof name) > 0)
        return name;
    return std::to_string(format);
}

bool DumpBlock(const std::string& path, HANDLE handle) {
    const auto memory = static_cast<HGLOBAL>(handle);
    const void* bytes = GlobalLock(memory);
    if (!bytes)
        return false;
    const bool written = WriteFile(path, bytes, GlobalSize(memory));
    GlobalUnlock(memory);
    return written;
}

bool DumpBitmap(const std::string& path, HBITMAP bitmap) {
    BITMAP facts{};
    if (!GetObjectA(bitmap, sizeof facts, &facts))
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = facts.bmWidth;
    info.bmiHeader.biHeight = -facts.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> out(2 + static_cast<std::size_t>(facts.bmWidth) * facts.bmHeight);
    out[0] = static_cast<std::uint32_t>(facts.bmWidth);
    out[1] = static_cast<std::uint32_t>(facts.bmHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(facts.bmHeight), &out[2], &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::size_t i = 2; i < out.size(); ++i)
        out[i] &= 0x00FFFFFF;
    return rows == facts.bmHeight && WriteFile(path, out.data(), out.size() * 4);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = std::string(argv[1]) + "\\";
    if (!OpenClipboard(nullptr))
        return 3;
    std::string formats;
    bool dumped = true;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        const std::string name = FormatName(format);
        formats += name + "\n";
        if (name != "PNG" && format != CF_DIBV5 && format != CF_DIB && format != CF_BITMAP)
            continue;
        HANDLE data = GetClipboardData(format);
        const std::string path = folder + name + ".bin";
        dumped = data &&
                 (format == CF_BITMAP ? DumpBitmap(path, static_cast<HBITMAP>(data))
                                      : DumpBlock(path, data)) &&
                 dumped;
    }
    CloseClipboard();
    return WriteFile(folder + "formats.txt", formats.data(), formats.size()) && dumped ? 0 : 4;
}
