// Loads the installed module and round-trips a look-up table through it.
#include <cstdio>
#include <string>

#include "QuonCoreModel.h"
#include "quon/Module.h"

int main() {
    const quon::Module module = quon::Module::Load(QUON_MODULE);
    const quon::Ptr<IQuonLookUpTable> table = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
    const std::string text = "2,1\n1,2,3,4\n5,6,7,8\n";
    char out[64];
    UINT32 written = 0;
    table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size()));
    const bool same = SUCCEEDED(table->SaveToBuffer(out, sizeof out, &written)) && std::string(out, written) == text;
    std::puts(same ? "round trip identical" : "round trip differs");
    return same ? 0 : 1;
}
