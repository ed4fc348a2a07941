// The resources of a built saver read back from its file, as Windows' shell and loader read
// them: the manifest (per-monitor DPI awareness, Common Controls 6, supported systems), the
// version (the project's, the product name, a description, the licence), the icon at 16, 32,
// 48 and 256 pixels, the saver's window class carrying it, and the dialog's texts fitting
// their controls in the dialog's own font.
//   resource_check SAVER
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/resource_ids.h"

namespace {

int failures = 0;

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) return "";
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes == nullptr ? "" : std::string(bytes, SizeofResource(module, found));
}

void CheckManifest(HMODULE module) {
    const std::string manifest = ResourceText(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    Check(!manifest.empty(), "no manifest (RT_MANIFEST 1)");
    for (const char* part : {">PerMonitorV2, PerMonitor<", ">true/pm<", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"}) {
        Check(manifest.find(part) != std::string::npos, std::string("the manifest lacks ") + part);
    }
}

std::string VersionString(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return "";
    }
    return std::string(value);
}

void CheckVersion(const char* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    Check(size > 0, "no version resource");
    if (size == 0) return;
    std::vector<char> block(size);
    Check(GetFileVersionInfoA(path, 0, size, block.data()) != 0, "GetFileVersionInfoA failed");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    Check(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr,
          "no fixed version");
    if (fixed == nullptr) return;
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u.%u", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
                  static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)));
    Check(std::string(numbers) == BRISALO_VERSION, std::string("file version ") + numbers);
    Check(fixed->dwProductVersionMS == fixed->dwFileVersionMS, "product and file versions differ");
    Check(VersionString(block, "FileVersion") == BRISALO_VERSION, "FileVersion " + VersionString(block, "FileVersion"));
    Check(VersionString(block, "ProductName") == "Brisalo", "ProductName " + VersionString(block, "ProductName"));
    Check(VersionString(block, "FileDescription") == "Brisalo screen saver",
          "FileDescription " + VersionString(block, "FileDescription"));
    Check(VersionString(block, "LegalCopyright").find("MIT") != std::string::npos,
          "LegalCopyright " + VersionString(block, "LegalCopyright"));
    Check(VersionString(block, "OriginalFilename") == "Brisalo.scr", "OriginalFilename");
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

void CheckIcon(HMODULE module) {
    const std::string group = ResourceText(module, MAKEINTRESOURCEA(BRISALO_ICON_ID), MAKEINTRESOURCEA(14));
    Check(group.size() >= 6, "no icon group " + std::to_string(BRISALO_ICON_ID));
    if (group.size() < 6) return;
    const WORD count = static_cast<WORD>(static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8);
    Check(group.size() >= 6 + count * sizeof(GroupEntry), "a short icon group");
    std::set<int> sizes;
    for (WORD i = 0; i < count && group.size() >= 6 + (i + 1) * sizeof(GroupEntry); ++i) {
        GroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof(GroupEntry), sizeof entry);
        sizes.insert(entry.width == 0 ? 256 : entry.width);
        Check(entry.bitCount == 32, "an icon image of " + std::to_string(entry.bitCount) + " bits");
        Check(!ResourceText(module, MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3)).empty(), "an icon image is missing");
    }
    Check(sizes == std::set<int>{16, 32, 48, 256}, "the icon's sizes are not 16, 32, 48 and 256");
    for (int size : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(BRISALO_ICON_ID), IMAGE_ICON, size, size, 0));
        Check(icon != nullptr, "LoadImageA of the " + std::to_string(size) + "-pixel icon");
        if (icon == nullptr) continue;
        ICONINFO info{};
        BITMAP bitmap{};
        if (GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        Check(bitmap.bmWidth == size && bitmap.bmHeight == size, "the " + std::to_string(size) + "-pixel icon is " +
                                                                     std::to_string(bitmap.bmWidth) + " wide");
        DestroyIcon(icon);
    }
}

// The class the saver registers, in this program that carries the same resources.
void CheckWindowClass() {
    const PlatformInstance self = reinterpret_cast<PlatformInstance>(GetModuleHandleA(nullptr));
    Check(PlatformRegisterClass("ResourceCheckClass", [](PlatformWindow, uint32_t, uintptr_t, intptr_t) -> intptr_t {
        return 0;
    }, self), "PlatformRegisterClass");
    WNDCLASSA registered{};
    Check(GetClassInfoA(reinterpret_cast<HINSTANCE>(self), "ResourceCheckClass", &registered) && registered.hIcon != nullptr,
          "the window class has no icon");
}

// Every text of the dialog in its own font, against its control's width; a check box's text
// starts after its box.
void CheckDialogTexts(HMODULE module) {
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(104), nullptr,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    Check(dialog != nullptr, "CreateDialogParamA of dialog 104");
    if (dialog == nullptr) return;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        char text[256] = "";
        GetWindowTextA(control, text, sizeof text);
        char kind[64] = "";
        GetClassNameA(control, kind, sizeof kind);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        RECT area{};
        GetClientRect(control, &area);
        HDC device = GetDC(control);
        HGDIOBJ old = SelectObject(device, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(device, text, static_cast<int>(std::strlen(text)), &extent);
        SelectObject(device, old);
        ReleaseDC(control, device);
        int room = area.right - area.left;
        const bool checkBox = lstrcmpiA(kind, "Button") == 0 && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        if (checkBox) room -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
        const bool pushButton = lstrcmpiA(kind, "Button") == 0 && !checkBox;
        if (pushButton) continue;  // centred in a wide button
        Check(extent.cx <= room, std::string("\"") + text + "\" is " + std::to_string(extent.cx) + " pixels wide in " +
                                     std::to_string(room));
    }
    DestroyWindow(dialog);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: resource_check SAVER\n");
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("FAILED: cannot load %s\n", argv[1]);
        return 1;
    }
    CheckManifest(module);
    CheckVersion(argv[1]);
    CheckIcon(module);
    CheckWindowClass();
    CheckDialogTexts(module);
    FreeLibrary(module);
    return failures == 0 ? 0 : 1;
}
