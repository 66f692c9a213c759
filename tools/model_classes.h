// The model classes the command-line host knows by name, with the calls it
// needs to read a text into an object and write it back.
#pragma once

#include <string>
#include <vector>

#include "QuonCoreModel.h"
#include "figure.h"

struct ModelClass {
    const char* name;   // the class name without its "CQuon" prefix
    const char* about;  // what its text form holds
    const CLSID* clsid;
    const IID* iid;
    // Prepares a fresh object before a load (null when nothing is needed).
    HRESULT (*prepare)(void* itf);
    HRESULT (*load)(void* itf, const char* text, UINT32 length);
    HRESULT (*save)(void* itf, char* buffer, UINT32 capacity, UINT32* written);
    // Draws the loaded object (null for classes without geometry or curves).
    Figure (*figure)(void* itf) = nullptr;
};

const std::vector<ModelClass>& ModelClasses();

// The module's DllCreateInstance, for rows whose prepare step creates the
// child objects a host attaches (the colour sheets). Set once after loading.
void SetModelFactory(PFN_DllCreateInstance create);
const ModelClass* FindModelClass(const std::string& name);
