// Every class identifier of the factory table: its registry form, its row,
// and an object that answers its own interface and no other.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

struct ClassRow {
    const char16_t* name;
    const CLSID* clsid;
    const IID* iid;
    const char* clsidText;
    const char* iidText;
};

// The 27 classes in row order.
const ClassRow kClasses[] = {
    {u"QUON GRID POINT", &CLSID_QuonGridPoint, &IID_IQuonGridPoint, "1696A063-12B5-4C20-8298-BB3089494051", "FF8373B2-148E-41F1-8017-84A63BEABE23"},
    {u"QUON GEO ADJUST INFO", &CLSID_QuonGeoAdjustInfo, &IID_IQuonGeoAdjustInfo, "85CAB9C5-CF2D-4D94-ABD9-AD388232523B", "98D62C8C-57C3-4A6D-A94B-36DAC6FC0DAF"},
    {u"QUON GEO OTHER SCREEN TAG", &CLSID_QuonGeoOtherScreenTag, &IID_IQuonGeoOtherScreenTag, "D1C552D8-C7D0-4B42-A7A9-6DD234D74683", "DD78099B-6E09-4C8B-A0CD-70788CFB65B6"},
    {u"QUON LOOK UP TABLE LIST", &CLSID_QuonLookUpTableList, &IID_IQuonLookUpTableList, "FC0C22D4-D141-4946-9C1E-715F86C3C701", "09AA95BD-2D9B-482A-BCC9-D7A065136184"},
    {u"QUON LOOK UP TABLE", &CLSID_QuonLookUpTable, &IID_IQuonLookUpTable, "66EE26D3-5D43-4A97-AEB0-3A858F680213", "3031B6F4-1178-4AB3-83DA-47C67D27C4CC"},
    {u"QUON GEO COLOR INFO", &CLSID_QuonGeoColorInfo, &IID_IQuonGeoColorInfo, "F3849C41-94F5-4AE4-B946-EC5AAAFB7724", "5FCFD9E2-DAE4-4316-A0EE-16FE628B3B3B"},
    {u"QUON GEO BLACK LEVEL INFO", &CLSID_QuonGeoBlackLevelInfo, &IID_IQuonGeoBlackLevelInfo, "E8E1F123-A909-405F-AE5E-7C5299653A7E", "2408FEA1-97AF-4138-AA78-BAC1255CD368"},
    {u"QUON GRID NPD INFO", &CLSID_QuonGridNpdInfo, &IID_IQuonGridNpdInfo, "6DB87640-68E9-4F69-A640-2AD97FF80CE3", "9080568C-E648-439C-A1B3-0FF92B87E9EF"},
    {u"QuonGeoInfo", &CLSID_QuonGeoInfo, &IID_IQuonGeoInfo, "956C1CB1-D3D9-4042-94A2-A5E7B9F3EC40", "A6D4423E-FE83-4382-A717-39AC4F4BC45F"},
    {u"QuonBlkInitInfo", &CLSID_QuonBlkInitInfo, &IID_IQuonBlkInitInfo, "99E7F3E9-2ABD-4861-9198-DC83A15BDD52", "780CAB8F-4E6C-4456-BC52-06FCE656BDDA"},
    {u"QUON EB INFO", &CLSID_QuonEbInfo, &IID_IQuonEbInfo, "BD568140-E19A-4AE0-BEEA-04AF5D01729F", "BB4EEE1E-E2B5-40D7-91C8-65D278BDD394"},
    {u"QUON CA INFO", &CLSID_QuonCAInitInfo, &IID_IQuonCAInitInfo, "807CBA2E-2955-41D2-8036-0E3428E50F90", "3C71E54B-4346-4F6A-9809-CBDA7C62F72F"},
    {u"QUON MASK FRAME", &CLSID_QuonGeoMaskFrame, &IID_IQuonGeoMaskFrame, "464528AB-7A77-4519-812A-94A99659BD1A", "F5B7D8E1-BAC4-4385-B313-E26E6F20FC6E"},
    {u"QUON MASK LINE", &CLSID_QuonGeoMaskLine, &IID_IQuonGeoMaskLine, "063FC012-031A-48DC-8FC4-7C8C8A3C9EDD", "00D555C4-6A83-42AC-BF6F-7C3ECD20D9A2"},
    {u"Uniformity Flexible", &CLSID_QuonGeoUniformityFlexible, &IID_IQuonGeoUniformityFlexible, "39CDC139-68A7-4CB5-8F3F-FFB4F6AD42E2", "99FC9883-5CDD-4C59-A130-76DC04CC528C"},
    {u"Uniformity Gradient", &CLSID_QuonGeoUniformityGradient, &IID_IQuonGeoUniformityGradient, "FE76A194-F53D-48A9-B028-8228C59DDCF4", "20D5E068-83F9-4CF3-AF39-26B97DDBFC93"},
    {u"DetectMark Init Info", &CLSID_QuonDMInitInfo, &IID_IQuonDMInitInfo, "D9573122-30A2-4B22-97EB-3D6EA0E19574", "7289C77C-E0A8-47D7-A191-8E24C4901CBE"},
    {u"Marker Info", &CLSID_QuonMarkerInfo, &IID_IQuonMarkerInfo, "6C27BC0F-CC9A-4805-8731-52A45F434223", "D78F5898-1B35-4B25-89D3-5C154D73EB68"},
    {u"LED Marker Info", &CLSID_QuonLedMarkerInfo, &IID_IQuonLedMarkerInfo, "BA9C181C-9333-421F-836E-F3C6F858D80D", "9A361053-9F17-489A-97C5-3881018703B7"},
    {u"Auto CaLib Info", &CLSID_QuonGeoAutoCalibInfo, &IID_IQuonGeoAutoCalibInfo, "9BA30DC2-5E9C-4A7C-96BD-70B2A99F8FBD", "88F7FD88-94EB-475E-9D0A-D3066D4FC821"},
    {u"Quon CaLib Point TABLE", &CLSID_QuonCalibPointTable, &IID_IQuonCalibPointTable, "575D5A91-D79E-4F6D-8EC5-104B6F10D177", "FEB1533D-ED25-461E-B918-4875748F839C"},
    {u"Quon CaLib Point TABLE List", &CLSID_QuonCalibPointTableList, &IID_IQuonCalibPointTableList, "6301E9F2-29AB-4F62-A6FF-38775EFE6105", "AF151022-8232-4A7D-8606-C08BB78A919A"},
    {u"QUON COLOR COMP CATEGORY TABLE", &CLSID_QuonColorCompCategoryTable, &IID_IQuonColorCompCategoryTable, "BC286DB1-8BB2-4F4D-B446-794E44F1C738", "27A894F5-031F-43BC-BE89-AFDC88F65886"},
    {u"QUON COLOR COMP ORG SPEC", &CLSID_QuonColorCompOrgSpec, &IID_IQuonColorCompOrgSpec, "C4EEA049-C252-4D6B-8C68-329DD8AE917B", "83207B7C-B32B-4EBA-8AD9-5BC1FACB86EB"},
    {u"QUON COLOR SPECTRUM", &CLSID_QuonColorSpectrum, &IID_IQuonColorSpectrum, "34967EC2-DD72-48D1-B39A-BE61780E1D20", "D947BC3D-81D4-4971-A3E8-8E1446517359"},
    {u"QUON COLOR COMP DIFF SPEC", &CLSID_QuonColorCompDiffSpec, &IID_IQuonColorCompDiffSpec, "146D963E-4549-43F3-81F3-20016B39E85F", "491990A9-C7CB-4B4B-8FC8-C24147982854"},
    {u"QUON COLOR COMP DIFF 7COLORS", &CLSID_QuonColorDiff7colors, &IID_IQuonColorDiff7colors, "76B84992-BCF3-4CCD-863E-9100D84238AD", "B68EEA74-F47B-479E-89C3-7BDAB55A4A0E"},
};

std::string RegistryForm(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.Data1),
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return text;
}

TEST(ClassIdentifiers, AllIdentifiersInRegistryForm) {
    ASSERT_EQ(27u, std::size(kClasses));
    EXPECT_EQ("00000000-0000-0000-C000-000000000046", RegistryForm(IID_IUnknown));
    for (const ClassRow& row : kClasses) {
        EXPECT_EQ(row.clsidText, RegistryForm(*row.clsid));
        EXPECT_EQ(row.iidText, RegistryForm(*row.iid));
    }
}

// Row r of the factory table holds class r of the list above, with its
// display name and no initialisation routine.
TEST(ClassIdentifiers, FactoryRowsKeepTheClassOrderAndNames) {
    ASSERT_EQ(27, g_cTemplates);
    for (int r = 0; r < g_cTemplates; ++r) {
        EXPECT_TRUE(IsSameGuid(*kClasses[r].clsid, *g_Templates[r].m_ClsID)) << "row " << r;
        EXPECT_EQ(std::u16string(kClasses[r].name), std::u16string(g_Templates[r].m_Name)) << "row " << r;
        EXPECT_NE(nullptr, g_Templates[r].m_lpfnNew) << "row " << r;
        EXPECT_EQ(nullptr, g_Templates[r].m_lpfnInit) << "row " << r;
    }
}

TEST(ClassIdentifiers, EachClassAnswersItsOwnInterfaceOnly) {
    const LONG before = CBaseObject::ObjectCount();
    const IID foreign = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    for (std::size_t r = 0; r < std::size(kClasses); ++r) {
        const ClassRow& row = kClasses[r];
        IUnknown* itf = nullptr;
        ASSERT_EQ(S_OK, DllCreateInstance(*row.clsid, *row.iid, reinterpret_cast<void**>(&itf))) << row.clsidText;
        // Every class answers through the same template; a few stand for all:
        // neither another class's interface nor a class identifier nor a stranger.
        if (r % 13 == 0) {
            for (const IID* id : {kClasses[(r + 1) % 27].iid, row.clsid, &foreign}) {
                void* none = reinterpret_cast<void*>(0x1);
                EXPECT_EQ(E_NOINTERFACE, itf->QueryInterface(*id, &none)) << row.clsidText << " " << RegistryForm(*id);
                EXPECT_EQ(nullptr, none);
            }
        }
        EXPECT_EQ(0u, itf->Release()) << row.clsidText;
        EXPECT_EQ(before, CBaseObject::ObjectCount()) << row.clsidText;
    }
}

}  // namespace
