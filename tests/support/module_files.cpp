#include "support/module_files.h"

#include <atomic>
#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace quontest {

std::filesystem::path StandInFile(const char* fileName) {
    return std::filesystem::path(QUON_STANDIN_DIR) / fileName;
}
std::filesystem::path LumidStandIn() { return StandInFile(QUON_LUMID_FILE); }
std::filesystem::path ImageUtilityStandIn() { return StandInFile(QUON_IMAGE_UTILITY_FILE); }
std::filesystem::path NoEntryStandIn() { return StandInFile(QUON_NO_ENTRY_FILE); }
std::filesystem::path ModuleFile() { return std::filesystem::path(QUON_MODULE_DIR) / QUON_MODULE_FILE; }

#ifdef _WIN32

LoadedModule::LoadedModule(const std::filesystem::path& file) : m_module(LoadLibraryW(file.c_str())) {}

PFN_DllCreateInstance LoadedModule::Entry() const {
    if (m_module == nullptr) return nullptr;
    return reinterpret_cast<PFN_DllCreateInstance>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_module), "DllCreateInstance")));
}

void LoadedModule::Free() {
    if (m_module != nullptr) FreeLibrary(static_cast<HMODULE>(m_module));
    m_module = nullptr;
}

bool IsModuleLoaded(const std::filesystem::path& file) {
    return GetModuleHandleW(std::filesystem::absolute(file).make_preferred().c_str()) != nullptr;
}

static unsigned long ProcessId() { return GetCurrentProcessId(); }

#else

LoadedModule::LoadedModule(const std::filesystem::path& file) : m_module(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

PFN_DllCreateInstance LoadedModule::Entry() const {
    if (m_module == nullptr) return nullptr;
    return reinterpret_cast<PFN_DllCreateInstance>(dlsym(m_module, "DllCreateInstance"));
}

void LoadedModule::Free() {
    if (m_module != nullptr) dlclose(m_module);
    m_module = nullptr;
}

bool IsModuleLoaded(const std::filesystem::path& file) {
    void* module = dlopen(file.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (module == nullptr) return false;
    dlclose(module);
    return true;
}

static unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

#endif

ScratchFolder::ScratchFolder() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("quon-test-" + std::to_string(ProcessId()) + "-" + std::to_string(stamp) + "-" +
              std::to_string(serial++));
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path ScratchFolder::Place(const std::string& sub,
                                           std::initializer_list<std::filesystem::path> files) const {
    const std::filesystem::path folder = m_path / sub;
    std::filesystem::create_directories(folder);
    for (const std::filesystem::path& file : files)
        std::filesystem::copy_file(file, folder / file.filename(), std::filesystem::copy_options::overwrite_existing);
    return folder;
}

}  // namespace quontest
