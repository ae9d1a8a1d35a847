// The manifest and the version block, read back from the module, and the language of every
// resource of the window layer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ResourceModule.h"
#include "XmlElement.h"

namespace {

using Attributes = std::map<std::string, std::string>;

struct ManifestElement {
    std::vector<std::string> path;  // child names from the root element <assembly>
    Attributes attributes;          // all of them
};

const std::vector<std::string> kManifestParts = {
    "assemblyIdentity", "description", "dependency", "trustInfo", "compatibility"};

const ManifestElement kManifestElements[] = {
    {{}, {{"xmlns", "urn:schemas-microsoft-com:asm.v1"}, {"manifestVersion", "1.0"}}},
    {{"assemblyIdentity"}, {{"version", "1.0.0.0"}, {"name", "Korvessa.application"}}},
    {{"description"},
     {{"xmlns:asmv2", "urn:schemas-microsoft-com:asm.v2"},
      {"asmv2:publisher", "Korvessa"},
      {"asmv2:product", "Korvessa"}}},
    {{"dependency", "dependentAssembly", "assemblyIdentity"},
     {{"type", "win32"},
      {"name", "Microsoft.Windows.Common-Controls"},
      {"version", "6.0.0.0"},
      {"processorArchitecture", "*"},
      {"publicKeyToken", "6595b64144ccf1df"},
      {"language", "*"}}},
    {{"trustInfo"}, {{"xmlns", "urn:schemas-microsoft-com:asm.v2"}}},
    {{"trustInfo", "security", "requestedPrivileges"}, {{"xmlns", "urn:schemas-microsoft-com:asm.v3"}}},
    {{"trustInfo", "security", "requestedPrivileges", "requestedExecutionLevel"},
     {{"level", "requireAdministrator"}, {"uiAccess", "false"}}},
    {{"compatibility"}, {{"xmlns", "urn:schemas-microsoft-com:compatibility.v1"}}},
};

// Windows Vista, 7, 8, 8.1 and 10.
const std::vector<std::string> kSupportedOs = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};

const XmlElement* FindElement(const XmlElement& root, const std::vector<std::string>& path) {
    const XmlElement* element = &root;
    for (const std::string& name : path) {
        const XmlElement* next = nullptr;
        for (const XmlElement& child : element->children) {
            if (child.name == name) {
                next = &child;
                break;
            }
        }
        if (next == nullptr) {
            return nullptr;
        }
        element = next;
    }
    return element;
}

class ManifestTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
        ResourceData data = LoadResourceData(RT_MANIFEST, MAKEINTRESOURCEA(1));
        ASSERT_NE(data.bytes, nullptr);
        std::string text(reinterpret_cast<const char*>(data.bytes), data.size);
        ASSERT_TRUE(ParseXml(text, &m_assembly)) << text;
    }

    XmlElement m_assembly;
};

TEST_F(ManifestTest, HoldsItsFivePartsInOrder) {
    EXPECT_EQ(m_assembly.name, "assembly");
    EXPECT_EQ(m_assembly.ChildNames(), kManifestParts);
}

TEST_F(ManifestTest, PartsCarryTheirAttributes) {
    for (const ManifestElement& want : kManifestElements) {
        std::string where = "assembly";
        for (const std::string& name : want.path) {
            where += "/" + name;
        }
        SCOPED_TRACE(where);
        const XmlElement* element = FindElement(m_assembly, want.path);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(Attributes(element->attributes.begin(), element->attributes.end()), want.attributes);
    }
}

TEST_F(ManifestTest, DeclaresTheFiveSupportedSystemsInOrder) {
    const XmlElement* application = FindElement(m_assembly, {"compatibility", "application"});
    ASSERT_NE(application, nullptr);
    std::vector<std::string> ids;
    for (const XmlElement& child : application->children) {
        EXPECT_EQ(child.name, "supportedOS");
        ids.push_back(child.Attribute("Id"));
    }
    EXPECT_EQ(ids, kSupportedOs);
}

// The loader's own reading: an activation context made from the module's manifest.
TEST(Manifest, IsAcceptedByTheSystem) {
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = ResourceModulePath();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (handle != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(handle);
    }
}

// One block of a version resource: a key, its value and its child blocks.
struct VersionBlock {
    std::string key;
    std::vector<VersionBlock> children;
};

DWORD AlignToDword(DWORD offset) {
    return (offset + 3) & ~static_cast<DWORD>(3);
}

// Reads the block at `offset` of the resource; false when it runs past its parent's end.
bool ReadVersionBlock(const BYTE* bytes, DWORD offset, DWORD end, VersionBlock* block) {
    if (offset + 6 > end) {
        return false;
    }
    WORD length = *reinterpret_cast<const WORD*>(bytes + offset);
    WORD valueLength = *reinterpret_cast<const WORD*>(bytes + offset + 2);
    WORD type = *reinterpret_cast<const WORD*>(bytes + offset + 4);
    DWORD blockEnd = offset + length;
    if (length < 6 || blockEnd > end) {
        return false;
    }
    DWORD position = offset + 6;
    for (;; position += 2) {
        if (position + 2 > blockEnd) {
            return false;
        }
        WCHAR c = *reinterpret_cast<const WCHAR*>(bytes + position);
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
        position = AlignToDword(position + *reinterpret_cast<const WORD*>(bytes + position));
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
