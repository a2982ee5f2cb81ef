#include "parameter_round_trip.h"

#include <gtest/gtest.h>

namespace {

void ExpectSameRecords(const TaskRecords& a, const TaskRecords& b) {
    EXPECT_TRUE(a.params == b.params);
    EXPECT_EQ(a.region.attr, b.region.attr);
    EXPECT_EQ(a.region.x, b.region.x);
    EXPECT_EQ(a.region.y, b.region.y);
    EXPECT_TRUE(a.tripwire == b.tripwire);
}

TEST(RoundTrip, WrittenStringsReadBackUnchanged) {
    const std::wstring strings[] = {
        // Synopsis only, nothing drawn.
        L"type=2&sensitivity=0&fineness=3&snap_type=0&thickness=0&task_priority=0"
        L"&summary_width=-1&summary_height=-1&drop_frm_rate=1.0",
        // Everything: colours, search picture, region and tripwire.
        L"type=1&sensitivity=4&fineness=2&snap_type=1&thickness=12&task_priority=100"
        L"&summary_width=1280&summary_height=720&drop_frm_rate=2.5&obj_enable=1&obj_type=1"
        L"&retrieve_uppercolor=0x10A0FF&retrieve_lowercolor=0x000000"
        L"&enable_search_by_image=1&request_image_data=/9j/4AAQSkZJRg==&request_mask_data=AAEC"
        L"&UDR_exist=1&UDR_setting=<udr><attr>0</attr><polynum>1</polynum><polyinfo>"
        L"<vertnum>4</vertnum><vertinfo><x>0.015625</x><y>0.200000</y><x>0.984375</x>"
        L"<y>0.200000</y><x>0.984375</x><y>0.999000</y><x>0.015625</x><y>0.999000</y>"
        L"</vertinfo></polyinfo></udr>"
        L"&tripwire_x1=0.100000&tripwire_y1=0.500000&tripwire_x2=0.900000&tripwire_y2=0.500000"
        L"&tripwire_crossdir=-1",
        // Retrieval only with a tripwire but no region.
        L"type=0&sensitivity=2&fineness=1&snap_type=0&thickness=0&task_priority=0"
        L"&summary_width=352&summary_height=288&drop_frm_rate=6.0&obj_enable=1&obj_type=0"
        L"&tripwire_x1=0.000000&tripwire_y1=0.000000&tripwire_x2=1.000000&tripwire_y2=1.000000"
        L"&tripwire_crossdir=0",
    };
    for (const std::wstring& text : strings) {
        SCOPED_TRACE(text);
        TaskRecords records;
        ASSERT_TRUE(ParseInto(text, records));
        EXPECT_EQ(text, FullStringOf(records));
    }
}

TEST(RoundTrip, RecordsSurviveWritingAndReading) {
    TaskRecords records;
    records.params.type = 0;
    records.params.sensitivity = 2;
    records.params.fineness = 1;
    records.params.task_priority = 127;
    records.params.drop_frm_rate = 5.5f;
    records.params.summary_width = 1920;
    records.params.summary_height = 1080;
    records.params.obj_type = 2;
    records.params.avg_color = 0x00804020;
    records.params.enable_search_by_image = 1;
    records.params.request_image_data = "iVBORw0KGgo=";
    records.params.request_mask_data = "AP8A";
    records.region.attr = 1;
    records.region.x = {0.125, 0.5, 0.75, 0.0};
    records.region.y = {0.25, 0.0625, 1.0, 0.5};
    records.tripwire.crossdir = 1;
    records.tripwire.x1 = 0.5;
    records.tripwire.y1 = 0.25;
    records.tripwire.x2 = 0.375;
    records.tripwire.y2 = 0.875;

    TaskRecords read;
    ASSERT_TRUE(ParseInto(FullStringOf(records), read));
    ExpectSameRecords(records, read);
}

TEST(RoundTrip, LooseInputSettlesAfterOneWrite) {
    // Values that the writer rounds or normalises: the second write repeats the first.
    const std::wstring loose =
        L"type= 1&sensitivity=+2&fineness=3.9&snap_type=0&thickness=0&task_priority=0"
        L"&summary_width=0&summary_height=0&drop_frm_rate=2.55&obj_type=3"
        L"&retrieve_avgcolor=ff&retrieve_uppercolor=0x1FF0000"
        L"&UDR_exist=1&UDR_setting=<udr><attr>1</attr><vertnum>2</vertnum>"
        L"<x>1e-1</x><y>.33333333333</y><x>2</x><y>-0</y></udr>"
        L"&tripwire_crossdir=7&tripwire_x1=1&tripwire_y1=2&tripwire_x2=3&tripwire_y2=4";
    TaskRecords first;
    ASSERT_TRUE(ParseInto(loose, first));
    const std::wstring written = FullStringOf(first);
    EXPECT_NE(std::wstring::npos, written.find(L"&drop_frm_rate=2.5&"));
    EXPECT_NE(std::wstring::npos, written.find(L"&retrieve_avgcolor=0x0000FF"));
    EXPECT_NE(std::wstring::npos, written.find(L"<y>0.333333</y><x>2.000000</x><y>-0.000000</y>"));
    EXPECT_EQ(std::wstring::npos, written.find(L"tripwire")); // direction 7 is no tripwire

    TaskRecords second;
    ASSERT_TRUE(ParseInto(written, second));
    EXPECT_EQ(written, FullStringOf(second));
}

TEST(RoundTrip, ServerDetailBecomesAnEquivalentParameterString) {
    const std::wstring detail =
        L"<task><type>0</type><sensitivity>4</sensitivity><UDR_exist>1</UDR_exist>"
        L"<UDR_setting><udr><attr>0</attr><polynum>1</polynum><polyinfo><vertnum>4</vertnum>"
        L"<vertinfo><x>0.1</x><y>0.1</y><x>0.9</x><y>0.1</y><x>0.9</x><y>0.9</y><x>0.1</x>"
        L"<y>0.9</y></vertinfo></polyinfo></udr></UDR_setting>"
        L"<task_priority>9</task_priority><thickness>2</thickness>"
        L"<summary_height>-1</summary_height><summary_width>-1</summary_width>"
        L"<obj_type>2</obj_type><retrieve_lowercolor>255</retrieve_lowercolor>"
        L"<enable_lowercolor>1</enable_lowercolor></task>";
    TaskRecords fromServer;
    ASSERT_TRUE(ParseXmlInto(detail, fromServer));
    TaskRecords fromString;
    ASSERT_TRUE(ParseInto(FullStringOf(fromServer), fromString));
    ExpectSameRecords(fromServer, fromString);
    EXPECT_EQ(0xFF0000u, fromString.params.lower_color); // blue
}

} // namespace
