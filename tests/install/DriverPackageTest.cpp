// GetWorkFolder, ExtractDriverFile and WriteNewFile on Wine's real file system, with the
// package resources this build embeds, compared with the files they were built from.
#include "install/DriverPackage.h"

#include <gtest/gtest.h>
#include <setupapi.h>

#include <algorithm>

#include "tests/install/PackageSources.h"
#include "tests/support/WorkFolderFixture.h"

using namespace testsupport;
using std::vector;
using std::wstring;

namespace {

std::string SourceBytes(int id)
{
    for (const PackageSource& source : kPackageSources) {
        if (source.id == id)
            return ReadBytes(Widen(source.path));
    }
    ADD_FAILURE() << "no source file for resource " << id;
    return std::string();
}

std::wstring PackageFolder()
{
    return Join(KorvessaFolder(), L"usb_driver");
}

std::wstring PathOf(const PackageFile& file)
{
    std::wstring folder = PackageFolder();
    if (file.subFolder[0] != '\0')
        folder = Join(folder, Widen(file.subFolder));
    return Join(folder, Widen(file.fileName));
}

std::wstring PathOf(int id)
{
    return PathOf(*FindPackageFile(id));
}

using InfLine = vector<std::string>;

// Each line of an INF section as SetupAPI reads it: its fields from the first on, with the
// strings put in and lower-cased; no line when the section is missing.
vector<InfLine> SectionLines(HINF inf, const std::string& section)
{
    vector<InfLine> lines;
    INFCONTEXT line;
    for (BOOL found = SetupFindFirstLineA(inf, section.c_str(), NULL, &line); found;
         found = SetupFindNextLine(&line, &line)) {
        InfLine fields;
        const DWORD count = SetupGetFieldCount(&line);
        for (DWORD index = 1; index <= count; ++index) {
            char field[512] = "";
            SetupGetStringFieldA(&line, index, field, sizeof field, NULL);
            CharLowerA(field);
            fields.push_back(field);
        }
        lines.push_back(fields);
    }
    return lines;
}

bool Contains(const InfLine& fields, size_t first, const std::string& value)
{
    return fields.size() > first && std::find(fields.begin() + first, fields.end(), value) != fields.end();
}
}  // namespace

using DriverPackage = FreshWorkFolder;

TEST_F(DriverPackage, FirstRunCreatesBothFoldersAndWritesTheInf)
{
    ASSERT_TRUE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));

    EXPECT_EQ(vector<wstring>{L"usb_driver"}, FolderEntries(KorvessaFolder()));
    EXPECT_EQ(vector<wstring>{L"android_winusb.inf"}, FolderEntries(PackageFolder()));
    const std::string written = ReadBytes(PathOf(IDR_ANDROID_WINUSB_INF));
    EXPECT_FALSE(written.empty());
    EXPECT_TRUE(written == SourceBytes(IDR_ANDROID_WINUSB_INF));
}

TEST_F(DriverPackage, EveryFileLandsInItsPlaceWithTheEmbeddedBytes)
{
    for (const PackageFile& file : kPackageFiles)
        ASSERT_TRUE(ExtractDriverFile(file.id)) << file.id;

    for (const PackageFile& file : kPackageFiles) {
        const std::string written = ReadBytes(PathOf(file));
        EXPECT_FALSE(written.empty()) << file.id;
        EXPECT_TRUE(written == SourceBytes(file.id)) << file.id << " " << file.fileName;
    }
    EXPECT_EQ((vector<wstring>{L"KorvessaX64.exe", L"amd64", L"android_winusb.inf",
                               L"androidwinusb86.cat", L"androidwinusba64.cat", L"i386"}),
              FolderEntries(PackageFolder()));
    const vector<wstring> coInstallers{L"WUDFUpdate_01009.dll", L"WdfCoInstaller01009.dll",
                                       L"winusbcoinstaller2.dll"};
    EXPECT_EQ(coInstallers, FolderEntries(Join(PackageFolder(), L"i386")));
    EXPECT_EQ(coInstallers, FolderEntries(Join(PackageFolder(), L"amd64")));
    // The same name in i386 and amd64: each keeps its own word size's file.
    EXPECT_FALSE(SourceBytes(IDR_WDFCOINSTALLER_I386) == SourceBytes(IDR_WDFCOINSTALLER_AMD64));
}

TEST_F(DriverPackage, RewritingOverALongerOtherFileLeavesExactlyTheResource)
{
    const std::string embedded = SourceBytes(IDR_WINUSBCOINSTALLER_AMD64);
    ASSERT_TRUE(ExtractDriverFile(IDR_WINUSBCOINSTALLER_AMD64));
    ASSERT_TRUE(WriteBytes(PathOf(IDR_WINUSBCOINSTALLER_AMD64),
                           std::string(embedded.size() + 4096, 'x')));

    ASSERT_TRUE(ExtractDriverFile(IDR_WINUSBCOINSTALLER_AMD64));
    EXPECT_TRUE(ReadBytes(PathOf(IDR_WINUSBCOINSTALLER_AMD64)) == embedded);
    ASSERT_TRUE(ExtractDriverFile(IDR_WINUSBCOINSTALLER_AMD64));
    EXPECT_TRUE(ReadBytes(PathOf(IDR_WINUSBCOINSTALLER_AMD64)) == embedded);
}

TEST_F(DriverPackage, IdsOutsideTheTableWriteNothing)
{
    ASSERT_TRUE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));
    for (int id : {129, 132, 133, 0, 127, 141, 0x10000 + IDR_ANDROID_WINUSB_INF}) {
        EXPECT_FALSE(ExtractDriverFile(id)) << id;
        EXPECT_EQ(vector<wstring>{L"android_winusb.inf"}, FolderEntries(PackageFolder())) << id;
    }
    EXPECT_TRUE(ReadBytes(PathOf(IDR_ANDROID_WINUSB_INF)) == SourceBytes(IDR_ANDROID_WINUSB_INF));
}

TEST_F(DriverPackage, ATargetHeldOpenWithoutSharingIsLeftAsItWas)
{
    ASSERT_TRUE(ExtractDriverFile(IDR_ANDROIDWINUSB86_CAT));
    const std::string old = "an older catalog";
    ASSERT_TRUE(WriteBytes(PathOf(IDR_ANDROIDWINUSB86_CAT), old));
    HANDLE held = CreateFileW(PathOf(IDR_ANDROIDWINUSB86_CAT).c_str(), GENERIC_READ, 0, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_FALSE(ExtractDriverFile(IDR_ANDROIDWINUSB86_CAT));
    CloseHandle(held);
    EXPECT_EQ(old, ReadBytes(PathOf(IDR_ANDROIDWINUSB86_CAT)));
}

TEST_F(DriverPackage, AnExistingWorkFolderIsReturnedAndNothingIsCreated)
{
    ASSERT_TRUE(CreateDirectoryW(KorvessaFolder().c_str(), NULL));
    ASSERT_TRUE(WriteBytes(Join(KorvessaFolder(), L"kept.txt"), "kept"));

    EXPECT_EQ(Narrow(KorvessaFolder()), std::string(GetWorkFolder()));
    EXPECT_EQ(vector<wstring>{L"kept.txt"}, FolderEntries(KorvessaFolder()));
}

TEST_F(DriverPackage, AMissingWorkFolderIsCreatedWithoutATrailingSeparator)
{
    const CString folder = GetWorkFolder();
    EXPECT_EQ(Narrow(KorvessaFolder()), std::string(folder));
    EXPECT_TRUE(IsDirectory(KorvessaFolder()));
    EXPECT_TRUE(FolderEntries(KorvessaFolder()).empty());
}

// Without the application-data folder nothing may land relative to the current folder.
TEST_F(DriverPackage, WithoutApplicationDataNothingIsWritten)
{
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const vector<wstring> before = FolderEntries(current);
    {
        const AppDataRedirect missing(L"C:\\korvessa-no-such-folder\\Roaming");
        EXPECT_TRUE(GetWorkFolder().IsEmpty());
        EXPECT_FALSE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));
        EXPECT_FALSE(ExtractDriverFile(IDR_WDFCOINSTALLER_I386));
    }
    EXPECT_EQ(before, FolderEntries(current));
    EXPECT_FALSE(Exists(L"C:\\korvessa-no-such-folder"));
    EXPECT_FALSE(Exists(KorvessaFolder()));
}

// With 215 characters of application data the INF's path fits in MAX_PATH and an amd64
// co-installer's does not; with 252 not even the work folder fits.
TEST_F(DriverPackage, APathOverMaxPathWritesAndDeletesNothing)
{
    const LongFolder appData(215);
    ASSERT_EQ(215u, appData.Path().size());
    const wstring workFolder = Join(appData.Path(), L"Korvessa");
    const wstring packageFolder = Join(workFolder, L"usb_driver");
    {
        const AppDataRedirect redirect(appData.Path());
        EXPECT_EQ(Narrow(workFolder), std::string(GetWorkFolder()));
        ASSERT_TRUE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));
        EXPECT_FALSE(ExtractDriverFile(IDR_WDFCOINSTALLER_AMD64));
        EXPECT_FALSE(ExtractDriverFile(IDR_WUDFUPDATE_I386));
    }
    EXPECT_EQ(vector<wstring>{L"android_winusb.inf"}, FolderEntries(packageFolder));
    EXPECT_TRUE(ReadBytes(Join(packageFolder, L"android_winusb.inf")) ==
                SourceBytes(IDR_ANDROID_WINUSB_INF));

    const LongFolder tooLong(252);
    {
        const AppDataRedirect redirect(tooLong.Path());
        EXPECT_TRUE(GetWorkFolder().IsEmpty());
        EXPECT_FALSE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));
    }
    EXPECT_TRUE(FolderEntries(tooLong.Path()).empty());
}

// The INF this build carries, read as Windows reads it: it must name the class, the driver
// version, both catalogs, the ADB compatible ID for both word sizes and the co-installer
// folders that the package layout gives.
TEST_F(DriverPackage, TheInfFitsThePackageLayout)
{
    ASSERT_TRUE(ExtractDriverFile(IDR_ANDROID_WINUSB_INF));
    const std::string path = Narrow(PathOf(IDR_ANDROID_WINUSB_INF));
    HINF inf = SetupOpenInfFileA(path.c_str(), NULL, INF_STYLE_WIN4, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, inf);
    const struct {
        const char* key;
        const char* value;
    } versionLines[] = {
        {"Class", "AndroidUsbDeviceClass"},
        {"DriverVer", "08/28/2014,11.0.0000.00000"},
        {"CatalogFile.NTx86", "androidwinusb86.cat"},
        {"CatalogFile.NTamd64", "androidwinusba64.cat"},
    };
    for (const auto& line : versionLines) {
        char value[256] = "";
        EXPECT_TRUE(SetupGetLineTextA(NULL, inf, "Version", line.key, value, sizeof value, NULL))
            << line.key;
        EXPECT_STRCASEEQ(line.value, value) << line.key;
    }

    // [Manufacturer] names the models sections: "name = base, NTx86, NTamd64". A model line
    // is "description = install section, hardware ID, compatible IDs...".
    for (const std::string decoration : {"ntx86", "ntamd64"}) {
        bool listed = false;
        for (const InfLine& manufacturer : SectionLines(inf, "Manufacturer")) {
            if (!Contains(manufacturer, 1, decoration))
                continue;
            for (const InfLine& model : SectionLines(inf, manufacturer[0] + "." + decoration))
                listed = listed || Contains(model, 1, "usb\\class_ff&subclass_42&prot_01");
        }
        EXPECT_TRUE(listed) << "no " << decoration << " model for the ADB compatible ID";
    }

    // A source disk line is "id = description, tag, unused, path".
    InfLine sourcePaths;
    for (const char* section : {"SourceDisksNames", "SourceDisksNames.x86", "SourceDisksNames.amd64"}) {
        for (const InfLine& disk : SectionLines(inf, section)) {
            if (disk.size() >= 4)
                sourcePaths.push_back(disk[3]);
        }
    }
    EXPECT_TRUE(Contains(sourcePaths, 0, "\\i386"));
    EXPECT_TRUE(Contains(sourcePaths, 0, "\\amd64"));
    SetupCloseInfFile(inf);
}

// A write that fails, whole or part way, must not leave a truncated package file behind.
// The bytes come from memory whose second page is not committed, so the real WriteFile fails.
TEST_F(DriverPackage, AWriteThatFailsWholeOrPartWayLeavesNoFile)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    char* memory = static_cast<char*>(VirtualAlloc(NULL, 2 * page, MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, memory);
    ASSERT_NE(nullptr, VirtualAlloc(memory, page, MEM_COMMIT, PAGE_READWRITE));
    FillMemory(memory, page, 'k');
    ASSERT_TRUE(CreateDirectoryW(KorvessaFolder().c_str(), NULL));
    const wstring target = Join(KorvessaFolder(), L"target.bin");

    const struct {
        const char* what;
        const char* data;
        DWORD size;
    } writes[] = {
        {"nothing readable", memory + page, 100},
        {"only the first page readable", memory, 2 * page},
    };
    for (const auto& write : writes) {
        ASSERT_TRUE(WriteBytes(target, "old content"));
        EXPECT_FALSE(WriteNewFile(Narrow(target).c_str(), write.data, write.size)) << write.what;
        EXPECT_FALSE(Exists(target)) << write.what;
    }
    EXPECT_TRUE(WriteNewFile(Narrow(target).c_str(), memory, page));
    EXPECT_EQ(std::string(page, 'k'), ReadBytes(target));
    VirtualFree(memory, 0, MEM_RELEASE);
}

// One separator between parts, empty parts left out; no path at all without a work folder or
// when the whole path does not fit, even where its folders would.
TEST(PackagePath, JoinsTheGivenPartsBelowUsbDriver)
{
    const std::string longFolder = "C:\\" + std::string(237, 'w');  // 240 characters
    const struct {
        std::string workFolder;
        const char* subFolder;
        const char* fileName;
        std::string path;
    } rows[] = {
        {"C:\\work", "", "", "C:\\work\\usb_driver"},
        {"C:\\work", "amd64", "", "C:\\work\\usb_driver\\amd64"},
        {"C:\\work", "", "android_winusb.inf", "C:\\work\\usb_driver\\android_winusb.inf"},
        {"C:\\work", "amd64", "winusbcoinstaller2.dll", "C:\\work\\usb_driver\\amd64\\winusbcoinstaller2.dll"},
        {"", "amd64", "winusbcoinstaller2.dll", ""},
        {longFolder, "amd64", "", longFolder + "\\usb_driver\\amd64"},
        {longFolder, "amd64", "WdfCoInstaller01009.dll", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.path, std::string(PackagePath(row.workFolder.c_str(), row.subFolder, row.fileName)))
            << row.workFolder.size() << " " << row.subFolder << " " << row.fileName;
    }
}
