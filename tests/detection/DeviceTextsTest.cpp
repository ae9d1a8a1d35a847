// The vendor table and the device status texts.
#include "detection/DeviceTexts.h"

#include <gtest/gtest.h>

namespace {

VendorTable FilledTable()
{
    VendorTable vendors;
    FillVendorTable(vendors);
    return vendors;
}

}  // namespace

TEST(VendorTable, HoldsTheTwentyEightMakers)
{
    const VendorTable vendors = FilledTable();
    ASSERT_EQ(28u, vendors.size());

    const struct {
        const char* vendorId;
        const char* maker;
    } rows[] = {
        {"0502", "Acer"},       {"1949", "Amazon"},    {"0b05", "ASUS"},     {"1ebf", "Coolpad"},
        {"413c", "Dell"},       {"18d1", "Google"},    {"0bb4", "HTC"},      {"12d1", "Huawei"},
        {"24e3", "K-Touch"},    {"17ef", "Lenovo"},    {"2006", "Lenovo"},   {"1004", "LG"},
        {"22b8", "Motorola"},   {"0e8d", "MediaTek"},  {"0421", "Nokia"},    {"0955", "NVIDIA"},
        {"0471", "Philips"},    {"04da", "Panasonic"}, {"05c6", "Qualcomm"}, {"2207", "Rockchip"},
        {"04e8", "Samsung"},    {"04dd", "Sharp"},     {"054c", "Sony"},     {"0fce", "Sony"},
        {"1782", "Spreadtrum"}, {"0451", "TI"},        {"0930", "Toshiba"},  {"19d2", "ZTE"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(row.maker, LookupVendorName(vendors, row.vendorId)) << row.vendorId;
}

TEST(VendorTable, UnknownKeysGiveNoNameAndAddNothing)
{
    const VendorTable vendors = FilledTable();
    for (const char* vendorId : {"18D1", "abcd", "", "18d", "18d1 ", "0x18d1", "18d1&pid"})
        EXPECT_STREQ("", LookupVendorName(vendors, vendorId)) << '"' << vendorId << '"';
    EXPECT_EQ(28u, vendors.size());
}

TEST(VendorTable, RefillingPutsBackARemovedRowAndKeepsTheOthers)
{
    VendorTable vendors = FilledTable();
    ASSERT_EQ(1u, vendors.erase("18d1"));
    FillVendorTable(vendors);
    EXPECT_EQ(FilledTable(), vendors);
    EXPECT_STREQ("Google", LookupVendorName(vendors, "18d1"));
}

TEST(VendorTable, AnExistingKeyKeepsItsName)
{
    VendorTable vendors{{"18d1", "Pixel"}};
    FillVendorTable(vendors);
    EXPECT_EQ(28u, vendors.size());
    EXPECT_STREQ("Pixel", LookupVendorName(vendors, "18d1"));
}

TEST(ProblemCodeToText, NamedProblems)
{
    const struct {
        ULONG problem;
        const char* text;
    } cases[] = {
        {0, "OK"},
        {1, "Driver incorrectly"},
        {10, "Driver incorrectly"},
        {18, "Driver incorrectly"},
        {28, "Driver incorrectly"},
        {14, "Need restart computer"},
        {22, "Disabled [Check Device Manager]"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, ProblemCodeToText(c.problem)) << c.problem;
}

TEST(ProblemCodeToText, OtherProblemsShowTheirNumber)
{
    const struct {
        ULONG problem;
        const char* text;
    } cases[] = {
        {2, "Error status =2"},     {9, "Error status =9"},       {11, "Error status =11"},
        {27, "Error status =27"},   {29, "Error status =29"},     {56, "Error status =56"},
        {1000, "Error status =1000"}, {0x7FFFFFFF, "Error status =2147483647"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, ProblemCodeToText(c.problem)) << c.problem;
}
