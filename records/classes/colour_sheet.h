// The two colour sheets: a header and up to three attached picture-mode
// objects, each written as its own class's records. A sheet names its
// children's interface, class and calls in a Kind.
#pragma once

#include <string>

#include "class_kit.h"

namespace records {

template <class Kind>
struct ColourSheet {
    using Sheet = typename Kind::Sheet;
    using Child = typename Kind::Child;
    using Header = typename Kind::Header;

    static void ToJson(Sheet* sheet, Out& out) {
        Header header{};
        UINT32 count = 0;
        Check(sheet->GetHeader(&header), "GetHeader");
        Check(Kind::Count(sheet, &count), Kind::kCount);
        WriteRecord(out, "header", header);
        std::vector<Out> children = out.Objects(Kind::kMember, count);
        for (UINT32 i = 0; i < count; ++i) {
            quon::Ptr<Child> child;
            Check(Kind::Get(sheet, i, child.put()), Kind::kGet);
            Kind::ChildClass().toJson(child.get(), children[i]);
        }
    }

    static void FromJson(const In& in, Sheet* sheet) {
        in.Members({"header", Kind::kMember});
        const auto header = ReadRecord<Header>(in, "header");
        const In children = in.Member(Kind::kMember);
        if (children.Size() > ColorCompPmodeCapacity) children.Fail("expected at most 3 objects");
        Check(sheet->Initialize(), "Initialize");
        Check(sheet->SetHeader(&header), "SetHeader");
        for (std::size_t i = 0; i < children.Size(); ++i) {
            const quon::Ptr<Child> child = Create<Child>(Kind::ChildClsid());
            Kind::ChildClass().fromJson(children.At(i), child.get());
            Check(Kind::Add(sheet, child.get()), Kind::kAdd);
        }
    }

    // A sheet gets three fresh picture-mode objects attached, as a host does,
    // each set up before it reads.
    static HRESULT Prepare(void* itf) {
        auto* sheet = static_cast<Sheet*>(itf);
        HRESULT hr = sheet->Initialize();
        for (int i = 0; i < 3 && SUCCEEDED(hr); ++i) {
            quon::Ptr<Child> child;
            try {
                child = Create<Child>(Kind::ChildClsid());
            } catch (const quon::Error& e) {
                return e.hr();
            }
            hr = Kind::SetUp(child.get());
            if (SUCCEEDED(hr)) hr = Kind::Add(sheet, child.get());
        }
        return hr;
    }

    // The sheet reads its header, each attached child its own mode
    // "pmode_<i>" of the same text.
    static HRESULT Load(void* itf, const char* text, UINT32 length) {
        auto* sheet = static_cast<Sheet*>(itf);
        HRESULT hr = sheet->LoadFromBuffer(text, length);
        for (UINT32 i = 0; i < 3 && SUCCEEDED(hr); ++i) {
            quon::Ptr<Child> child;
            if (FAILED(Kind::Get(sheet, i, child.put())) || !child) break;  // no more attached
            hr = child->LoadFromBuffer(("pmode_" + std::to_string(i)).c_str(), text, length);
        }
        return hr;
    }

    static ModelClass Class(const char* name, const char* about, const CLSID& clsid) {
        return TextClass<Sheet, ToJson, FromJson>(name, about, clsid, Prepare, SaveSigned<Sheet>, Load);
    }
};

}  // namespace records
