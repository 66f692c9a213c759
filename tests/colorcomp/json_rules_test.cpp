// The RapidJSON set-up and the reading and writing rules every JSON document
// shares: checks that throw their condition text, the present-member test,
// cut texts, number forms and the output contract.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "colorcomp/json_rules.h"
#include "support/json_test_support.h"

namespace {

using quon::json::Document;
using quon::json::Value;
using quontest::Thrown;

Document Parsed(const std::string& text) {
    Document d;
    EXPECT_EQ(S_OK, quon::json::Parse(d, text.data(), static_cast<UINT32>(text.size())));
    return d;
}

std::string Rendered(const quon::json::Builder& doc) {
    std::string text;
    EXPECT_TRUE(doc.Render(text));
    return text;
}

TEST(JsonRules, MistypedDocumentsThrowTheFailedCheck) {
    // Text that is not an object (unparsable, empty, an array, a scalar)
    // fails at the first lookup.
    for (const char* text : {"", "{", "[1]", "null", "7", "{\"a\":1,}"}) {
        const Document d = Parsed(text);
        EXPECT_EQ("IsObject()", Thrown([&] { quon::json::Present(d, "a"); })) << text;
    }
    const Document d = Parsed(R"({"n":5,"f":1.5,"big":4294967295,"neg":-1,"s":"x","a":[1,2],"o":{}})");
    EXPECT_EQ("IsString()", Thrown([&] { d["n"].GetString(); }));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown([&] { d["f"].GetInt(); }));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown([&] { d["big"].GetInt(); }));
    EXPECT_EQ("data_.f.flags & kUintFlag", Thrown([&] { d["neg"].GetUint(); }));
    EXPECT_EQ("IsNumber()", Thrown([&] { d["s"].GetDouble(); }));
    EXPECT_EQ("IsBool()", Thrown([&] { d["n"].GetBool(); }));
    EXPECT_EQ("IsArray()", Thrown([&] { d["o"].Size(); }));
    EXPECT_EQ("false", Thrown([&] { d["missing"]; }));
    EXPECT_EQ("index < data_.a.size", Thrown([&] { d["a"][2]; }));
    EXPECT_EQ("IsObject()", Thrown([&] { d["a"]["x"]; }));
    // A null text with a length is refused before parsing.
    Document n;
    EXPECT_EQ(E_POINTER, quon::json::Parse(n, nullptr, 3));
}

TEST(JsonRules, ChecksInsideFunctionsOnceNoexceptThrowInsteadOfTerminating) {
    // RapidJSON declares its move assignment and its type constructor
    // noexcept unless told otherwise; both hold checks.
    static_assert(!noexcept(std::declval<Value&>() = std::declval<Value&>()));
    static_assert(!noexcept(Value(rapidjson::kObjectType)));
    Value v(5);
    Value& same = v;
    EXPECT_EQ("this != &rhs", Thrown([&] { v = same; }));
    EXPECT_EQ("type <= kNumberType", Thrown([] { Value bad(static_cast<rapidjson::Type>(9)); }));
}

TEST(JsonRules, PresentTreatsNullAsAbsentAndCopyTextCutsToTheField) {
    const Document d = Parsed(R"({"n":null,"s":"abcdefg","e":"","z":"a\u0000b"})");
    EXPECT_EQ(nullptr, quon::json::Present(d, "n"));
    EXPECT_EQ(nullptr, quon::json::Present(d, "missing"));
    ASSERT_NE(nullptr, quon::json::Existing(d, "n"));
    EXPECT_TRUE(quon::json::Existing(d, "n")->IsNull());
    EXPECT_EQ(nullptr, quon::json::Existing(d, "missing"));

    char field[5];
    std::memset(field, '#', sizeof field);
    quon::json::CopyText(d["s"], field);
    EXPECT_EQ(0, std::memcmp("abcd", field, 5));  // four bytes and the NUL
    std::memset(field, '#', sizeof field);
    quon::json::CopyText(d["e"], field);
    EXPECT_EQ(0, std::memcmp("\0####", field, 5));  // only the NUL is written
    EXPECT_EQ("IsString()", Thrown([&] { quon::json::CopyText(d["n"], field); }));

    // The text is exactly length bytes: a document ends at its first NUL,
    // and bytes past length are never read.
    const char text[] = "{\"a\":1}\0{\"b\":2}";
    Document cut;
    ASSERT_EQ(S_OK, quon::json::Parse(cut, text, sizeof text - 1));
    EXPECT_NE(nullptr, quon::json::Present(cut, "a"));
    Document shortText;
    ASSERT_EQ(S_OK, quon::json::Parse(shortText, text, 6));  // "{"a":1" without its brace
    EXPECT_EQ("IsObject()", Thrown([&] { quon::json::Present(shortText, "a"); }));
}

TEST(JsonRules, WrittenFormsOfNumbersAndTexts) {
    quon::json::Builder doc;
    Value& root = doc.Root();
    doc.AddDouble(root, "zero", 0.0);
    doc.AddDouble(root, "two", 2.0);
    doc.AddDouble(root, "tenth", 0.1);
    doc.AddDouble(root, "widened", static_cast<double>(0.1f));
    doc.AddDouble(root, "neg", -1.25);
    doc.AddDouble(root, "small", 1e-7);
    doc.AddDouble(root, "huge", 1e21);
    doc.AddDouble(root, "below", 123456789012345680000.0);
    doc.AddUint(root, "u", 4294967295u);
    doc.AddInt(root, "i", -2147483647 - 1);
    doc.AddInt64(root, "l", -9223372036854775807LL - 1);
    doc.AddBool(root, "t", true);
    const char quoted[8] = "a\"b\\\n\x01";
    doc.AddText(root, "s", quoted);
    const char full[4] = {'w', 'x', 'y', 'z'};  // no NUL: written up to the field's end
    doc.AddText(root, "full", full);
    Value& inner = doc.AddObject(root, std::string("copied_") + "key");
    doc.AddDoubles(inner, "d", std::array<double, 3>{1, 0.5, -0.0}.data(), 3);
    doc.PushDoubles(doc.AddArray(root, "p"), std::array<double, 2>{3, 4}.data(), 2);
    EXPECT_EQ(
        R"({"zero":0.0,"two":2.0,"tenth":0.1,"widened":0.10000000149011612,"neg":-1.25,"small":1e-7,"huge":1e21,)"
        R"("below":123456789012345680000.0,"u":4294967295,"i":-2147483648,"l":-9223372036854775808,"t":true,)"
        R"("s":"a\"b\\\n\u0001","full":"wxyz","copied_key":{"d":[1.0,0.5,-0.0]},"p":[[3.0,4.0]]})",
        Rendered(doc));
}

TEST(JsonRules, OutputContract) {
    quon::json::Builder doc;
    doc.AddText(doc.Root(), "k", "value", 6);
    const std::string expected = R"({"k":"value"})";
    const INT64 size = static_cast<INT64>(expected.size());

    std::string buffer(32, '#');
    UINT32 written = 99;
    EXPECT_EQ(E_FAIL, quon::json::WriteOut(doc, nullptr, 100, &written));
    EXPECT_EQ(E_INVALIDARG, quon::json::WriteOut(doc, buffer.data(), -1, &written));
    EXPECT_EQ(E_POINTER, quon::json::WriteOut(doc, buffer.data(), 100, nullptr));
    EXPECT_EQ(E_FAIL, quon::json::WriteOut(doc, buffer.data(), size - 1, &written));
    EXPECT_EQ(std::string(32, '#'), buffer);
    EXPECT_EQ(99u, written);

    ASSERT_EQ(S_OK, quon::json::WriteOut(doc, buffer.data(), size, &written));
    EXPECT_EQ(expected.size(), written);
    EXPECT_EQ(expected + std::string(32 - expected.size(), '#'), buffer);  // no NUL after the text

    // NaN and infinities have no JSON form: nothing is written.
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
        quon::json::Builder odd;
        odd.AddDouble(odd.Root(), "a", 1.0);
        odd.AddDouble(odd.Root(), "x", bad);
        std::string text;
        EXPECT_FALSE(odd.Render(text));
        std::string out(8, '#');
        written = 7;
        EXPECT_EQ(E_FAIL, quon::json::WriteOut(odd, out.data(), 8, &written));
        EXPECT_EQ(std::string(8, '#'), out);
        EXPECT_EQ(7u, written);
    }
}

// RapidJSON must be configured identically in every source of the module
// (its functions are inline): only the rules header may include it.
TEST(JsonRules, NoOtherSourceIncludesRapidJson) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(QUON_EXAMPLES_DIR).parent_path().parent_path();
    if (!fs::exists(root / "frame")) GTEST_SKIP() << "sources not reachable from here";
    int checked = 0;
    for (const char* folder : {"frame", "geometry", "adjust", "calib", "colorcomp", "include", "tools"}) {
        if (!fs::exists(root / folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp") continue;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            ++checked;
            if (entry.path().filename() == "json_rules.h") continue;
            EXPECT_EQ(std::string::npos, text.str().find("#include \"rapidjson/")) << entry.path();
            EXPECT_EQ(std::string::npos, text.str().find("#include <rapidjson/")) << entry.path();
        }
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
