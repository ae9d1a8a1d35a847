// CString: the behaviours the program relies on, where a naive string would differ.
#include "framework/CString.h"

#include <gtest/gtest.h>

#include <map>

TEST(CString, FormatGrowsToAnyLength)
{
    CString text;
    text.Format("%s=%d;%08x", "id", -7, 0xE0000235u);
    EXPECT_STREQ("id=-7;e0000235", text);

    const std::string longPiece(5000, 'x');
    text.Format("[%s]", longPiece.c_str());
    EXPECT_EQ(5002, text.GetLength());

    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, BoundedConstructionStopsAtNulOrLength)
{
    const char noNul[4] = {'a', 'b', 'c', 'd'};
    EXPECT_STREQ("abcd", CString(noNul, 4));
    EXPECT_STREQ("ab", CString("ab\0cd", 5));
    EXPECT_STREQ("", CString(nullptr));
}

TEST(CString, SetStringCopiesTheLengthGivenIntoTheSameStorage)
{
    CString text;
    text.SetString("usb\\class_ff&subclass_42&prot_01 and more", 32);
    EXPECT_STREQ("usb\\class_ff&subclass_42&prot_01", text);
    const char* storage = text;

    text.Empty();
    text.SetString("USB\\VID_18D1&PID_4EE2", 21);
    EXPECT_STREQ("USB\\VID_18D1&PID_4EE2", text);
    EXPECT_EQ(storage, static_cast<const char*>(text));

    text.SetString("ignored", 0);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, MakeLowerChangesOnlyAsciiLetters)
{
    CString text("USB\\VID_18D1&\xC9\xDF[Z]");
    text.MakeLower();
    EXPECT_STREQ("usb\\vid_18d1&\xC9\xDF[z]", text);
}

TEST(CString, MidClampsLikeTheClassLibrary)
{
    const CString text("usb\\vid_18d1&pid");
    const struct {
        int first;
        int count;
        const char* expected;
    } cases[] = {
        {8, 4, "18d1"}, {8, 100, "18d1&pid"}, {-3, 3, "usb"}, {16, 4, ""}, {50, 4, ""}, {2, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, text.Mid(c.first, c.count)) << c.first << "," << c.count;
}

TEST(CString, FindAndComparisons)
{
    const CString text("usb\\class_ff&subclass_42");
    EXPECT_EQ(0, text.Find("usb\\"));
    EXPECT_EQ(13, text.Find("subclass"));
    EXPECT_EQ(-1, text.Find("prot"));
    EXPECT_EQ(-1, text.Find("usb", 99));

    EXPECT_TRUE(CString("Access Denied").CompareNoCase("access denied") == 0);
    EXPECT_FALSE(CString("SUCCESS") == "success");
    EXPECT_TRUE(CString("18d1") == "18d1");
}

TEST(CString, OrdersMapKeysCaseSensitively)
{
    std::map<CString, int> keys{{"18d1", 1}, {"18D1", 2}, {"0502", 3}};
    EXPECT_EQ(3u, keys.size());
    EXPECT_EQ(1, keys.at("18d1"));
    EXPECT_EQ(2, keys.at("18D1"));
    EXPECT_STREQ("0502", keys.begin()->first);
}
