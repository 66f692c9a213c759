// Modules loaded by file as a host loads them, and scratch folders to lay
// module files out in, for the tests of sibling modules.
#pragma once

#include <filesystem>
#include <string>

#include "quon/platform_types.h"

namespace quontest {

// The built stand-in sibling modules (Lumid, QuonImageUtility, NoEntry).
std::filesystem::path StandInFile(const char* fileName);
std::filesystem::path LumidStandIn();
std::filesystem::path ImageUtilityStandIn();
std::filesystem::path NoEntryStandIn();
// The built module itself.
std::filesystem::path ModuleFile();

// A module loaded by path; freed when the holder goes (or on Free).
class LoadedModule {
public:
    explicit LoadedModule(const std::filesystem::path& file);
    ~LoadedModule() { Free(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    PFN_DllCreateInstance Entry() const;
    void Free();

private:
    void* m_module = nullptr;
};

// Whether the process has the module of this file loaded right now.
bool IsModuleLoaded(const std::filesystem::path& file);

// A fresh empty folder under the system's temporary folder, removed with its
// contents when the holder goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Creates sub (and its parents) inside the folder and copies each file
    // there under its own name; returns the sub-folder.
    std::filesystem::path Place(const std::string& sub, std::initializer_list<std::filesystem::path> files) const;

private:
    std::filesystem::path m_path;
};

}  // namespace quontest
