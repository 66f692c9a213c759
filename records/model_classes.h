// The 27 model classes a host knows by name: how to create, prepare, read
// and write each (the classes with a text form), and how its records map to
// JSON (every class).
#pragma once

#include <string>
#include <vector>

#include "QuonCoreModel.h"

namespace records {
class In;
class Out;
}  // namespace records

struct ModelClass {
    const char* name;   // the class name without its "CQuon" prefix
    const char* about;  // what its text form (or, without one, the object) holds
    const CLSID* clsid;
    const IID* iid;
    // Prepares a fresh object before a load (null when nothing is needed).
    HRESULT (*prepare)(void* itf);
    // Reads and writes the text form; both null for a class without one.
    HRESULT (*load)(void* itf, const char* text, UINT32 length);
    HRESULT (*save)(void* itf, char* buffer, UINT32 capacity, UINT32* written);
    // The object's records into a JSON object, and a fresh object set from one.
    void (*toJson)(void* itf, records::Out& out);
    void (*fromJson)(const records::In& in, void* itf);
};

// Every class, in the module's factory order.
const std::vector<ModelClass>& AllModelClasses();
// The classes with a text form, in the same order.
const std::vector<ModelClass>& ModelClasses();

// The module's DllCreateInstance, for the set-up steps and records that
// create child objects as a host does. Set once after loading.
void SetModelFactory(PFN_DllCreateInstance create);
PFN_DllCreateInstance ModelFactory();
// A class by name, with or without its "CQuon" prefix; null when unknown.
const ModelClass* FindModelClass(const std::string& name);
