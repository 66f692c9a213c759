// The RapidJSON set-up that every JSON document shares: checks that throw
// their condition text, the exact-length parse, the written number and text
// forms, and the one header that includes RapidJSON. The object tests cover
// the present-member test, cut texts and the output contract.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "formats/json_rules.h"
#include "support/test_support.h"

namespace {

using quon::json::Document;
using quon::json::Value;
using quontest::Thrown;
using Check = std::runtime_error;  // what RapidJSON's checks throw

Document Parsed(const std::string& text) {
    Document d;
    EXPECT_EQ(S_OK, quon::json::Parse(d, text.data(), static_cast<UINT32>(text.size())));
    return d;
}

std::string Rendered(const quon::json::Builder& doc) {
    rapidjson::StringBuffer text;
    EXPECT_TRUE(doc.Render(text));
    return std::string(text.GetString(), text.GetSize());
}

TEST(JsonRules, MistypedDocumentsThrowTheFailedCheck) {
    // Text that is not an object (unparsable, empty, an array, a scalar, a
    // trailing comma) fails at the first lookup.
    for (const char* text : {"", "{", "[1]", "7", "{\"a\":1,}"}) {
        const Document d = Parsed(text);
        EXPECT_EQ("IsObject()", Thrown<Check>([&] { quon::json::Present(d, "a"); })) << text;
    }
    // The one check the object tests do not reach.
    const Document d = Parsed(R"({"neg":-1})");
    EXPECT_EQ("data_.f.flags & kUintFlag", Thrown<Check>([&] { d["neg"].GetUint(); }));
}

TEST(JsonRules, ChecksInsideFunctionsOnceNoexceptThrowInsteadOfTerminating) {
    // RapidJSON declares its move assignment and its type constructor
    // noexcept unless told otherwise; both hold checks.
    static_assert(!noexcept(std::declval<Value&>() = std::declval<Value&>()));
    static_assert(!noexcept(Value(rapidjson::kObjectType)));
    Value v(5);
    Value& same = v;
    EXPECT_EQ("this != &rhs", Thrown<Check>([&] { v = same; }));
    EXPECT_EQ("type <= kNumberType", Thrown<Check>([] { Value bad(static_cast<rapidjson::Type>(9)); }));
}

// The text is exactly length bytes: a document ends at its first NUL, and
// bytes past length are never read.
TEST(JsonRules, ParseReadsExactlyLengthBytesUpToTheFirstNul) {
    const char text[] = "{\"a\":1}\0{\"b\":2}";
    Document cut;
    ASSERT_EQ(S_OK, quon::json::Parse(cut, text, sizeof text - 1));
    EXPECT_NE(nullptr, quon::json::Present(cut, "a"));
    Document shortText;
    ASSERT_EQ(S_OK, quon::json::Parse(shortText, text, 6));  // "{"a":1" without its brace
    EXPECT_EQ("IsObject()", Thrown<Check>([&] { quon::json::Present(shortText, "a"); }));
    // The default-flags parse is not correctly rounded: this 17-digit number
    // comes back one unit in the last place above the nearest double.
    Document ulp;
    ASSERT_EQ(S_OK, quon::json::Parse(ulp, "{\"v\":55.093158503943052}", 24));
    EXPECT_EQ(55.093158503943059, ulp["v"].GetDouble());
    EXPECT_NE(55.093158503943052, ulp["v"].GetDouble());
}

// The number and text forms the object tests do not reach.
TEST(JsonRules, WrittenFormsOfNumbersAndTexts) {
    quon::json::Builder doc;
    Value& root = doc.Root();
    doc.AddDouble(root, "below", 123456789012345680000.0);  // whole and below 1e21: keeps ".0"
    doc.AddDouble(root, "negzero", -0.0);
    doc.AddInt(root, "i", -2147483647 - 1);
    doc.AddInt64(root, "l", -9223372036854775807LL - 1);
    const char quoted[8] = "a\"b\\\n\x01";
    doc.AddText(root, "s", quoted);
    const char full[4] = {'w', 'x', 'y', 'z'};  // no NUL: written up to the field's end
    doc.AddText(root, "full", full);
    doc.PushDoubles(doc.AddArray(root, "p"), std::array<double, 2>{3, 4}.data(), 2);
    EXPECT_EQ(R"({"below":123456789012345680000.0,"negzero":-0.0,"i":-2147483648,"l":-9223372036854775808,)"
              R"("s":"a\"b\\\n\u0001","full":"wxyz","p":[[3.0,4.0]]})",
              Rendered(doc));
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
            std::stringstream text;
            text << std::ifstream(entry.path()).rdbuf();
            ++checked;
            if (entry.path().filename() == "json_rules.h") continue;
            EXPECT_EQ(std::string::npos, text.str().find("rapidjson/")) << entry.path();
        }
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
