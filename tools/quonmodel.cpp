// quonmodel: loads the QuonCoreModel module by file name, as a host does,
// reads a text file into a model object and writes it back, and reports
// whether the round trip reproduced the file byte for byte.
//
//   quonmodel [--module PATH] [--out FILE] CLASS FILE...
//   quonmodel --list
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include "model_classes.h"

namespace {

#ifdef _WIN32
const char* kModuleFile = "QuonCoreModel.dll";
#else
const char* kModuleFile = "libQuonCoreModel.so";
#endif

std::string ExecutableFolder(const char* argv0) {
    std::string path = argv0;
#ifndef _WIN32
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) path.assign(self, static_cast<std::size_t>(n));
#endif
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

PFN_DllCreateInstance LoadModule(const std::string& path) {
#ifdef _WIN32
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) return nullptr;
    return reinterpret_cast<PFN_DllCreateInstance>(reinterpret_cast<void*>(GetProcAddress(module, "DllCreateInstance")));
#else
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::cerr << "quonmodel: " << dlerror() << "\n";
        return nullptr;
    }
    return reinterpret_cast<PFN_DllCreateInstance>(dlsym(module, "DllCreateInstance"));
#endif
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

// Reads one file into a fresh object and writes it back. Returns 0 when the
// output equals the input, 1 when it differs, 2 on an error.
int RoundTrip(PFN_DllCreateInstance create, const ModelClass& cls, const std::string& path, const std::string& outPath) {
    std::string input;
    if (!ReadFile(path, input)) {
        std::cerr << "quonmodel: cannot read " << path << "\n";
        return 2;
    }
    IUnknown* object = nullptr;
    HRESULT hr = create(*cls.clsid, *cls.iid, reinterpret_cast<void**>(&object));
    if (FAILED(hr)) {
        std::cerr << "quonmodel: cannot create " << cls.name << ": " << Hex(hr) << "\n";
        return 2;
    }
    int result = 2;
    try {
        if (cls.prepare != nullptr && FAILED(hr = cls.prepare(object))) throw std::runtime_error("prepare failed: " + Hex(hr));
        hr = cls.load(object, input.data(), static_cast<UINT32>(input.size()));
        if (FAILED(hr)) throw std::runtime_error("LoadFromBuffer failed: " + Hex(hr));

        // Offer a buffer twice the input and grow it while the text does not fit.
        std::vector<char> buffer(input.size() * 2 + 4096);
        UINT32 written = 0;
        while ((hr = cls.save(object, buffer.data(), static_cast<UINT32>(buffer.size()), &written)) == E_FAIL &&
               buffer.size() < (1u << 30)) {
            buffer.resize(buffer.size() * 2);
        }
        if (FAILED(hr)) throw std::runtime_error("SaveToBuffer failed: " + Hex(hr));
        const std::string output(buffer.data(), written);
        if (!outPath.empty()) {
            std::ofstream out(outPath, std::ios::binary);
            out << output;
        }
        if (output == input) {
            std::cout << path << ": " << cls.name << ", " << written << " bytes, round trip identical\n";
            result = 0;
        } else {
            std::size_t at = 0;
            while (at < input.size() && at < output.size() && input[at] == output[at]) ++at;
            std::cout << path << ": " << cls.name << ", round trip differs at byte " << at << " (read "
                      << input.size() << " bytes, wrote " << output.size() << ")\n";
            result = 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "quonmodel: " << path << ": " << e.what() << "\n";
        result = 2;
    }
    object->Release();
    return result;
}

void Usage() {
    std::cerr << "usage: quonmodel [--module PATH] [--out FILE] CLASS FILE...\n"
                 "       quonmodel --list\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string modulePath = ExecutableFolder(argv[0]) + "/" + kModuleFile;
    std::string outPath;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            for (const ModelClass& c : ModelClasses()) std::cout << c.name << "\t" << c.about << "\n";
            return 0;
        }
        if ((arg == "--module" || arg == "--out") && i + 1 < argc) {
            (arg == "--module" ? modulePath : outPath) = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            Usage();
            return 0;
        } else {
            args.push_back(arg);
        }
    }
    if (args.size() < 2) {
        Usage();
        return 2;
    }
    const ModelClass* cls = FindModelClass(args[0]);
    if (cls == nullptr) {
        std::cerr << "quonmodel: unknown class " << args[0] << " (see --list)\n";
        return 2;
    }
    PFN_DllCreateInstance create = LoadModule(modulePath);
    if (create == nullptr) {
        std::cerr << "quonmodel: cannot load DllCreateInstance from " << modulePath << "\n";
        return 2;
    }
    SetModelFactory(create);
    int worst = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const int r = RoundTrip(create, *cls, args[i], args.size() == 2 ? outPath : std::string());
        if (r > worst) worst = r;
    }
    return worst;
}
