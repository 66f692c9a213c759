// Loading of sibling modules: other modules of the same installation that
// sit beside this one and follow the same DllCreateInstance contract. A
// sibling is found relative to the folder of this module's own file, never
// through the process's current folder or search path.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "quon/platform_types.h"

namespace quon {

#ifdef _WIN32
typedef HMODULE SiblingModuleHandle;
#else
typedef void* SiblingModuleHandle;
#endif

// A loaded sibling and its entry point. Both are null when loading failed;
// createInstance alone is null when the module has no DllCreateInstance
// export. The owner keeps the pair by value and frees it with
// FreeSiblingModule.
struct SiblingModule {
    SiblingModuleHandle module = nullptr;
    PFN_DllCreateInstance createInstance = nullptr;
};

// Loads the module named relativeName relative to the folder of this
// module's file ("Lumid.dll", "..\\Lumid.dll", ".\\Lumid.dll") and looks up
// its DllCreateInstance. Reports nothing: a failed step leaves the pair null.
SiblingModule LoadSiblingModule(const wchar_t* relativeName);

// Frees a loaded sibling and sets both fields to null. A pair whose handle is
// null is left alone (nothing is passed to the platform's unload call).
void FreeSiblingModule(SiblingModule& sibling);

// How a sibling's relative name becomes a file path on one platform.
struct SiblingPathRules {
    char separator;        // between folders of the module's own path
    bool slashInNames;     // '/' also separates folders in a relative name
    bool dllToSharedLib;   // "Name.dll" names the file "libName.so"
    std::size_t maxPath;   // longest path accepted, terminator included
};

inline constexpr SiblingPathRules kWindowsSiblingRules{'\\', false, false, 260};
inline constexpr SiblingPathRules kPosixSiblingRules{'/', true, true, 4096};

// Resolves relativeName against the folder of modulePath: the module's file
// name is cut off; every leading "..\" goes one folder up and every leading
// ".\" stays; the rest of the name is joined to the folder with the folder
// separator. Returns an empty string when the module path has no folder, a
// "..\" climbs above its first folder, or the result is not shorter than
// rules.maxPath.
template <class Char>
std::basic_string<Char> ResolveSiblingPath(std::basic_string_view<Char> modulePath,
                                           std::basic_string_view<Char> relativeName,
                                           const SiblingPathRules& rules) {
    const Char sep = static_cast<Char>(rules.separator);
    const auto isNameSeparator = [&](Char c) {
        return c == static_cast<Char>('\\') || (rules.slashInNames && c == static_cast<Char>('/'));
    };

    std::size_t cut = modulePath.rfind(sep);
    if (cut == std::basic_string_view<Char>::npos) return {};
    std::basic_string_view<Char> folder = modulePath.substr(0, cut);

    std::basic_string_view<Char> name = relativeName;
    for (;;) {
        if (name.size() >= 3 && name[0] == static_cast<Char>('.') && name[1] == static_cast<Char>('.') &&
            isNameSeparator(name[2])) {
            cut = folder.rfind(sep);
            if (cut == std::basic_string_view<Char>::npos) return {};
            folder = folder.substr(0, cut);
            name.remove_prefix(3);
        } else if (name.size() >= 2 && name[0] == static_cast<Char>('.') && isNameSeparator(name[1])) {
            name.remove_prefix(2);
        } else {
            break;
        }
    }

    std::basic_string<Char> path(folder);
    path += sep;
    std::basic_string<Char> rest(name);
    if (rules.slashInNames) {
        for (Char& c : rest)
            if (isNameSeparator(c)) c = sep;
    }
    if (rules.dllToSharedLib) {
        // The file name proper: after the last separator of the rest.
        const std::size_t last = rest.rfind(sep);
        const std::size_t start = last == std::basic_string<Char>::npos ? 0 : last + 1;
        const std::size_t fileLength = rest.size() - start;
        const auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; };
        if (fileLength > 4 && rest[rest.size() - 4] == static_cast<Char>('.') && lower(rest[rest.size() - 3]) == 'd' &&
            lower(rest[rest.size() - 2]) == 'l' && lower(rest[rest.size() - 1]) == 'l') {
            rest.resize(rest.size() - 4);
            rest.insert(start, std::basic_string<Char>{static_cast<Char>('l'), static_cast<Char>('i'), static_cast<Char>('b')});
            rest += {static_cast<Char>('.'), static_cast<Char>('s'), static_cast<Char>('o')};
        }
    }
    path += rest;
    if (path.size() + 1 > rules.maxPath) return {};
    return path;
}

}  // namespace quon
