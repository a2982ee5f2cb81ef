// Numbers in parameter strings must not follow the process locale: a locale
// whose decimal separator is a comma must neither appear in written strings
// nor break reading.
#include "parameter_round_trip.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Switches the C locale (and on Windows the thread locale) to a German one for
// its lifetime, when the system has one.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_saved = current ? current : "C";
#ifdef _WIN32
        m_savedThreadLocale = GetThreadLocale();
        SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
        for (const char* name : {"German_Germany.1252", "de-DE", "German"}) {
#else
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "ru_RU.UTF-8", "nl_NL.UTF-8"}) {
#endif
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
                m_active = name;
                return;
            }
        }
        std::setlocale(LC_ALL, m_saved.c_str());
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_ALL, m_saved.c_str());
#ifdef _WIN32
        SetThreadLocale(m_savedThreadLocale);
#endif
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool Active() const {
        return !m_active.empty();
    }

private:
    std::string m_saved;
    std::string m_active;
#ifdef _WIN32
    LCID m_savedThreadLocale = 0;
#endif
};

TEST(LocaleIndependence, CommaDecimalLocaleChangesNothing) {
    CommaDecimalLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no locale with a comma decimal separator on this system";

    // The locale is in force: the C runtime itself now writes a comma.
    char probe[32];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ("1,5", probe);

    TaskRecords records;
    records.params.drop_frm_rate = 1.5f;
    records.region.attr = 1;
    records.region.x = {0.25, 0.5, 0.75, 0.125};
    records.tripwire.crossdir = 0;
    records.tripwire.x2 = 0.0625;
    const std::wstring written = FullStringOf(records);
    EXPECT_EQ(std::wstring::npos, written.find(L','));
    EXPECT_NE(std::wstring::npos, written.find(L"&drop_frm_rate=1.5&"));
    EXPECT_NE(std::wstring::npos, written.find(L"<x>0.125000</x>"));
    EXPECT_NE(std::wstring::npos, written.find(L"tripwire_x2=0.062500&"));

    TaskRecords read;
    ASSERT_TRUE(ParseInto(written, read));
    EXPECT_EQ(1.5f, read.params.drop_frm_rate);
    EXPECT_EQ(records.region.x, read.region.x);
    EXPECT_EQ(0.0625, read.tripwire.x2);

    // A comma in the text still ends the number, as in the "C" locale.
    TaskRecords comma;
    ASSERT_TRUE(ParseInto(L"type=2&sensitivity=0&fineness=3&snap_type=0&thickness=0"
                          L"&task_priority=0&summary_width=0&summary_height=0"
                          L"&drop_frm_rate=2,5",
                          comma));
    EXPECT_EQ(2.0f, comma.params.drop_frm_rate);
}

} // namespace
