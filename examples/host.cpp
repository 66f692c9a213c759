// A minimal host: load the module, create a look-up table, read a text into
// it and write it back.
#include <dlfcn.h>
#include <cstdio>
#include <string>
#include "QuonCoreModel.h"

int main() {
    void* module = dlopen("./libQuonCoreModel.so", RTLD_NOW);
    auto create = reinterpret_cast<PFN_DllCreateInstance>(dlsym(module, "DllCreateInstance"));
    IQuonLookUpTable* table = nullptr;
    if (!create || FAILED(create(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, (void**)&table))) return 1;
    const std::string text = "2,1\n1,2,3,4\n5,6,7,8\n";
    table->LoadFromBuffer(text.data(), (UINT32)text.size());
    char out[256];
    UINT32 written = 0;
    if (SUCCEEDED(table->SaveToBuffer(out, sizeof out, &written))) std::fwrite(out, 1, written, stdout);
    table->Release();
}
