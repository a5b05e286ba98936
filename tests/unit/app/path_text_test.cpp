#include "app/installer_state.h"
#include "app/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ComposePath, FitsUpTo259CharactersAndNeverCutsShort) {
    struct Case { size_t folderLength; const char* name; int fits; };
    const Case cases[] = {
        {248, "TESMARA.GID", 1},  // 259 characters and the NUL
        {249, "TESMARA.GID", 0},
        {249, "Readme.hlp", 1},
        {250, "Readme.hlp", 0},
        {259, "", 1},
    };
    for (const Case& c : cases) {
        const std::string folder = "C:\\" + std::string(c.folderLength - 4, 'f') + "\\";
        char target[PATH_TEXT_SIZE];
        EXPECT_EQ(ComposePath(target, folder.c_str(), c.name), c.fits) << c.folderLength << c.name;
        EXPECT_EQ(std::string(target), c.fits ? folder + c.name : "") << c.folderLength << c.name;
    }
}

}  // namespace
