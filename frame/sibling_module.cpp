#include "frame/sibling_module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>
#endif

// The platform's module calls, all in this one place: where this module's
// own file is, how a file is loaded, looked into and freed.
namespace quon {
namespace {

#ifdef _WIN32

typedef std::wstring PathString;
constexpr const SiblingPathRules& kRules = kWindowsSiblingRules;

// The file of the module that holds this code (found by address, so a
// renamed or second copy of the module looks beside itself).
PathString OwnModuleFile() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&LoadSiblingModule), &self))
        return {};
    wchar_t path[260];
    const DWORD length = GetModuleFileNameW(self, path, 260);
    if (length == 0 || length >= 260) return {};  // failed or cut short
    return PathString(path, length);
}

PathString NameOf(const wchar_t* relativeName) { return PathString(relativeName); }

SiblingModuleHandle LoadFile(const PathString& path) {
    // The sibling's own dependencies are searched in its folder first.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

PFN_DllCreateInstance FindEntry(SiblingModuleHandle module) {
    return reinterpret_cast<PFN_DllCreateInstance>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCreateInstance")));
}

void FreeFile(SiblingModuleHandle module) { FreeLibrary(module); }

#else  // !_WIN32

typedef std::string PathString;
constexpr const SiblingPathRules& kRules = kPosixSiblingRules;

PathString OwnModuleFile() {
    Dl_info info;
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&LoadSiblingModule), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0)
        return {};
    if (map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0') return PathString(map->l_name);
    // The library is linked into the program itself: the program's file.
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return {};
    return PathString(path, static_cast<std::size_t>(length));
}

// File names are UTF-8 bytes here.
PathString NameOf(const wchar_t* relativeName) {
    PathString out;
    for (const wchar_t* p = relativeName; *p != L'\0'; ++p) {
        const char32_t c = static_cast<char32_t>(*p);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

SiblingModuleHandle LoadFile(const PathString& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

PFN_DllCreateInstance FindEntry(SiblingModuleHandle module) {
    return reinterpret_cast<PFN_DllCreateInstance>(dlsym(module, "DllCreateInstance"));
}

void FreeFile(SiblingModuleHandle module) { dlclose(module); }

#endif  // _WIN32

}  // namespace

SiblingModule LoadSiblingModule(const wchar_t* relativeName) {
    SiblingModule sibling;
    if (relativeName == nullptr) return sibling;

    const PathString self = OwnModuleFile();
    if (self.empty()) return sibling;
    const PathString name = NameOf(relativeName);
    typedef PathString::value_type Char;
    const PathString path = ResolveSiblingPath<Char>(self, name, kRules);
    if (path.empty()) return sibling;

    sibling.module = LoadFile(path);
    if (sibling.module == nullptr) return sibling;
    sibling.createInstance = FindEntry(sibling.module);
    return sibling;
}

void FreeSiblingModule(SiblingModule& sibling) {
    if (sibling.module != nullptr) FreeFile(sibling.module);
    sibling.module = nullptr;
    sibling.createInstance = nullptr;
}

}  // namespace quon
