#include "parameter_writers.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kDefaultScalars = L"type=1&sensitivity=0&fineness=3&snap_type=0&thickness=0"
                                     L"&task_priority=0&summary_width=0&summary_height=0"
                                     L"&drop_frm_rate=1.0";

TEST(PanelString, DefaultsInFixedOrder) {
    EXPECT_EQ(kDefaultScalars + L"&obj_enable=1&obj_type=3", PanelString(TaskParams{}, WidenBytes));
}

TEST(PanelString, EveryScalarInItsPlace) {
    TaskParams p;
    p.type = 2;
    p.sensitivity = 4;
    p.fineness = 1;
    p.snap_type = 1;
    p.thickness = 20;
    p.task_priority = 127;
    p.summary_width = -1;
    p.summary_height = -1;
    p.drop_frm_rate = 3.5f;
    EXPECT_EQ(L"type=2&sensitivity=4&fineness=1&snap_type=1&thickness=20&task_priority=127"
              L"&summary_width=-1&summary_height=-1&drop_frm_rate=3.5",
              PanelString(p, WidenBytes));
}

TEST(PanelString, ObjectPartOnlyForRetrievalModes) {
    TaskParams p;
    p.obj_type = 1;
    p.avg_color = 0x0000FF;   // red
    p.lower_color = 0x123456; // written 0x563412
    const std::wstring objectPart =
        L"&obj_enable=1&obj_type=1&retrieve_avgcolor=0xFF0000&retrieve_lowercolor=0x563412";

    p.type = 1;
    EXPECT_EQ(kDefaultScalars + objectPart, PanelString(p, WidenBytes));
    p.type = 0;
    EXPECT_EQ(L"type=0" + kDefaultScalars.substr(6) + objectPart, PanelString(p, WidenBytes));
    p.type = 2; // synopsis only: no object keys even though colours are set
    EXPECT_EQ(L"type=2" + kDefaultScalars.substr(6), PanelString(p, WidenBytes));
    p.type = 7;
    EXPECT_EQ(std::wstring::npos, PanelString(p, WidenBytes).find(L"obj_"));
}

TEST(PanelString, ColoursInAverageUpperLowerOrder) {
    TaskParams p;
    p.lower_color = 0x030201;
    p.upper_color = 0x020100;
    p.avg_color = 0x010000;
    EXPECT_EQ(kDefaultScalars + L"&obj_enable=1&obj_type=3&retrieve_avgcolor=0x000001"
                                L"&retrieve_uppercolor=0x000102&retrieve_lowercolor=0x010203",
              PanelString(p, WidenBytes));
}

TEST(PanelString, PictureDataNeedsBothStrings) {
    TaskParams p;
    p.type = 2;
    p.enable_search_by_image = 1;
    p.request_image_data = "QUJD";
    EXPECT_EQ(L"type=2" + kDefaultScalars.substr(6), PanelString(p, WidenBytes));

    p.request_image_data.clear();
    p.request_mask_data = "AQ==";
    EXPECT_EQ(L"type=2" + kDefaultScalars.substr(6), PanelString(p, WidenBytes));

    p.request_image_data = "QUJD";
    EXPECT_EQ(L"type=2" + kDefaultScalars.substr(6) +
                  L"&enable_search_by_image=1&request_image_data=QUJD&request_mask_data=AQ==",
              PanelString(p, WidenBytes));
}

TEST(PanelString, PictureDataIsWidenedByTheGivenConversion) {
    TaskParams p;
    p.request_image_data = "ab";
    p.request_mask_data = "c";
    const auto upper = [](std::string_view bytes) {
        std::wstring text;
        for (char c : bytes)
            text.push_back(static_cast<wchar_t>(c - 'a' + 'A'));
        return text;
    };
    const std::wstring s = PanelString(p, upper);
    EXPECT_NE(std::wstring::npos, s.find(L"&request_image_data=AB&request_mask_data=C"));
}

TEST(RegionString, FourVerticesInDrawingOrder) {
    RegionSetting r;
    r.attr = 1;
    r.x = {0.1, 0.5, 0.5, 0.1};
    r.y = {0.2, 0.2, 0.75, 0.75};
    EXPECT_EQ(L"UDR_exist=1&UDR_setting=<udr><attr>1</attr><polynum>1</polynum><polyinfo>"
              L"<vertnum>4</vertnum><vertinfo><x>0.100000</x><y>0.200000</y>"
              L"<x>0.500000</x><y>0.200000</y><x>0.500000</x><y>0.750000</y>"
              L"<x>0.100000</x><y>0.750000</y></vertinfo></polyinfo></udr>",
              RegionString(r));
}

TEST(TripwireString, CoordinatesThenDirection) {
    TripwireSetting t;
    t.crossdir = -1;
    t.x1 = 0.125;
    t.y1 = 1.0;
    t.x2 = 0.3333333;
    t.y2 = 0.0;
    EXPECT_EQ(L"tripwire_x1=0.125000&tripwire_y1=1.000000&tripwire_x2=0.333333"
              L"&tripwire_y2=0.000000&tripwire_crossdir=-1",
              TripwireString(t));
}

TEST(JoinParameterStrings, SkipsEmptyShapes) {
    EXPECT_EQ(L"P", JoinParameterStrings(L"P", L"", L""));
    EXPECT_EQ(L"P&T", JoinParameterStrings(L"P", L"", L"T"));
    EXPECT_EQ(L"P&R", JoinParameterStrings(L"P", L"R", L""));
    EXPECT_EQ(L"P&R&T", JoinParameterStrings(L"P", L"R", L"T"));
}

} // namespace
