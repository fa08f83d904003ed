// Row icons of the file list: the shell's by type, or built by our reader from the file.
#include "FileRowIcons.h"

#include "Registry.h"
#include "engine/DisplayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>
#include <vector>

using namespace quarvel;

void FirstIconRecorder::RecordFirstGroup(ResKey name, std::uint16_t language) {
    if (m_kind == Kind::None && name.IsValid()) {
        m_kind = Kind::Group;
        m_nameIsId = name.IsId();
        m_id = name.IsId() ? name.Id() : 0;
        m_name = name.IsId() ? "" : name.Name();
        m_language = language;
    }
}

int FirstIconRecorder::AddGroupIcon(const char* path, ResKey name, std::uint16_t language) {
    RecordFirstGroup(name, language);
    return m_next ? m_next->AddGroupIcon(path, name, language) : 0;
}

int FirstIconRecorder::AddMovedGroupIcon(const char* listedPath, const char* sourcePath,
                                         ResKey name, std::uint16_t language) {
    RecordFirstGroup(name, language);
    return m_next ? m_next->AddMovedGroupIcon(listedPath, sourcePath, name, language) : 0;
}

int FirstIconRecorder::AddIconFile(const char* path) {
    if (m_kind == Kind::None)
        m_kind = Kind::IconFile;
    return m_next ? m_next->AddIconFile(path) : 0;
}

namespace {
constexpr UINT kSystemIconFlags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES;

CImageList NewList() {
    CImageList list;
    list.Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                ILC_COLOR32 | ILC_MASK, 0, 64);
    return list;
}

// The extension of the path's file name in lower case, with its dot; "" when it has none.
std::string LowerExtension(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    const char* dot = std::strrchr(name, '.');
    std::string extension = dot && dot != name ? dot : "";
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool ReadClassText(const std::string& key, std::string& text) {
    return ReadRegistryDefault(HKEY_CLASSES_ROOT, key.c_str(), MAX_PATH - 1, text) == ERROR_SUCCESS;
}

bool KeyExists(const std::string& key) {
    return static_cast<bool>(OpenRegKey(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ));
}

// "%1" with or without quotes, alone or before an index.
bool NamesTheFileItself(const std::string& defaultIcon) {
    const std::size_t start = defaultIcon.find_first_not_of(" \"");
    return start != std::string::npos && defaultIcon.compare(start, 2, "%1") == 0;
}

bool TypeIconComesFromFile(const std::string& extension) {
    if (extension.empty())
        return false;
    std::string icon, type;
    if (ReadClassText(extension + "\\DefaultIcon", icon) && NamesTheFileItself(icon))
        return true;
    if (!ReadClassText(extension, type) || type.empty())
        return false;
    return (ReadClassText(type + "\\DefaultIcon", icon) && NamesTheFileItself(icon)) ||
           KeyExists(type + "\\shellex\\IconHandler");
}
} // namespace

bool CFileRowIcons::IconComesFromFile(const char* path) {
    return path && TypeIconComesFromFile(LowerExtension(path));
}

CFileRowIcons::CFileRowIcons() : m_list(NewList()) {}

CImageList CFileRowIcons::Reset() {
    CImageList old = std::exchange(m_list, NewList());
    m_fromSystem.clear();
    m_byType.clear();
    m_byPicture.clear();
    m_used = 0;
    return old;
}

int CFileRowIcons::Add(ScopedIcon icon) {
    if (!icon || !m_list.GetSafeHandle())
        return -1;
    // An image list grows by a fixed step, copying every image each time: 10^5 rows of their
    // own icons would copy gigabytes. Its room doubles instead, and icons fill the free slots.
    if (m_used == ImageList_GetImageCount(m_list) &&
        !ImageList_SetImageCount(m_list, std::max(kFirstRoom, m_used * 2)))
        return -1;
    const int index = ImageList_ReplaceIcon(m_list, m_used, icon.Get());
    if (index >= 0)
        ++m_used;
    return index;
}

int CFileRowIcons::FromSystemList(int systemIndex) {
    const auto known = m_fromSystem.find(systemIndex);
    if (known != m_fromSystem.end())
        return known->second;
    SHFILEINFOA info{};
    const auto system = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, kSystemIconFlags));
    const int index =
        system ? Add(ScopedIcon(ImageList_GetIcon(system, systemIndex, ILD_NORMAL))) : -1;
    m_fromSystem[systemIndex] = index;
    return index;
}

int CFileRowIcons::ByType(const char* path, DWORD attributes) {
    // Asked by attributes and extension alone, the shell answers alike for every name of a
    // type, and asking it costs more than all else a row needs: it is asked once per type.
    const std::string type =
        (attributes & FILE_ATTRIBUTE_DIRECTORY) ? std::string("\\") : LowerExtension(path);
    const auto known = m_byType.find(type);
    if (known != m_byType.end())
        return known->second;
    SHFILEINFOA info{};
    const int index = SHGetFileInfoA(path, attributes, &info, sizeof info, kSystemIconFlags)
                          ? FromSystemList(info.iIcon)
                          : -1;
    m_byType[type] = index;
    return index;
}

int CFileRowIcons::ForFolder() {
    // By attributes alone: a folder's desktop.ini could name any file as its icon.
    return ByType("folder", FILE_ATTRIBUTE_DIRECTORY);
}

RowIconChoice RowIconRule::Choose(const char* path, const FirstIconRecorder& icons,
                                  const CPEFile* open) {
    RowIconChoice choice;
    const std::string extension = LowerExtension(path);
    auto fromFile = m_fromFileTypes.find(extension);
    if (fromFile == m_fromFileTypes.end())
        fromFile = m_fromFileTypes.emplace(extension, TypeIconComesFromFile(extension)).first;
    if (!fromFile->second)
        return choice;

    const int small = GetSystemMetrics(SM_CXSMICON);
    std::vector<std::uint8_t> image;
    if (icons.FirstKind() == FirstIconRecorder::Kind::Group)
        image = open ? ReadGroupDisplayImage(*open, icons.FirstName(), icons.FirstLanguage(), small)
                     : ReadGroupDisplayImage(path, icons.FirstName(), icons.FirstLanguage(), small);
    else if (icons.FirstKind() == FirstIconRecorder::Kind::IconFile)
        image = ReadIcoDisplayImage(path, small);
    bool built = false;
    if (!image.empty()) {
        // An icon is a window-system object, and so is each slot of the row icons: a picture
        // seen before is named, not built again.
        const Sha256Digest picture = Sha256Of(image.data(), image.size());
        const auto [known, added] = m_pictures.emplace(picture, false);
        if (added) {
            choice.own = BuildIconFromImage(ByteView(image.data(), image.size())).icon;
            known->second = static_cast<bool>(choice.own);
        }
        built = known->second;
        if (built)
            choice.picture = picture;
    }
    // Even asked by type, the shell would read a file of this type: without an icon of our
    // own, the row gets the icon of a name without a type.
    choice.kind = built ? RowIconChoice::Kind::Own : RowIconChoice::Kind::Untyped;
    return choice;
}

int CFileRowIcons::Own(RowIconChoice choice) {
    if (choice.picture) {
        const auto known = m_byPicture.find(*choice.picture);
        if (known != m_byPicture.end())
            return known->second;
    }
    // A picture named without its icon is one the list has had: its rule and this list are
    // emptied together. Should they ever part, the row still gets the icon of a file without a
    // type rather than none.
    if (!choice.own)
        return ByType("file", FILE_ATTRIBUTE_NORMAL);
    const int index = Add(std::move(choice.own));
    if (choice.picture && index >= 0)
        m_byPicture.emplace(*choice.picture, index);
    return index;
}

int CFileRowIcons::ForFile(const char* path, RowIconChoice choice) {
    switch (choice.kind) {
    case RowIconChoice::Kind::Own:
        return Own(std::move(choice));
    case RowIconChoice::Kind::Untyped:
        return ByType("file", FILE_ATTRIBUTE_NORMAL);
    case RowIconChoice::Kind::ByType:
        break;
    }
    return ByType(path, FILE_ATTRIBUTE_NORMAL);
}
