// The compatible ID of the ADB interface, "usb\class_ff&subclass_42&prot_01": USB class 0xFF,
// subclass 0x42, protocol 0x01. Both programs build it from the same format and pieces: the
// 32-bit scans and installer in 8-bit text, the 64-bit companion in wide text.
#pragma once

#include "common/TextKinds.h"

// The format and its arguments, for a printf-style call whose %s takes the given text kind.
// The subclass is the integer 42 printed in decimal: its digits are those of 0x42 in hex.
// Wide text needs the class library's convention (%s is a wide string), as _snwprintf has.
#define ADB_COMPATIBLE_ID(TEXT) \
    TEXT("%s\\%s_%s&%s_%d&%s_%s"), TEXT("usb"), TEXT("class"), TEXT("ff"), TEXT("subclass"), 42, \
        TEXT("prot"), TEXT("01")
