// Every resource of the window layer and the program, each in its one language.
#include <gtest/gtest.h>

#include <vector>

#include "tests/resources/ResourceModule.h"

namespace {

struct ResourceLanguage {
    LPCSTR type;
    const char* typeName;
    int id;
    WORD language;
};

const ResourceLanguage kResourceLanguages[] = {
    {RT_DIALOG, "dialog", 102, 1033},
    {RT_DIALOG, "dialog", 162, 1033},
    {RT_GROUP_ICON, "icon group", 128, 1033},
    {RT_BITMAP, "bitmap", 142, 0},
    {RT_BITMAP, "bitmap", 143, 0},
    {RT_BITMAP, "bitmap", 161, 0},
    {RT_MANIFEST, "manifest", 1, 1033},
    {RT_VERSION, "version block", 1, 1033},
};

TEST(ResourceLanguages, EachResourceIsThereInItsOneLanguage) {
    ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
    for (const ResourceLanguage& want : kResourceLanguages) {
        SCOPED_TRACE(testing::Message() << want.typeName << " " << want.id);
        EXPECT_EQ(ResourceLanguages(want.type, MAKEINTRESOURCEA(want.id)),
                  std::vector<WORD>{want.language});
    }
}

}  // namespace
