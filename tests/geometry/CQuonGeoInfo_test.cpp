// The geometry info: derived point and marker layouts, the parameter flag,
// the text it writes (marker print orders, one-decimal positions, corners)
// and the reader that shares the cell and point lines with the edge blend.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const char kBody[] =
    "2, 1, 1, 2, 2, \n"
    "3, 4, 1, 2, \n"
    "0, 0, 0, 0, \n"
    "10, -3, 012345, 1, 2, 3, 2, \n"
    "7, 8, 9, \n"
    "5, \n"
    "0, 0, 7, 4, 5, 6, 0, \n"
    "1920, 1200, \n";
const char kMarkers[] =
    "4, \n"
    "1, 12.3, 5.6, \n"
    "2, 100.0, 0.0, \n"
    "4, -1.3, 99.9, \n"
    "3, 0.0, 200.0, \n";
const char kCorners[] =
    "4, \n"
    "0.0000, 0.0000, \n"
    "1919.5000, 0.0000, \n"
    "1919.5000, 1199.2500, \n"
    "0.1234, 1200.0000, \n";

struct GeoInfoTest : quontest::ObjectTest<IQuonGeoInfo, CLSID_QuonGeoInfo, IID_IQuonGeoInfo> {
    IQuonGeoInfo* const geo = object.get();
    std::string HeaderLine() {
        const std::string text = Save();
        return text.substr(0, text.find('\n') + 1);
    }
    void SetMarker(UINT32 i, UINT32 j, double x, double y, UINT32 flag) {
        const double position[2] = {x, y};
        EXPECT_EQ(S_OK, geo->SetMarker(i, j, position, flag));
    }
    void Fill(bool corners) {
        ASSERT_EQ(S_OK, geo->AllocateCells(1, 2, 1));
        ASSERT_EQ(S_OK, geo->AllocatePoints(2, 1, 2));
        const EbPoint p{1, 2, 3, 4};
        geo->SetPoint(0, 0, &p);
        EbCell cell{};
        cell.levelHigh = 12, cell.levelLow = 345;
        cell.valueD = 1, cell.valueE = 2, cell.valueF = 3, cell.listsPresent = 1;
        cell.list1Count = 3;
        cell.list2Count = 1;
        const EbProfile profile{10.5, -3.5, {7, 8, 9}, {5}};
        EXPECT_EQ(S_OK, geo->SetCell(0, 0, 0, &cell, &profile));
        EbCell plain{};
        plain.levelHigh = plain.levelLow = 7;
        plain.valueD = 4, plain.valueE = 5, plain.valueF = 6;
        const EbProfile flat{};
        EXPECT_EQ(S_OK, geo->SetCell(0, 1, 0, &plain, &flat));

        GeoInfoParams params{};
        params.sizeX = 1920.7;
        params.sizeY = 1200;
        params.mode = 0;
        params.value = corners ? 5 : 0;
        params.cornersPresent = corners ? 1 : 0;
        const double c[4][2] = {{0, 0}, {1919.5, 0}, {1919.5, 1199.25}, {0.1234, 1199.99999}};
        std::memcpy(params.corners, c, sizeof c);
        EXPECT_EQ(S_OK, geo->SetParams(&params));

        ASSERT_EQ(S_OK, geo->AllocateMarkers(2, 2));
        SetMarker(0, 0, 12.34, 5.56, 1);
        SetMarker(0, 1, 100, 0, 2);
        SetMarker(1, 0, 0, 200, 3);
        SetMarker(1, 1, -1.26, 99.94, 4);
    }
};

TEST_F(GeoInfoTest, WritesItsText) {
    EXPECT_EQ("0, 0, 0, 0, \n0, 0, \n0, 0, 0, \n0, \n", Save());
    Fill(true);
    EXPECT_EQ(std::string(kBody) + "0, 1, 5, \n" + kMarkers + kCorners, Save());
}

TEST_F(GeoInfoTest, ReadsWhatItWrites) {
    Fill(false);
    const std::string text = std::string(kBody) + "0, 1, 0, \n" + kMarkers;
    ASSERT_EQ(text, Save());

    Ref<IQuonGeoInfo> other{CLSID_QuonGeoInfo, IID_IQuonGeoInfo};
    ASSERT_EQ(S_OK, quontest::Load(other.get(), text));
    EXPECT_EQ(text, quontest::Saved(other.get()));
    // The 0, 1, 3, 2 print order is undone: marker 3 is marker 3 again (a
    // read sets no marker grid, so marker n is (0, n)).
    double position[2] = {};
    UINT32 flag = 0;
    ASSERT_EQ(S_OK, other->GetMarker(0, 3, position, &flag));
    EXPECT_EQ(4u, flag);
    EXPECT_EQ(-1.3, position[0]);

    // Blank lines between the sections and H around the lines read the same;
    // corner lines are not read.
    ASSERT_EQ(S_OK, Load("\n2, 1, 1, 2, 2, \n\n3, 4, 1, 2, \n0, 0, 0, 0, \n\n10, -3, 012345, 1, 2, 3, 2, \nH7, 8, 9, H\n"
                         "\n5, \n0, 0, 7, 4, 5, 6, 0, \n\n1920, 1200, \n\n0, 1, 0, \n4, \n1, 12.3, 5.6, \n"
                         "2, 100.0, 0.0, \n\n4, -1.3, 99.9, \n3, 0.0, 200.0, \n" + std::string(kCorners)));
    EXPECT_EQ(text, Save());
}

TEST_F(GeoInfoTest, DerivedPointLayout) {
    // A 1 x 1 grid gives layout 0 and a four-number header for every mode.
    for (UINT32 mode : {0u, 1u, 2u, 3u, 7u}) {
        ASSERT_EQ(S_OK, geo->AllocatePoints(1, 1, mode));
        EXPECT_EQ("0, 0, 0, 1, \n", HeaderLine()) << mode;
    }
    struct Case {
        INT32 rows, columns;
        UINT32 mode;
        const char* header;
    };
    // Mode 1 compares rows x columns with sizeA x sizeB (2 x 2 from the cells).
    const Case cases[] = {{4, 1, 2, "0, 0, 0, 4, 2, \n"}, {2, 2, 2, "0, 0, 0, 4, 1, \n"}, {2, 2, 7, "0, 0, 0, 4, 1, \n"},
                          {1, 2, 3, "0, 0, 0, 2, 3, \n"}, {2, 2, 1, "2, 2, 0, 4, 3, \n"}, {3, 1, 1, "2, 2, 0, 3, 2, \n"},
                          {1, 3, 1, "2, 2, 0, 3, 1, \n"}};
    for (const Case& c : cases) {
        if (c.header[0] == '2') {
            ASSERT_EQ(S_OK, geo->AllocateCells(2, 2, 0));
        }
        ASSERT_EQ(S_OK, geo->AllocatePoints(c.rows, c.columns, c.mode));
        EXPECT_EQ(c.header, HeaderLine()) << c.rows << " x " << c.columns << " mode " << c.mode;
    }
}

TEST_F(GeoInfoTest, MarkerLayoutsAndPrintOrders) {
    const auto markers = [&](INT32 rows, INT32 columns) {
        EXPECT_EQ(S_OK, geo->AllocateMarkers(rows, columns));
        for (INT32 i = 0; i < rows; ++i) {
            for (INT32 j = 0; j < columns; ++j) SetMarker(i, j, i * columns + j, 0.5, i * columns + j);
        }
        // No points and no cells: the header and the sizes line come first.
        const std::string text = Save();
        return text.substr(text.find('\n', text.find('\n') + 1) + 1);
    };
    EXPECT_EQ("0, 0, 0, \n4, \n0, 0.0, 0.5, \n1, 1.0, 0.5, \n3, 3.0, 0.5, \n2, 2.0, 0.5, \n", markers(2, 2));
    EXPECT_EQ("4, 0, 0, \n9, 3, 3, \n0, 0.0, 0.5, \n1, 1.0, 0.5, \n2, 2.0, 0.5, \n3, 3.0, 0.5, \n4, 4.0, 0.5, \n"
              "5, 5.0, 0.5, \n6, 6.0, 0.5, \n7, 7.0, 0.5, \n8, 8.0, 0.5, \n",
              markers(3, 3));
    EXPECT_EQ("2, 0, 0, \n6, \n0, 0.0, 0.5, \n2, 2.0, 0.5, \n4, 4.0, 0.5, \n1, 1.0, 0.5, \n3, 3.0, 0.5, \n"
              "5, 5.0, 0.5, \n",
              markers(3, 2));
    // Read back into the same grid, column-wise lines land where they were.
    const std::string text = Save();
    ASSERT_EQ(S_OK, Load(text));
    double position[2] = {};
    UINT32 flag = 0;
    geo->GetMarker(2, 1, position, &flag);
    EXPECT_EQ(5u, flag);
    EXPECT_EQ(text, Save());

    EXPECT_EQ("1, 0, 0, \n6, \n0, 0.0, 0.5, \n1, 1.0, 0.5, \n2, 2.0, 0.5, \n3, 3.0, 0.5, \n4, 4.0, 0.5, \n"
              "5, 5.0, 0.5, \n",
              markers(2, 3));
    EXPECT_EQ("0, 0, 0, \n3, \n0, 0.0, 0.5, \n1, 1.0, 0.5, \n2, 2.0, 0.5, \n", markers(1, 3));
    // Layout 0 with four markers swaps the last two whatever the grid.
    EXPECT_EQ("0, 0, 0, \n4, \n0, 0.0, 0.5, \n1, 1.0, 0.5, \n3, 3.0, 0.5, \n2, 2.0, 0.5, \n", markers(4, 1));

    // The parameter flag follows the mode; the value is written, not read.
    GeoInfoParams params{};
    params.mode = 1;
    params.value = -7;
    geo->SetParams(&params);
    EXPECT_EQ("0, 0, -7, \n", markers(0, 0).substr(0, 11));
    params.mode = 0;
    geo->SetParams(&params);
    EXPECT_EQ("0, 1, -7, \n", markers(0, 0).substr(0, 11));
}

TEST_F(GeoInfoTest, ShortAndMalformedTexts) {
    Fill(false);
    // A text that ends early: tables are fresh and zero, sections without
    // lines keep what they held, and so does a point layout the header
    // does not give.
    ASSERT_EQ(S_OK, Load("1, 1, 1, 1, \n"));
    EXPECT_EQ("1, 1, 1, 1, 2, \n0, 0, 0, 0, \n0, 0, 0, 0, 0, 0, 0, \n1920, 1200, \n0, 1, 0, \n" + std::string(kMarkers),
              Save());

    // More markers announced than lines: the rest stay zero.
    ASSERT_EQ(S_OK, Load("0, 0, 0, 0, 0, \n640, 480, \n2, 0, \n3, \n1, 1.5, 2.5, \n"));
    EXPECT_EQ("0, 0, 0, 0, \n640, 480, \n2, 0, 0, \n3, \n1, 1.5, 2.5, \n0, 0.0, 0.0, \n0, 0.0, 0.0, \n", Save());

    // Negative counts are refused: a header changes nothing, a marker
    // count leaves the markers held.
    EXPECT_EQ(E_INVALIDARG, Load("0, 0, 0, -1, \n"));
    EXPECT_EQ(E_INVALIDARG, Load("0, 0, 0, 0, \n1, 1, \n4, 0, \n-9, 3, 3, \n"));
    EXPECT_EQ(E_INVALIDARG, Load("0, 0, 0, 0, \n1, 1, \n0, 0, \n-9, \n"));
    EXPECT_EQ("0, 0, 0, 0, \n1, 1, \n0, 0, 0, \n3, \n1, 1.5, 2.5, \n0, 0.0, 0.0, \n0, 0.0, 0.0, \n", Save());
    EXPECT_THROW(Load("2000, 2000, 100, 0, \n"), std::bad_alloc);
    EXPECT_THROW(Load("0, 0, 0, 0, \n1, 1, \n0, 0, \n200000000, \n"), std::bad_alloc);
    EXPECT_EQ(S_OK, Load(""));
    EXPECT_EQ(S_OK, Load("HH\n"));
    EXPECT_EQ("0, 0, 0, 0, \n1, 1, \n0, 0, 0, \n3, \n1, 1.5, 2.5, \n0, 0.0, 0.0, \n0, 0.0, 0.0, \n", Save());
}

TEST_F(GeoInfoTest, RefusalsBoundsAndCopyOut) {
    double position[2] = {};
    UINT32 flag = 0;
    EXPECT_EQ(E_FAIL, geo->GetMarker(0, 0, position, &flag));
    EXPECT_EQ(E_FAIL, geo->SetMarker(0, 0, position, 1));
    EXPECT_EQ(E_POINTER, geo->GetMarker(0, 0, position, nullptr));
    EXPECT_EQ(E_POINTER, geo->SetParams(nullptr));
    EXPECT_EQ(E_INVALIDARG, geo->AllocateMarkers(-1, 3));
    EXPECT_EQ(E_INVALIDARG, geo->AllocateMarkers(65536, 65536));
    EXPECT_THROW(geo->AllocateMarkers(20000, 20000), std::bad_alloc);

    Fill(true);
    EXPECT_EQ(E_INVALIDARG, geo->GetMarker(2, 0, position, &flag));
    EXPECT_EQ(E_INVALIDARG, geo->SetMarker(0, 4, position, 1));
    EbCell cell{};
    EbProfile profile{};
    EXPECT_EQ(E_INVALIDARG, geo->GetCell(0, 2, 0, &cell, &profile));
    EbPoint point{};
    EXPECT_EQ(E_INVALIDARG, geo->GetPoint(2, 0, &point));

    ExpectFitsExactly(std::string(kBody) + "0, 1, 5, \n" + kMarkers + kCorners);

    EXPECT_EQ(S_OK, geo->FreeData());
    EXPECT_EQ(E_FAIL, geo->GetMarker(0, 0, position, &flag));
    EXPECT_EQ(E_FAIL, geo->GetCell(0, 0, 0, &cell, &profile));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
}

}  // namespace
