// The device list's fixed vocabulary: the vendor table (USB vendor ID to maker name) and the
// texts of the "Device Status" column for Configuration Manager problem numbers.
#pragma once

#include <windows.h>

#include <map>

#include "framework/CString.h"

// Lower-case 4-digit vendor ID to maker name, ordered by CString's code-page comparison.
using VendorTable = std::map<CString, CString>;

// Inserts the 28 known makers; a key already present keeps its name.
void FillVendorTable(VendorTable& vendors);

// The maker stored under exactly this key, or the empty text. Never adds an entry, so
// threads may look up concurrently once the table is filled.
CString LookupVendorName(const VendorTable& vendors, const CString& vendorId);

CString ProblemCodeToText(ULONG problemCode);
