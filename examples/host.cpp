// A minimal host: load the module, create a look-up table, read a text into
// it and write it back.
#include <cstdio>
#include <string>
#include "QuonCoreModel.h"
#include "quon/Module.h"

int main() try {
    const quon::Module module = quon::Module::Load(std::string("./") + quon::ModuleFileName);
    const quon::Ptr<IQuonLookUpTable> table = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
    const std::string text = "2,1\n1,2,3,4\n5,6,7,8\n";
    table->LoadFromBuffer(text.data(), (UINT32)text.size());
    char out[256];
    UINT32 written = 0;
    if (FAILED(table->SaveToBuffer(out, sizeof out, &written))) return 1;
    std::fwrite(out, 1, written, stdout);
} catch (const quon::Error& e) {  // no module, or no such class or interface
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
