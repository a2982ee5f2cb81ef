#include "parameter_lookup.h"
#include "parameter_round_trip.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kSynopsisOnly = L"type=2&sensitivity=0&fineness=3&snap_type=0&thickness=0"
                                   L"&task_priority=0&summary_width=-1&summary_height=-1"
                                   L"&drop_frm_rate=1.0";

std::wstring Udr(const std::wstring& attr, const std::wstring& vertnum,
                 const std::wstring& vertices) {
    return L"<udr><attr>" + attr + L"</attr><polynum>1</polynum><polyinfo><vertnum>" + vertnum +
           L"</vertnum><vertinfo>" + vertices + L"</vertinfo></polyinfo></udr>";
}

const std::wstring kSquare =
    L"<x>0.1</x><y>0.2</y><x>0.5</x><y>0.2</y><x>0.5</x><y>0.75</y><x>0.1</x><y>0.75</y>";

TEST(LookupValue, PlainSubstringUpToNextAmpersand) {
    EXPECT_EQ(L"2", LookupValue(L"type=2&snap_type=1", L"type"));
    EXPECT_EQ(L"1", LookupValue(L"snap_type=1&type=2", L"type")); // first occurrence wins
    EXPECT_EQ(L"a=b", LookupValue(L"k=a=b&x", L"k"));
    EXPECT_EQ(L"", LookupValue(L"k=&x=1", L"k"));
    EXPECT_EQ(L"", LookupValue(L"x=1&k", L"k"));    // key ends the text
    EXPECT_EQ(L"", LookupValue(L"k&x=1", L"k"));    // '&' right after the key
    EXPECT_EQ(L"1", LookupValue(L"x=0&k:1", L"k")); // any one character is skipped
    EXPECT_EQ(kUnfound, LookupValue(L"x=1", L"k"));
}

TEST(LookupTag, CloseTagAfterOpenOrEndOfText) {
    EXPECT_EQ(L"12", LookupTag(L"<a>12</a><a>13</a>", L"a"));
    EXPECT_EQ(L"12<b>", LookupTag(L"</a><a>12<b>", L"a")); // no close after the open
    EXPECT_EQ(L"", LookupTag(L"<a></a>", L"a"));
    EXPECT_EQ(L"2", LookupTag(L"<obj_type>3</obj_type><type>2</type>", L"type"));
    EXPECT_EQ(kUnfound, LookupTag(L"<b>1</b>", L"a"));
}

TEST(ParseParameterString, SynopsisOnlyExample) {
    TaskRecords r;
    r.params.obj_type = 9; // not read for synopsis only
    ASSERT_TRUE(ParseInto(kSynopsisOnly, r));
    TaskRecords expected;
    expected.params.type = 2;
    expected.params.summary_width = -1;
    expected.params.summary_height = -1;
    expected.params.obj_type = 9;
    EXPECT_TRUE(expected.params == r.params); // colours stay unused
    EXPECT_TRUE(expected.region == r.region);
    EXPECT_TRUE(expected.tripwire == r.tripwire);
}

TEST(ParseParameterString, MissingRequiredKeyStopsButKeepsWhatWasRead) {
    TaskRecords r;
    EXPECT_FALSE(ParseInto(L"type=0&sensitivity=4&snap_type=1&thickness=5", r));
    EXPECT_EQ(0, r.params.type);
    EXPECT_EQ(4, r.params.sensitivity);
    EXPECT_EQ(0, r.params.thickness); // after the missing fineness: untouched

    // Each later required key fails the parse too.
    for (const wchar_t* key : {L"task_priority", L"thickness", L"snap_type", L"drop_frm_rate",
                               L"summary_height", L"summary_width"}) {
        SCOPED_TRACE(key);
        std::wstring text = kSynopsisOnly;
        const size_t at = text.find(std::wstring(key) + L"=");
        text.replace(at, 1, L"X"); // spoil the key
        TaskRecords spoilt;
        EXPECT_FALSE(ParseInto(text, spoilt));
    }
}

TEST(ParseParameterString, RegionOnlyWhenUdrExistIsOne) {
    TaskRecords r;
    ASSERT_TRUE(ParseInto(kSynopsisOnly + L"&UDR_exist=0", r));
    EXPECT_EQ(-1, r.region.attr);

    EXPECT_FALSE(ParseInto(kSynopsisOnly + L"&UDR_exist=1", r)); // UDR_setting required
    EXPECT_EQ(-1, r.region.attr);

    ASSERT_TRUE(
        ParseInto(kSynopsisOnly + L"&UDR_exist=1&UDR_setting=" + Udr(L"0", L"4", kSquare), r));
    EXPECT_EQ(0, r.region.attr);
    EXPECT_EQ((std::array<double, 4>{0.1, 0.5, 0.5, 0.1}), r.region.x);
    EXPECT_EQ((std::array<double, 4>{0.2, 0.2, 0.75, 0.75}), r.region.y);
}

TEST(ParseParameterString, RegionWithFewerVerticesKeepsTheRest) {
    TaskRecords r;
    r.region.x = {9, 9, 9, 9};
    ASSERT_TRUE(ParseInto(kSynopsisOnly + L"&UDR_exist=1&UDR_setting=" +
                              Udr(L"1", L"2", L"<x>0.1</x><y>0.2</y><x>0.3</x><y>0.4</y>"),
                          r));
    EXPECT_EQ(1, r.region.attr);
    EXPECT_EQ((std::array<double, 4>{0.1, 0.3, 9, 9}), r.region.x);

    ASSERT_TRUE(ParseInto(kSynopsisOnly + L"&UDR_exist=1&UDR_setting=" + Udr(L"0", L"-3", L""), r));
    EXPECT_EQ(0, r.region.attr); // no vertices read, none required
}

TEST(ParseParameterString, BrokenRegionFailsAndLeavesRegionUntouched) {
    const std::wstring fiveVertices = kSquare + L"<x>0.9</x><y>0.9</y>";
    const std::wstring cases[] = {
        Udr(L"1", L"5", fiveVertices),                          // more than the record holds
        Udr(L"1", L"2147483647", fiveVertices),                 // absurd count
        Udr(L"1", L"4", kSquare.substr(0, kSquare.size() - 4)), // last "</y>" missing
        Udr(L"1", L"4", L"<x>0.1</x><y>0.2</y>"),               // second vertex missing
        L"<udr><vertnum>4</vertnum><vertinfo>" + kSquare + L"</vertinfo></udr>", // no attr
        L"<udr><attr>1</attr><vertinfo>" + kSquare + L"</vertinfo></udr>",       // no vertnum
    };
    for (const std::wstring& udr : cases) {
        SCOPED_TRACE(udr);
        TaskRecords r;
        EXPECT_FALSE(ParseInto(kSynopsisOnly + L"&UDR_exist=1&UDR_setting=" + udr, r));
        EXPECT_EQ(-1, r.region.attr);
        EXPECT_EQ((std::array<double, 4>{}), r.region.x);
        EXPECT_EQ(0, r.params.task_priority + r.params.thickness); // the parse stopped
    }
}

TEST(ParseParameterString, TripwireTakenWholeOrNotAtAll) {
    const std::wstring line = L"&tripwire_x1=0.1&tripwire_y1=0.2&tripwire_x2=0.3&tripwire_y2=0.4";
    TaskRecords r;
    ASSERT_TRUE(ParseInto(kSynopsisOnly + line + L"&tripwire_crossdir=1", r));
    EXPECT_EQ(1, r.tripwire.crossdir);
    EXPECT_EQ(0.1, r.tripwire.x1);
    EXPECT_EQ(0.2, r.tripwire.y1);
    EXPECT_EQ(0.3, r.tripwire.x2);
    EXPECT_EQ(0.4, r.tripwire.y2);

    TaskRecords noDirection;
    ASSERT_TRUE(ParseInto(kSynopsisOnly + line, noDirection)); // crossdir is optional
    EXPECT_EQ(-2, noDirection.tripwire.crossdir);
    EXPECT_EQ(0.0, noDirection.tripwire.x1);

    TaskRecords broken;
    EXPECT_FALSE(ParseInto(kSynopsisOnly + line.substr(0, line.find(L"&tripwire_y2")) +
                               L"&tripwire_crossdir=0",
                           broken));
    EXPECT_EQ(-2, broken.tripwire.crossdir);
    EXPECT_EQ(0.0, broken.tripwire.x1);
}

TEST(ParseParameterString, ObjectKeysAndColours) {
    const std::wstring base = L"type=1&sensitivity=2&fineness=2&snap_type=1&thickness=3"
                              L"&task_priority=4&summary_width=720&summary_height=576"
                              L"&drop_frm_rate=2.5&obj_enable=1";
    TaskRecords r;
    EXPECT_FALSE(ParseInto(base, r)); // obj_type is required for retrieval modes
    EXPECT_EQ(2.5f, r.params.drop_frm_rate);
    EXPECT_EQ(720, r.params.summary_width);

    ASSERT_TRUE(ParseInto(base + L"&obj_type=2&retrieve_avgcolor=0xFF0000"
                                 L"&retrieve_lowercolor=00ff00",
                          r));
    EXPECT_EQ(2, r.params.obj_type);
    EXPECT_EQ(0x0000FFu, r.params.avg_color); // red
    EXPECT_EQ(kNoColor, r.params.upper_color);
    EXPECT_EQ(0x00FF00u, r.params.lower_color);
    EXPECT_EQ(0, r.params.enable_search_by_image);
}

TEST(ParseParameterString, PictureDataWhenSearchByImageIsOne) {
    const std::wstring base = L"type=0&sensitivity=0&fineness=3&snap_type=0&thickness=0"
                              L"&task_priority=0&summary_width=0&summary_height=0"
                              L"&drop_frm_rate=1.0&obj_type=1";
    TaskRecords r;
    ASSERT_TRUE(ParseInto(base + L"&enable_search_by_image=0&request_image_data=QQ==", r));
    EXPECT_EQ("", r.params.request_image_data); // not read unless enabled

    EXPECT_FALSE(ParseInto(base + L"&enable_search_by_image=1&request_image_data=QQ==", r));
    EXPECT_EQ("QQ==", r.params.request_image_data); // read before the mask went missing
    EXPECT_EQ("", r.params.request_mask_data);

    ASSERT_TRUE(ParseInto(base + L"&enable_search_by_image=1&request_image_data=QUI="
                                 L"&request_mask_data=\x00C4+/",
                          r));
    EXPECT_EQ("QUI=", r.params.request_image_data);
    EXPECT_EQ("\xC4+/", r.params.request_mask_data); // narrowed by the given conversion
}

TEST(ParseParameterString, NonNumericValuesReadAsZero) {
    TaskRecords r;
    ASSERT_TRUE(ParseInto(L"type=two&sensitivity=&fineness= 7x&snap_type=-&thickness=0x5"
                          L"&task_priority=+3&summary_width=99999999999&summary_height=-1"
                          L"&drop_frm_rate=fast&obj_type=1&retrieve_avgcolor=zz",
                          r));
    EXPECT_EQ(0, r.params.type);
    EXPECT_EQ(0, r.params.sensitivity);
    EXPECT_EQ(7, r.params.fineness);
    EXPECT_EQ(0, r.params.snap_type);
    EXPECT_EQ(0, r.params.thickness);
    EXPECT_EQ(3, r.params.task_priority);
    EXPECT_EQ(2147483647, r.params.summary_width);
    EXPECT_EQ(0.0f, r.params.drop_frm_rate);
    EXPECT_EQ(0u, r.params.avg_color); // read as black, not as "unused"
}

TEST(ParseParameterString, TypeMatchedInsideAnotherKeyWhenNotFirst) {
    TaskRecords r;
    ASSERT_TRUE(ParseInto(L"snap_type=2&type=1&sensitivity=0&fineness=3&thickness=0"
                          L"&task_priority=0&summary_width=0&summary_height=0&drop_frm_rate=1",
                          r));
    EXPECT_EQ(2, r.params.type); // taken from snap_type: writers put type first
}

TEST(ParseParameterString, LiteralUnfoundCountsAsMissing) {
    TaskRecords r;
    EXPECT_FALSE(ParseInto(L"type=1&sensitivity=unfound&fineness=3", r));
}

const std::wstring kDetail =
    L"<?xml version=\"1.0\"?><task><flowNumber>12</flowNumber><type>1</type>"
    L"<sensitivity>2</sensitivity><sourceUrl>D:\\v\\a.mp4</sourceUrl>"
    L"<UDR_exist>1</UDR_exist><UDR_setting>" +
    Udr(L"1", L"4", kSquare) +
    L"</UDR_setting><tripwire_crossdir>0</tripwire_crossdir>"
    L"<tripwire_x1>0.1</tripwire_x1><tripwire_y1>0.9</tripwire_y1>"
    L"<tripwire_x2>0.8</tripwire_x2><tripwire_y2>0.2</tripwire_y2>"
    L"<task_priority>5</task_priority><thickness>6</thickness><snap_type>1</snap_type>"
    L"<summary_height>576</summary_height><summary_width>720</summary_width>"
    L"<obj_type>1</obj_type><retrieve_avgcolor>16711680</retrieve_avgcolor>"
    L"<enable_avgcolor>1</enable_avgcolor><retrieve_uppercolor>255</retrieve_uppercolor>"
    L"<enable_uppercolor>0</enable_uppercolor><retrieve_lowercolor>65280</retrieve_lowercolor>"
    L"<enable_search_by_image>1</enable_search_by_image>"
    L"<request_image_data>QQ==</request_image_data></task>";

TEST(ParseTaskDetailXml, ReadsTheServersForm) {
    TaskRecords r;
    ASSERT_TRUE(ParseXmlInto(kDetail, r));
    EXPECT_EQ(1, r.params.type);
    EXPECT_EQ(2, r.params.sensitivity);
    EXPECT_EQ(5, r.params.task_priority);
    EXPECT_EQ(6, r.params.thickness);
    EXPECT_EQ(720, r.params.summary_width);
    EXPECT_EQ(576, r.params.summary_height);
    EXPECT_EQ(1, r.params.obj_type);
    EXPECT_EQ(0x0000FFu, r.params.avg_color);  // 0xFF0000 in decimal, enabled
    EXPECT_EQ(kNoColor, r.params.upper_color); // enable is "0"
    EXPECT_EQ(kNoColor, r.params.lower_color); // enable tag missing
    EXPECT_EQ(1, r.params.enable_search_by_image);
    EXPECT_EQ("", r.params.request_image_data); // no picture data from this form
    // Not carried by this form: defaults stay.
    EXPECT_EQ(3, r.params.fineness);
    EXPECT_EQ(0, r.params.snap_type);
    EXPECT_EQ(1.0f, r.params.drop_frm_rate);

    EXPECT_EQ(1, r.region.attr);
    EXPECT_EQ((std::array<double, 4>{0.2, 0.2, 0.75, 0.75}), r.region.y);
    EXPECT_EQ(0, r.tripwire.crossdir);
    EXPECT_EQ(0.1, r.tripwire.x1);
    EXPECT_EQ(0.2, r.tripwire.y2);
}

TEST(ParseTaskDetailXml, RequiredTagsAndModes) {
    const auto without = [](const std::wstring& tag) {
        std::wstring text = kDetail;
        const size_t at = text.find(L"<" + tag + L">");
        text.replace(at, 1, L"["); // spoil the opening tag
        return text;
    };
    for (const wchar_t* tag :
         {L"type", L"sensitivity", L"UDR_setting", L"tripwire_y2", L"task_priority", L"thickness",
          L"summary_height", L"summary_width", L"obj_type"}) {
        SCOPED_TRACE(tag);
        TaskRecords r;
        EXPECT_FALSE(ParseXmlInto(without(tag), r));
    }

    // Synopsis only needs no object tags; region and tripwire are optional.
    std::wstring synopsis = without(L"obj_type");
    synopsis.replace(synopsis.find(L"<type>1"), 7, L"<type>2");
    TaskRecords r;
    ASSERT_TRUE(ParseXmlInto(synopsis, r));
    EXPECT_EQ(kNoColor, r.params.avg_color);
    EXPECT_EQ(0, r.params.enable_search_by_image);

    TaskRecords noRegion, noTripwire;
    ASSERT_TRUE(ParseXmlInto(without(L"UDR_exist"), noRegion));
    EXPECT_EQ(-1, noRegion.region.attr);
    ASSERT_TRUE(ParseXmlInto(without(L"tripwire_crossdir"), noTripwire));
    EXPECT_EQ(-2, noTripwire.tripwire.crossdir);
}

TEST(ParseTaskDetailXml, RegionNeedsFullTags) {
    std::wstring text = kDetail;
    text.replace(text.find(L"<attr>"), 6, L"<attr x>");
    TaskRecords r;
    EXPECT_FALSE(ParseXmlInto(text, r));
    EXPECT_EQ(-1, r.region.attr);

    // The key=value form skips one character after "<attr", so it reads it.
    TaskRecords kv;
    ASSERT_TRUE(ParseInto(kSynopsisOnly + L"&UDR_exist=1&UDR_setting=<attr>1</attr>"
                                          L"<vertnum >0</vertnum>",
                          kv));
    EXPECT_EQ(1, kv.region.attr);
}

} // namespace
