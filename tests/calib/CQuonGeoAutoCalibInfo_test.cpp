// The auto-calibration result: label, header, per-camera and per-projector
// records and their JSON document.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct AutoCalibInfoTest
    : quontest::ObjectTest<IQuonGeoAutoCalibInfo, CLSID_QuonGeoAutoCalibInfo, IID_IQuonGeoAutoCalibInfo> {
    IQuonGeoAutoCalibInfo* const info = object.get();

    std::string Thrown(const std::string& text) { return quontest::Thrown<std::runtime_error>([&] { Load(text); }); }
    AutoCalibHeader Header() { return Got(&IQuonGeoAutoCalibInfo::GetHeader); }
    void SetHeader(INT32 cameras, INT32 projectors, const char* date = "2026-12-06 10:00", const char* base = "left") {
        AutoCalibHeader h{};
        std::strcpy(h.date, date);
        h.cameraCount = cameras;
        h.projectorCount = projectors;
        std::strcpy(h.basePosition, base);
        h.extra = 0x1122334455667788ULL;
        ASSERT_EQ(S_OK, info->SetHeader(&h));
    }
    CameraResult Camera(INT32 i) {
        CameraResult r;
        std::memset(&r, 0x7F, sizeof r);
        EXPECT_EQ(S_OK, info->GetCameraResult(i, &r));
        return r;
    }
    ProjectorResult Projector(INT32 i) {
        ProjectorResult r;
        std::memset(&r, 0x7F, sizeof r);
        EXPECT_EQ(S_OK, info->GetProjectorResult(i, &r));
        return r;
    }
};

const char kFresh[] = R"({"camera":[],"date":"","n_camera":0,"n_projector":0,"projector":[],"projector_base_position":""})";
const char kCamera[] =
    R"({"center_deviation":{"x":0.5,"y":-1.25},"id":3,"is_move":true,"margin":{"bottom":2,"left":3,"right":4,"top":1}})";
const char kProjector[] =
    R"({"center_deviation":{"x":0.5,"y":0.25},"max_deviation":{"x":1.5,"y":2.0},"id":1,"is_move":false,)"
    R"("margin":{"bottom":0,"left":0,"right":0,"top":0}})";

TEST_F(AutoCalibInfoTest, FreshAndFullDocuments) {
    EXPECT_EQ(kFresh, Save());

    SetHeader(2, 1);
    const CameraResult camera{3, 1, 0.5, -1.25, 1, 2, 3, 4};
    ASSERT_EQ(S_OK, info->SetCameraResult(0, &camera));
    const ProjectorResult projector{1, 0, 0.5, 0.25, 1.5, 2, 0, 0, 0, 0};
    ASSERT_EQ(S_OK, info->SetProjectorResult(0, &projector));
    const std::string text = Save();
    EXPECT_EQ(std::string(R"({"camera":[)") + kCamera +
                  R"(,{"center_deviation":{"x":0.0,"y":0.0},"id":0,"is_move":false,"margin":{"bottom":0,"left":0,"right":0,"top":0}}],)"
                  R"("date":"2026-12-06 10:00","n_camera":2,"n_projector":1,"projector":[)" +
                  kProjector + R"(],"projector_base_position":"left"})",
              text);

    // Read back into a fresh object: the same text; the 8-byte extra value
    // is not in the document and a load leaves it.
    Ref<IQuonGeoAutoCalibInfo> copy{CLSID_QuonGeoAutoCalibInfo, IID_IQuonGeoAutoCalibInfo};
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), text));
    EXPECT_EQ(text, quontest::Saved(copy.get()));
    ASSERT_EQ(S_OK, Load(text));
    EXPECT_EQ(0x1122334455667788ULL, Header().extra);
}

TEST_F(AutoCalibInfoTest, LabelWithInitSwitchesToTheShortFormForGood) {
    ASSERT_EQ(S_OK, info->SetLabel("Init"));  // "Init" is not "init"
    EXPECT_EQ(kFresh, Save());
    ASSERT_EQ(S_OK, info->SetLabel("pre-initial run"));
    SetHeader(1, 1);
    const ProjectorResult projector{1, 0, 0.5, 0.25, 1.5, 2, 0, 0, 0, 0};
    ASSERT_EQ(S_OK, info->SetProjectorResult(0, &projector));
    const std::string shortForm =
        R"({"camera":[{"id":0,"is_move":false,"margin":{"bottom":0,"left":0,"right":0,"top":0}}],)"
        R"("date":"2026-12-06 10:00","n_camera":1,"n_projector":1,)"
        R"("projector":[{"id":1,"is_move":false,"margin":{"bottom":0,"left":0,"right":0,"top":0}}]})";
    EXPECT_EQ(shortForm, Save());
    ASSERT_EQ(S_OK, info->SetLabel("final"));
    EXPECT_EQ(shortForm, Save());
    char label[8];
    std::memset(label, '#', sizeof label);
    ASSERT_EQ(S_OK, info->GetLabel(label));
    EXPECT_EQ(0, std::memcmp("final\0##", label, 8));  // the text and its NUL

    // Deviations are read whatever the label says.
    ASSERT_EQ(S_OK, Load(std::string(R"({"camera":[],"projector":[)") + kProjector + "]}"));
    EXPECT_EQ(2.0, Projector(0).maxDeviationY);
    for (HRESULT r : {info->SetLabel(nullptr), info->GetLabel(nullptr)}) EXPECT_EQ(E_POINTER, r);
}

TEST_F(AutoCalibInfoTest, ReadingRules) {
    SetHeader(1, 1, "old", "oldbase");
    // Missing optional objects leave zeros; unknown members are ignored;
    // null header members are absent; a "camera" that is not an array
    // leaves the table and reading goes on with "projector".
    ASSERT_EQ(S_OK, Load(R"({"date":null,"n_camera":1,"extra":[1],"camera":[{"is_move":true,"id":7,"more":1}],"projector":[]})"));
    EXPECT_STREQ("old", Header().date);
    CameraResult c = Camera(0);
    EXPECT_EQ(7, c.id);
    EXPECT_EQ(1, c.isMove);
    EXPECT_EQ(0.0, c.centerDeviationX);
    EXPECT_EQ(0, c.marginTop);
    ASSERT_EQ(S_OK, Load(R"({"camera":5,"n_projector":1,"projector":[{"id":2,"is_move":false,"max_deviation":{"x":3,"y":-4}}]})"));
    EXPECT_EQ(7, Camera(0).id);
    EXPECT_EQ(2, Projector(0).id);
    EXPECT_EQ(3.0, Projector(0).maxDeviationX);  // integers read as doubles

    // Texts longer than their fields are cut.
    ASSERT_EQ(S_OK, Load(R"({"date":")" + std::string(70, 'd') + R"(","projector_base_position":")" + std::string(30, 'b') +
                         R"(","camera":[],"projector":[]})"));
    EXPECT_EQ(std::string(63, 'd'), std::string(Header().date));
    EXPECT_EQ(std::string(23, 'b'), std::string(Header().basePosition));
}

TEST_F(AutoCalibInfoTest, BrokenDocumentsThrowTheFailedCheck) {
    EXPECT_EQ("IsObject()", Thrown(""));
    EXPECT_EQ("IsString()", Thrown(R"({"date":1})"));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"n_camera":2.0})"));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"n_projector":2147483648})"));
    EXPECT_EQ("IsString()", Thrown(R"({"projector_base_position":{}})"));
    EXPECT_EQ("false", Thrown(R"({"date":"kept","n_camera":4})"));
    EXPECT_STREQ("kept", Header().date);
    EXPECT_EQ(4, Header().cameraCount);
    EXPECT_EQ("IsBool()", Thrown(R"({"camera":[{"id":1,"is_move":1}],"projector":[]})"));
    EXPECT_EQ("IsObject()", Thrown(R"({"camera":[3],"projector":[]})"));
    EXPECT_EQ("false", Thrown(R"({"camera":[{"is_move":true}],"projector":[]})"));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"camera":[{"id":"1","is_move":true}],"projector":[]})"));
    EXPECT_EQ("IsObject()", Thrown(R"({"camera":[{"id":1,"is_move":true,"center_deviation":[1,2]}],"projector":[]})"));
    EXPECT_EQ("IsObject()", Thrown(R"({"camera":[{"id":1,"is_move":true,"center_deviation":null}],"projector":[]})"));
    EXPECT_EQ("false", Thrown(R"({"camera":[{"id":1,"is_move":true,"center_deviation":{"x":1}}],"projector":[]})"));
    EXPECT_EQ("IsNumber()", Thrown(R"({"camera":[{"id":1,"is_move":true,"center_deviation":{"x":"1","y":2}}],"projector":[]})"));
    EXPECT_EQ("false", Thrown(R"({"camera":[{"id":1,"is_move":true,"margin":{"bottom":1,"left":2,"right":3}}],"projector":[]})"));
    EXPECT_EQ("data_.f.flags & kIntFlag",
              Thrown(R"({"camera":[{"id":1,"is_move":true,"margin":{"bottom":1.5,"left":2,"right":3,"top":4}}],"projector":[]})"));
    EXPECT_EQ("IsNumber()",
              Thrown(R"({"camera":[],"projector":[{"id":1,"is_move":true,"max_deviation":{"x":true,"y":2}}]})"));

    // Without "projector" the load fails after the camera table was replaced.
    EXPECT_EQ("false", Thrown(R"({"n_camera":2,"camera":[{"id":8,"is_move":false},{"id":9,"is_move":true}]})"));
    EXPECT_EQ(9, Camera(1).id);
    EXPECT_EQ(E_POINTER, info->LoadFromBuffer(nullptr, 4));
}

TEST_F(AutoCalibInfoTest, BoundsCountsAndTables) {
    const INT32 untouched = 0x7F7F7F7F;  // what Camera() and Projector() preset
    SetHeader(2, 1);
    const CameraResult camera{5, 1, 1, 1, 1, 1, 1, 1};
    // Index = count, negative indices: nothing happens, S_OK.
    EXPECT_EQ(S_OK, info->SetCameraResult(2, &camera));
    EXPECT_EQ(S_OK, info->SetCameraResult(-1, &camera));
    EXPECT_EQ(untouched, Camera(2).id);
    EXPECT_EQ(untouched, Projector(1).id);
    for (HRESULT r : {info->SetCameraResult(0, nullptr), info->GetProjectorResult(0, nullptr), info->SetHeader(nullptr),
                      info->GetHeader(nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }

    // A negative count is refused, an absurd one throws the allocation
    // failure; neither changes anything.
    AutoCalibHeader bad{};
    bad.cameraCount = -1;
    EXPECT_EQ(E_INVALIDARG, info->SetHeader(&bad));
    bad.cameraCount = 1;
    bad.projectorCount = INT32_MAX;
    EXPECT_THROW(info->SetHeader(&bad), std::bad_alloc);
    EXPECT_EQ(2, Header().cameraCount);

    // After FreeData the counts stay but the records are gone: nothing is
    // read or written through them.
    ASSERT_EQ(S_OK, info->SetCameraResult(1, &camera));
    ASSERT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(2, Header().cameraCount);
    EXPECT_EQ(untouched, Camera(1).id);
    EXPECT_EQ(E_FAIL, SaveResult());

    // Counts larger than the arrays read, or negative: refused on writing;
    // smaller: only the counted records are written.
    ASSERT_EQ(S_OK, Load(R"({"n_camera":3,"n_projector":0,"camera":[{"id":1,"is_move":true}],"projector":[]})"));
    EXPECT_EQ(E_FAIL, SaveResult());
    EXPECT_EQ(1, Camera(0).id);
    ASSERT_EQ(S_OK, Load(R"({"n_camera":-1,"camera":[],"projector":[]})"));
    EXPECT_EQ(E_FAIL, SaveResult());
    ASSERT_EQ(S_OK, Load(R"({"n_camera":0,"camera":[{"id":1,"is_move":true}],"projector":[]})"));
    EXPECT_EQ(R"({"camera":[],"date":"2026-12-06 10:00","n_camera":0,"n_projector":0,"projector":[],"projector_base_position":"left"})",
              Save());
    EXPECT_EQ(untouched, Camera(0).id);  // beyond the count
}

TEST_F(AutoCalibInfoTest, OutputContract) {
    SetHeader(1, 0);
    const std::string expected = Save();
    std::string buffer(expected.size() + 4, '#');
    UINT32 written = 3;
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(buffer.data(), static_cast<UINT32>(expected.size()) - 1, &written));
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(nullptr, 4096, &written));
    EXPECT_EQ(E_POINTER, info->SaveToBuffer(buffer.data(), 4096, nullptr));
    EXPECT_EQ(3u, written);
    ASSERT_EQ(S_OK, info->SaveToBuffer(buffer.data(), static_cast<UINT32>(expected.size()), &written));
    EXPECT_EQ(expected + "####", buffer);  // no NUL after the text

    // NaN has no JSON form; in the short form the deviations are not written.
    const CameraResult nan{1, 0, std::numeric_limits<double>::quiet_NaN(), 0, 0, 0, 0, 0};
    ASSERT_EQ(S_OK, info->SetCameraResult(0, &nan));
    EXPECT_EQ(E_FAIL, SaveResult());
    ASSERT_EQ(S_OK, info->SetLabel("init"));
    EXPECT_NE("", Save());
}

}  // namespace
