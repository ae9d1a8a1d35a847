// The version block, read back from the module and through the version API.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/resources/ResourceModule.h"

namespace {

// One block of a version resource: its key and its child blocks (values are read through
// VerQueryValueA).
struct VersionBlock {
    std::string key;
    std::vector<VersionBlock> children;
};

DWORD AlignToDword(DWORD offset) {
    return (offset + 3) & ~static_cast<DWORD>(3);
}

WORD WordAt(const BYTE* bytes, DWORD offset) {
    WORD value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// Reads the block at `offset` of the resource; false when it runs past its parent's end.
bool ReadVersionBlock(const BYTE* bytes, DWORD offset, DWORD end, VersionBlock* block) {
    if (offset + 6 > end) {
        return false;
    }
    WORD length = WordAt(bytes, offset);
    WORD valueLength = WordAt(bytes, offset + 2);
    WORD type = WordAt(bytes, offset + 4);
    DWORD blockEnd = offset + length;
    if (length < 6 || blockEnd > end) {
        return false;
    }
    DWORD position = offset + 6;
    for (;; position += 2) {
        if (position + 2 > blockEnd) {
            return false;
        }
        WORD c = WordAt(bytes, position);
        if (c == 0) {
            break;
        }
        block->key += static_cast<char>(c);
    }
    position = AlignToDword(position + 2);
    position += type == 1 ? valueLength * 2 : valueLength;  // text values count WCHARs
    for (position = AlignToDword(position); position < blockEnd;) {
        VersionBlock child;
        if (!ReadVersionBlock(bytes, position, blockEnd, &child)) {
            return false;
        }
        position = AlignToDword(position + WordAt(bytes, position));
        block->children.push_back(child);
    }
    return true;
}

std::vector<std::string> Keys(const std::vector<VersionBlock>& blocks) {
    std::vector<std::string> keys;
    for (const VersionBlock& block : blocks) {
        keys.push_back(block.key);
    }
    return keys;
}

struct VersionString {
    const char* key;
    const char* value;
};

// The eight keys of a version string table in their usual order.
const VersionString kVersionStrings[] = {
    {"CompanyName", "Korvessa"},
    {"FileDescription", "Korvessa ADB Driver Installer"},
    {"FileVersion", "2, 0, 0, 0"},
    {"InternalName", "Korvessa"},
    {"LegalCopyright", "Copyright (C) 2026 Korvessa. All rights reserved."},
    {"OriginalFilename", "Korvessa.exe"},
    {"ProductName", "Korvessa"},
    {"ProductVersion", "2, 0, 0, 0"},
};

class VersionBlockTest : public testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(ResourceModulePath(), &ignored);
        ASSERT_GT(size, 0u) << ResourceModulePath() << ": error " << GetLastError();
        m_info.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(ResourceModulePath(), 0, size, m_info.data()));
    }

    // VerQueryValueA's answer, or nullptr.
    const void* Query(const char* subBlock, UINT* length) {
        void* value = nullptr;
        *length = 0;
        return VerQueryValueA(m_info.data(), subBlock, &value, length) ? value : nullptr;
    }

    std::vector<BYTE> m_info;
};

TEST_F(VersionBlockTest, FixedPartGivesVersionTwoOfAnApplication) {
    UINT length = 0;
    auto fixed = static_cast<const VS_FIXEDFILEINFO*>(Query("\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);
}

TEST_F(VersionBlockTest, TranslationIsUsEnglishInCodePage1252) {
    UINT length = 0;
    auto translation = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST_F(VersionBlockTest, StringTableHoldsTheEightKeysInOrder) {
    ResourceData data = LoadResourceData(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_NE(data.bytes, nullptr);
    VersionBlock root;
    ASSERT_TRUE(ReadVersionBlock(data.bytes, 0, data.size, &root));
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    ASSERT_EQ(Keys(root.children), (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
    const VersionBlock& strings = root.children[0];
    ASSERT_EQ(Keys(strings.children), std::vector<std::string>{"040904e4"});
    std::vector<std::string> expectedKeys;
    for (const VersionString& row : kVersionStrings) {
        expectedKeys.push_back(row.key);
    }
    EXPECT_EQ(Keys(strings.children[0].children), expectedKeys);

    for (const VersionString& row : kVersionStrings) {
        SCOPED_TRACE(row.key);
        UINT length = 0;
        std::string path = std::string("\\StringFileInfo\\040904e4\\") + row.key;
        auto value = static_cast<const char*>(Query(path.c_str(), &length));
        ASSERT_NE(value, nullptr);
        EXPECT_STREQ(value, row.value);
    }
}

}  // namespace
