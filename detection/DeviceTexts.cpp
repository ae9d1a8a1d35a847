// The vendor table's rows and the problem-number texts.
#include "detection/DeviceTexts.h"

namespace {
// Configuration Manager problem numbers (CM_PROB_*); mingw-w64's headers lack them.
constexpr ULONG kProblemNotConfigured = 1;
constexpr ULONG kProblemFailedStart = 10;
constexpr ULONG kProblemNeedRestart = 14;
constexpr ULONG kProblemReinstall = 18;
constexpr ULONG kProblemDisabled = 22;
constexpr ULONG kProblemFailedInstall = 28;
}  // namespace

void FillVendorTable(VendorTable& vendors)
{
    static const struct {
        const char* vendorId;
        const char* maker;
    } kVendors[] = {
        {"0502", "Acer"},      {"1949", "Amazon"},     {"0b05", "ASUS"},     {"1ebf", "Coolpad"},
        {"413c", "Dell"},      {"18d1", "Google"},     {"0bb4", "HTC"},      {"12d1", "Huawei"},
        {"24e3", "K-Touch"},   {"17ef", "Lenovo"},     {"2006", "Lenovo"},   {"1004", "LG"},
        {"22b8", "Motorola"},  {"0e8d", "MediaTek"},   {"0421", "Nokia"},    {"0955", "NVIDIA"},
        {"0471", "Philips"},   {"04da", "Panasonic"},  {"05c6", "Qualcomm"}, {"2207", "Rockchip"},
        {"04e8", "Samsung"},   {"04dd", "Sharp"},      {"054c", "Sony"},     {"0fce", "Sony"},
        {"1782", "Spreadtrum"}, {"0451", "TI"},        {"0930", "Toshiba"},  {"19d2", "ZTE"},
    };
    for (const auto& row : kVendors)
        vendors.insert(VendorTable::value_type(row.vendorId, row.maker));
}

CString LookupVendorName(const VendorTable& vendors, const CString& vendorId)
{
    const auto found = vendors.find(vendorId);
    return found == vendors.end() ? CString() : found->second;
}

CString ProblemCodeToText(ULONG problemCode)
{
    switch (problemCode) {
    case 0:
        return "OK";
    case kProblemNotConfigured:
    case kProblemFailedStart:
    case kProblemReinstall:
    case kProblemFailedInstall:
        return "Driver incorrectly";
    case kProblemNeedRestart:
        return "Need restart computer";
    case kProblemDisabled:
        return "Disabled [Check Device Manager]";
    default: {
        CString text;
        text.Format("Error status =%d", static_cast<int>(problemCode));
        return text;
    }
    }
}
