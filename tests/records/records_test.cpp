// The record layer, driven as a host drives it: the module loaded by file,
// objects made through it. Every class converts to JSON and back; numbers
// come back bit for bit; each kind of refusal names its JSON path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "quon/Module.h"
#include "records.h"
#include "support/module_files.h"

namespace {

const quon::Module& Module() {
    static const quon::Module module = quon::Module::Load(quontest::ModuleFile());
    return module;
}

const ModelClass& Class(const char* name) { return *FindModelClass(name); }

TEST(Records, EveryClassCreatedConvertsToJsonAndBackUnchanged) {
    ASSERT_EQ(27u, AllModelClasses().size());
    for (const ModelClass& cls : AllModelClasses()) {
        SCOPED_TRACE(cls.name);
        const records::Object fresh(Module().Create(*cls.clsid, *cls.iid), 0);  // every name empty
        const std::string json = records::ToJson(cls, fresh);
        const records::Object built = records::Build(Module(), cls, json);
        EXPECT_EQ(json, records::ToJson(cls, built));
    }
}

TEST(Records, DoublesComeBackBitForBit) {
    const double values[] = {0.1, -0.0, 5e-324, 1.7976931348623157e308, 123456789012345680.0,
                             std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(),
                             2.2250738585072014e-308};
    std::string entries;
    for (std::size_t i = 0; i < 8; i += 4) {
        entries += std::string(i == 0 ? "" : ", ") + "{\"value0\": 0, \"value1\": 0, \"value2\": 0, \"value3\": 0}";
    }
    const ModelClass& cls = Class("LookUpTable");
    const records::Object table = records::Build(
        Module(), cls, "{\"labelA\": 1, \"labelB\": 4294967295, \"columns\": 2, \"rows\": 1, \"entries\": [[" + entries + "]]}");
    auto* itf = static_cast<IQuonLookUpTable*>(table.get());
    for (UINT32 c = 0; c < 2; ++c) {
        const LookUpEntry e{values[4 * c], values[4 * c + 1], values[4 * c + 2], values[4 * c + 3]};
        ASSERT_EQ(S_OK, itf->SetEntry(c, 0, &e));
    }
    const std::string json = records::ToJson(cls, table);
    EXPECT_NE(std::string::npos, json.find("\n      {\"value0\": 0.1, \"value1\": -0.0, \"value2\": 5e-324, "
                                           "\"value3\": 1.7976931348623157e+308},\n      {\"value0\": "
                                           "123456789012345680, \"value1\": \"NaN\", \"value2\": \"-Infinity\", "
                                           "\"value3\": 2.2250738585072014e-308}\n"))
        << json;
    const records::Object copy = records::Build(Module(), cls, json);
    for (UINT32 c = 0; c < 2; ++c) {
        LookUpEntry e{};
        ASSERT_EQ(S_OK, static_cast<IQuonLookUpTable*>(copy.get())->GetEntry(c, 0, &e));
        EXPECT_EQ(0, std::memcmp(&e, &values[4 * c], sizeof e)) << c;
    }
}

TEST(Records, RefusalsNameTheirPath) {
    const struct {
        const char* cls;
        std::string json;
        const char* message;
    } cases[] = {
        {"LookUpTable", "{\"labelA\": 1", "$: not a JSON document: Missing a comma or '}' after an object member. (at byte 12)"},
        {"LookUpTable", "[]", "$: expected an object"},
        {"LookUpTable", "{\"labelA\": 0, \"labelB\": 0, \"columns\": 0, \"entries\": []}", "$.rows: missing"},
        {"LookUpTable", "{\"labelA\": 0, \"labelB\": 0, \"columns\": 0, \"rows\": 0, \"entries\": [], \"name\": \"\"}",
         "$.name: unexpected member"},
        {"LookUpTable", "{\"labelA\": -1, \"labelB\": 0, \"columns\": 0, \"rows\": 0, \"entries\": []}",
         "$.labelA: expected an integer from 0 to 4294967295"},
        {"LookUpTable", "{\"labelA\": 0, \"labelB\": 0, \"columns\": 1, \"rows\": 2, \"entries\": [[]]}",
         "$.entries: expected an array of 2 elements"},
        {"LookUpTable",
         "{\"labelA\": 0, \"labelB\": 0, \"columns\": 1, \"rows\": 1, \"entries\": [[{\"value0\": 0, \"value1\": "
         "\"x\", \"value2\": 0, \"value3\": 0}]]}",
         "$.entries[0][0].value1: expected a number"},
        {"LookUpTable",
         "{\"labelA\": 0, \"labelB\": 0, \"columns\": 1, \"rows\": 1, \"entries\": [[{\"value0\": 0, \"value1\": 0, "
         "\"value2\": 0, \"value3\": 0, \"value4\": 0}]]}",
         "$.entries[0][0].value4: unexpected member"},
        {"MarkerInfo", "{\"name\": \"\\u0100\", \"records\": []}",
         "$.name: expected a string of characters from U+0001 to U+00FF"},
        {"GeoAdjustInfo", "{\"number\": 0, \"label\": \"\", \"otherScreens\": " + std::string(100000, '[') +
             std::string(100000, ']') + "}",
         "$.version: missing"},
        {"GeoUniformityGradient", "{\"blocks\": [\"00\", \"00\"]}", "$.blocks[0]: expected a string of 32 hexadecimal digits"},
        {"GridNpdInfo",
         "{\"labelA\": 0, \"labelB\": 0, \"name\": \"\", \"params\": {\"npdInt1\": 2147483648}}",
         "$.params.npdInt1: expected an integer from -2147483648 to 2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            records::Build(Module(), Class(c.cls), c.json);
            ADD_FAILURE() << "accepted";
        } catch (const records::Error& e) {
            EXPECT_EQ(std::string(c.message), e.what());
        }
    }
}

TEST(Records, TextsAndNamesAreTheirBytes) {
    // Bytes 0x80-0xFF as the characters of the same code; a name comes back whole.
    const ModelClass& cls = Class("MarkerInfo");
    const std::string json = "{\n  \"name\": \"caf\xC3\xA9 \\\"1\\\"\\t\",\n  \"records\": [{\"value1\": 1.5, \"value2\": -2}]\n}\n";
    const records::Object markers = records::Build(Module(), cls, json);
    char name[64] = {};
    char* out = name;
    ASSERT_EQ(S_OK, static_cast<IQuonMarkerInfo*>(markers.get())->GetName(&out));
    EXPECT_STREQ("caf\xE9 \"1\"\t", name);
    EXPECT_EQ(json, records::ToJson(cls, markers));
}

TEST(Records, NamesOfAnyLengthComeBackWhole) {
    // The buffer a name is read into is sized from the object's bound, not a fixed size.
    const std::string name(70000, 'n');
    const struct {
        const char* cls;
        std::string json;
    } cases[] = {
        {"MarkerInfo", "{\n  \"name\": \"" + name + "\",\n  \"records\": []\n}\n"},
        {"CalibPointTableList", "{\n  \"id\": 1,\n  \"name\": \"" + name + "\",\n  \"tables\": []\n}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cls);
        const records::Object object = records::Build(Module(), Class(c.cls), c.json);
        EXPECT_EQ(name.size(), object.longestName());
        EXPECT_EQ(c.json, records::ToJson(Class(c.cls), object));
    }
}

TEST(Records, TablesHoldTheRecordsWithTheirShapes) {
    const ModelClass& cls = Class("LookUpTable");
    const records::Object table = records::LoadText(Module(), cls, "2,1\n1,2,3,4\n5,6,7,8\n");
    EXPECT_EQ(20u, table.longestName());
    const std::vector<records::Table> tables = records::Tables(cls, table);
    ASSERT_EQ(1u, tables.size());
    EXPECT_EQ("$.entries", tables[0].path);
    EXPECT_EQ((std::vector<std::size_t>{1, 2}), tables[0].shape);
    ASSERT_EQ(2 * sizeof(LookUpEntry), tables[0].bytes.size());
    double values[8];
    std::memcpy(values, tables[0].bytes.data(), sizeof values);
    EXPECT_EQ(5.0, values[4]);
    EXPECT_EQ("value3", std::string(tables[0].type->fields[3].name));
    EXPECT_EQ(24u, tables[0].type->fields[3].offset);
}

TEST(RecordsConcurrency, HostsLoadAndBuildFromSeveralThreads) {
    // A list's tables are children the layer creates through the module's factory.
    const ModelClass& cls = Class("LookUpTableList");
    const std::string text = "1,0,d\n2,1\n1,2,3,4\n5,6,7,8\n2,-1,d\n1,1\n-0.125,2.5e-05,1e+06,0\n";
    std::vector<int> same(4, 0);
    std::vector<std::thread> threads;
    for (int& count : same) {
        threads.emplace_back([&] {
            for (int i = 0; i < 25; ++i) {
                const records::Object built = records::Build(Module(), cls, records::ToJson(cls, records::LoadText(Module(), cls, text)));
                count += records::SaveText(cls, built.get()) == text ? 1 : 0;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(std::vector<int>(4, 25), same);
}

}  // namespace
