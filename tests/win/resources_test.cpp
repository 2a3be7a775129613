// The executable's own resources, as the program and the system read them back.
#include <gtest/gtest.h>

#include <string>

#include "forms/runtime.h"
#include "forms/win.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kIconSize = 32;

TEST(Resources, TitleAndVersionComeFromTheExecutable) {
    EXPECT_EQ(forms::AppTitle(), "Zelvane");
    forms::AppVersion v = forms::Version();
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 1);
    EXPECT_EQ(v.revision, 3);
}

TEST(Resources, ClockIconIs32By32) {
    HICON icon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_CLOCK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP bm = {};
    ::GetObjectA(info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, kIconSize);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

TEST(Resources, HandPointerHasItsHotSpotAtTheFingertip) {
    HCURSOR cursor = static_cast<HCURSOR>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDPOINT), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyCursor(cursor);
}

TEST(Resources, ManifestDeclaresDpiAwarenessAndCommonControls6) {
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC res = ::FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(res, nullptr);
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(self, res)));
    std::string manifest(data, ::SizeofResource(self, res));
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
}

}  // namespace
