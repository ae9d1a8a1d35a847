// The application manifest, read back from the module.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/resources/ResourceModule.h"
#include "tests/resources/XmlElement.h"

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

}  // namespace
