// The uninstall's removal list: what it accepts, and that nothing it accepts
// can name a place outside the program folder.
#include "removal_list.h"

#include <gtest/gtest.h>

namespace {

TEST(RemovalList, ReadsTheProgramFolderFoldersAndPatterns) {
    const auto list = ParseRemovalList(
        L"C:\\Program Files\\Video Retrieval Client\\|tbi\\|DownloadImg\\|crash_*.dmp");
    ASSERT_TRUE(list);
    EXPECT_EQ(L"C:\\Program Files\\Video Retrieval Client", list->programFolder);
    EXPECT_EQ((std::vector<std::wstring>{L"tbi", L"DownloadImg"}), list->folders);
    EXPECT_EQ((std::vector<std::wstring>{L"crash_*.dmp"}), list->filePatterns);
}

TEST(RemovalList, RefusesWhatCouldReachOutsideTheProgramFolder) {
    const wchar_t* refused[] = {
        L"",                              // no folder at all
        L"|tbi\\",                        // the folder property was empty
        L"C:\\|tbi\\",                    // a drive's root
        L"Program Files\\X|tbi\\",        // relative
        L"\\\\server\\share\\X|tbi\\",    // not on a drive
        L"C:\\Program Files\\..\\|tbi\\", // a step up in the folder
        L"C:\\X\\|..\\",                  // a step up as the folder to remove
        L"C:\\X\\|a\\b\\",                // a folder below a folder
        L"C:\\X\\|D:x\\",                 // a drive
        L"C:\\X\\|*\\",                   // wildcards in a folder name
        L"C:\\X\\|sub\\*.dmp",            // a pattern in another folder
        L"C:\\X\\|/tmp/x",                // the other separator
        L"C:\\X\\||tbi\\",                // an empty entry
    };
    for (const wchar_t* text : refused)
        EXPECT_FALSE(ParseRemovalList(text)) << text;
}

} // namespace
