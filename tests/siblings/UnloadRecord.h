// Lets a stand-in module note its own unloading where the test can read it
// afterwards: its name and a ';' are appended to the process environment
// variable QUON_STANDIN_UNLOADS when the module's static objects go.
#pragma once

#include <cstdlib>
#include <string>

inline constexpr const char* kUnloadRecordVariable = "QUON_STANDIN_UNLOADS";

struct UnloadRecord {
    const char* name;
    ~UnloadRecord() {
        const char* before = std::getenv(kUnloadRecordVariable);
        const std::string now = std::string(before != nullptr ? before : "") + name + ";";
#ifdef _WIN32
        _putenv_s(kUnloadRecordVariable, now.c_str());
#else
        setenv(kUnloadRecordVariable, now.c_str(), 1);
#endif
    }
};
