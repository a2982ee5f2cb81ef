#include "synopsis_cache_name.h"

#include <gtest/gtest.h>

namespace {

TEST(SynopsisCacheFileName, ServerAndFlowNumberNameTheFile) {
    EXPECT_EQ(L"10.0.0.5_12.tbi", SynopsisCacheFileName(L"10.0.0.5", 12, SynopsisFileKind::Tube));
    EXPECT_EQ(L"10.0.0.5_-3.obi", SynopsisCacheFileName(L"10.0.0.5", -3, SynopsisFileKind::Object));
}

TEST(SynopsisCacheFileName, CharactersThatCannotStandInAFileNameBecomeUnderscores) {
    // The port's ":" would otherwise name an alternate data stream.
    EXPECT_EQ(L"host_8080_7.tbi", SynopsisCacheFileName(L"host:8080", 7, SynopsisFileKind::Tube));
    // Separators would lead out of the cache folder.
    EXPECT_EQ(L".._.._x_y_7.obi",
              SynopsisCacheFileName(L"..\\..\\x/y", 7, SynopsisFileKind::Object));
    EXPECT_EQ(L"a_b_c_d_e_f_g_h_7.tbi",
              SynopsisCacheFileName(L"a*b?c\"d<e>f|g\th", 7, SynopsisFileKind::Tube));
    EXPECT_EQ(L"_7.tbi", SynopsisCacheFileName(L"", 7, SynopsisFileKind::Tube));
}

} // namespace
