// Icon 128 and bitmaps 142, 143 and 161, read back from the module.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>

#include "tests/resources/ResourceModule.h"

namespace {

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

struct IconImage {
    int size;
    int bits;
};

const IconImage kIconImages[] = {
    {48, 8}, {32, 8}, {24, 8}, {16, 8},
    {48, 24}, {32, 24}, {24, 24}, {16, 24},
    {256, 32}, {128, 32}, {64, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32},
};

const BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

DWORD BigEndian(const BYTE* p) {
    return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | p[3];
}

TEST(IconResource, GroupHoldsTheFifteenImagesInOrder) {
    ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
    ResourceData group = LoadResourceData(RT_GROUP_ICON, MAKEINTRESOURCEA(128));
    ASSERT_GE(group.size, sizeof(IconGroupHeader));
    IconGroupHeader header;
    std::memcpy(&header, group.bytes, sizeof header);
    EXPECT_EQ(header.reserved, 0);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, std::size(kIconImages));
    ASSERT_GE(group.size, sizeof header + header.count * sizeof(IconGroupEntry));

    for (size_t i = 0; i < std::size(kIconImages); ++i) {
        const IconImage& want = kIconImages[i];
        SCOPED_TRACE(testing::Message() << "image " << i << ": " << want.size << " pixels, "
                                        << want.bits << " bits");
        IconGroupEntry entry;
        std::memcpy(&entry, group.bytes + sizeof header + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, want.size == 256 ? 0 : want.size);
        EXPECT_EQ(entry.height, want.size == 256 ? 0 : want.size);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, want.bits);

        ResourceData image = LoadResourceData(RT_ICON, MAKEINTRESOURCEA(entry.id));
        ASSERT_NE(image.bytes, nullptr);
        EXPECT_EQ(image.size, entry.bytesInResource);
        if (want.size == 256) {
            // Signature, IHDR length and name, width, height, depth 8, colour type 6 (RGBA).
            ASSERT_GE(image.size, 26u);
            EXPECT_EQ(std::memcmp(image.bytes, kPngSignature, sizeof kPngSignature), 0);
            EXPECT_EQ(std::memcmp(image.bytes + 12, "IHDR", 4), 0);
            EXPECT_EQ(BigEndian(image.bytes + 16), 256u);
            EXPECT_EQ(BigEndian(image.bytes + 20), 256u);
            EXPECT_EQ(image.bytes[24], 8);
            EXPECT_EQ(image.bytes[25], 6);
        } else {
            ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER info;
            std::memcpy(&info, image.bytes, sizeof info);
            EXPECT_EQ(info.biSize, sizeof info);
            EXPECT_EQ(info.biWidth, want.size);
            EXPECT_EQ(info.biHeight, 2 * want.size);  // colours and mask
            EXPECT_EQ(info.biBitCount, want.bits);
            EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
            DWORD palette = want.bits == 8 ? 256 * sizeof(RGBQUAD) : 0;
            DWORD colourRow = ((want.size * want.bits + 31) / 32) * 4;
            DWORD maskRow = ((want.size + 31) / 32) * 4;
            EXPECT_EQ(image.size, sizeof info + palette + (colourRow + maskRow) * want.size);
        }
        // The system itself must be able to make an icon of every image.
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.bytes), image.size, TRUE,
                                              0x00030000, want.size, want.size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr);
        if (icon != NULL) {
            DestroyIcon(icon);
        }
    }
}

struct ExpectedBitmap {
    int id;
    int width;
    int height;
};

const ExpectedBitmap kBitmaps[] = {{142, 24, 24}, {143, 24, 24}, {161, 900, 200}};

// The bitmap's header; its pixels follow it, bottom row first.
BITMAPINFOHEADER BitmapHeader(const ResourceData& data) {
    BITMAPINFOHEADER info{};
    if (data.size >= sizeof info) {
        std::memcpy(&info, data.bytes, sizeof info);
    }
    return info;
}

TEST(BitmapResource, IsAnUncompressedBottomUpDibOf24Bits) {
    ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
    for (const ExpectedBitmap& want : kBitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << want.id);
        ResourceData data = LoadResourceData(RT_BITMAP, MAKEINTRESOURCEA(want.id));
        ASSERT_GE(data.size, sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER info = BitmapHeader(data);
        EXPECT_EQ(info.biSize, sizeof info);
        EXPECT_EQ(info.biWidth, want.width);
        EXPECT_EQ(info.biHeight, want.height);  // positive: bottom-up
        EXPECT_EQ(info.biPlanes, 1);
        EXPECT_EQ(info.biBitCount, 24);
        EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(info.biClrUsed, 0u);
        DWORD row = ((want.width * 24 + 31) / 32) * 4;
        EXPECT_EQ(data.size, sizeof info + row * want.height);
    }
}

struct StatusImage {
    int id;
    const char* picture;
    bool (*discColour)(BYTE red, BYTE green, BYTE blue);
};

const StatusImage kStatusImages[] = {
    {143, "green disc", [](BYTE r, BYTE g, BYTE b) { return g > 120 && g > r + 40 && g > b + 40; }},
    {142, "yellow disc", [](BYTE r, BYTE g, BYTE b) { return r > 200 && g > 120 && b < 90; }},
};

// White is the image list's mask colour: the ground around the disc must be exactly white,
// and nothing on the disc may be, or it would show as a hole in the list.
TEST(BitmapResource, StatusImagesAreDiscsOnAPureWhiteGround) {
    ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
    for (const StatusImage& want : kStatusImages) {
        SCOPED_TRACE(testing::Message() << "bitmap " << want.id << ", " << want.picture);
        ResourceData data = LoadResourceData(RT_BITMAP, MAKEINTRESOURCEA(want.id));
        ASSERT_EQ(data.size, sizeof(BITMAPINFOHEADER) + 24 * 24 * 3);
        const BYTE* pixels = data.bytes + sizeof(BITMAPINFOHEADER);
        for (int row = 0; row < 24; ++row) {
            for (int column = 0; column < 24; ++column) {
                const BYTE* bgr = pixels + (row * 24 + column) * 3;
                bool white = bgr[0] == 255 && bgr[1] == 255 && bgr[2] == 255;
                double fromCentre = std::hypot(column + 0.5 - 12.0, row + 0.5 - 12.0);
                if (fromCentre > 11.5) {
                    EXPECT_TRUE(white) << "ground at column " << column << ", row " << row;
                } else if (fromCentre < 10.0) {
                    EXPECT_FALSE(white) << "disc at column " << column << ", row " << row;
                }
            }
        }
        // Left of the mark, half-way between centre and rim: the disc's own colour.
        const BYTE* disc = pixels + (12 * 24 + 5) * 3;
        EXPECT_TRUE(want.discColour(disc[2], disc[1], disc[0]))
            << int(disc[2]) << ", " << int(disc[1]) << ", " << int(disc[0]);
    }
}

}  // namespace
