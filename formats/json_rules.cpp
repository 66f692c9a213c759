#include "formats/json_rules.h"

#include <cstdint>
#include <cstring>

#include "frame/copy_out.h"
#include "frame/text.h"

namespace quon::json {

void AssertionFailed(const char* condition) { throw std::runtime_error(condition); }

HRESULT Parse(Document& document, const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    // The document ends at the first NUL within length, where a
    // NUL-terminated copy of the text would end; the parse reads the caller's
    // bytes in place.
    const std::string_view view = TextViewUpToNul(text, length);
    document.Parse(view.data(), view.size());
    return S_OK;
}

const Value* Present(const Value& object, const char* key) {
    const Value* member = Existing(object, key);
    return member == nullptr || member->IsNull() ? nullptr : member;
}

const Value* Existing(const Value& object, const char* key) {
    const Value::ConstMemberIterator it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

void CopyText(const Value& value, char* field, std::size_t size) {
    const char* text = value.GetString();
    std::size_t length = value.GetStringLength();
    if (length > size - 1) length = size - 1;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

Builder::Builder() { m_document.Parse("{}"); }

void Builder::AddText(Value& object, const char* key, const char* field, std::size_t size) {
    // A field filled to its end without a NUL is written up to its end.
    const std::size_t length = strnlen(field, size);
    Value text(field, static_cast<rapidjson::SizeType>(length), Alloc());
    object.AddMember(rapidjson::StringRef(key), text, Alloc());
}

void Builder::AddUint(Value& object, const char* key, UINT32 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<unsigned>(value)), Alloc());
}

void Builder::AddInt(Value& object, const char* key, INT32 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<int>(value)), Alloc());
}

void Builder::AddInt64(Value& object, const char* key, INT64 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<int64_t>(value)), Alloc());
}

void Builder::AddBool(Value& object, const char* key, bool value) {
    object.AddMember(rapidjson::StringRef(key), Value(value), Alloc());
}

void Builder::AddDouble(Value& object, const char* key, double value) {
    object.AddMember(rapidjson::StringRef(key), Value(value), Alloc());
}

Value& Builder::AddObject(Value& object, const char* key) {
    object.AddMember(rapidjson::StringRef(key), Value(rapidjson::kObjectType), Alloc());
    return object.MemberEnd()[-1].value;
}

Value& Builder::AddObject(Value& object, const std::string& copiedKey) {
    Value key(copiedKey.c_str(), static_cast<rapidjson::SizeType>(copiedKey.size()), Alloc());
    object.AddMember(key, Value(rapidjson::kObjectType), Alloc());
    return object.MemberEnd()[-1].value;
}

Value& Builder::AddArray(Value& object, const char* key) {
    object.AddMember(rapidjson::StringRef(key), Value(rapidjson::kArrayType), Alloc());
    return object.MemberEnd()[-1].value;
}

void Builder::AddDoubles(Value& object, const char* key, const double* values, std::size_t count) {
    Value& array = AddArray(object, key);
    array.Reserve(static_cast<rapidjson::SizeType>(count), Alloc());
    for (std::size_t i = 0; i < count; ++i) array.PushBack(Value(values[i]), Alloc());
}

void Builder::PushDoubles(Value& array, const double* values, std::size_t count) {
    Value element(rapidjson::kArrayType);
    element.Reserve(static_cast<rapidjson::SizeType>(count), Alloc());
    for (std::size_t i = 0; i < count; ++i) element.PushBack(Value(values[i]), Alloc());
    array.PushBack(element, Alloc());
}

bool Builder::Render(rapidjson::StringBuffer& text) const {
    rapidjson::Writer<rapidjson::StringBuffer> writer(text);
    return m_document.Accept(writer);
}

HRESULT WriteOut(const Builder& builder, char* buffer, INT64 capacity, UINT32* written) {
    // The colour sheets' writers fail only with E_FAIL: a negative capacity
    // is smaller than any text, and a null length pointer cannot take the count.
    if (buffer == nullptr || capacity < 0 || written == nullptr) return E_FAIL;
    rapidjson::StringBuffer text;
    if (!builder.Render(text)) return E_FAIL;
    if (text.GetSize() > static_cast<uint64_t>(capacity)) return E_FAIL;
    return CopyOut(std::string_view(text.GetString(), text.GetSize()), buffer, static_cast<UINT32>(text.GetSize()),
                   written);
}

}  // namespace quon::json
